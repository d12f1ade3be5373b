// What the page's address asks of a visit besides a replay: the look, as the options set it
// (?sensitivity=1.5&invert-y), winning over them for this visit.
import {Refusal} from './replays.js';

const params = () => new URLSearchParams(location.search);

// The game's command-line options for the address's look: every sensitivity given is handed on,
// the last one counting; readSwitch(word) is the game's own reading of a switch's word (1, 0, or
// -1 for none), an empty word meaning on.
export function lookOptions(readSwitch) {
  const given = params();
  const options = given.getAll('sensitivity').flatMap((value) => ['--sensitivity', value]);
  if (!given.has('invert-y')) return options;
  const word = given.get('invert-y').toLowerCase();
  const invert = word === '' ? 1 : readSwitch(word);
  if (invert < 0) throw new Refusal(`?invert-y is true or false, not '${given.get('invert-y')}'`);
  return invert ? [...options, '--invert-y'] : options;
}

// The settings the address gives: the options dialog shows them but does not change them.
export function settingsFromAddress() {
  const given = params();
  return new Set([given.has('sensitivity') && 'sensitivity', given.has('invert-y') && 'invert_y']
      .filter((name) => name));
}
