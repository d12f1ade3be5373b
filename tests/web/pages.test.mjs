// The game's page in headless Chromium, every part of it in one browser: played on a desktop, on
// every device, and as a new player meets it. Side by side, the longest first.
import {after, before, describe} from 'node:test';
import {devices} from './devices.mjs';
import {desktop} from './desktop.mjs';
import {setUp, tearDown} from './support.mjs';
import {visit} from './visit.mjs';

before(setUp);
after(tearDown);

describe('the page', {concurrency: true}, () => {
  devices();
  desktop();
  visit();
});
