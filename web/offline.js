// The page kept on this device: once the game has started, a service worker keeps every file of
// this build, so that a later visit plays without the network; the page says when it is played
// from that copy.

const kWorker = 'service-worker.js';

// note: where the page says that it plays from the kept copy.
export function keepForOffline(note) {
  if (!('serviceWorker' in navigator)) return;
  // A page the worker served is the kept copy: it answers from what it keeps first.
  if (navigator.serviceWorker.controller) {
    note.textContent = 'Played from the copy this browser keeps: it plays offline too.';
    note.hidden = false;
  }
  navigator.serviceWorker.register(kWorker).catch((error) => {
    note.textContent = `This browser keeps no copy of the game to play offline (${error.message}).`;
    note.hidden = false;
  });
}
