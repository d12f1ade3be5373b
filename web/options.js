// The options dialog: the game's own settings (those of the desktop's options overlay), shown as
// the game plays them and changed through the game, which applies them at once and writes them
// into its settings file. The page keeps that file's text in the browser's storage and hands it to
// the game before it starts, so the options last from visit to visit. Keys are chosen by their
// place on the keyboard (KeyboardEvent.code) and shown by the label the player's layout gives
// them where the browser tells (its Keyboard Map).

// Where the game finds the settings file's text the page keeps, in the game's file system.
const kSettingsPath = '/settings.ini';
const kStorageKey = 'kelvarin.settings';
// Settings a page has no use for: Escape belongs to the browser, and a page never quits.
const kNotOnAPage = new Set(['key.quit']);
const kKeyPrefix = 'key.';
// A list's choices as the game names them, the one played among them even when it is none of the
// game's own (a big wall of sizes from the settings file).
function chooseAmong(select, setting) {
  const names = setting.choices.includes(setting.value) ? setting.choices
                                                         : [...setting.choices, setting.value];
  select.replaceChildren(...names.map((name) => new Option(name, name)));
}

// The settings file's text the page keeps ('' when none is kept or storage is refused), handed to
// the game before it starts.
export function handSettingsTo(module) {
  let kept = '';
  try {
    kept = localStorage.getItem(kStorageKey) || '';
  } catch (e) {
    // Storage refused: the game plays with its defaults.
  }
  module.FS.writeFile(kSettingsPath, kept);
  module.ENV.KELVARIN_SETTINGS_FILE = kSettingsPath;
}

export class OptionsDialog {
  // dialog: the <dialog> with its form; fixed: the settings the address gives for this visit,
  // which the dialog shows but does not change; changed(): after every change the game took.
  constructor(dialog, {fixed, changed}) {
    this.dialog = dialog;
    this.form = dialog.querySelector('form');
    this.note = dialog.querySelector('#options-note');
    this.keys = dialog.querySelector('#option-keys').tBodies[0];
    this.fixed = fixed;
    this.changed = changed;
    this.game = null;
    this.layout = null;
    this.waitingFor = null;
    this.form.addEventListener('input', (event) => this.onInput(event));
    this.form.addEventListener('change', (event) => this.onInput(event));
    window.addEventListener('keydown', (event) => this.onKey(event), true);
    // However the dialog closed, a key's line no longer waits when it opens again.
    dialog.addEventListener('close', () => {
      this.waitingFor = null;
    });
  }

  // The game running, and the player's layout once the browser tells it.
  attach(game, layout) {
    this.game = game;
    this.layout = layout;
  }

  get isOpen() {
    return this.dialog.open;
  }

  // The settings as the game plays them: {music_volume: {value: '100'}, 'key.forward': {value:
  // 'W', code: 'KeyW', title: 'Forward'}, ...}.
  settings() {
    return JSON.parse(this.game.UTF8ToString(this.game._kelvarinOptions()));
  }

  open() {
    this.note.textContent = '';
    this.show();
    this.dialog.showModal();
    this.focusable()[0].focus();
  }

  close() {
    this.dialog.close();
  }

  // The label of the key in code's place: as the layout prints it, else its US name.
  keyLabel(setting) {
    const printed = setting.code && this.layout?.get(setting.code);
    return printed ? printed.toUpperCase() : setting.value || '–';
  }

  show() {
    const settings = this.settings();
    for (const field of this.form.elements) {
      const setting = settings[field.name];
      if (!setting) continue;
      for (const bound of ['min', 'max', 'step']) {
        if (bound in setting) field[bound] = setting[bound];
      }
      if (setting.choices) chooseAmong(field, setting);
      if (field.type === 'checkbox') field.checked = setting.value === 'true';
      else if (field.type === 'radio') field.checked = setting.value === field.value;
      else field.value = setting.value;
      field.disabled = this.fixed.has(field.name);
      field.title = field.disabled ? 'Set by the address for this visit' : '';
    }
    for (const output of this.dialog.querySelectorAll('output[name$="-shown"]')) {
      output.textContent = settings[output.name.slice(0, -'-shown'.length)]?.value ?? '';
    }
    this.keys.replaceChildren();
    for (const [name, setting] of Object.entries(settings)) {
      if (!name.startsWith(kKeyPrefix) || kNotOnAPage.has(name)) continue;
      const row = this.keys.insertRow();
      row.insertCell().textContent = setting.title;
      const button = document.createElement('button');
      button.type = 'button';
      button.name = name;
      button.textContent = this.waitingFor === name ? 'Press a key…' : this.keyLabel(setting);
      button.addEventListener('click', () => this.waitForKey(name));
      const cell = row.insertCell();
      cell.append(button);
      if (this.waitingFor === name) cell.append(' ', this.cancelButton(name));
    }
  }

