// How play starts and stops by mouse, keys and touch: a click locks the pointer for looking
// around (on a touch screen, a touch plays), Escape, a hidden tab or a released pointer pause, the
// options' key opens the options while playing, and the keys the game uses scroll nothing.
import {TouchControls} from './touch.js';

const $ = (id) => document.getElementById(id);
const canvas = $('canvas');

// The keys the game uses that a page would act on (Space scrolls it).
const kGameKeys = new Set([' ', 'Spacebar']);

// page: {state(), game(), options, play(withMouse), pause(), openOptions(), touchScreen,
// wantsFullscreen(), playsWithMouse()}.
export function listenForPlay(page) {
  // The game looks around with a locked pointer; a browser locks it only for a click.
  canvas.addEventListener('click', () => {
    if (page.state() === 'replayPaused') page.play(false);
    if ((page.state() === 'waiting' || page.state() === 'paused') && !page.touchScreen) {
      if (page.game() && page.wantsFullscreen() && !document.fullscreenElement) {
        canvas.requestFullscreen?.();
      }
      canvas.requestPointerLock();
    }
  });
  document.addEventListener('pointerlockchange', () => {
    if (document.pointerLockElement === canvas) {
      page.play(true);
    } else if (page.playsWithMouse()) {
      page.pause();
    }
  });
  document.addEventListener('visibilitychange', () => {
    if (document.hidden) page.pause();
  });
  // On a touch screen, leaving fullscreen (the system's back gesture) pauses too.
  document.addEventListener('fullscreenchange', () => {
    if (page.touchScreen && !document.fullscreenElement) page.pause();
  });

  // Browsers release a locked pointer on Escape themselves; some (a headless one, say) pass the
  // key to the page instead. Escape also pauses a replay. Keys the game uses do not scroll the
  // page while the game has them, and Tab reaches the page's controls whenever the game is not
  // being played: the window library, whose listener comes after this one, would keep it.
  window.addEventListener('keydown', (event) => {
    const state = page.state();
    if (event.key === 'Escape' && document.pointerLockElement) document.exitPointerLock();
    if (event.key === 'Escape' && state === 'replaying') page.pause();
    const gameHasKeys = (state === 'waiting' || state === 'playing') &&
                        (document.activeElement === document.body ||
                         document.activeElement === canvas);
    if (kGameKeys.has(event.key) && gameHasKeys) event.preventDefault();
    if (event.key === 'Tab' && state !== 'playing') event.stopImmediatePropagation();
    if (state === 'playing' && page.game() &&
        event.code === page.options.settings()['key.options'].code) {
      event.preventDefault();
      event.stopImmediatePropagation();
      page.openOptions();
    }
  }, true);
}

// The touch controls over the game; the first touch also takes the page fullscreen.
export function setUpTouch(page) {
  document.body.classList.add('touch');
  $('touch-controls').hidden = false;
  let fullscreenAsked = false;
  return new TouchControls($('stage'), {
    look: (dx, dy) => {
      if (page.state() === 'playing' && page.game()) page.game()._kelvarin_look_by(dx, dy);
    },
    pause: page.pause,
    touched: () => {
      if (!fullscreenAsked) {
        fullscreenAsked = true;
        document.documentElement.requestFullscreen?.().catch(() => {});
      }
      page.play(false);
    },
  });
}
