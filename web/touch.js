// On-screen controls for touch screens: a movement stick at the left ("Move"), the buttons
// "Fire", "Rewind" (held) and "Run" at the right with "Grab" (held) and "Blast" beside them,
// "Restart", "Freeze" (the bricks) and "Pause" at
// the top, and a drag anywhere else on the game turning the view. Several fingers work at once,
// each followed by its own identifier. The stick acts as a pad's left stick and each button
// holds a game action by its name in recordings (Module.kelvarinTouchPad, read with the real pads
// by the game, which plays each action through its own pad control); the drag acts as mouse
// motion, one CSS pixel a pixel.

// Each button's action, as the game's controls table names it.
const kButtons = {'touch-fire': 'fire', 'touch-rewind': 'rewind', 'touch-run': 'run',
                  'touch-grab': 'grab', 'touch-blast': 'blast',
                  'touch-restart': 'restart', 'touch-freeze': 'pause'};

export class TouchControls {
  // stage: the element the game and the controls lie in; look(dx, dy): a drag's motion; touched():
  // every touch on the game, before anything else is done with it.
  // pause(): the Pause button's tap.
  constructor(stage, {look, touched, pause}) {
    // tapped: the buttons pressed since the game last read them, so that a tap shorter than a
    // frame still counts.
    this.pad = {active: true, moveX: 0, moveY: 0, held: {}, tapped: {}};
    this.look = look;
    this.touched = touched;
    this.pause = pause;
    this.pauseButton = stage.querySelector('#touch-pause');
    this.move = stage.querySelector('#move');
    this.knob = stage.querySelector('#move-knob');
    // Finger by finger: what it holds ("move", a button's name, or "look") and where it was.
    this.fingers = new Map();
    // Taken on the way down to the canvas, where the window library would turn them into mouse
    // events of its own.
    const options = {passive: false, capture: true};
    const take = (handle) => (event) => {
      event.stopPropagation();
      handle(event);
    };
    stage.addEventListener('touchstart', take((event) => this.start(event)), options);
    stage.addEventListener('touchmove', take((event) => this.moveFingers(event)), options);
    stage.addEventListener('touchend', take((event) => this.end(event)), options);
    stage.addEventListener('touchcancel', take((event) => this.end(event)), options);
    stage.addEventListener('contextmenu', (event) => event.preventDefault());
  }

  // A touch the browser already gives to a scroll cannot be cancelled.
  start(event) {
    if (event.cancelable) event.preventDefault();
    for (const touch of event.changedTouches) {
      const target = document.elementFromPoint(touch.clientX, touch.clientY);
      if (target === this.pauseButton) {
        this.pause();
        continue;
      }
      this.touched();
      let role = 'look';
      if (target && this.move.contains(target)) {
        role = 'move';
      } else if (target && kButtons[target.id]) {
        role = kButtons[target.id];
        this.pad.held[role] = true;
        this.pad.tapped[role] = true;
        target.classList.add('held');
      }
      this.fingers.set(touch.identifier, {role, x: touch.clientX, y: touch.clientY, target});
      if (role === 'move') this.steer(touch);
    }
  }

  moveFingers(event) {
    if (event.cancelable) event.preventDefault();
    for (const touch of event.changedTouches) {
      const finger = this.fingers.get(touch.identifier);
      if (!finger) continue;
      if (finger.role === 'move') this.steer(touch);
      if (finger.role === 'look') {
        this.look(Math.round(touch.clientX - finger.x), Math.round(touch.clientY - finger.y));
      }
      finger.x = touch.clientX;
      finger.y = touch.clientY;
    }
  }

  // A cancelled touch (the system took it) cannot be cancelled again.
  end(event) {
    if (event.cancelable) event.preventDefault();
    for (const touch of event.changedTouches) {
      const finger = this.fingers.get(touch.identifier);
      if (!finger) continue;
      this.fingers.delete(touch.identifier);
      if (finger.role === 'move') this.centre();
      if (kButtons[finger.target?.id] === finger.role) {
        this.pad.held[finger.role] = false;
        finger.target.classList.remove('held');
      }
    }
  }

  // The stick's deflection from its centre, -1 to 1 on each axis, y growing downwards.
  steer(touch) {
    const box = this.move.getBoundingClientRect();
    const radius = box.width / 2;
    let x = (touch.clientX - (box.left + radius)) / radius;
    let y = (touch.clientY - (box.top + radius)) / radius;
    const length = Math.hypot(x, y);
    if (length > 1) {
      x /= length;
      y /= length;
    }
    this.pad.moveX = x;
    this.pad.moveY = y;
    this.knob.style.transform = `translate(${x * 100}%, ${y * 100}%)`;
  }

  centre() {
    this.pad.moveX = 0;
    this.pad.moveY = 0;
    this.knob.style.transform = '';
  }
}
