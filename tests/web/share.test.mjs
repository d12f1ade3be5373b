// Share links in plain node, which has the page's compression streams: the longest link the page
// makes is taken and one character more refused before decoding; a session comes back byte for
// byte and one that lost bytes is refused; an older link (deflated text) still gives its text, and
// one cut or edited gives back only text that ends mid-line, which the game refuses by line.
import './rawDeflate.mjs';
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import {fileURLToPath} from 'node:url';
import {kMaxLinkLength, linkFor, recordingFrom, recordingOfLink, whyNotALink} from '../../web/share.js';

const root = path.join(path.dirname(fileURLToPath(import.meta.url)), '../..');
const recording = fs.readFileSync(path.join(root, 'tests/replay/session.rec'), 'utf8');
const page = 'https://example.org/kelvarin/index.html';
const hashOf = (link) => link.slice(link.indexOf('#'));

test('a link as long as the page makes is taken, one character more is refused', () => {
  assert.equal(whyNotALink('x'.repeat(kMaxLinkLength)), '');
  assert.equal(whyNotALink('x'.repeat(kMaxLinkLength + 1)),
               `a link of ${kMaxLinkLength + 1} characters, longer than any the page makes ` +
               `(${kMaxLinkLength} at most)`);
});

test('a session comes back from its link byte for byte; one that lost bytes is refused', async () => {
  const bytes = Uint8Array.from({length: 1000}, (_, i) => (i * 7919) % 256);
  const link = linkFor(bytes, page);
  assert.ok(link.startsWith(page + '#play=1000.'));
  assert.deepEqual(await recordingOfLink(hashOf(link)), {bytes});
  for (const [hash, why] of [
    [hashOf(link).slice(0, -4), 'the link holds 997 of the recording\'s 1000 bytes'],
    [hashOf(link).replace('1000', '1001'), 'the link holds 1000 of the recording\'s 1001 bytes'],
    ['#play=AAAA', 'the link holds 3 of the recording\'s unknown bytes'],
  ]) {
    assert.equal((await recordingOfLink(hash)).why, `${why}: it was cut or changed`);
  }
});

// As links were made before recordings were compact.
async function olderLinkFor(text) {
  const stream = new Blob([text]).stream().pipeThrough(new CompressionStream('deflate-raw'));
  return `${page}#replay=${Buffer.from(await new Response(stream).arrayBuffer()).toString('base64url')}`;
}

test('an older link gives its text; cut anywhere, never a whole last line', async () => {
  const link = await olderLinkFor(recording);
  assert.deepEqual(await recordingOfLink(hashOf(link)), {bytes: new TextEncoder().encode(recording)});
  const fragment = link.slice(link.indexOf('#replay=') + '#replay='.length);
  let afterALine = 0;
  // Whole base64 groups, so the bytes are the link's own up to the cut.
  for (let end = 4; end < fragment.length; end += 4) {
    const text = await recordingFrom(fragment.slice(0, end));
    assert.ok(recording.startsWith(text), `the cut at ${end} gave other text`);
    assert.ok(!text.endsWith('\n'), `the cut at ${end} ends in a whole line`);
    const inflated = zlib.inflateRawSync(Buffer.from(fragment.slice(0, end), 'base64url'),
                                         {finishFlush: zlib.constants.Z_SYNC_FLUSH}).toString();
    if (inflated.endsWith('\n')) ++afterALine;
  }
  assert.ok(afterALine > 0, 'no cut fell just after a line\'s end');
  assert.equal(await recordingFrom('not*base64'), '');
});
