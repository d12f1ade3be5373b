// A session as a link: its recording, compact as the game writes it, in base64url in the address's
// fragment after its length in bytes, index.html#play=LENGTH.BYTES, which never reaches a server.
// A link that lost bytes is refused by its length; one changed inside is refused by the game, by
// the byte where the damage is. Links made before recordings were compact hold their text
// deflated, index.html#replay=...; those still replay.

// A link of up to this many characters stays whole in e-mail and in the messaging apps that keep
// long messages (WhatsApp, Signal, Slack): about a minute or more of play looking around (see the
// README for the figures). A longer session is saved as a recording instead, and a longer link is
// none the page made: it is refused before a byte of it is decoded.
export const kMaxLinkLength = 8192;
const kFragmentKey = 'play=';
const kTextFragmentKey = 'replay=';
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

export function linkFor(recording, page) {
  return `${page}#${kFragmentKey}${recording.length}.${base64url(recording)}`;
}

export function isShareLink(hash) {
  return hash.startsWith('#' + kFragmentKey) || hash.startsWith('#' + kTextFragmentKey);
}

// The recording a link's fragment (location.hash) carries: {bytes} or, when it cannot be one,
// {why}.
export async function recordingOfLink(hash) {
  if (hash.startsWith('#' + kTextFragmentKey)) {
    const text = await recordingFrom(hash.slice(kTextFragmentKey.length + 1));
    return {bytes: new TextEncoder().encode(text)};
  }
  const [, length, text] = /^#[a-z]+=(\d*)\.?(.*)$/s.exec(hash);
  const bytes = bytesOf(text);
  if (String(bytes.length) !== length) {
    return {why: `the link holds ${bytes.length} of the recording's ${length || 'unknown'} bytes: ` +
                 'it was cut or changed'};
  }
  return {bytes};
}

// Why a link cannot be a session's, or empty when it may be. A compact recording decodes to at most
// a day of play, and deflate makes at most about a thousand bytes of a byte, so the longest link
// the page takes gives a few megabytes at most.
export function whyNotALink(link) {
  return link.length > kMaxLinkLength
    ? `a link of ${link.length} characters, longer than any the page makes (${kMaxLinkLength} at most)`
    : '';
}

// The text an older link's fragment carries, decompressed as far as it goes: the bytes go in a little at a
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
