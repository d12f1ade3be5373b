// kelvarin-sim: the game's run through the scripted fake platform, with a fixed frame time (or a
// recording's), no display server and, with --no-draw, no OpenGL at all; prints brick positions
// as CSV and, on request, frame timings and pictures.
#include <GL/glew.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/BrickDump.h"
#include "app/CommandLine.h"
#include "app/CompactRecording.h"
#include "app/GameRun.h"
#include "app/Script.h"
#include "app/Session.h"
#include "core/LineReader.h"
#include "core/MediaFolder.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "core/WindowSize.h"
#include "input/Controls.h"
#include "input/Input.h"
#include "input/Keys.h"
#include "physics/PhysicsWorld.h"
#include "platform/FakePlatform.h"
#include "platform/Platform.h"
#include "platform/RegularFile.h"
#include "platform/System.h"
#include "scene/BrickWallScene.h"
#include "scene/SceneLayout.h"
#include "tools/alloc/AllocationCounter.h"

namespace {

constexpr const char* kUsageHead =
    "Usage: kelvarin-sim [options]\n"
    "Runs the game's scene and frame step headless (fake input, fixed frame time, an\n"
    "offscreen OpenGL context needing no display server), and prints the 77 bricks\n"
    "as CSV lines\n"
    "frame,index,x,y,z,asleep at the frames asked for.\n"
    "\n"
    "Options:\n";

constexpr const char* kUsageTail =
    "\n"
    "Exit status: 0 after the frames ran; 1 without an OpenGL context to draw with;\n"
    "2 for a bad option or script; 3 when the driver reported an error; 4 when a\n"
    "file asked for (--dump-bricks, --png, standard output) could not be written.\n"
    "\n"
    "Media is found as the game finds it (see kelvarin --help).\n"
    "The bricks are always printed after the last frame. Script format, one event a\n"
    "line:\n"
    "  FRAME press ACTION      hold an action down from frame FRAME on\n"
    "  FRAME release ACTION    let it go\n"
    "  FRAME mouse DX DY       move the mouse by DX, DY pixels before frame FRAME\n"
    "  FRAME dump              print the bricks after frame FRAME\n";

// Wrapped where the usage text is made.
const std::string kScriptNotes =
    "Frames count from 1; lines starting with # are comments. A recording as text starts with "
    "\"kelvarin-script 5\" and a line \"look SENSITIVITY normal|inverted FOV\" with the look "
    "settings it was played with, has a line FRAME ticks TICKS (the time in 1/" +
    std::to_string(static_cast<long>(Platform::kTimerTicksPerSecond)) +
    " s) or FRAME delta SECONDS for each frame in turn, and runs with the frame times it holds; "
    "three presses of an action within one frame are three press lines there. The game writes "
    "its recordings compact (--convert turns one into text and back); --script reads either "
    "form.";

constexpr const char* kScriptExample =
    "Example: look down, then shoot at frame 200:\n"
    "  180 mouse 0 1400\n"
    "  200 press fire\n"
    "  201 release fire\n";

constexpr int kNoContextStatus = 1;
// Broken media must not make the driver report errors: a run in which it did fails.
constexpr int kGlErrorStatus = 3;

constexpr int kDefaultFrames = 600;
// The largest frame side asked for; every driver draws this large.
constexpr int kMaxFrameSide = 8192;
constexpr double kMaxFrameTime = 1.0;

const std::string kFrameCount =
    "a whole number from 1 to " + std::to_string(Script::kMaxFrame) + " (a day at 60 frames/s)";
constexpr const char* kFrameTime = "a number of seconds above 0, up to 1";
constexpr const char* kFrameSize = "a size such as 320x240, each side from 1 to 8192";
constexpr const char* kFile = "a file";

struct Options {
    int frames = kDefaultFrames;
    bool framesGiven = false;
    std::string dumpBricksPath;
    std::string pngFolder;
    int pngEvery = 1;
    // The game's window size unless --size says otherwise.
    int frameWidth = Core::kWindowWidth;
    int frameHeight = Core::kWindowHeight;
    double dt = 1.0 / 60.0;
    std::string script;
    int dumpEvery = 0;
    bool draw = true;
    bool time = false;
    bool allPairs = false;
    std::string convertPath;
    bool sceneGiven = false;
    SceneLayout::Choice scene;
};

// "WIDTHxHEIGHT", each side a whole number from 1 to kMaxFrameSide.
bool readSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return false;
    const Numbers::Bounds side = Numbers::Bounds::within(1, kMaxFrameSide);
    int w = 0;
    int h = 0;
    if (!Numbers::read(std::string_view(text).substr(0, x), side, w) ||
        !Numbers::read(std::string_view(text).substr(x + 1), side, h)) {
        return false;
    }
    width = w;
    height = h;
    return true;
}

