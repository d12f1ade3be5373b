// A recording opened or dropped on the page waits here for the reload that replays it: the
// browser's IndexedDB, which keeps the file as it came (session storage stops at a few megabytes),
// under a key of its own for each opening, so that tabs opening files at the same moment each
// replay their own and a reload replays it again. Older openings are let go after a day.
const kDatabase = 'kelvarin';
const kStore = 'openings';
const kKeptFor = 24 * 60 * 60 * 1000;

function open() {
  return new Promise((resolve, reject) => {
    const request = indexedDB.open(kDatabase, 2);
    request.onupgradeneeded = () => {
      const database = request.result;
      if (database.objectStoreNames.contains('replays')) database.deleteObjectStore('replays');
      if (!database.objectStoreNames.contains(kStore)) database.createObjectStore(kStore);
    };
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

function done(transaction, request) {
  return new Promise((resolve, reject) => {
    transaction.oncomplete = () => resolve(request?.result);
    transaction.onabort = transaction.onerror = () => reject(transaction.error || request?.error);
  });
}

// Keeps the file under a new key, which it returns; rejects with the storage's own error.
export async function keepForReplay(name, file) {
  const database = await open();
  try {
    const key = crypto.randomUUID();
    const transaction = database.transaction(kStore, 'readwrite');
    const store = transaction.objectStore(kStore);
    const cursor = store.openCursor();
    cursor.onsuccess = () => {
      const entry = cursor.result;
      if (!entry) return;
      if (Date.now() - entry.value.at > kKeptFor) entry.delete();
      entry.continue();
    };
    store.put({name, file, at: Date.now()}, key);
    await done(transaction);
    return key;
  } finally {
    database.close();
  }
}

// The recording kept under key, as {name, bytes}; null when it is no longer kept.
export async function keptReplay(key) {
  const database = await open();
  try {
    const transaction = database.transaction(kStore, 'readonly');
    const kept = await done(transaction, transaction.objectStore(kStore).get(key));
    if (!kept) return null;
    return {name: kept.name, bytes: new Uint8Array(await kept.file.arrayBuffer())};
  } finally {
    database.close();
  }
}
