// The bounds of a fetched replay in plain node: exactly as many bytes as the page replays are
// taken, whether the server announced them or not; one more is refused, by the length announced
// before a byte is read.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {kMaxReplayBytes, Refusal, replayBytes} from '../../web/replays.js';

const response = (size, announced) => new Response(new Uint8Array(size),
    {headers: announced ? {'Content-Length': String(size)} : {}});

test('a replay as large as the page replays is taken, one byte more is refused', async () => {
  for (const announced of [true, false]) {
    const bytes = await replayBytes('big.rec', response(kMaxReplayBytes, announced));
    assert.equal(bytes.length, kMaxReplayBytes);
    await assert.rejects(replayBytes('big.rec', response(kMaxReplayBytes + 1, announced)),
                         (error) => error instanceof Refusal &&
                                    error.message.startsWith('big.rec is ') &&
                                    error.message.includes('more than the 64.0 MB'));
  }
});
