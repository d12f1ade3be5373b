// Pads in the browser's standard mapping, as the page works them: any button starts play where the
// page waits for a click, the options' button (the game's table says which) opens the options and
// pauses a replay, the options are worked with the pad while open, and a pad that comes or goes
// is said once. The game reads the pads itself too, through readPad.
const $ = (id) => document.getElementById(id);

// The first pad in the standard mapping, as plain lists (a browser's or a driver's pad object may
// lack either): the buttons pressed and their values, and the stick axes.
export function readPad() {
  const pads = Array.from(navigator.getGamepads?.() || []);
  const pad = pads.find((p) => p && p.connected && p.mapping === 'standard');
  if (!pad) return null;
  const buttons = Array.from(pad.buttons || []);
  return {
    id: String(pad.id),
    pressed: buttons.map((b) => !!b?.pressed),
    values: buttons.map((b) => Number(b?.value) || 0),
    axes: Array.from(pad.axes || [], (a) => Number(a) || 0),
  };
}

// page: {state(), buttons(): the game's pad buttons ({options, menu}, by Platform.h's index) or
// null before the game runs, standard(i): such a button's index in the standard mapping, options:
// the dialog, openOptions(), play(), pause()}.
export function watchPads(page) {
  let before = [];
  let shown = null;
  const watch = () => {
    const pad = readPad();
    if ((pad?.id ?? null) !== shown) {
      const note = $('pad-note');
      note.hidden = false;
      note.textContent = pad ? `Pad connected: ${pad.id}. Any button starts play; Start opens the options.`
                             : 'The pad was disconnected.';
      shown = pad?.id ?? null;
    }
    const down = pad ? pad.pressed : [];
    const pressed = (i) => down[i] && !before[i];
    const buttons = page.buttons();
    const options = buttons ? buttons.options.some((b) => pressed(page.standard(b))) : false;
    const state = page.state();
    if (page.options.isOpen) {
      page.options.pad(pressed, buttons.menu, page.standard);
    } else if (['waiting', 'playing', 'paused'].includes(state) && options) {
      page.openOptions(true);
    } else if (state === 'replaying' && options) {
      page.pause();
    } else if (['waiting', 'paused', 'replayPaused'].includes(state) &&
               down.some((d, i) => pressed(i))) {
      page.play(false);
    }
    before = down;
    requestAnimationFrame(watch);
  };
  requestAnimationFrame(watch);
}
