// kelvarin-sim: the game's scene and frame step through the scripted fake platform, with a fixed
// frame time and a hidden window; prints brick positions as CSV and, on request, frame timings.
#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "core/MediaFolder.h"
#include "input/Input.h"
#include "platform/FakePlatform.h"
#include "scene/BrickWallScene.h"
#include "tools/alloc/AllocationCounter.h"
#include "tools/sim/SimScript.h"

namespace {

constexpr const char* kHelp =
    "Usage: kelvarin-sim [options]\n"
    "Runs the game's scene and frame step headless (fake input, fixed frame time, hidden\n"
    "window), and prints the 77 bricks as CSV lines\n"
    "frame,index,x,y,z,asleep at the frames asked for.\n"
    "\n"
    "Options:\n"
    "  --frames N      frames to run (default 600)\n"
    "  --dt SECONDS    fixed frame time (default 0.0166667)\n"
    "  --script FILE   timed inputs, see below (default: none)\n"
    "  --dump-every K  also print the bricks every K frames\n"
    "  --no-draw       run the frame step without drawing\n"
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
    "lines starting with # are comments. Example: look down, then shoot at frame 200:\n"
    "  180 mouse 0 1400\n"
    "  200 press fire\n"
    "  201 release fire\n";

struct Options {
    int frames = 600;
    double dt = 1.0 / 60.0;
    std::string script;
    int dumpEvery = 0;
    bool draw = true;
    bool time = false;
};

bool parseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--frames" && hasValue) {
            o.frames = std::atoi(argv[++i]);
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
    return o.frames > 0 && o.dt >= 0.0;
}

void dumpBricks(const BrickWallScene& scene, int frame) {
    for (int i = 0; i < BrickWallScene::kBrickCount; ++i) {
        const Geo::Brick& brick = scene.bricks[i];
        const glm::vec3 p = brick.getPosition();
        std::printf("%d,%d,%.6f,%.6f,%.6f,%d\n", frame, i, p.x, p.y, p.z, brick.asleep ? 1 : 0);
    }
}

void apply(const SimScript::Event& e) {
    using Kind = SimScript::Event::Kind;
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

void reportTimes(std::vector<double> micros, std::size_t steadyAllocations, int steadyFrames) {
    if (micros.empty()) return;
    std::sort(micros.begin(), micros.end());
    auto at = [&](double q) { return micros[static_cast<std::size_t>(q * (micros.size() - 1))]; };
    std::fprintf(stderr, "frames %zu  median %.1f us  p90 %.1f us  p99 %.1f us  max %.1f us\n",
                 micros.size(), at(0.5), at(0.9), at(0.99), micros.back());
    std::fprintf(stderr, "heap allocations in the last %d frames: %zu\n", steadyFrames,
                 steadyAllocations);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << kHelp;
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "kelvarin-sim " KELVARIN_VERSION << std::endl;
        return 0;
    }
    if (!parseOptions(argc, argv, options)) {
        std::cerr << kHelp;
        return 2;
    }
    SimScript::Script script;
    if (!options.script.empty()) {
        std::ifstream file(options.script);
        if (!file) {
            std::cerr << "kelvarin-sim: cannot open " << options.script << std::endl;
            return 2;
        }
        script = SimScript::parse(file);
        if (!script.error.empty()) {
            std::cerr << "kelvarin-sim: " << options.script << ": " << script.error << std::endl;
            return 2;
        }
    }

    const MediaFolder::Outcome& media = MediaFolder::chosenAtStart();
    if (!media.found) std::cerr << media.message << std::endl;
    Platform::Fake::useRealContext(true);
    if (initApplication() != 0) return 1;
    Platform::Fake::setTimeStepPerSwap(options.dt);
    prepareFrameLoop("Kelvarin");
    BrickWallScene scene;

    std::printf("frame,index,x,y,z,asleep\n");
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(options.frames));
    const int steadyFrom = options.frames / 2 + 1;
    std::size_t allocationsAtSteady = 0;
    int frame = 1;
    for (; frame <= options.frames; ++frame) {
        if (frame == steadyFrom) allocationsAtSteady = allocationCount();
        bool dump = options.dumpEvery > 0 && frame % options.dumpEvery == 0;
        const auto events = script.byFrame.find(frame);
        if (events != script.byFrame.end()) {
            for (const SimScript::Event& e : events->second) {
                apply(e);
                dump |= e.kind == SimScript::Event::Kind::Dump;
            }
        }
        if (!keepRunning()) break;
        const auto start = std::chrono::steady_clock::now();
        if (options.draw) {
            runFrame(scene);
            glFinish();
        } else {
            updateFrame();
            simulateFrame(scene);
            Platform::Fake::setTime(Platform::getTime() + options.dt);
        }
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        if (dump) dumpBricks(scene, frame);
    }
    const std::size_t steadyAllocations = allocationCount() - allocationsAtSteady;
    dumpBricks(scene, frame - 1);
    if (options.time) reportTimes(micros, steadyAllocations, frame - steadyFrom);
    scene.releaseGL();
    releaseResources();
    Platform::terminate();
    return 0;
}
