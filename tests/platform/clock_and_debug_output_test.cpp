#include <gtest/gtest.h>
#include <time.h>

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "tests/support/fake_services.h"

namespace {

TEST(SystemClock, NowIsTheHostsLocalTime) {
  platform::SystemClock clock;
  time_t before = time(nullptr);
  platform::LocalTime now = clock.Now();
  time_t after = time(nullptr);
  EXPECT_GE(now.month, 1);
  EXPECT_LE(now.month, 12);
  EXPECT_GE(now.milliseconds, 0);
  EXPECT_LE(now.milliseconds, 999);
  tm fields{};
  fields.tm_year = now.year - 1900;
  fields.tm_mon = now.month - 1;
  fields.tm_mday = now.day;
  fields.tm_hour = now.hour;
  fields.tm_min = now.minute;
  fields.tm_sec = now.second;
  fields.tm_isdst = -1;
  time_t back = mktime(&fields);  // local fields back to a moment
  EXPECT_GE(back, before - 1);
  EXPECT_LE(back, after);
  EXPECT_EQ(fields.tm_wday, now.day_of_week);
  clock.Sleep(0);  // returns at once
}

TEST(FakeClock, RecordsPausesAndKeepsItsTime) {
  testing_support::FakeClock clock;
  platform::Clock& as_clock = clock;
  as_clock.Sleep(100);
  as_clock.Sleep(1000);
  EXPECT_EQ(clock.pauses, (std::vector<unsigned>{100, 1000}));
  EXPECT_EQ(as_clock.Now().year, clock.now.year);
  EXPECT_EQ(as_clock.Now().second, clock.now.second);
}

TEST(StderrDebugOutput, WritesTheTextAsItIs) {
  platform::StderrDebugOutput output;
  testing::internal::CaptureStderr();
  output.Write("GetDeskTopDriveList.....\n");
  output.Write("no line end");
  output.Write(nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "GetDeskTopDriveList.....\nno line end");
}

}  // namespace
