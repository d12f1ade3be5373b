#include "tests/support/ReplayRun.h"

#include <gtest/gtest.h>

#include <sstream>

#include "scene/BrickWallScene.h"
#include "tests/support/FreshState.h"

namespace {

Script::Script parsed(const std::string& text) {
    std::istringstream in(text);
    return Script::parse(in, "replay.rec");
}

}  // namespace

ReplayRun::ReplayRun(const Script::Script& recording) {
    startAfresh();
    session.startReplay(recording);
    RunConfig config;
    config.drawing = false;
    config.session = &session;
    EXPECT_TRUE(run.start(config));
}

ReplayRun::ReplayRun(const std::string& text) : ReplayRun(parsed(text)) {}

ReplayRun::~ReplayRun() {
    if (run.isRunning()) run.finish();
}

void ReplayRun::frames(int count) {
    for (int i = 0; i < count; ++i) run.frame();
}

void ReplayRun::toTheEnd() {
    playToTheEnd(run);
}

std::vector<glm::vec3> ReplayRun::bricks() {
    std::vector<glm::vec3> positions;
    for (const Geo::Brick& brick : run.scene().bricks) positions.push_back(brick.getPosition());
    return positions;
}
