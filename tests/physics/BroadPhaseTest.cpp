#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "objects/Bullet.h"
#include "objects/Wall.h"
#include "physics/PhysicsWorld.h"
#include "scene/Brick.h"
#include "tests/support/Headless.h"

namespace {

constexpr float kDt = 1.0f / 60.0f;
constexpr int kStackSettleFrames = 150;
constexpr float kBlastRadius = 3.0f;
constexpr float kBlastSpeed = 15.0f;

// Every onCollision call of every world, in the order made: the same log in both worlds means
// the same pairs resolved in the same order.
struct CollisionLog {
    std::vector<int> calls;
};

class LoggedBrick : public Geo::Brick {
public:
    LoggedBrick(CollisionLog& log, int id) : log(log), id(id) {}
    void onCollision() override { log.calls.push_back(id); }

private:
    CollisionLog& log;
    int id;
};

enum class Layout {
    // Bricks anywhere, some moving, some scaled past a cell, some asleep, some pulled all the same.
    Scattered,
    // Columns standing on the floor, their bricks listed in a shuffled order, to settle into
    // stacks that sleep on each other and wake together.
    Stacked,
};

// One random scene in a room, with a bullet; built alike from one seed.
struct RandomScene {
    RandomScene(unsigned seed, int bricks, Layout layout, bool allPairs) : grid(!allPairs) {
        world.setPairFinding(allPairs ? PhysicsWorld::PairFinding::AllPairs
                                      : PhysicsWorld::PairFinding::Grid);
        if (layout == Layout::Stacked) quietFrames = kStackSettleFrames;
        std::mt19937 random(seed);
        std::uniform_real_distribution<float> across(-9.0f, 9.0f);
        std::uniform_real_distribution<float> speed(-6.0f, 6.0f);
        std::uniform_int_distribution<int> percent(0, 99);
        std::vector<int> order(bricks);
        for (int i = 0; i < bricks; ++i) order[i] = i;
        std::shuffle(order.begin(), order.end(), random);
        // Columns of bricks side by side, touching, across the room and a few deep.
        constexpr int kAcross = 11;
        constexpr int kDeep = 5;
        for (int i = 0; i < bricks; ++i) {
            auto brick = std::make_unique<LoggedBrick>(log, i);
            if (layout == Layout::Stacked) {
                const glm::vec3 size = brick->collider.max - brick->collider.min;
                const int column = order[i] % (kAcross * kDeep);
                const int level = order[i] / (kAcross * kDeep);
                brick->setPosition({(column % kAcross) * size.x - 9.0f,
                                    level * size.y * 1.05f - 9.0f,
                                    (column / kAcross) * size.z - 2.0f});
            } else {
                brick->setPosition({across(random), across(random), across(random) * 0.3f});
                if (percent(random) < 3) brick->scale(glm::vec3(3.0f, 1.0f, 1.0f));
                if (percent(random) < 40) brick->velocity = {speed(random), speed(random), 0.0f};
                if (percent(random) < 30) brick->fallAsleep();
                // Asleep, yet pulled: its step still changes its velocity.
                if (percent(random) < 10) brick->setGravity(true);
            }
            world.add(brick.get());
            this->bricks.push_back(std::move(brick));
        }
        const glm::vec3 places[] = {{20, 0, 0},  {-20, 0, 0}, {0, 0, 20},
                                    {0, 0, -20}, {0, 20, 0},  {0, -20, 0}};
        for (const glm::vec3& place : places) {
            walls.push_back(std::make_unique<Geo::Wall>());
            walls.back()->setScale(glm::vec3(10.0f));
            walls.back()->setPosition(place);
            world.add(walls.back().get());
        }
        world.add(&bullet);
    }

    void step(int frame, std::mt19937& random) {
        std::uniform_int_distribution<int> pick(0, static_cast<int>(bricks.size()) - 1);
        if (frame % 37 == 5 && frame > quietFrames) shoot(*bricks[pick(random)]);
        if (frame % 53 == 20 && frame > quietFrames)
            world.blast(bricks[pick(random)]->getPosition(), kBlastRadius, kBlastSpeed);
        // Between passes a brick grows past a cell, leaving the grid, or shrinks back into it.
        if (frame % 41 == 7) {
            const float grow = frame % 82 == 7 ? 3.0f : 1.0f / 3.0f;
            bricks[pick(random)]->scale(glm::vec3(grow, 1.0f, 1.0f));
        }
        // The pair loop's scene takes a pass for each, as a step is described; the grid's takes
        // all three in its one walk.
        if (grid) {
            world.updateAndCollide(kDt, PhysicsWorld::Gravity::ApplyFirst);
            return;
        }
        world.applyGravity(kDt);
        for (auto& brick : bricks) brick->update(kDt);
        bullet.update(kDt);
        world.collideAll();
    }

    // A shot from the room's corner at a brick.
    void shoot(const Geo::GeoObjPhysics& target) {
        bullet.setPosition({-9.0f, 9.0f, 5.0f});
        bullet.velocity = (target.getPosition() - bullet.getPosition()) * 4.0f;
        bullet.visible = true;
        bullet.collider.setEnabled(true);
        bullet.asleep = false;
    }

