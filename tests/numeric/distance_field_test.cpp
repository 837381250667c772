#include "image/distance_field.hpp"

#include <gtest/gtest.h>

namespace {

using namespace distance_field;

TEST(DistanceField, GeneratorStartsWithTheKnownValues) {
  seed = 0;
  const int expected[] = {23333, 44961499, 35406759, 94463328, 55207106};
  for (int value : expected) EXPECT_EQ(distance_field::rand(), value);
}

// A product that wraps negative is brought back by one addition.
TEST(DistanceField, GeneratorStaysInRange) {
  const int starts[] = {1, 107, 99999999, 100000006, 2147483647};
  for (int start : starts) {
    seed = start;
    for (int i = 0; i < 1000; i++) {
      int value = distance_field::rand();
      ASSERT_GE(value, 0);
      ASSERT_LT(value, 100000007);
    }
  }
}

// At a centre the square root of 0 is 0.5 halved ten times, not 0.
TEST(DistanceField, SceneTakesTheNearerCircle) {
  float res[2];
  scene(0.4f, 0.4f, res);  // centre of the light
  EXPECT_EQ(res[0], 0x1p-11f - 0.1f);
  EXPECT_EQ(res[1], 3.0f);
  scene(0.6f, 0.6f, res);
  EXPECT_EQ(res[0], 0x1p-11f - 0.05f);
  EXPECT_EQ(res[1], 0.0f);
}

TEST(DistanceField, RayIntoTheLightHitsIt) {
  EXPECT_EQ(trace(0.2f, 0.4f, 1.0f, 0.0f), 3.0f);
  EXPECT_EQ(trace(0.2f, 0.4f, -1.0f, 0.0f), 0.0f);  // leaves the scene
}

// The whole image in printing order: 24 draws per pixel, and the known state
// and value counts at the end.
TEST(DistanceField, WholeImageConsumesTheGeneratorExactly) {
  seed = 0;
  int counts[256] = {};
  for (int row = 0; row < image_size; row++)
    for (int column = 0; column < image_size; column++) counts[pixel_value(column, row)]++;
  EXPECT_EQ(seed, 98219165);
  EXPECT_EQ(counts[0], 7463);
  EXPECT_EQ(counts[31], 13130);
  EXPECT_EQ(counts[255], 1197);
}

}  // namespace