  // Without a keyboard (a touch screen, a pad) the line waiting for a key is let be by this.
  cancelButton(name) {
    const cancel = document.createElement('button');
    cancel.type = 'button';
    cancel.name = 'cancel';
    cancel.textContent = 'Cancel';
    cancel.addEventListener('click', () => this.stopWaiting(name));
    return cancel;
  }

  stopWaiting(name) {
    this.waitingFor = null;
    this.note.textContent = '';
    this.show();
    this.form.elements[name]?.focus();
  }

  // Sets one setting in the game; what it refuses is said in the dialog.
  set(name, value) {
    const problem = this.game.ccall('kelvarinSetOption', 'string', ['string', 'string'],
                                    [name, value]);
    this.note.textContent = problem ? `Not changed: ${problem}.` : '';
    if (!problem) this.keep();
    const focused = document.activeElement?.name;
    this.show();
    if (focused) this.form.elements[focused]?.focus?.();
    if (!problem) this.changed(name);
  }

  keep() {
    try {
      localStorage.setItem(kStorageKey, this.game.FS.readFile(kSettingsPath, {encoding: 'utf8'}));
    } catch (e) {
      this.note.textContent = `The browser's storage refused the options (${e?.name || e}): ` +
                              'they last for this visit only.';
    }
  }

  onInput(event) {
    const field = event.target;
    if (!field.name || field.name.startsWith(kKeyPrefix)) return;
    // A slider is heard as it moves; the other fields count once changed.
    if (event.type === 'input' && field.type !== 'range') return;
    const value = field.type === 'checkbox' ? String(field.checked) : field.value;
    this.set(field.name, value);
  }

  waitForKey(name) {
    this.waitingFor = name;
    this.note.textContent = 'Press the new key; Cancel (or Escape) keeps the one there.';
    this.show();
    this.form.elements[name]?.focus();
  }

  // While a key's button waits, the next key pressed is the new key, and nothing else hears of it.
  onKey(event) {
    if (!this.isOpen || !this.waitingFor) return;
    event.preventDefault();
    event.stopImmediatePropagation();
    const name = this.waitingFor;
    this.waitingFor = null;
    if (event.code === 'Escape') {
      this.stopWaiting(name);
      return;
    }
    const keyName = this.game.ccall('kelvarinKeyName', 'string', ['string'], [event.code]);
    if (!keyName) {
      this.note.textContent = `Not changed: the game has no use for the key ${event.code}.`;
      this.show();
      return;
    }
    this.set(name, keyName);
    this.form.elements[name]?.focus();
  }

  focusable() {
    return Array.from(this.dialog.querySelectorAll('input, select, button')).filter((e) => !e.disabled);
  }

  // A pad works the dialog as it works the desktop's options, with the keys the game gives its
  // buttons (menu: [{button, key}], by Platform.h's index; standard(i): that button's index in the
  // standard mapping): Up and Down move between the fields, Left and Right change a value, Enter
  // chooses or switches, Escape closes. pressed(i): the standard button i went down this frame.
  pad(pressed, menu, standard) {
    const keys = new Set(menu.filter((b) => pressed(standard(b.button))).map((b) => b.key));
    if (keys.has('Escape')) {
      this.close();
      return;
    }
    const fields = this.focusable();
    const at = fields.indexOf(document.activeElement);
    if (keys.has('Up') || keys.has('Down')) {
      const step = keys.has('Down') ? 1 : -1;
      fields[(at + step + fields.length) % fields.length].focus();
    }
    const field = fields[at];
    if (!field) return;
    if ((keys.has('Left') || keys.has('Right')) &&
        (field.type === 'range' || field.type === 'number')) {
      if (keys.has('Right')) field.stepUp();
      else field.stepDown();
      field.dispatchEvent(new Event('change', {bubbles: true}));
    }
    if ((keys.has('Left') || keys.has('Right')) && field.tagName === 'SELECT') {
      const count = field.options.length;
      field.selectedIndex = (field.selectedIndex + (keys.has('Right') ? 1 : count - 1)) % count;
      field.dispatchEvent(new Event('change', {bubbles: true}));
    }
    if (keys.has('Enter')) field.click();
  }
}
