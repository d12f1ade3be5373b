// A session as a link: its recording compressed (deflate) and written in base64url into the
// address's fragment, index.html#replay=..., which never reaches a server. A link that was cut or
// edited still gives back as much text as it holds, for the game to refuse by line.

// A link of up to this many characters stays whole in e-mail and in the messaging apps that keep
// long messages (WhatsApp, Signal, Slack): about 10 to 20 s of play looking around (10 s took 4,883
// characters in headless Chromium, 60 s 25,304). A longer session is saved as a recording instead,
// and a longer link is none the page made: it is refused before a byte of it is inflated.
export const kMaxLinkLength = 8192;
export const kFragmentKey = 'replay=';
// Damaged input is found only after a slice has gone in; what came out of earlier slices stays.
const kSlice = 256;

function base64url(bytes) {
  let binary = '';
  for (let i = 0; i < bytes.length; i += 0x8000) {
    binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  }
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

// Bytes of the base64url text, as many as it holds whole: a cut or edited character ends it.
function bytesOf(text) {
  const valid = /^[A-Za-z0-9_-]*/.exec(text)[0];
  const whole = valid.slice(0, valid.length - (valid.length % 4 === 1 ? 1 : 0));
  const binary = atob(whole.replace(/-/g, '+').replace(/_/g, '/'));
  return Uint8Array.from(binary, (c) => c.charCodeAt(0));
}

async function allOf(stream) {
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

export async function linkFor(recording, page) {
  const compressed = await allOf(new Blob([recording]).stream()
      .pipeThrough(new CompressionStream('deflate-raw')));
  return `${page}#${kFragmentKey}${base64url(compressed)}`;
}

// Why a link cannot be a session's, or empty when it may be. Deflate makes at most about a
// thousand bytes of a byte, so the longest link the page makes inflates to a few megabytes.
export function whyNotALink(link) {
  return link.length > kMaxLinkLength
    ? `a link of ${link.length} characters, longer than any the page makes (${kMaxLinkLength} at most)`
    : '';
}

// The recording a fragment carries, decompressed as far as it goes: the bytes go in a little at a
// time and what comes out is kept, so a cut or damaged stream still gives the text before the
// damage. That text never ends in a whole line: a link cut just after a line's end would otherwise
// replay part of a session as if it were all of it, where the game now refuses it by that line.
export async function recordingFrom(fragment) {
  const bytes = bytesOf(fragment);
  const stream = new DecompressionStream('deflate-raw');
  const writer = stream.writable.getWriter();
  const reader = stream.readable.getReader();
  const decoder = new TextDecoder();
  let text = '';
  let damaged = false;
  const reading = (async () => {
    try {
      for (;;) {
        const {done, value} = await reader.read();
        if (done) break;
        text += decoder.decode(value, {stream: true});
      }
    } catch (e) {
      // The damage: what came out before it is all there is.
      damaged = true;
    }
  })();
  try {
    for (let i = 0; i < bytes.length; i += kSlice) await writer.write(bytes.subarray(i, i + kSlice));
    await writer.close();
  } catch (e) {
    damaged = true;
  }
  await reading;
  text += decoder.decode();
  return damaged ? text.replace(/\n$/, '') : text;
}
