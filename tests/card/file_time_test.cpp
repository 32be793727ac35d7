#include "card/file_time.h"

#include <gtest/gtest.h>

namespace {

using card::CivilTime;
using card::CivilToFileTime;
using card::FileTimeToCivil;

bool Same(const CivilTime& a, const CivilTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute && a.second == b.second && a.milliseconds == b.milliseconds;
}

TEST(FileTimeTest, KnownInstants) {
  struct Case {
    CivilTime civil;
    uint64_t ticks;
  };
  const Case cases[] = {
      {{1601, 1, 1, 0, 0, 0, 0}, 0},
      {{1601, 1, 1, 0, 0, 1, 0}, 10'000'000},
      {{1601, 1, 2, 0, 0, 0, 0}, 864'000'000'000},
      {{1970, 1, 1, 0, 0, 0, 0}, 116'444'736'000'000'000},  // the Unix epoch
      {{2009, 4, 1, 9, 5, 0, 0}, 128'830'503'000'000'000},
      {{2000, 2, 29, 23, 59, 59, 999}, 125'963'423'999'990'000},
      {{30827, 12, 31, 23, 59, 59, 999}, 9'223'149'887'999'990'000},  // the last instant the calendar holds
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CivilToFileTime(c.civil), c.ticks) << c.civil.year;
    EXPECT_TRUE(Same(FileTimeToCivil(c.ticks), c.civil)) << c.civil.year;
  }
}

TEST(FileTimeTest, RoundTripsEveryDayOfFourCenturies) {
  uint64_t previous = 0;
  for (int year = 1900; year < 2300; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int d = 1; d <= 31; ++d) {
        CivilTime civil{year, month, d, 12, 34, 56, 0};
        const std::optional<uint64_t> ticks = CivilToFileTime(civil);
        if (!ticks) continue;  // a day beyond its month
        ASSERT_TRUE(Same(FileTimeToCivil(*ticks), civil)) << year << "/" << month << "/" << d;
        ASSERT_EQ(*ticks - previous, previous == 0 ? *ticks : 864'000'000'000u)
            << year << "/" << month << "/" << d;
        previous = *ticks;
      }
    }
  }
}

TEST(FileTimeTest, RejectsTimesOutsideTheCalendar) {
  const CivilTime bad[] = {
      {1600, 12, 31, 23, 59, 59, 0}, {30828, 1, 1, 0, 0, 0, 0}, {2009, 13, 1, 0, 0, 0, 0},
      {2009, 0, 1, 0, 0, 0, 0},      {2009, 4, 31, 0, 0, 0, 0}, {2009, 2, 29, 0, 0, 0, 0},
      {1900, 2, 29, 0, 0, 0, 0},     {2009, 4, 0, 0, 0, 0, 0},  {2009, 4, 1, 24, 0, 0, 0},
      {2009, 4, 1, 0, 60, 0, 0},     {2009, 4, 1, 0, 0, 60, 0}, {2009, 4, 1, 0, 0, 0, 1000},
      {2009, 4, 1, -1, 0, 0, 0},
  };
  for (const CivilTime& c : bad) EXPECT_FALSE(CivilToFileTime(c)) << c.year << "/" << c.month << "/" << c.day;
  EXPECT_TRUE(CivilToFileTime({2000, 2, 29, 0, 0, 0, 0}));
  EXPECT_TRUE(CivilToFileTime({2008, 2, 29, 0, 0, 0, 0}));
}

}  // namespace
