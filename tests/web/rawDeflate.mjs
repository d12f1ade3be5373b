// The page's links are raw deflate, which every browser's compression streams make; node's make it
// from 20.x on. For an older node (Debian 12's is 18) the same streams are made as newer ones make
// them: zlib's raw deflate behind a web stream pair.
import {Duplex} from 'node:stream';
import zlib from 'node:zlib';

function hasRawDeflate() {
  try {
    new CompressionStream('deflate-raw');
    return true;
  } catch {
    return false;
  }
}

// A stream class taking 'deflate-raw' from zlib and every other format from node's own.
function withRawDeflate(Native, makeRaw) {
  return class {
    constructor(format) {
      if (format !== 'deflate-raw') return new Native(format);
      const {readable, writable} = Duplex.toWeb(makeRaw());
      this.readable = readable;
      this.writable = writable;
    }
  };
}

if (!hasRawDeflate()) {
  globalThis.CompressionStream = withRawDeflate(CompressionStream, zlib.createDeflateRaw);
  globalThis.DecompressionStream = withRawDeflate(DecompressionStream, zlib.createInflateRaw);
}
