// The recording a page replays: from a share link, from the browser's storage after it was
// opened or dropped, or fetched from the page's own site; bounded by what the page can hold, and
// refused with why.
import {keptReplay} from './handover.js';
import {isShareLink, recordingOfLink, whyNotALink} from './share.js';

// The page holds a whole recording in memory twice over: up to this size, about five hours of
// play, it replays one in seconds; the desktop game replays any.
export const kMaxReplayBytes = 64e6;

// A file's name as the game shows it: never a name the file system gives a meaning.
export function baseName(path) {
  const name = path.split(/[/?#]/).filter((part) => part).pop();
  return !name || name === '.' || name === '..' ? 'recording.rec' : name;
}

function megabytes(bytes) {
  return `${(bytes / 1e6).toFixed(1)} MB`;
}

// bytes: 0 when not known, only that it is more.
export function tooLarge(name, bytes) {
  return `${name} is ${bytes ? megabytes(bytes) + ',' : ''} more than the ` +
         `${megabytes(kMaxReplayBytes)} the page replays (kelvarin --replay plays any)`;
}

// A response's bytes, handed to counted as they come; more than most bytes ends the read with
// tooMany.
export async function bytesOf(response, counted = () => {}, most = Infinity, tooMany = null) {
  const reader = response.body.getReader();
  const chunks = [];
  let length = 0;
  for (;;) {
    const {done, value} = await reader.read();
    if (done) break;
    length += value.length;
    if (length > most) {
      reader.cancel();
      throw tooMany;
    }
    chunks.push(value);
    counted(value.length);
  }
  return new Uint8Array(await new Blob(chunks).arrayBuffer());
}

// A refusal, said by file and line as the game says its own, and by status.
export class Refusal extends Error {}

// A path on this site only: no other origin ever hears of the page's address.
function replayUrl(text) {
  const onThisSite = !/^[a-z][a-z0-9+.-]*:/i.test(text) && !text.startsWith('//') &&
                     !text.includes('\\');
  const url = onThisSite ? new URL(text, location.href) : null;
  if (!url || url.origin !== location.origin) {
    throw new Refusal(`?replay= takes a path on this site, not '${text}'`);
  }
  return url;
}

// A fetched replay's bytes: refused by the length it announces, or as soon as more have come than
// the page replays.
export async function replayBytes(name, response) {
  const length = Number(response.headers.get('Content-Length'));
  if (length > kMaxReplayBytes) throw new Refusal(tooLarge(name, length));
  return bytesOf(response, undefined, kMaxReplayBytes, new Refusal(tooLarge(name, 0)));
}

async function fetchReplay(text) {
  const url = replayUrl(text);
  const name = baseName(url.pathname);
  const response = await fetch(url, {mode: 'same-origin'});
  if (!response.ok) throw new Refusal(`cannot read ${text}: ${response.status}`);
  return {name, bytes: await replayBytes(name, response)};
}

// From a share link's fragment, opened or dropped before a reload, or named in the address.
export async function chosenReplay() {
  if (isShareLink(location.hash)) {
    const tooLong = whyNotALink(location.href);
    if (tooLong) throw new Refusal(`shared.rec:1: ${tooLong}`);
    const {bytes, why} = await recordingOfLink(location.hash);
    if (why) throw new Refusal(`shared.rec: ${why}`);
    return {name: 'shared.rec', bytes};
  }
  const params = new URLSearchParams(location.search);
  if (params.has('opened')) {
    let kept;
    try {
      kept = await keptReplay(params.get('opened'));
    } catch (e) {
      throw new Refusal(`the browser's storage cannot give back the recording (${e?.name || e})`);
    }
    if (!kept) throw new Refusal('the recording opened here is no longer kept: open it again');
    return kept;
  }
  return params.has('replay') ? fetchReplay(params.get('replay')) : null;
}
