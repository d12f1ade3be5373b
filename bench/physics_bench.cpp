// One physics frame (gravity pass, updates of the bricks and the bullet, collision pass) over the
// scene's layout of objects, while the bricks settle and once they all sleep.
#include <benchmark/benchmark.h>

#include <cstdio>
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
constexpr int kBricksPerLayer = 77;
constexpr float kLayerDepth = 0.85f;
constexpr int kSettleFrames = 60;

// The game's room and brick layout; beyond 77 bricks, further walls of bricks stand behind the
// first, one layer per 77.
struct World {
    explicit World(int brickCount) {
        for (int i = 0; i < brickCount; ++i) bricks.push_back(std::make_unique<Geo::Brick>());
        for (int i = 0; i < 4; ++i) walls.push_back(std::make_unique<Geo::Wall>());
        walls.push_back(std::make_unique<Geo::Wall>(&skyTexture));
        walls.push_back(std::make_unique<Geo::Wall>(&floorTexture));
        const glm::vec3 positions[] = {{20, 0, 0},  {-20, 0, 0}, {0, 0, 20},
                                       {0, 0, -20}, {0, 20, 0},  {0, -20, 0}};
        for (int i = 0; i < 6; ++i) {
            walls[i]->setScale(glm::vec3(10.0f));
            walls[i]->setPosition(positions[i]);
        }
        for (auto& b : bricks) world.add(b.get());
        for (auto& w : walls) world.add(w.get());
        world.add(&bullet);
        layOut();
    }

    void layOut() {
        const float pitch = 2.0f * bricks[0]->collider.max.x + 0.01f;
        for (std::size_t i = 0; i < bricks.size(); ++i) {
            const int inLayer = static_cast<int>(i) % kBricksPerLayer;
            const int layer = static_cast<int>(i) / kBricksPerLayer;
            Geo::Brick& b = *bricks[i];
            b.setPosition({(inLayer % 11) * pitch - 8.5f, inLayer * 0.1f - 7.0f,
                           layer * -kLayerDepth + 4.0f});
            b.velocity = glm::vec3(0.0f);
            b.wakeUp();
            b.atRest = false;
            b.smoothedDistSq = 0.0f;
        }
    }

    void frame() {
        // One timer for every world, so the frame delta is always one frame.
        world.applyGravity(kFrameTime);
        for (auto& b : bricks) b->update(kFrameTime);
        bullet.update(kFrameTime);
        world.collideAll();
    }

    bool allAsleep() const {
        for (const auto& b : bricks) {
            if (!b->asleep) return false;
        }
        return true;
    }

    PhysicsWorld world;
    std::vector<std::unique_ptr<Geo::Brick>> bricks;
    std::vector<std::unique_ptr<Geo::Wall>> walls;
    Geo::PlasmaBullet bullet;
};

World& worldOf(int bricks) {
    static std::vector<std::unique_ptr<World>> worlds;
    for (auto& w : worlds) {
        if (static_cast<int>(w->bricks.size()) == bricks) return *w;
    }
    worlds.push_back(std::make_unique<World>(bricks));
    return *worlds.back();
}

// The first second after the layout: bricks fall, collide and start to sleep.
void BM_PhysicsFrameSettling(benchmark::State& state) {
    World& w = worldOf(static_cast<int>(state.range(0)));
    int frame = 0;
    std::size_t allocations = 0;
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
    state.counters["allocs/frame"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    state.counters["objects"] = static_cast<double>(w.bricks.size() + 7);
}

void BM_PhysicsFrameAllAsleep(benchmark::State& state) {
    World& w = worldOf(static_cast<int>(state.range(0)));
    w.layOut();
    for (int i = 0; i < 3000 && !w.allAsleep(); ++i) w.frame();
    state.counters["asleep"] = w.allAsleep() ? 1 : 0;
    std::size_t allocations = 0;
    for (auto _ : state) {
        const std::size_t before = allocationCount();
        w.frame();
        allocations += allocationCount() - before;
    }
    state.counters["allocs/frame"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_PhysicsFrameSettling)->Arg(77)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PhysicsFrameAllAsleep)->Arg(77)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
