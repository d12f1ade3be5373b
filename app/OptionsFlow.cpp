#include "app/OptionsFlow.h"

#include <utility>

#include "app/Session.h"
#include "input/Input.h"
#include "platform/Platform.h"
#include "render/Text2D.h"
#include "render/Viewport.h"
#include "sound/Sound.h"

namespace {

// The options' key listener is a plain function: the flow of the run in progress hears it.
OptionsFlow* listening = nullptr;

void onOptionsKey(int key, bool repeat) {
    if (listening) listening->onKey(key, repeat);
}

}  // namespace

OptionsFlow::OptionsFlow(const Settings::Values& played, bool offered,
                         const std::string& settingsPath, const Settings::Values& inFile,
                         Session* session)
    : offered(offered), session(session), values(played), keeper(settingsPath, inFile) {}

OptionsFlow::~OptionsFlow() {
    if (listening != this) return;
    Platform::setKeyListener(nullptr);
    listening = nullptr;
}

void OptionsFlow::apply(const Settings::Values& next) {
    Input* input = Input::instance();
    input->setKeys(next.keys);
    input->setRewindToggles(next.rewindToggles);
    if (!(next.look == values.look) && !(session && session->isReplaying())) {
        input->setLook(next.look);
        if (session) session->lookChanged(next.look);
    }
    setMusicVolume(next.musicVolume);
    if (next.fullscreen != values.fullscreen) Platform::setFullscreen(next.fullscreen);
    values = next;
    showHelp();
}

void OptionsFlow::change(const Settings::Values& next) {
    const Settings::Values before = values;
    apply(next);
    keeper.keep(before, values);
}

void OptionsFlow::openIfAsked(bool asked) {
    if (!offered || !asked) return;
    options.open(values);
    listening = this;
    Platform::setKeyListener(onOptionsKey);
    // The mouse points at the options instead of turning the view, from where the player sees it.
    Input::instance()->showCursor(true);
    int x = 0;
    int y = 0;
    Platform::getMousePos(x, y);
    const Point at = inOverlay(x, y);
    options.pointerAt(at.x, at.y);
}

void OptionsFlow::followDevices(const Platform::Gamepad& pad) {
    onOutcome(options.pad(pad));
    for (int button = 0; button < Platform::kMouseButtons; ++button) {
        if (options.isOpen() && Input::instance()->isClicked(button))
            onOutcome(options.click(button));
    }
}

void OptionsFlow::onKey(int key, bool repeat) {
    if (options.isOpen()) onOutcome(options.press(key, repeat), key);
}

void OptionsFlow::point(int x, int y) {
    const Point at = inOverlay(x, y);
    options.point(at.x, at.y);
}

// A window's point in the units of the options' area, which stands at the window's top left.
OptionsFlow::Point OptionsFlow::inOverlay(int x, int y) const {
    if (unitsPerPoint <= 0.0) {
        Point at;
        GLUtils::toOverlay(x, y, at.x, at.y);
        return at;
    }
    return {static_cast<int>(x * unitsPerPoint),
            GLUtils::kOverlayUnitsHigh - static_cast<int>(y * unitsPerPoint)};
}

std::string OptionsFlow::menu() const {
    return options.isOpen() ? options.wholeText(Platform::keyLabel) : "";
}

void OptionsFlow::place(const GLUtils::PlacedText& where, double units) {
    placed = where;
    unitsPerPoint = units;
    if (options.isOpen()) options.place(where.x, where.y, where.visibleLines);
}

void OptionsFlow::draw(Text2D& text) const {
    if (options.isOpen()) text.print(options.text(Platform::keyLabel).c_str(), placed);
}

// Closed, the options give the game back its devices; what was pressed for them (the key that
// closed them too) acts in the game only once let go.
void OptionsFlow::onOutcome(OptionsMenu::Outcome outcome, int closingKey) {
    if (outcome == OptionsMenu::Outcome::Changed) change(options.values());
    if (outcome != OptionsMenu::Outcome::Closed) return;
    Platform::setKeyListener(nullptr);
    listening = nullptr;
    Input::instance()->showCursor(false);
    Input::instance()->recentreCursor();
    Input::instance()->holdBackUntilReleased(closingKey);
}

void OptionsFlow::followFullscreen() {
    if (!offered || Platform::isFullscreen() == values.fullscreen) return;
    Settings::Values next = values;
    next.fullscreen = Platform::isFullscreen();
    change(next);
}

void OptionsFlow::followDevice(bool padConnected) {
    const Controls::Device now = Platform::isTouchScreen() ? Controls::Device::Touch
                                 : padConnected            ? Controls::Device::Pad
                                                           : Controls::Device::Keyboard;
    if (now == device) return;
    device = now;
    showHelp();
}

bool OptionsFlow::takeHelpChanged() {
    return std::exchange(helpChanged, false);
}

void OptionsFlow::showHelp() {
    const std::string next = Controls::helpText(values.keys, device, Platform::keyLabel);
    helpChanged = helpChanged || next != help;
    help = next;
}
