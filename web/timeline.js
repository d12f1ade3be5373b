// A replay's timeline under the game: it follows the replay frame by frame, and holds it, steps a
// frame back or on and seeks anywhere; a seek plays the replay again from its start up to the frame
// asked for, unseen, and holds it there.
const $ = (id) => document.getElementById(id);

// page: {game(): the game's module, replaying(): the replay runs or is paused, goOn(): a paused
// replay goes on}.
export function setUpTimeline(page) {
  const position = () => {
    const game = page.game();
    return JSON.parse(game.UTF8ToString(game._kelvarinReplayPosition()));
  };
  const seek = (frame) => {
    if (!page.replaying()) return;
    page.game()._kelvarinSeekReplay(frame);
    page.goOn();
  };
  $('replay-position').addEventListener('change', (event) => seek(Number(event.target.value)));
  $('frame-back').addEventListener('click', () => seek(position().frame - 1));
  $('frame-forward').addEventListener('click', () => seek(position().frame + 1));
  $('replay-hold').addEventListener('click', () => {
    page.game()._kelvarinHoldReplay(position().held ? 0 : 1);
    page.goOn();
  });

  // Shown once the replay's frames run.
  return function show() {
    const slider = $('replay-position');
    slider.max = position().last;
    $('timeline').hidden = false;
    const follow = () => {
      if (!page.replaying()) return;
      const now = position();
      if (document.activeElement !== slider) slider.value = now.frame;
      $('replay-frame').textContent = `frame ${now.frame} of ${now.last}`;
      $('replay-hold').textContent = now.held ? 'Go on' : 'Hold';
      requestAnimationFrame(follow);
    };
    follow();
  };
}
