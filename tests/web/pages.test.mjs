// The game's page in headless Chromium, every part of it in one browser: played on every device,
// on a desktop, and as a new player meets it. As many side by side as the machine's free cores
// carry, the longest first.
import {after, before, describe} from 'node:test';
import {devices} from './devices.mjs';
import {desktop} from './desktop.mjs';
import {pagesAtOnce, setUp, tearDown} from './support.mjs';
import {offline} from './offline.mjs';
import {visit} from './visit.mjs';

before(setUp);
after(tearDown);

describe('the page', {concurrency: pagesAtOnce()}, () => {
  devices();
  desktop();
  visit();
  offline();
});
