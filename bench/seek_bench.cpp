// Seeking in a replay: a ten-minute recording (36,000 frames of 1/60 s, a shot into the wall every
// minute) played again from its start to its last frame, unseen, as the timeline does.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "app/GameRun.h"
#include "app/Script.h"
#include "app/Session.h"

namespace {

constexpr int kFrames = 10 * 60 * 60;
constexpr int kFramesBetweenShots = 60 * 60;
constexpr int kLookDownFrame = 40;

std::string tenMinutes() {
    std::string text = "kelvarin-script 3\nlook 1 normal\n";
    for (int frame = 1; frame <= kFrames; ++frame) {
        const std::string at = std::to_string(frame);
        text += at + " delta 0.016666666666666666\n";
        if (frame == kLookDownFrame) text += at + " mouse 0 1400\n";
        if (frame % kFramesBetweenShots == kLookDownFrame * 2) text += at + " press fire\n";
        if (frame % kFramesBetweenShots == kLookDownFrame * 2 + 1) text += at + " release fire\n";
    }
    return text;
}

void BM_SeekToTheEndOfTenMinutes(benchmark::State& state) {
    std::istringstream in(tenMinutes());
    Session session;
    session.startReplay(Script::parse(in, "ten-minutes.rec"));
    RunConfig config;
    config.drawing = false;
    config.session = &session;
    GameRun run;
    if (!run.start(config)) {
        state.SkipWithError("the run did not start");
        return;
    }
    run.frame();
    for (auto _ : state) {
        run.seekReplay(kFrames);
        benchmark::DoNotOptimize(run.framesRun());
    }
    state.counters["frames"] = run.framesRun();
    run.finish();
}

BENCHMARK(BM_SeekToTheEndOfTenMinutes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
