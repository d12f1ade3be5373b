// A pad through the scripted fake platform drives the game as the keys and the mouse do.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/GameRun.h"
#include "app/Script.h"
#include "app/Session.h"
#include "input/Camera.h"
#include "input/GamepadControls.h"
#include "input/Input.h"
#include "platform/FakePlatform.h"
#include "scene/BrickWallScene.h"
#include "tests/support/FreshState.h"
#include "tests/support/ReplayRun.h"

using Platform::Gamepad;
using Platform::PadAxis;
using Platform::PadButton;

namespace {

constexpr double kFrameTime = 1.0 / 60.0;

Gamepad padWith(std::initializer_list<std::pair<PadAxis, float>> axes,
                std::initializer_list<PadButton> buttons = {}) {
    Gamepad pad;
    for (const auto& [axis, value] : axes) pad.axes[static_cast<int>(axis)] = value;
    for (const PadButton button : buttons) pad.buttons[static_cast<int>(button)] = true;
    pad.startSpan();
    return pad;
}

// A game without a window or OpenGL, at a fixed frame time.
void startGame(GameRun& run, Session* session = nullptr, LookSettings look = {}) {
    RunConfig config;
    config.drawing = false;
    config.session = session;
    config.settings.look = look;
    ASSERT_TRUE(run.start(config));
    Platform::Fake::setTimeStepPerSwap(kFrameTime);
}

void frames(GameRun& run, int count) {
    for (int i = 0; i < count; ++i) run.frame();
}

}  // namespace

// Which action each control holds: past the threshold, not at it or within it.
TEST(Gamepad, SticksTriggersAndButtonsHoldTheActionsPastTheirThresholds) {
    const struct {
        Gamepad pad;
        Action action;
        bool held;
    } cases[] = {
        {padWith({{PadAxis::LeftY, -0.6f}}), Action::Forward, true},
        {padWith({{PadAxis::LeftY, -0.5f}}), Action::Forward, false},
        {padWith({{PadAxis::LeftY, 0.6f}}), Action::Back, true},
        {padWith({{PadAxis::LeftX, -0.6f}}), Action::Left, true},
        {padWith({{PadAxis::LeftX, 0.6f}}), Action::Right, true},
        {padWith({{PadAxis::LeftX, 0.6f}}), Action::Left, false},
        {padWith({}, {PadButton::LeftThumb}), Action::Run, true},
        {padWith({}, {PadButton::RightBumper}), Action::Run, true},
        {padWith({}, {PadButton::A}), Action::Run, false},
        {padWith({{PadAxis::LeftTrigger, 0.6f}}), Action::Rewind, true},
        {padWith({{PadAxis::LeftTrigger, 0.5f}}), Action::Rewind, false},
        {padWith({{PadAxis::RightTrigger, 0.6f}}), Action::Fire, true},
        {padWith({{PadAxis::RightTrigger, 0.6f}}), Action::Rewind, false},
        {padWith({}, {PadButton::Start}), Action::Quit, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GamepadControls::holds(c.pad, c.action), c.held) << Controls::of(c.action).name;
    }
}

// Every control the controls table gives a pad holds its action: each of its buttons, and its axis
// pushed all the way its way.
TEST(Gamepad, EveryPadControlOfTheTableHoldsItsAction) {
    for (const Controls::ActionControl& control : Controls::all()) {
        for (int button = 0; button < Gamepad::kButtons; ++button) {
            if (!(control.pad.buttons >> button & 1u)) continue;
            EXPECT_TRUE(GamepadControls::holds(padWith({}, {static_cast<PadButton>(button)}),
                                               control.action))
                << control.name << " button " << button;
        }
        if (control.pad.axis == PadAxis::Count) continue;
        const float allTheWay = static_cast<float>(control.pad.direction);
        EXPECT_TRUE(
            GamepadControls::holds(padWith({{control.pad.axis, allTheWay}}), control.action))
            << control.name;
    }
}

