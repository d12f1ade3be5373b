// The rewind controller with the wall's 77 bricks and the pyramid's 5,050: a recording frame and a
// rewinding frame once the history is full, and the memory the full history takes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "bench/BenchSupport.h"
#include "input/Input.h"
#include "rewind/Controller.h"
#include "scene/Brick.h"

namespace {

constexpr int kFramesToFill =
    static_cast<int>(Rewind::Controller::kMaxSnapshots) * Rewind::Controller::kSnapshotInterval;

struct Bricks {
    explicit Bricks(int count) : bricks(count) {
        for (int i = 0; i < count; ++i) {
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
    std::vector<std::unique_ptr<Geo::Brick>> bricks;
};

// One scene at a time: the controller records every brick that exists.
Bricks& scene(const benchmark::State& state) {
    static std::unique_ptr<Bricks> bricks;
    const auto count = static_cast<std::size_t>(state.range(0));
    if (!bricks || bricks->bricks.size() != count) {
        bricks.reset();
        *Rewind::Controller::instance() = Rewind::Controller();
        bricks = std::make_unique<Bricks>(static_cast<int>(count));
    }
    return *bricks;
}

void BM_RecordingFrame(benchmark::State& state) {
    Bricks& s = scene(state);
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
    Bricks& s = scene(state);
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
    Bricks& s = scene(state);
    s.fillHistory();
    for (auto _ : state) benchmark::DoNotOptimize(s.bricks[0]->getHistory().size());
    std::size_t bytes = 0;
    for (auto& b : s.bricks) bytes += b->getHistory().capacity() * sizeof(Rewind::LastPos);
    bytes += Rewind::Controller::instance()->getFrameStamps().capacity() * sizeof(std::uint32_t);
    state.counters["history_bytes"] = static_cast<double>(bytes);
    state.counters["payload_bytes"] = static_cast<double>(
        s.bricks.size() * Rewind::Controller::kMaxSnapshots * 3 * sizeof(std::int16_t));
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(77)->Arg(5050)->ArgName("bricks");
}

BENCHMARK(BM_RecordingFrame)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RewindingFrame)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryMemory)->Apply(sizes)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    Input::instance();
    return runBenchmarks(argc, argv);
}
