// Sky domes: band writers and shapes, star point sizes, the Earth dome's
// clamps, star fading, the one roll at the zenith and its sun bands ending
// exactly at the zenith.
#include <gtest/gtest.h>

#include "object_recording.h"
#include "scene3d/sky/earth_sky_dome.h"
#include "scene_fixture.h"

namespace {

using SkyDomes = SceneTest;

std::vector<double> PointSizes(const RecordedBuild& build) {
  std::vector<double> sizes;
  for (const RecordedCall& c : build.calls)
    if (c.name == "glPointSize") sizes.push_back(c.args[0]);
  return sizes;
}

TEST_F(SkyDomes, BandWritersAndShapes) {
  TGLSkyDome dome(nullptr);
  ASSERT_EQ(dome.Bands().Count(), 2);
  EXPECT_EQ(RecordedBuild(dome).primitives.size(), 5u);  // one strip, three strips and the top fan

  TSkyDomeBand& band = dome.Bands().Items(0);
  band.SetStartAngle(30);  // above its stop of 15
  EXPECT_EQ(band.StopAngle(), 30);
  band.SetStopAngle(-100);
  EXPECT_EQ(band.StopAngle(), -90);
  EXPECT_EQ(band.StartAngle(), -90);
  band.SetSlices(1);
  EXPECT_EQ(band.Slices(), 3);
  dome.Bands().Delete(1);
  EXPECT_EQ(RecordedBuild(dome).VertexCount(), 0);  // equal angles draw nothing

  band.SetStopAngle(90);  // pole to pole: one fan from the lower pole
  const RecordedBuild whole(dome);
  ASSERT_EQ(whole.primitives.size(), 1u);
  EXPECT_EQ(whole.primitives[0].mode, unsigned(GL_TRIANGLE_FAN));
  ASSERT_EQ(whole.primitives[0].vertices.size(), 5u);
  EXPECT_EQ(whole.primitives[0].vertices[0].position[2], -1);
}

TEST_F(SkyDomes, StarSizesFollowMagnitude) {
  TGLSkyDome dome(nullptr);
  dome.Bands().Clear();
  for (const float magnitude : {4.0f, 3.9f, -1.0f, 3.0f}) dome.Stars().Add()->Magnitude = magnitude;
  // 4 and 3.9 share the floor size; -1 gets 5.5; 3 (exactly the floor) drops back to it.
  EXPECT_EQ(PointSizes(RecordedBuild(dome)), (std::vector<double>{1.5, 5.5, 1.5, 1.0}));
}

TEST_F(SkyDomes, EarthDomeClampsAndFadesStars) {
  TGLEarthSkyDome dome(nullptr);
  EXPECT_EQ(dome.Bands().Count(), 0);
  const struct { float set, stored; } turbidity[] = {{200, 120}, {0, 1}, {40, 40}};
  for (const auto& c : turbidity) {
    dome.SetTurbidity(c.set);
    EXPECT_EQ(dome.Turbidity(), c.stored);
  }
  dome.Stars().Add()->RA = 10;
  dome.SetExtendedOptions(esoFadeStarsWithSun);
  const struct {
    float elevation;
    TSkyColorRef color;
  } fading[] = {{90, SkyRGB(0, 0, 0)}, {0, SkyRGB(255, 255, 255)}, {-30, SkyRGB(255, 255, 255)}};
  for (const auto& c : fading) {
    dome.SetSunElevation(c.elevation);
    EXPECT_EQ(dome.Stars().Items(0).Color, c.color) << c.elevation;
  }

  dome.SetExtendedOptions(esoRotateOnTwelveHours);
  dome.SetSunElevation(120);  // clamped to 90: one roll
  EXPECT_EQ(dome.Stars().Items(0).RA, 190);
  dome.SkyColor().SetColor({1, 0, 0, 0});
  dome.SetSunElevation(90);
  EXPECT_EQ(dome.Stars().Items(0).RA, 190);

  dome.SetSlices(7);  // three azimuths a side and the one towards the sun
  dome.SetStacks(1);
  dome.Stars().Clear();
  const RecordedBuild build(dome);
  ASSERT_EQ(build.primitives.size(), 2u);
  EXPECT_EQ(build.primitives[1].vertices.size(), 8u);  // the deep cap: the nadir and 7 ring points
}

TEST_F(SkyDomes, SunBandsEndExactlyAtTheZenith) {
  TGLEarthSkyDome dome(nullptr);
  for (const float sun : {75.0f, 30.0f, 1.0f, -20.0f})
    for (int stacks = 2; stacks <= 25; ++stacks) {
      dome.SetSunElevation(sun);
      dome.SetStacks(stacks);
      const std::vector<float> tops = dome.BandElevations();
      ASSERT_EQ(tops.size(), std::size_t(stacks));
      EXPECT_EQ(tops.back(), 90) << sun << " " << stacks;
      for (std::size_t i = 1; i < tops.size(); ++i) EXPECT_LE(tops[i - 1], tops[i]) << sun << " " << stacks;
    }
}

}  // namespace