// Within the dead zone nothing turns; beyond it the motion grows with the square of the
// deflection, and fractions of a pixel carry to the next frame.
TEST(Gamepad, TheRightStickTurnsBeyondItsDeadZoneLikeMouseMotion) {
    GamepadControls::Look look;
    int dx = 1;
    int dy = 1;
    look.motion(padWith({{PadAxis::RightX, 0.15f}, {PadAxis::RightY, -0.1f}}), 1.0, dx, dy);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 0);
    look.motion(padWith({{PadAxis::RightX, 1.0f}, {PadAxis::RightY, -1.0f}}), kFrameTime, dx, dy);
    EXPECT_EQ(dx, 62);
    EXPECT_EQ(dy, -62);
    look.motion(padWith({{PadAxis::RightX, 1.0f}, {PadAxis::RightY, -1.0f}}), kFrameTime, dx, dy);
    EXPECT_EQ(dx, 63);
    EXPECT_EQ(dy, -63);
    // Half way past the dead zone: a quarter of the speed.
    GamepadControls::Look half;
    half.motion(padWith({{PadAxis::RightX, 0.575f}}), 1.0, dx, dy);
    EXPECT_EQ(dx, 937);
}

// The look the stick makes is the mouse's: scaled by the player's sensitivity, its vertical part
// inverted when asked.
TEST(Gamepad, TheStickLookFollowsSensitivityAndInversion) {
    const Gamepad stick = padWith({{PadAxis::RightX, 1.0f}, {PadAxis::RightY, 1.0f}});
    std::vector<glm::vec3> angles;
    for (const LookSettings look : {LookSettings{1.0f, false}, LookSettings{2.0f, true}}) {
        startAfresh();
        GameRun run;
        startGame(run, nullptr, look);
        Platform::Fake::setGamepad(stick);
        frames(run, 2);
        angles.push_back(mainCamera.view.angles);
        run.finish();
    }
    EXPECT_NE(angles[0].y, 0.0f);
    EXPECT_FLOAT_EQ(angles[1].y, 2.0f * angles[0].y);
    EXPECT_FLOAT_EQ(angles[1].x, -2.0f * angles[0].x);
}

// Coming and going is said once each, the pad's name shown safely.
TEST(Gamepad, APadConnectedOrDisconnectedMidGameIsSaidAndTakesOverOrLetsGo) {
    GameRun run;
    startGame(run);
    frames(run, 2);
    EXPECT_FALSE(Input::instance()->isForwardDown());
    testing::internal::CaptureStderr();
    Platform::Fake::setGamepad(padWith({{PadAxis::LeftY, -1.0f}}), "Arcade\x1b[2J Stick");
    frames(run, 1);
    EXPECT_TRUE(Input::instance()->isForwardDown());
    Platform::Fake::disconnectGamepad();
    frames(run, 1);
    EXPECT_FALSE(Input::instance()->isForwardDown());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "kelvarin: pad connected: Arcade\\x1b[2J Stick\nkelvarin: pad disconnected\n");
    run.finish();
}

// A game played with a pad records the same lines the keys and the mouse make, and replays to the
// very same bricks and view without any pad.
TEST(Gamepad, AGamePlayedWithAPadRecordsKeyAndMouseLinesThatReplayToTheSameBricks) {
    const std::string path =
        testing::TempDir() + "kelvarin-pad-" + std::to_string(::getpid()) + ".rec";
    std::vector<glm::vec3> played;
    glm::vec3 playedView;
    {
        Session session;
        ASSERT_TRUE(session.startRecording(path, LookSettings{1.5f, false}));
        GameRun run;
        startGame(run, &session, LookSettings{1.5f, false});
        frames(run, 30);
        Platform::Fake::setGamepad(padWith({{PadAxis::RightY, 0.9f}, {PadAxis::LeftX, 0.7f}}));
        frames(run, 20);
        Platform::Fake::setGamepad(
            padWith({{PadAxis::RightTrigger, 1.0f}}, {PadButton::LeftThumb}));
        frames(run, 40);
        Platform::Fake::setGamepad(padWith({{PadAxis::LeftTrigger, 1.0f}}));
        frames(run, 30);
        Platform::Fake::disconnectGamepad();
        frames(run, 20);
        for (const Geo::Brick& brick : run.scene().bricks) played.push_back(brick.getPosition());
        playedView = mainCamera.view.angles;
        ASSERT_TRUE(run.finish());
    }
    Script::Script recording = Script::readFile(path, "pad.rec");
    std::remove(path.c_str());
    ASSERT_EQ(recording.error, "");
    const std::string text = Script::write(recording);
    for (const char* line :
         {" press right", " mouse ", " press fire", " press run", " press rewind"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }

    ReplayRun replay(recording);
    while (replay.run.frame()) {
        if (replay.run.framesRun() > 1000) FAIL() << "the replay never ended";
    }
    EXPECT_EQ(replay.bricks(), played);
    EXPECT_EQ(mainCamera.view.angles, playedView);
}
