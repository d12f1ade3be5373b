#include "app/Session.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "core/Assert.h"
#include "core/LineReader.h"
#include "core/Messages.h"
#include "input/Input.h"
#include "platform/Platform.h"
#include "platform/RegularFile.h"
#include "platform/System.h"

namespace {

// A crash loses at most this much of a recording. Each flush ends a chunk, which costs a few bytes,
// so where files die with the program (a page) the recording is flushed only when asked.
constexpr double kFlushEverySeconds = 1.0;

}  // namespace

Session::~Session() {
    finish();
}

bool Session::startRecording(const std::string& path, const LookSettings& look,
                             const SceneLayout::Choice& scene) {
    recordingPath = path;
    std::string why;
    recording = Platform::openForWriting(path, why);
    if (!recording) {
        failed = true;
        Messages::say("cannot record to " + shownSafely(path) + ": " + why +
                      "; playing without recording");
        return false;
    }
    writtenStates.assign(Script::recordedActions().size(), false);
    writer.emplace(look, scene, Platform::timerStepTicks());
    writeWaiting();
    return recording != nullptr;
}

void Session::startReplay(Script::Script script) {
    KELVARIN_ASSERT(script.lastFrame >= 1);
    replay = std::move(script);
    replaying = true;
}

void Session::restartReplay() {
    KELVARIN_ASSERT(replaying);
    frame = 0;
    quitRequested = false;
}

bool Session::isOver() const {
    return replaying && (quitRequested || frame >= replay.lastFrame);
}

const ReplayedFrame& Session::beginFrame() {
    ++frame;
    replayed = ReplayedFrame();
    if (!replaying) return replayed;
    Input* input = Input::instance();
    // At the first frame, not at the start: the input state is made only once the window is open.
    if (frame == 1) {
        input->setReplaying(true);
        input->setLook(replay.look);
    }
    using Kind = Script::Event::Kind;
    for (const Script::Event& e : replay.at(frame)) {
        if (e.kind == Kind::Delta) {
            replayed.timed = true;
            replayed.delta = e.seconds;
        } else if (e.kind == Kind::Look) {
            input->setLook(e.look);
        } else if (e.kind == Kind::Mouse) {
            replayed.cursorReports.push_back(
                {Input::kCursorCentreX + e.dx, Input::kCursorCentreY + e.dy});
        } else if (e.kind == Kind::Press && e.action == Action::Quit) {
            quitRequested = true;
        } else if (e.kind == Kind::Press) {
            input->recordPress(e.action);
        } else if (e.kind == Kind::Release) {
            input->recordRelease(e.action);
        }
    }
    return replayed;
}

void Session::afterPoll(double delta, const Input& input) {
    if (!recording) return;
    if (lookOfNextFrame) {
        Script::Event look = eventOfFrame(frame, Script::Event::Kind::Look);
        look.look = *lookOfNextFrame;
        frameEvents.push_back(look);
        lookOfNextFrame.reset();
    }
    frameEvents.insert(frameEvents.end(), cursorEvents.begin(), cursorEvents.end());
    cursorEvents.clear();
    Script::Event time = eventOfFrame(frame, Script::Event::Kind::Delta);
    time.seconds = delta;
    frameEvents.push_back(time);
    const std::vector<Action>& actions = Script::recordedActions();
    for (std::size_t i = 0; i < actions.size(); ++i) addAction(actions[i], i, input);
    writer->addFrame(frameEvents.data(), frameEvents.data() + frameEvents.size());
    frameEvents.clear();
    secondsSinceFlush += delta;
    if (secondsSinceFlush >= kFlushEverySeconds && Platform::filesOutliveTheProgram()) {
        secondsSinceFlush = 0.0;
        flush();
    }
}

Script::Event Session::eventOfFrame(int of, Script::Event::Kind kind) {
    Script::Event event;
    event.frame = of;
    event.kind = kind;
    return event;
}

void Session::addActionEvent(Action action, bool down) {
    Script::Event event =
        eventOfFrame(frame, down ? Script::Event::Kind::Press : Script::Event::Kind::Release);
    event.action = action;
    frameEvents.push_back(event);
}

// Every press of the frame is a press line, so that a replay counts as many (three taps of a key
// between two frames are three); then the state sampled, where it changed.
void Session::addAction(Action action, std::size_t index, const Input& input) {
    bool written = writtenStates[index];
    for (int press = 0; press < input.presses(action); ++press) {
        if (written) addActionEvent(action, false);
        addActionEvent(action, true);
        written = true;
    }
    if (input.isDown(action) != written) {
        written = input.isDown(action);
        addActionEvent(action, written);
    }
    writtenStates[index] = written;
}

void Session::lookChanged(const LookSettings& look) {
    if (recording) lookOfNextFrame = look;
}

bool Session::onCursorReport(int x, int y) {
    if (replaying) return false;
    // Reports before the first frame come from start-up, which every run repeats by itself.
    if (recording && frame > 0) {
        Script::Event motion = eventOfFrame(frame + 1, Script::Event::Kind::Mouse);
        motion.dx = x - Input::kCursorCentreX;
        motion.dy = y - Input::kCursorCentreY;
        cursorEvents.push_back(motion);
    }
    return true;
}

void Session::flush() {
    writeWaiting();
    if (recording && std::fflush(recording) != 0) stopRecording(std::strerror(errno));
}

bool Session::finish() {
    writeWaiting();
    if (recording && std::fclose(recording) != 0) {
        recording = nullptr;
        stopRecording(std::strerror(errno));
    }
    recording = nullptr;
    return !failed;
}

void Session::writeWaiting() {
    if (!recording) return;
    const std::vector<std::uint8_t> bytes = writer->take();
    if (bytes.empty()) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), recording) != bytes.size()) {
        stopRecording(std::strerror(errno));
    }
}

void Session::stopRecording(const std::string& why) {
    failed = true;
    Messages::say("recording to " + shownSafely(recordingPath) + " stopped: " + why +
                  "; playing on without recording");
    if (recording) std::fclose(recording);
    recording = nullptr;
}
