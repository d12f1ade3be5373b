// The game's downloads, with the bar moving from the first bytes on, and whether this browser can
// draw the game at all.
import {bytesOf} from './replays.js';

const $ = (id) => document.getElementById(id);
const downloads = {received: 0, total: 0};

function showProgress() {
  const share = downloads.total ? downloads.received / downloads.total : 0;
  $('progress').value = share;
  $('loading-text').textContent = downloads.total
    ? `Loading the game… ${Math.floor(share * 100)} % of ${(downloads.total / 1e6).toFixed(1)} MB`
    : 'Loading the game…';
}

// The page's preload links started the request already; this takes it over.
export async function fetchCounted(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url} could not be loaded (${response.status})`);
  downloads.total += Number(response.headers.get('Content-Length')) || 0;
  showProgress();
  return bytesOf(response, (count) => {
    downloads.received += count;
    showProgress();
  });
}

export function hasWebGl2() {
  try {
    return !!document.createElement('canvas').getContext('webgl2');
  } catch (e) {
    return false;
  }
}