    const bool grid;
    PhysicsWorld world;
    // Stacks are left to settle asleep before anything strikes them.
    int quietFrames = 0;
    CollisionLog log;
    std::vector<std::unique_ptr<LoggedBrick>> bricks;
    std::vector<std::unique_ptr<Geo::Wall>> walls;
    Geo::PlasmaBullet bullet;
};

// The state a step leaves, to the bit.
bool sameState(const Geo::GeoObjPhysics& a, const Geo::GeoObjPhysics& b) {
    const glm::vec3 pa = a.getPosition();
    const glm::vec3 pb = b.getPosition();
    return std::memcmp(&pa, &pb, sizeof pa) == 0 &&
           std::memcmp(&a.velocity, &b.velocity, sizeof a.velocity) == 0 && a.asleep == b.asleep &&
           a.atRest == b.atRest && a.restFrames == b.restFrames &&
           a.sleepers.size() == b.sleepers.size();
}

// Both scenes called onCollision alike since their logs were last cleared, and left every brick
// and the bullet alike.
testing::AssertionResult sameStep(const RandomScene& grid, const RandomScene& pairs) {
    if (grid.log.calls != pairs.log.calls) return testing::AssertionFailure() << "other collisions";
    for (std::size_t i = 0; i < grid.bricks.size(); ++i) {
        if (!sameState(*grid.bricks[i], *pairs.bricks[i]))
            return testing::AssertionFailure() << "brick " << i;
    }
    if (!sameState(grid.bullet, pairs.bullet)) return testing::AssertionFailure() << "the bullet";
    return testing::AssertionSuccess();
}

}  // namespace

using BroadPhaseTest = HeadlessTest;

TEST_F(BroadPhaseTest, TheGridsPassLeavesWhatThePairLoopLeaves) {
    struct Row {
        unsigned seed;
        int bricks;
        Layout layout;
        int steps;
    };
    const Row rows[] = {
        {1, 2, Layout::Scattered, 300},   {2, 40, Layout::Scattered, 400},
        {3, 300, Layout::Scattered, 300}, {4, 2000, Layout::Scattered, 100},
        {5, 64, Layout::Stacked, 400},    {6, 400, Layout::Stacked, 400},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.bricks << " bricks, seed " << row.seed);
        RandomScene grid(row.seed, row.bricks, row.layout, false);
        RandomScene pairs(row.seed, row.bricks, row.layout, true);
        std::mt19937 gridRandom(row.seed);
        std::mt19937 pairsRandom(row.seed);
        for (int frame = 0; frame < row.steps; ++frame) {
            grid.step(frame, gridRandom);
            pairs.step(frame, pairsRandom);
            ASSERT_TRUE(sameStep(grid, pairs)) << "frame " << frame;
            grid.log.calls.clear();
            pairs.log.calls.clear();
        }
        // Beyond a few dozen objects the grid's pass looks at a small share of the pairs.
        if (row.bricks >= 300) {
            EXPECT_LT(grid.world.pairsTested(), pairs.world.pairsTested() / 20);
        }
    }
}

// A brick moved to no place at all has a box that overlaps every other, as in the pair loop: no
// brick, however far from the room's walls, is spared its test against it.
TEST_F(BroadPhaseTest, ABrickAtNoPlaceIsMetByEveryOtherAsInThePairLoop) {
    constexpr unsigned kSeed = 9;
    constexpr int kBricks = 40;
    RandomScene grid(kSeed, kBricks, Layout::Scattered, false);
    RandomScene pairs(kSeed, kBricks, Layout::Scattered, true);
    std::mt19937 gridRandom(kSeed);
    std::mt19937 pairsRandom(kSeed);
    grid.step(0, gridRandom);
    pairs.step(0, pairsRandom);
    for (RandomScene* scene : {&grid, &pairs}) {
        scene->log.calls.clear();
        scene->bricks[3]->setPosition(glm::vec3(std::numeric_limits<float>::quiet_NaN()));
    }
    for (int frame = 1; frame < 20; ++frame) {
        grid.step(frame, gridRandom);
        pairs.step(frame, pairsRandom);
        ASSERT_TRUE(sameStep(grid, pairs)) << "frame " << frame;
    }
    EXPECT_GT(std::count(grid.log.calls.begin(), grid.log.calls.end(), 3), kBricks / 4);
}

// A sleeping heap that nothing awake comes near is looked at only where it meets the room.
TEST_F(BroadPhaseTest, ASleepingHeapCostsOnlyItsContactsWithTheRoom) {
    constexpr int kBricks = 1000;
    RandomScene scene(7, kBricks, Layout::Stacked, false);
    scene.world.setPairFinding(PhysicsWorld::PairFinding::Cheaper);
    for (auto& brick : scene.bricks) brick->fallAsleep();
    const std::uint64_t before = scene.world.pairsTested();
    scene.world.collideAll();
    const std::uint64_t tested = scene.world.pairsTested() - before;
    // The bottom layer on the floor and the walls' own rows; the bricks touching each other in
    // the heap alone would make thousands.
    EXPECT_LE(tested, kBricks / 10u);
}

// A brick that grows out of the grid between passes over a sleeping one listed before it: the
// sleeper's row, judged before the growth was seen, still meets it, as in the pair loop.
TEST_F(BroadPhaseTest, ABrickGrownOutOfTheGridStillMeetsTheSleeperListedBeforeIt) {
    std::vector<int> calls[2];
    for (const bool allPairs : {false, true}) {
        CollisionLog log;
        LoggedBrick sleeper(log, 0);
        LoggedBrick grower(log, 1);
        const float length = sleeper.collider.max.x - sleeper.collider.min.x;
        sleeper.fallAsleep();
        grower.setPosition({1.9f * length, 0.0f, 0.0f});
        PhysicsWorld world;
        world.setPairFinding(allPairs ? PhysicsWorld::PairFinding::AllPairs
                                      : PhysicsWorld::PairFinding::Grid);
        world.add(&sleeper);
        world.add(&grower);
        world.collideAll();
        grower.scale(glm::vec3(3.0f, 1.0f, 1.0f));
        world.collideAll();
        calls[allPairs] = log.calls;
        world.remove(&sleeper);
        world.remove(&grower);
    }
    EXPECT_FALSE(calls[1].empty());
    EXPECT_EQ(calls[0], calls[1]);
}
