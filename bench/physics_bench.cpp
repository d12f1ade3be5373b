// One physics frame (gravity pass, updates of the bricks and the bullet, collision pass) while
// the bricks settle, once they all sleep, and after a blast into the settled heap: the grid's
// collision pass beside the plain pair loop, which gives the same bricks, and beside the game's
// choice between the two.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "bench/BenchSupport.h"
#include "objects/Bullet.h"
#include "objects/Wall.h"
#include "physics/PhysicsWorld.h"
#include "render/Texture.h"
#include "scene/Brick.h"

namespace {

constexpr float kFrameTime = 1.0f / 60.0f;
constexpr int kGameBricks = 77;
constexpr int kGameBricksPerRow = 11;
constexpr float kGameRoomHalfSize = 10.0f;
constexpr float kBrickGap = 0.01f;
constexpr int kSettleFrames = 60;
constexpr int kMostFramesToSleep = 600;
constexpr float kRoomMargin = 4.0f;
constexpr float kBlastRadius = 8.0f;
constexpr float kBlastSpeed = 25.0f;
constexpr int kFramesAfterBlast = 60;

// Rows of a pyramid with at least n bricks in all, 100 rows holding 5,050.
int pyramidRowsFor(int n) {
    int rows = 0;
    while (rows * (rows + 1) / 2 < n) ++rows;
    return rows;
}

// Below 78 bricks the game's own wall in the game's room; beyond, a pyramid in a room grown
// around it, its bricks listed from the bottom row up.
struct World {
    explicit World(int brickCount) {
        for (int i = 0; i < brickCount; ++i) bricks.push_back(std::make_unique<Geo::Brick>());
        const glm::vec3 size = bricks[0]->collider.max - bricks[0]->collider.min;
        pitch = size.x + kBrickGap;
        rows = pyramidRowsFor(brickCount);
        roomHalfSize = brickCount <= kGameBricks
                           ? kGameRoomHalfSize
                           : std::max(rows * pitch / 2.0f, rows * size.y) + kRoomMargin;
        const float h = roomHalfSize;
        for (int i = 0; i < 4; ++i) walls.push_back(std::make_unique<Geo::Wall>());
        walls.push_back(std::make_unique<Geo::Wall>(&skyTexture));
        walls.push_back(std::make_unique<Geo::Wall>(&floorTexture));
        const glm::vec3 positions[] = {{2 * h, 0, 0},  {-2 * h, 0, 0}, {0, 0, 2 * h},
                                       {0, 0, -2 * h}, {0, 2 * h, 0},  {0, -2 * h, 0}};
        for (int i = 0; i < 6; ++i) {
            walls[i]->setScale(glm::vec3(h));
            walls[i]->setPosition(positions[i]);
        }
        for (auto& b : bricks) world.add(b.get());
        for (auto& w : walls) world.add(w.get());
        world.add(&bullet);
        layOut();
    }

    void layOut() {
        const float height = bricks[0]->collider.max.y - bricks[0]->collider.min.y;
        std::size_t i = 0;
        for (int row = 0; row < rows && i < bricks.size(); ++row) {
            const int inRow = rows - row;
            for (int k = 0; k < inRow && i < bricks.size(); ++k, ++i) {
                Geo::Brick& b = *bricks[i];
                if (bricks.size() <= kGameBricks) {
                    b.setPosition({(i % kGameBricksPerRow) * pitch - 8.5f, i * 0.1f - 7.0f, 0.0f});
                } else {
                    b.setPosition({(k - (inRow - 1) / 2.0f) * pitch,
                                   -roomHalfSize + (row + 0.5f) * (height + kBrickGap), 0.0f});
                }
                b.velocity = glm::vec3(0.0f);
                b.wakeUp();
                b.atRest = false;
                b.restFrames = 0;
                b.smoothedDistSq = 0.0f;
            }
        }
    }

    void frame() { world.updateAndCollide(kFrameTime, PhysicsWorld::Gravity::ApplyFirst); }

    bool allAsleep() const {
        return std::all_of(bricks.begin(), bricks.end(), [](const auto& b) { return b->asleep; });
    }

    // Settled once with the grid (the pair loop would settle them the same, only slower), then
    // kept, so every benchmark starts from the same heap. Far from the room's centre a brick
    // never counts as still (its rest is judged by its distance from there), so whatever still
    // stirs after ten seconds is put to sleep where it stands.
    void settle() {
        if (!settled.empty()) {
            restore(settled);
            return;
        }
        world.setPairFinding(PhysicsWorld::PairFinding::Grid);
        layOut();
        for (int i = 0; i < kMostFramesToSleep && !allAsleep(); ++i) frame();
        for (auto& b : bricks) {
            if (!b->asleep) b->fallAsleep();
        }
        settled = save();
    }

    struct Saved {
        Geo::Brick* brick;
        glm::vec3 position;
        glm::vec3 velocity;
        bool asleep;
        bool atRest;
        bool gravity;
        int restFrames;
        float smoothedDistSq;
        std::vector<Geo::GeoObjPhysics*> sleepers;
    };

    std::vector<Saved> save() const {
        std::vector<Saved> all;
        for (const auto& b : bricks) {
            all.push_back({b.get(), b->getPosition(), b->velocity, b->asleep, b->atRest, b->gravity,
                           b->restFrames, b->smoothedDistSq, b->sleepers});
        }
        return all;
    }