const std::string& sceneTakes() {
    static const std::string takes = "one of " + SceneLayout::described();
    return takes;
}

CommandLine::Taker frameCountIn(int& to) {
    return [&to](const std::string& value) {
        return Numbers::read(value, Numbers::Bounds::within(1, Script::kMaxFrame), to);
    };
}

std::vector<CommandLine::Option> optionTable(Options& o) {
    using CommandLine::storeIn;
    return {
        {"--frames", "N", kFrameCount.c_str(),
         "frames to run, up to a day at 60 frames/s (default 600; for a recording, all of its "
         "frames)",
         [&o](const std::string& value) {
             o.framesGiven = true;
             return frameCountIn(o.frames)(value);
         }},
        {"--dt", "SECONDS", kFrameTime, "fixed frame time, above 0 and up to 1 (default 0.0166667)",
         [&o](const std::string& value) {
             return Numbers::read(value, Numbers::Bounds::above(0.0, kMaxFrameTime), o.dt);
         }},
        {"--script", "FILE", kFile,
         "timed inputs, see below, or a recording made by kelvarin --record", storeIn(o.script)},
        {"--dump-bricks", "FILE", kFile,
         "also write the header and the last frame's bricks to FILE", storeIn(o.dumpBricksPath)},
        {"--dump-every", "K", kFrameCount.c_str(), "also print the bricks every K frames",
         frameCountIn(o.dumpEvery)},
        {"--no-draw", nullptr, nullptr, "run the frame step without drawing, and without OpenGL",
         [&o](const std::string&) { return !(o.draw = false); }},
        {"--png", "DIR", "a folder", "write drawn frames as DIR/frame-NNNNN.png",
         storeIn(o.pngFolder)},
        {"--png-every", "K", kFrameCount.c_str(), "only every Kth frame (default 1)",
         frameCountIn(o.pngEvery)},
        {"--size", "WxH", kFrameSize,
         "size of the drawn frames in pixels (default 1024x768); the simulation is the same at "
         "any size",
         [&o](const std::string& value) { return readSize(value, o.frameWidth, o.frameHeight); }},
        {"--time", nullptr, nullptr,
         "print frame-time percentiles, and the heap allocations per frame of the second half of "
         "the run, to standard error",
         CommandLine::turnOn(o.time)},
        {"--scene", "NAME", sceneTakes().c_str(),
         "the scene of a script without a scene line: " + SceneLayout::described(),
         [&o](const std::string& value) {
             std::string why;
             return o.sceneGiven = SceneLayout::read(value, o.scene, why);
         }},
        {"--convert", "FILE", kFile,
         "write the recording --script names to FILE in the other form (a compact one as text, "
         "a text one compact) and exit",
         storeIn(o.convertPath)},
        {"--all-pairs", nullptr, nullptr,
         "test every pair of objects in the collision pass instead of those the grid finds; the "
         "bricks come out the same, only slower",
         CommandLine::turnOn(o.allPairs)},
    };
}

std::string usage() {
    Options unused;
    return kUsageHead + CommandLine::describe(optionTable(unused)) + kUsageTail +
           CommandLine::wrapped("ACTION is " + Controls::actionNames() + ".") +
           CommandLine::wrapped(kScriptNotes) + kScriptExample;
}

CommandLine::Outcome parseOptions(int argc, char** argv, Options& o) {
    CommandLine::Outcome outcome = CommandLine::parse("kelvarin-sim", argc, argv, optionTable(o));
    if (outcome.action == CommandLine::Action::Play && !o.draw && !o.pngFolder.empty()) {
        outcome = {CommandLine::Action::Refuse,
                   "kelvarin-sim: --png draws frames, which --no-draw leaves out"};
    }
    if (outcome.action == CommandLine::Action::Play && !o.convertPath.empty() && o.script.empty()) {
        outcome = {CommandLine::Action::Refuse,
                   "kelvarin-sim: --convert needs the recording to convert (--script FILE)"};
    }
    return outcome;
}

// A hand-written script's event, just before its frame: a mouse move reaches the game as a
// cursor report at once, an action's key or button is held or let go on the fake platform.
void apply(const Script::Event& e, GameRun& run) {
    using Kind = Script::Event::Kind;
    if (e.kind == Kind::Mouse) {
        run.onCursorReport(Input::kCursorCentreX + e.dx, Input::kCursorCentreY + e.dy);
    } else if (e.kind == Kind::Press || e.kind == Kind::Release) {
        const bool down = e.kind == Kind::Press;
        const int key = Controls::of(e.action).key;
        if (Keys::buttonOf(key) >= 0) {
            Platform::Fake::setMouseButton(Keys::buttonOf(key), down);
        } else {
            Platform::Fake::setKey(key, down);
        }
    }
}

