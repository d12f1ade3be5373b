// The game's recording saved as a file or shared as a link in the address's fragment, and
// recordings opened or dropped on the page, handed to a fresh page that replays them.
import {keepForReplay} from './handover.js';
import {baseName, kMaxReplayBytes, tooLarge} from './replays.js';
import {kMaxLinkLength, linkFor} from './share.js';

const $ = (id) => document.getElementById(id);

// Where the game writes the recording of the game played in the page.
export const kRecordingPath = '/session.rec';

function download(name, bytes) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

// page: {game(): the game's module, pause(), say(text): a line where the game would be, refuse(text):
// the game's own refusal of it}.
export function setUpRecordings(page) {
  const recordingSoFar = () => {
    const game = page.game();
    game._kelvarinFlushRecording();
    return game.FS.readFile(kRecordingPath);
  };

  const share = async () => {
    page.pause();
    const link = linkFor(recordingSoFar(), location.origin + location.pathname);
    const shown = $('share-link');
    const note = $('share-note');
    $('share-result').hidden = false;
    if (link.length > kMaxLinkLength) {
      shown.textContent = '';
      shown.removeAttribute('href');
      note.textContent = `This session is too long to share as a link (${link.length} characters, ` +
                         `${kMaxLinkLength} at most): save the recording instead.`;
      $('save-recording').focus();
      return;
    }
    shown.textContent = link;
    shown.href = link;
    note.textContent = `${link.length} characters.`;
    try {
      await navigator.clipboard.writeText(link);
      note.textContent += ' Copied.';
    } catch (e) {
      // Without the clipboard the link is still there to copy by hand.
    }
  };

  // Replays open in a fresh page, so no game runs under them. The file is read here, so that what
  // cannot be read (a folder, a file gone) is said at once.
  const replayFile = async (file) => {
    if (file.size > kMaxReplayBytes) {
      page.refuse(tooLarge(file.name, file.size));
      return;
    }
    let bytes;
    try {
      bytes = await file.arrayBuffer();
    } catch (e) {
      page.say(`${file.name} cannot be replayed: it is a folder or cannot be read.`);
      return;
    }
    let key;
    try {
      key = await keepForReplay(baseName(file.name), new Blob([bytes]));
    } catch (e) {
      page.say(`${file.name} cannot be kept for its replay: the browser's storage refused it ` +
               `(${e?.name || e}).`);
      return;
    }
    location.href = `${location.pathname}?opened=${key}`;
  };

  $('save-recording').addEventListener('click',
      () => download('kelvarin-session.rec', recordingSoFar()));
  $('share').addEventListener('click', share);
  $('open-recording').addEventListener('change', (event) => {
    if (event.target.files[0]) replayFile(event.target.files[0]);
  });
  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    document.body.classList.add('dropping');
  });
  document.addEventListener('dragleave', () => document.body.classList.remove('dropping'));
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    document.body.classList.remove('dropping');
    const item = event.dataTransfer.items?.[0];
    if (item?.webkitGetAsEntry?.()?.isDirectory) {
      page.say('A folder cannot be replayed: drop a recording (.rec) file.');
      return;
    }
    const file = event.dataTransfer.files[0];
    if (file) replayFile(file);
  });
}
