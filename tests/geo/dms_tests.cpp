#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geo/dms.h"

namespace geo {
namespace {

TEST(DmsTest, SplitIntoFieldTexts) {
  struct Case {
    float value;
    int degrees, minutes;
    const char* seconds;
  };
  const Case cases[] = {
      {135.5f, 135, 30, "0.0"},  {35.0f, 35, 0, "0.0"},
      {139.75f, 139, 45, "0.0"}, {35.25f + 1.0f / 3600, 35, 15, "1.0"},
      {19.0f, 19, 0, "0.0"},
  };
  for (const Case& c : cases) {
    Dms dms = SplitDms(c.value);
    EXPECT_EQ(dms.degrees, c.degrees) << c.value;
    EXPECT_EQ(dms.minutes, c.minutes) << c.value;
    EXPECT_EQ(SecondsText(dms.seconds), c.seconds) << c.value;
  }
}

// A float just above 35 degrees whose seconds come out between 0.55 and 0.6.
TEST(DmsTest, HalfSecondRuleShowsSecondsJustOverHalfAsZero) {
  const float value = 35.0001564f;
  Dms plain = SplitDms(value);
  ASSERT_GT(plain.seconds, 0.55f);
  ASSERT_LT(plain.seconds, 0.6f);
  EXPECT_EQ(SecondsText(plain.seconds), "0.6");

  Dms ruled = SplitDmsHalfSecondRule(value);
  EXPECT_EQ(ruled.degrees, 35);
  EXPECT_EQ(ruled.minutes, 0);
  EXPECT_EQ(SecondsText(ruled.seconds), "0.0");
}

TEST(DmsTest, HalfSecondRuleBounds) {
  struct Case {
    float seconds, expected;
  };
  const Case cases[] = {
      {0.5f, 0.5f},   {std::nextafter(0.5f, 1.0f), 0.0f},
      {0.55f, 0.0f},  {std::nextafter(0.6f, 0.0f), 0.0f},
      {0.6f, 0.6f},   {0.0f, 0.0f},
      {1.55f, 1.55f}, {59.5f, 59.5f},
  };
  for (const Case& c : cases) EXPECT_EQ(ApplyHalfSecondRule(c.seconds), c.expected) << c.seconds;
}

TEST(DmsTest, CompositionAndBackGiveTheSameTexts) {
  struct Case {
    int degrees, minutes;
    double seconds;
    const char* seconds_text;
  };
  const Case cases[] = {
      {135, 30, 0.0, "0.0"},   {134, 59, 49.9, "49.9"}, {35, 0, 11.7, "11.7"},
      {139, 45, 30.5, "30.5"}, {43, 3, 59.1, "59.1"},
  };
  for (const Case& c : cases) {
    float value = ComposeDms(c.degrees, c.minutes, c.seconds);
    EXPECT_NEAR(value, c.degrees + c.minutes / 60.0 + c.seconds / 3600.0, 1e-5) << c.seconds_text;
    Dms back = SplitDms(value);
    EXPECT_EQ(back.degrees, c.degrees) << c.seconds_text;
    EXPECT_EQ(back.minutes, c.minutes) << c.seconds_text;
    EXPECT_EQ(SecondsText(back.seconds), c.seconds_text);
  }
  EXPECT_EQ(ComposeDms(135, 30, 0.0), 135.5f);
}

TEST(DmsTest, ValidAreaIncludesItsBounds) {
  struct Case {
    float longitude, latitude;
    bool valid;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {
      {122.0f, 19.0f, true},
      {154.0f, 47.0f, true},
      {135.0f, 35.0f, true},
      {std::nextafter(122.0f, 0.0f), 35.0f, false},
      {std::nextafter(154.0f, 200.0f), 35.0f, false},
      {135.0f, std::nextafter(19.0f, 0.0f), false},
      {135.0f, std::nextafter(47.0f, 90.0f), false},
      {0.0f, 0.0f, false},
      {nan, 35.0f, false},
      {135.0f, nan, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(InValidArea(c.longitude, c.latitude), c.valid) << c.longitude << "," << c.latitude;
}

}  // namespace
}  // namespace geo