// stb's writer hands the encoded bytes over in pieces; the first failed one is remembered.
void writeToFile(void* context, void* data, int size) {
    std::FILE* file = static_cast<std::FILE*>(context);
    if (!std::ferror(file)) std::fwrite(data, 1, static_cast<std::size_t>(size), file);
}

// The frame just drawn, top row first as PNG wants it.
bool writeFramePng(const std::string& folder, int frame) {
    constexpr int kChannels = 4;
    int width = 0;
    int height = 0;
    Platform::getFramebufferSize(width, height);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * kChannels);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    const int stride = width * kChannels;
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%05d.png", frame);
    const std::string path = folder + name;
    std::string why;
    std::FILE* file = Platform::openForWriting(path, why);
    if (file) {
        // OpenGL's rows start at the bottom: the last row goes first.
        const bool encoded = stbi_write_png_to_func(writeToFile, file, width, height, kChannels,
                                                    pixels.data() + (height - 1) * stride, -stride);
        const bool failed = std::ferror(file) != 0;
        if (std::fclose(file) != 0 || failed) why = std::strerror(errno);
        if (!encoded && why.empty()) why = "the picture could not be encoded";
    }
    if (why.empty()) return true;
    std::cerr << "kelvarin-sim: cannot write " << shownSafely(path) << ": " << why
              << "; no more frames are saved" << std::endl;
    return false;
}

void reportTimes(std::vector<double> micros, std::size_t steadyAllocations, int steadyFrames) {
    if (micros.empty()) return;
    std::sort(micros.begin(), micros.end());
    auto at = [&](double q) { return micros[static_cast<std::size_t>(q * (micros.size() - 1))]; };
    std::fprintf(stderr, "frames %zu  median %.1f us  p90 %.1f us  p99 %.1f us  max %.1f us\n",
                 micros.size(), at(0.5), at(0.9), at(0.99), micros.back());
    std::fprintf(stderr, "heap allocations in the last %d frames: %zu\n", steadyFrames,
                 steadyAllocations);
}

// The script, read whole before anything runs; a recording must be one that replays.
bool loadScript(const Options& options, const MediaFolder::Outcome& media, Script::Script& script) {
    if (options.script.empty()) return true;
    script = Script::readReplay(MediaFolder::fromStartFolder(media, options.script), options.script,
                                !options.convertPath.empty());
    if (script.error.empty()) return true;
    std::cerr << "kelvarin-sim: " << script.error << std::endl;
    return false;
}

struct Played {
    int lastFrame = 0;
    bool pngFailed = false;
    // Per frame, with --time only: memory follows the frames asked for only then.
    std::vector<double> micros;
    std::size_t steadyAllocations = 0;
    int steadyFrames = 0;
};

// The frames, each the run's own frame: a recording replays through the session as the game
// replays it, a hand-written script presses the fake platform's keys before its frames.
Played play(const Options& options, const Script::Script& script, GameRun& run,
            const std::string& pngFolder) {
    Played played;
    const bool replaying = script.version >= Script::kFirstRecordingVersion;
    const int steadyFrom = options.frames / 2 + 1;
    std::size_t allocationsAtSteady = 0;
    // Reserved: the timings' own growth is no allocation of the game's.
    if (options.time) played.micros.reserve(static_cast<std::size_t>(options.frames));
    for (int frame = 1; frame <= options.frames; ++frame) {
        if (frame == steadyFrom) allocationsAtSteady = allocationCount();
        bool dump = options.dumpEvery > 0 && frame % options.dumpEvery == 0;
        for (const Script::Event& e : script.at(frame)) {
            if (!replaying) apply(e, run);
            dump |= e.kind == Script::Event::Kind::Dump;
        }
        const auto start = std::chrono::steady_clock::now();
        const bool goOn = run.frame();
        if (options.draw) glFinish();
        if (options.time) {
            played.micros.push_back(
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                    .count());
        }
        if (!pngFolder.empty() && !played.pngFailed && frame % options.pngEvery == 0) {
            played.pngFailed = !writeFramePng(pngFolder, frame);
        }
        if (dump) printBricks(stdout, run.scene(), frame);
        played.lastFrame = frame;
        if (!goOn) break;
    }
    played.steadyAllocations = allocationCount() - allocationsAtSteady;
    played.steadyFrames = played.lastFrame - steadyFrom + 1;
    return played;
}

