#include <gtest/gtest.h>

#include "core/IMatrices.h"

using Geo::Data::IMatrices;

TEST(IMatrices, ScaleAndPositionCommute) {
    IMatrices a;
    a.setScale({3, 3, 3});
    a.setPosition({1, 2, 3});
    IMatrices b;
    b.setPosition({1, 2, 3});
    b.setScale({3, 3, 3});
    EXPECT_EQ(a.modelMatrix, b.modelMatrix);
    EXPECT_EQ(a.getScale(), glm::vec3(3, 3, 3));
    EXPECT_EQ(a.modelMatrix[3], glm::vec4(1, 2, 3, 1));
    EXPECT_EQ(a.modelMatrix[3][3], 1.0f);
}

TEST(IMatrices, TranslationIsInTheObjectsOwnScaledFrame) {
    IMatrices m;
    m.setScale({0.15f, 0.15f, 0.15f});
    m.translate({10, 0, 0});
    EXPECT_FLOAT_EQ(m.getPosition().x, 1.5f);
}

TEST(IMatrices, ScaleMultipliesTheCurrentScale) {
    IMatrices m;
    m.setPosition({4, 5, 6});
    m.setScale({3, 3, 3});
    m.scale({2, 2, 2});
    EXPECT_EQ(m.getScale(), glm::vec3(6, 6, 6));
    EXPECT_EQ(m.getPosition(), glm::vec3(4, 5, 6));
}

TEST(IMatrices, MatricesLieConsecutivelyForTheUpload) {
    IMatrices m;
    EXPECT_EQ(reinterpret_cast<const char*>(&m.modelViewMatrix),
              reinterpret_cast<const char*>(&m.modelMatrix) + sizeof(glm::mat4));
    EXPECT_EQ(reinterpret_cast<const char*>(&m.mvpMatrix),
              reinterpret_cast<const char*>(&m.modelMatrix) + 2 * sizeof(glm::mat4));
}
