// kelvarin-sim: the game's scene and frame step through the scripted fake platform, with a fixed
// frame time (or a recording's), no display server and, with --no-draw, no OpenGL at all; prints
// brick positions as CSV and, on request, frame timings and pictures.
#include <GL/glew.h>
#include <stb_image_write.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/BrickDump.h"
#include "app/Script.h"
#include "app/Session.h"
#include "core/MediaFolder.h"
#include "core/WindowSize.h"
#include "input/Input.h"
#include "platform/Console.h"
#include "platform/FakePlatform.h"
#include "scene/BrickWallScene.h"
#include "tools/alloc/AllocationCounter.h"

namespace {

constexpr const char* kHelp =
    "Usage: kelvarin-sim [options]\n"
    "Runs the game's scene and frame step headless (fake input, fixed frame time, an\n"
    "offscreen OpenGL context needing no display server), and prints the 77 bricks as\n"
    "CSV lines\n"
    "frame,index,x,y,z,asleep at the frames asked for.\n"
    "\n"
    "Options:\n"
    "  --frames N      frames to run (default 600; for a recording, all of its frames)\n"
    "  --dt SECONDS    fixed frame time (default 0.0166667)\n"
    "  --script FILE   timed inputs, see below, or a recording made by kelvarin --record\n"
    "  --dump-bricks FILE  also write the header and the last frame's bricks to FILE\n"
    "  --dump-every K  also print the bricks every K frames\n"
    "  --no-draw       run the frame step without drawing, and without OpenGL\n"
    "  --png DIR       write drawn frames as DIR/frame-NNNNN.png\n"
    "  --png-every K   only every Kth frame (default 1)\n"
    "  --size WxH      size of the drawn frames in pixels (default 1024x768); the\n"
    "                  simulation is the same at any size\n"
    "  --time          print frame-time percentiles, and the heap allocations per frame of\n"
    "                  the second half of the run, to standard error\n"
    "  --version       print the version and exit\n"
    "  --help          this text\n"
    "\n"
    "Media is found as the game finds it (see kelvarin --help).\n"
    "The bricks are always printed after the last frame. Script format, one event a line:\n"
    "  FRAME press BINDING     hold a binding down from frame FRAME on\n"
    "  FRAME release BINDING   let it go\n"
    "  FRAME mouse DX DY       move the mouse by DX, DY pixels before frame FRAME\n"
    "  FRAME dump              print the bricks after frame FRAME\n"
    "BINDING is forward, left, back, right, run, fire, rewind or quit. Frames count from 1;\n"
    "lines starting with # are comments. A recording starts with \"kelvarin-script 3\" and a\n"
    "line \"look SENSITIVITY normal|inverted\" with the look settings it was played with, has a\n"
    "line FRAME delta SECONDS for each frame, and runs with the frame times it holds.\n"
    "Example: look down, then shoot at frame 200:\n"
    "  180 mouse 0 1400\n"
    "  200 press fire\n"
    "  201 release fire\n";

constexpr int kUsageStatus = 2;
constexpr int kNoContextStatus = 1;
// Broken media must not make the driver report errors: a run in which it did fails.
constexpr int kGlErrorStatus = 3;

// The largest frame side asked for; every driver draws this large.
constexpr int kMaxFrameSide = 8192;

struct Options {
    int frames = 600;
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
};

// "WIDTHxHEIGHT", each side a whole number from 1 to kMaxFrameSide.
bool readSize(const char* text, int& width, int& height) {
    char* end = nullptr;
    const long w = std::strtol(text, &end, 10);
    if (end == text || *end != 'x') return false;
    const char* second = end + 1;
    const long h = std::strtol(second, &end, 10);
    if (end == second || *end != '\0') return false;
    if (w < 1 || h < 1 || w > kMaxFrameSide || h > kMaxFrameSide) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool parseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--frames" && hasValue) {
            o.frames = std::atoi(argv[++i]);
            o.framesGiven = true;
        } else if (arg == "--dump-bricks" && hasValue) {
            o.dumpBricksPath = argv[++i];
        } else if (arg == "--png" && hasValue) {
            o.pngFolder = argv[++i];
        } else if (arg == "--png-every" && hasValue) {
            o.pngEvery = std::atoi(argv[++i]);
        } else if (arg == "--size" && hasValue) {
            if (!readSize(argv[++i], o.frameWidth, o.frameHeight)) return false;
        } else if (arg == "--dt" && hasValue) {
            o.dt = std::atof(argv[++i]);
        } else if (arg == "--script" && hasValue) {
            o.script = argv[++i];
        } else if (arg == "--dump-every" && hasValue) {
            o.dumpEvery = std::atoi(argv[++i]);
        } else if (arg == "--no-draw") {
            o.draw = false;
        } else if (arg == "--time") {
            o.time = true;
        } else {
            return false;
        }
    }
    return o.frames > 0 && o.dt >= 0.0 && o.pngEvery > 0 && (o.draw || o.pngFolder.empty());
}

void apply(const Script::Event& e) {
    using Kind = Script::Event::Kind;
    if (e.kind == Kind::Mouse) {
        onMousePos(Input::kCursorCentreX + e.dx, Input::kCursorCentreY + e.dy);
    } else if (e.kind != Kind::Dump) {
        const bool down = e.kind == Kind::Press;
        if (e.isMouseButton) {
            Platform::Fake::setMouseButton(e.code, down);
        } else {
            Platform::Fake::setKey(e.code, down);
        }
    }
}

