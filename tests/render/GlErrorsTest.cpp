#include <gtest/gtest.h>

#include "render/GlErrors.h"
#include "tests/support/GlContext.h"

namespace {

// No texture target has this number: binding to it sets GL_INVALID_ENUM.
constexpr GLenum kNotATarget = 0x1234;

using GlErrorsTest = GlTest;

}  // namespace

TEST_F(GlErrorsTest, TakingGivesTheErrorAndLeavesTheDriverClean) {
    EXPECT_EQ(GLUtils::takeGlErrors(), static_cast<GLenum>(GL_NO_ERROR));
    glBindTexture(kNotATarget, 0);
    EXPECT_EQ(GLUtils::takeGlErrors(), static_cast<GLenum>(GL_INVALID_ENUM));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GlErrorReads, EveryFrameWhereReadsAreCheapAndNowAndThenWhereTheyStall) {
    struct Row {
        int frame;
        bool readsStall;
        bool due;
    };
    const Row rows[] = {
        {1, false, true},   {61, false, true}, {121, false, true}, {1, true, true},
        {60, true, true},   {61, true, false}, {119, true, false}, {120, true, true},
        {121, true, false}, {240, true, true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(GLUtils::isErrorReadDue(row.frame, row.readsStall), row.due)
            << "frame " << row.frame << (row.readsStall ? " where reads stall" : "");
    }
}