bool isFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// What the options name, checked before anything runs: the picture folder, the bricks' file and
// the script, read whole. The first problem is said.
bool inputsAreUsable(const Options& options, const MediaFolder::Outcome& media,
                     std::string& pngFolder, Script::Script& script) {
    pngFolder =
        options.pngFolder.empty() ? "" : MediaFolder::fromStartFolder(media, options.pngFolder);
    if (!pngFolder.empty() && !isFolder(pngFolder)) {
        std::cerr << "kelvarin-sim: --png needs a folder that exists, not '"
                  << shownSafely(options.pngFolder) << "'" << std::endl;
        return false;
    }
    const std::string why =
        options.dumpBricksPath.empty()
            ? ""
            : Platform::whyNotWritable(MediaFolder::fromStartFolder(media, options.dumpBricksPath));
    if (!why.empty()) {
        std::cerr << "kelvarin-sim: cannot write " << shownSafely(options.dumpBricksPath) << ": "
                  << why << std::endl;
        return false;
    }
    return loadScript(options, media, script);
}

// A recording drives the frames as it drove the game: inputs, cursor reports, frame times.
RunConfig configFor(Options& options, const MediaFolder::Outcome& media,
                    const Script::Script& script, Session& session) {
    RunConfig config;
    config.drawing = options.draw;
    // A recording plays in its own scene; a hand-written script in its own or the one asked.
    config.settings.scene = options.sceneGiven ? options.scene : script.scene;
    // Its frames show the game as the golden ones were drawn, before there was an aim to show.
    config.settings.crosshair = false;
    if (script.version >= Script::kFirstRecordingVersion) {
        if (!options.framesGiven) options.frames = script.lastFrame;
        session.startReplay(script);
        config.session = &session;
    }
    if (!options.dumpBricksPath.empty()) {
        config.brickDumpPath = MediaFolder::fromStartFolder(media, options.dumpBricksPath);
    }
    if (options.draw) {
        Platform::Fake::useOffscreenContext(true);
        Platform::Fake::overrideWindowSize(options.frameWidth, options.frameHeight);
    }
    return config;
}

// The run's end: every file written, standard output too, and no error from the driver.
int statusAtEnd(GameRun& run, const Played& played) {
    const int glErrorFrames = run.glErrorFrames();
    bool written = run.finish() && !played.pngFailed;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::cerr << "kelvarin-sim: cannot write to standard output: " << std::strerror(errno)
                  << std::endl;
        written = false;
    }
    if (glErrorFrames > 0) {
        std::cerr << "kelvarin-sim: OpenGL errors in " << glErrorFrames << " frames" << std::endl;
        return kGlErrorStatus;
    }
    return written ? 0 : CommandLine::kWriteFailedStatus;
}

// A compact recording as text, a text one compact.
int convert(const Options& options, const Script::Script& recording) {
    std::string bytes;
    if (recording.compact) {
        bytes = Script::write(recording);
    } else {
        const std::vector<std::uint8_t> compact = CompactRecording::encode(recording);
        bytes.assign(compact.begin(), compact.end());
    }
    std::string why;
    std::FILE* file = Platform::openForWriting(options.convertPath, why);
    if (file) {
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        if ((std::fclose(file) != 0 || !written) && why.empty()) why = std::strerror(errno);
        if (why.empty()) return 0;
    }
    std::cerr << "kelvarin-sim: cannot write " << shownSafely(options.convertPath) << ": " << why
              << std::endl;
    return CommandLine::kWriteFailedStatus;
}

}  // namespace

int main(int argc, char** argv) {
    Platform::prepareStandardOutput();
    Options options;
    const int early = CommandLine::actOnEarly(parseOptions(argc, argv, options), usage(),
                                              "kelvarin-sim " KELVARIN_VERSION);
    if (early != CommandLine::kGoOn) return early;
    const MediaFolder::Outcome& media = MediaFolder::chosenAtStart();
    if (!media.found) Messages::say(media.message);
    std::string pngFolder;
    Script::Script script;
    if (!inputsAreUsable(options, media, pngFolder, script)) return CommandLine::kUsageStatus;
    if (!options.convertPath.empty()) return convert(options, script);
    if (options.allPairs)
        PhysicsWorld::instance()->setPairFinding(PhysicsWorld::PairFinding::AllPairs);
    Session session;
    GameRun run;
    if (!run.start(configFor(options, media, script, session))) {
        std::cerr << "kelvarin-sim: no OpenGL context to draw with here; --no-draw runs without one"
                  << std::endl;
        return kNoContextStatus;
    }
    Platform::Fake::setTimeStepPerSwap(options.dt);
    std::fputs(kBrickCsvHeader, stdout);
    const Played played = play(options, script, run, pngFolder);
    printBricks(stdout, run.scene(), played.lastFrame);
    if (options.time) reportTimes(played.micros, played.steadyAllocations, played.steadyFrames);
    return statusAtEnd(run, played);
}
