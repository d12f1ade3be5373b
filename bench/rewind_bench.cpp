// The rewind controller with the scene's 77 bricks: a recording frame and a rewinding frame once
// the history is full, and the memory the full history takes.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <memory>

#include "bench/BenchSupport.h"
#include "input/Input.h"
#include "rewind/Controller.h"
#include "scene/Brick.h"

namespace {

constexpr int kBricks = 77;
constexpr int kFramesToFill =
    static_cast<int>(Rewind::Controller::kMaxSnapshots) * Rewind::Controller::kSnapshotInterval;

struct Bricks {
    Bricks() {
        for (int i = 0; i < kBricks; ++i) {
            bricks[i] = std::make_unique<Geo::Brick>();
            bricks[i]->setPosition({i * 0.2f, 1.0f, -i * 0.1f});
        }
        Rewind::Controller::instance()->takeSnapshot();
    }
    // Moves every brick a little, so each snapshot records something new.
    void nudge() {
        for (auto& b : bricks) b->translate({0.001f, 0.0f, 0.0f});
    }
    void fillHistory() {
        Rewind::Controller* c = Rewind::Controller::instance();
        for (int i = 0; i < kFramesToFill; ++i) {
            nudge();
            c->update({});
        }
    }
    std::array<std::unique_ptr<Geo::Brick>, kBricks> bricks;
};

Bricks& scene() {
    static Bricks bricks;
    return bricks;
}

void BM_RecordingFrame(benchmark::State& state) {
    Bricks& s = scene();
    Rewind::Controller* c = Rewind::Controller::instance();
    s.fillHistory();
    std::size_t allocations = 0;
    for (auto _ : state) {
        const std::size_t before = allocationCount();
        c->update({});
        allocations += allocationCount() - before;
    }
    state.counters["allocs/frame"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

void BM_RewindingFrame(benchmark::State& state) {
    Bricks& s = scene();
    Rewind::Controller* c = Rewind::Controller::instance();
    s.fillHistory();
    c->startRewind();
    std::size_t allocations = 0;
    for (auto _ : state) {
        if (!c->isRewinding()) {
            state.PauseTiming();
            s.fillHistory();
            c->startRewind();
            state.ResumeTiming();
        }
        const std::size_t before = allocationCount();
        c->update({});
        allocations += allocationCount() - before;
    }
    state.counters["allocs/frame"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

void BM_HistoryMemory(benchmark::State& state) {
    Bricks& s = scene();
    s.fillHistory();
    for (auto _ : state) benchmark::DoNotOptimize(s.bricks[0]->getHistory().size());
    std::size_t bytes = 0;
    for (auto& b : s.bricks) bytes += b->getHistory().capacity() * sizeof(Rewind::LastPos);
    bytes += Rewind::Controller::instance()->getFrameStamps().capacity() * sizeof(std::uint32_t);
    state.counters["history_bytes"] = static_cast<double>(bytes);
    state.counters["payload_bytes"] =
        static_cast<double>(kBricks * Rewind::Controller::kMaxSnapshots * 3 * sizeof(std::int16_t));
}

BENCHMARK(BM_RecordingFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RewindingFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryMemory)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    Input::instance();
    return runBenchmarks(argc, argv);
}