// The frame just drawn, top row first as PNG wants it.
void writeFramePng(const std::string& folder, int frame) {
    constexpr int kChannels = 4;
    int width = 0;
    int height = 0;
    Platform::getFramebufferSize(width, height);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * kChannels);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    const int stride = width * kChannels;
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%05d.png", frame);
    // OpenGL's rows start at the bottom: the last row goes first.
    if (!stbi_write_png((folder + name).c_str(), width, height, kChannels,
                        pixels.data() + (height - 1) * stride, -stride)) {
        std::cerr << "kelvarin-sim: cannot write " << folder << name << std::endl;
    }
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

// The script, when one is given, read whole before anything runs.
bool loadScript(const Options& options, const MediaFolder::Outcome& media, Script::Script& script) {
    if (options.script.empty()) return true;
    std::ifstream file(MediaFolder::fromStartFolder(media, options.script));
    if (!file) {
        std::cerr << "kelvarin-sim: cannot open " << options.script << std::endl;
        return false;
    }
    script = Script::parse(file, options.script);
    if (script.error.empty()) return true;
    std::cerr << "kelvarin-sim: " << script.error << std::endl;
    return false;
}

// The game's start-up, with an offscreen context, or without any OpenGL for --no-draw.
bool startUp(const Options& options) {
    if (options.draw) {
        Platform::Fake::useOffscreenContext(true);
        Platform::Fake::overrideWindowSize(options.frameWidth, options.frameHeight);
        if (initApplication() == 0) return true;
        std::cerr << "kelvarin-sim: no OpenGL context to draw with here; --no-draw runs without one"
                  << std::endl;
        return false;
    }
    Platform::init();
    Platform::openWindow(Core::kWindowWidth, Core::kWindowHeight, 0, 0, 0, 0, 0, 0,
                         Platform::WindowMode::Windowed);
    initWithoutDrawing();
    return true;
}

struct RunResult {
    int lastFrame = 0;
    std::vector<double> micros;
    std::size_t steadyAllocations = 0;
    int steadyFrames = 0;
};

// The frames, each through the game's own frame function: a recording replays through the
// session as the game replays it, a hand-written script presses the fake platform's keys.
RunResult play(const Options& options, const Script::Script& script, BrickWallScene& scene,
               const MediaFolder::Outcome& media) {
    RunResult result;
    result.micros.reserve(static_cast<std::size_t>(options.frames));
    const bool replaying = currentSession() != nullptr;
    const int steadyFrom = options.frames / 2 + 1;
    std::size_t allocationsAtSteady = 0;
    for (int frame = 1; frame <= options.frames; ++frame) {
        if (frame == steadyFrom) allocationsAtSteady = allocationCount();
        bool dump = options.dumpEvery > 0 && frame % options.dumpEvery == 0;
        if (!beginSessionFrame()) break;
        const auto events = script.byFrame.find(frame);
        if (events != script.byFrame.end()) {
            for (const Script::Event& e : events->second) {
                if (!replaying) apply(e);
                dump |= e.kind == Script::Event::Kind::Dump;
            }
        }
        if (!keepRunning()) break;
        const auto start = std::chrono::steady_clock::now();
        runFrame(scene);
        if (options.draw) glFinish();
        result.micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        if (!options.pngFolder.empty() && frame % options.pngEvery == 0) {
            writeFramePng(MediaFolder::fromStartFolder(media, options.pngFolder), frame);
        }
        if (dump) printBricks(stdout, scene, frame);
        result.lastFrame = frame;
    }
    result.steadyAllocations = allocationCount() - allocationsAtSteady;
    result.steadyFrames = result.lastFrame - steadyFrom + 1;
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    Platform::writeStandardOutputAsBytes();
    if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << kHelp;
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "kelvarin-sim " KELVARIN_VERSION << std::endl;
        return 0;
    }
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::cerr << kHelp;
        return kUsageStatus;
    }
    const MediaFolder::Outcome& media = MediaFolder::chosenAtStart();
    if (!media.found) std::cerr << media.message << std::endl;
    Script::Script script;
    if (!loadScript(options, media, script)) return kUsageStatus;
    // A recording drives the frames as it drove the game: inputs, cursor reports, frame times.
    Session session;
    if (script.version >= Script::kFirstRecordingVersion) {
        if (!options.framesGiven) options.frames = script.lastFrame;
        session.startReplay(script);
        setSession(&session);
    }
    if (!startUp(options)) return kNoContextStatus;
    Platform::Fake::setTimeStepPerSwap(options.dt);
    prepareFrameLoop("Kelvarin");
    BrickWallScene scene;

    std::fputs(kBrickCsvHeader, stdout);
    const RunResult run = play(options, script, scene, media);
    printBricks(stdout, scene, run.lastFrame);
    if (!options.dumpBricksPath.empty()) {
        writeBrickDump(MediaFolder::fromStartFolder(media, options.dumpBricksPath), scene,
                       run.lastFrame);
    }
    if (options.time) reportTimes(run.micros, run.steadyAllocations, run.steadyFrames);
    scene.releaseGL();
    releaseResources();
    Platform::terminate();
    setSession(nullptr);
    if (glErrorFrames() == 0) return 0;
    std::cerr << "kelvarin-sim: OpenGL errors in " << glErrorFrames() << " frames" << std::endl;
    return kGlErrorStatus;
}