    static void restore(const std::vector<Saved>& all) {
        for (const Saved& s : all) {
            s.brick->setPosition(s.position);
            s.brick->velocity = s.velocity;
            s.brick->asleep = s.asleep;
            s.brick->atRest = s.atRest;
            s.brick->gravity = s.gravity;
            s.brick->restFrames = s.restFrames;
            s.brick->smoothedDistSq = s.smoothedDistSq;
            s.brick->sleepers = s.sleepers;
        }
    }

    glm::vec3 heapCentre() const { return {0.0f, -roomHalfSize + rows / 3.0f, 0.0f}; }

    PhysicsWorld world;
    std::vector<std::unique_ptr<Geo::Brick>> bricks;
    std::vector<std::unique_ptr<Geo::Wall>> walls;
    Geo::PlasmaBullet bullet;
    float pitch = 0.0f;
    int rows = 0;
    float roomHalfSize = kGameRoomHalfSize;
    std::vector<Saved> settled;
};

// The second argument: 0 the grid, 1 the pair loop, 2 whichever costs less, as the game does.
PhysicsWorld::PairFinding wayOf(const benchmark::State& state) {
    const PhysicsWorld::PairFinding ways[] = {PhysicsWorld::PairFinding::Grid,
                                              PhysicsWorld::PairFinding::AllPairs,
                                              PhysicsWorld::PairFinding::Cheaper};
    return ways[state.range(1)];
}

World& worldOf(int bricks) {
    static std::vector<std::unique_ptr<World>> worlds;
    for (auto& w : worlds) {
        if (static_cast<int>(w->bricks.size()) == bricks) return *w;
    }
    worlds.push_back(std::make_unique<World>(bricks));
    return *worlds.back();
}

void report(benchmark::State& state, const World& w, std::size_t allocations,
            std::uint64_t pairsBefore) {
    state.counters["allocs/frame"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    state.counters["pairs/frame"] =
        benchmark::Counter(static_cast<double>(w.world.pairsTested() - pairsBefore),
                           benchmark::Counter::kAvgIterations);
    state.counters["bricks"] = static_cast<double>(w.bricks.size());
}

// The first second after the layout: bricks fall, collide and start to sleep.
void BM_PhysicsFrameSettling(benchmark::State& state) {
    World& w = worldOf(static_cast<int>(state.range(0)));
    w.world.setPairFinding(wayOf(state));
    w.layOut();
    int frame = 0;
    std::size_t allocations = 0;
    const std::uint64_t pairsBefore = w.world.pairsTested();
    for (auto _ : state) {
        if (frame == kSettleFrames) {
            state.PauseTiming();
            w.layOut();
            frame = 0;
            state.ResumeTiming();
        }
        const std::size_t before = allocationCount();
        w.frame();
        allocations += allocationCount() - before;
        ++frame;
    }
    report(state, w, allocations, pairsBefore);
}

void BM_PhysicsFrameAllAsleep(benchmark::State& state) {
    World& w = worldOf(static_cast<int>(state.range(0)));
    w.settle();
    w.world.setPairFinding(wayOf(state));
    state.counters["asleep"] = w.allAsleep() ? 1 : 0;
    std::size_t allocations = 0;
    const std::uint64_t pairsBefore = w.world.pairsTested();
    for (auto _ : state) {
        const std::size_t before = allocationCount();
        w.frame();
        allocations += allocationCount() - before;
    }
    report(state, w, allocations, pairsBefore);
}

// The second after a blast into the middle of the settled heap.
void BM_PhysicsFrameAfterBlast(benchmark::State& state) {
    World& w = worldOf(static_cast<int>(state.range(0)));
    w.settle();
    w.world.setPairFinding(wayOf(state));
    w.world.blast(w.heapCentre(), kBlastRadius, kBlastSpeed);
    int frame = 0;
    std::size_t allocations = 0;
    const std::uint64_t pairsBefore = w.world.pairsTested();
    for (auto _ : state) {
        if (frame == kFramesAfterBlast) {
            state.PauseTiming();
            w.settle();
            w.world.setPairFinding(wayOf(state));
            w.world.blast(w.heapCentre(), kBlastRadius, kBlastSpeed);
            frame = 0;
            state.ResumeTiming();
        }
        const std::size_t before = allocationCount();
        w.frame();
        allocations += allocationCount() - before;
        ++frame;
    }
    report(state, w, allocations, pairsBefore);
}

// The grid and the game's choice at every size, the pair loop as far as it runs in reasonable
// time.
void sizes(benchmark::internal::Benchmark* b) {
    for (const int n : {77, 300, 1000, 5050, 20000}) b->Args({n, 0});
    for (const int n : {77, 300, 1000, 5050}) b->Args({n, 1});
    for (const int n : {77, 300, 1000, 5050, 20000}) b->Args({n, 2});
    b->ArgNames({"bricks", "way"})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_PhysicsFrameSettling)->Apply(sizes);
BENCHMARK(BM_PhysicsFrameAllAsleep)->Apply(sizes);
BENCHMARK(BM_PhysicsFrameAfterBlast)->Apply(sizes);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
