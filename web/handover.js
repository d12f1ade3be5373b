// A recording opened or dropped on the page waits here for the reload that replays it: the
// browser's IndexedDB, which holds recordings of any length (session storage stops at a few
// megabytes).
const kDatabase = 'kelvarin';
const kStore = 'replays';
const kKey = 'opened';

function open() {
  return new Promise((resolve, reject) => {
    const request = indexedDB.open(kDatabase, 1);
    request.onupgradeneeded = () => request.result.createObjectStore(kStore);
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

function done(request) {
  return new Promise((resolve, reject) => {
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

export async function keepForReplay(name, text) {
  const database = await open();
  await done(database.transaction(kStore, 'readwrite').objectStore(kStore).put({name, text}, kKey));
  database.close();
}

// The recording kept for this reload, taken out so the next reload plays; null when none is.
export async function takeKeptReplay() {
  const database = await open();
  const store = database.transaction(kStore, 'readwrite').objectStore(kStore);
  const kept = await done(store.get(kKey));
  await done(store.delete(kKey));
  database.close();
  return kept || null;
}
