#include "image/distance_field.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>

#include "float_bits.hpp"

namespace {

using namespace float_bits;

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
    for (int column = 0; column < image_size; column++) counts[pixel_value<float>(column, row)]++;
  EXPECT_EQ(seed, 98219165);
  EXPECT_EQ(counts[0], 7463);
  EXPECT_EQ(counts[31], 13130);
  EXPECT_EQ(counts[255], 1197);
}

#if LANES_AVAILABLE
using Lanes = lanes::Floats<6>;

// Rays from random points, inside the circles included, in random directions:
// every lane gives the light of its own ray whatever the other lanes do.
TEST(DistanceField, LanesTraceEveryRayAsAlone) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<float> coordinate(-0.5f, 1.5f);
  std::uniform_real_distribution<float> angle(0.0f, two_pi);
  int hits = 0;
  for (int round = 0; round < 2000; round++) {
    float x = coordinate(gen);
    float y = coordinate(gen);
    Lanes a = 0.0f;
    for (int lane = 0; lane < lanes::count<Lanes>; lane++) lanes::set_lane(a, lane, angle(gen));
    Lanes c = my_cos(a);
    Lanes s = my_sin(a);
    Lanes light = trace(Lanes(x), Lanes(y), c, s);
    Lanes root = my_sqrt(a);
    for (int lane = 0; lane < lanes::count<Lanes>; lane++) {
      float alone = lanes::lane(a, lane);
      ASSERT_EQ(bits(lanes::lane(c, lane)), bits(my_cos(alone)));
      ASSERT_EQ(bits(lanes::lane(s, lane)), bits(my_sin(alone)));
      ASSERT_EQ(bits(lanes::lane(root, lane)), bits(my_sqrt(alone)));
      float expected = trace(x, y, my_cos(alone), my_sin(alone));
      ASSERT_EQ(bits(lanes::lane(light, lane)), bits(expected)) << x << " " << y << " " << alone;
      hits += expected == 3.0f;
    }
  }
  EXPECT_GT(hits, 1000);  // the light was hit often, and missed often
  EXPECT_LT(hits, 40000);
}

// The whole image both ways: the same value for every pixel, and the
// generator in the same state after each one.
TEST(DistanceField, LanesRenderTheSameImage) {
  int plain[image_size][image_size];
  int plain_seed[image_size];
  seed = 0;
  for (int row = 0; row < image_size; row++) {
    for (int column = 0; column < image_size; column++)
      plain[row][column] = pixel_value<float>(column, row);
    plain_seed[row] = seed;
  }
  seed = 0;
  for (int row = 0; row < image_size; row++) {
    for (int column = 0; column < image_size; column++)
      ASSERT_EQ(pixel_value<Lanes>(column, row), plain[row][column]) << column << " " << row;
    ASSERT_EQ(seed, plain_seed[row]);
  }
}
#endif

}  // namespace
