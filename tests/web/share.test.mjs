// Share links in plain node, which has the page's compression streams: the longest link the page
// makes is taken and one character more refused before inflating, a session comes back whole, and
// a link cut or edited gives back only text that ends mid-line, which the game refuses by line.
import './rawDeflate.mjs';
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import {fileURLToPath} from 'node:url';
import {kFragmentKey, kMaxLinkLength, linkFor, recordingFrom, whyNotALink} from '../../web/share.js';

const root = path.join(path.dirname(fileURLToPath(import.meta.url)), '../..');
const recording = fs.readFileSync(path.join(root, 'tests/replay/session.rec'), 'utf8');
const page = 'https://example.org/kelvarin/index.html';

const fragmentOf = (link) => link.slice(link.indexOf('#' + kFragmentKey) + kFragmentKey.length + 1);

test('a link as long as the page makes is taken, one character more is refused', () => {
  assert.equal(whyNotALink('x'.repeat(kMaxLinkLength)), '');
  assert.equal(whyNotALink('x'.repeat(kMaxLinkLength + 1)),
               `a link of ${kMaxLinkLength + 1} characters, longer than any the page makes ` +
               `(${kMaxLinkLength} at most)`);
});

test('a session comes back from its link byte for byte', async () => {
  const link = await linkFor(recording, page);
  assert.ok(link.startsWith(page + '#' + kFragmentKey));
  assert.ok(link.length <= kMaxLinkLength, `the committed session made ${link.length} characters`);
  assert.equal(await recordingFrom(fragmentOf(link)), recording);
});

test('a link cut anywhere, just after a line\'s end too, never gives a whole last line', async () => {
  const fragment = fragmentOf(await linkFor(recording, page));
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
