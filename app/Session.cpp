#include "app/Session.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <utility>

#include "core/Assert.h"
#include "core/FrameClock.h"
#include "input/Input.h"

namespace {

// A crash loses at most this much of a recording.
constexpr double kFlushEverySeconds = 1.0;

}  // namespace

Session::~Session() {
    finish();
}

bool Session::startRecording(const std::string& path, const LookSettings& look) {
    recordingPath = path;
    recording = std::fopen(path.c_str(), "w");
    if (!recording) {
        failed = true;
        std::cerr << "kelvarin: cannot record to " << path << ": " << std::strerror(errno)
                  << "; playing without recording" << std::endl;
        return false;
    }
    writtenStates.assign(Script::recordedBindings().size(), false);
    write(Script::headerLine());
    write(Script::lookLine(look));
    return recording != nullptr;
}

void Session::startReplay(Script::Script script) {
    KELVARIN_ASSERT(script.lastFrame >= 1);
    replay = std::move(script);
    replaying = true;
}

bool Session::isOver() const {
    return replaying && (quitRequested || frame >= replay.lastFrame);
}

void Session::beginFrame() {
    ++frame;
    if (!replaying) return;
    // At the first frame, not at the start: the input state is made only once the window is open.
    if (frame == 1) {
        Input::instance()->setReplaying(true);
        Input::instance()->setLook(replay.look);
    }
    cursorReports.clear();
    const auto events = replay.byFrame.find(frame);
    if (events == replay.byFrame.end()) return;
    using Kind = Script::Event::Kind;
    for (const Script::Event& e : events->second) {
        if (e.kind == Kind::Delta) {
            FrameClock::replayDelta(e.seconds);
        } else if (e.kind == Kind::Mouse) {
            cursorReports.push_back({Input::kCursorCentreX + e.dx, Input::kCursorCentreY + e.dy});
        } else if (e.kind == Kind::Press && Script::isQuit(e)) {
            quitRequested = true;
        } else if (e.kind != Kind::Dump) {
            Input::instance()->setRecordedState(e.code, e.isMouseButton, e.kind == Kind::Press);
        }
    }
}

void Session::afterPoll(double delta, const Input& input) {
    if (!recording) return;
    write(cursorLinesOfThisFrame);
    cursorLinesOfThisFrame.clear();
    write(Script::deltaLine(frame, delta));
    const std::vector<Script::Binding>& bindings = Script::recordedBindings();
    for (std::size_t i = 0; i < bindings.size() && recording; ++i) {
        const bool down = input.isDown(bindings[i].code, bindings[i].isMouseButton);
        if (down == writtenStates[i]) continue;
        writtenStates[i] = down;
        write(Script::keyLine(frame, bindings[i], down));
    }
    secondsSinceFlush += delta;
    if (recording && secondsSinceFlush >= kFlushEverySeconds) {
        secondsSinceFlush = 0.0;
        if (std::fflush(recording) != 0) stopRecording(std::strerror(errno));
    }
}

bool Session::onCursorReport(int x, int y) {
    if (replaying) return false;
    // Reports before the first frame come from start-up, which every run repeats by itself.
    if (recording && frame > 0) {
        cursorLinesOfThisFrame +=
            Script::mouseLine(frame + 1, x - Input::kCursorCentreX, y - Input::kCursorCentreY);
    }
    return true;
}

void Session::flush() {
    if (recording) std::fflush(recording);
}

bool Session::finish() {
    if (recording && std::fclose(recording) != 0) {
        recording = nullptr;
        stopRecording(std::strerror(errno));
    }
    recording = nullptr;
    return !failed;
}

void Session::write(const std::string& line) {
    if (std::fputs(line.c_str(), recording) == EOF) stopRecording(std::strerror(errno));
}

void Session::stopRecording(const char* why) {
    failed = true;
    std::cerr << "kelvarin: recording to " << recordingPath << " stopped: " << why
              << "; playing on without recording" << std::endl;
    if (recording) std::fclose(recording);
    recording = nullptr;
}
