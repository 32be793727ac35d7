// Opening the destination page: what the fields show for the points of the route file.
#include <gtest/gtest.h>

#include <algorithm>

#include "geo/datum.h"
#include "geo/dms.h"
#include "geo/map_units.h"
#include "tests/pages/page_fixture.h"

namespace pages {
namespace {

using Texts = std::vector<std::u16string>;
const Texts kAbsent = {u"0", u"0", u"0.0", u"0", u"0", u"0.0"};

// Captures the trace lines of the window's log.
std::vector<std::string>* g_trace = nullptr;
void CaptureTrace(CLog&, const char* text) {
  if (g_trace != nullptr) g_trace->push_back(text);
}

// The first Tokyo x (at latitude y) from `x` on whose WGS84 longitude seconds satisfy `wanted`.
template <class Wanted>
int32_t FindLongitudeUnits(int32_t x, int32_t y, Wanted wanted) {
  for (;; ++x) {
    float lon = 0, lat = 0;
    geo::Bessel2WGS(geo::LongitudeFromUnits(x), geo::LatitudeFromUnits(y), lon, lat);
    if (wanted(geo::SplitDms(lon).seconds)) return x;
  }
}

class DestinationLoadTest : public PageTest {};

TEST_F(DestinationLoadTest, PresentPointsShowTheirNameAndWgs84Position) {
  // Tokyo 135 E, 35 N is 134°59'49.9" and 35°0'11.7" in WGS84.
  testing_support::RouteFileContent content =
      DestinationOnly(1, 10800000, 4200000, testing_support::Sjis("自宅"));
  content.waypoint_flag = 3;
  content.waypoint_x = 10800000;
  content.waypoint_y = 4200000;
  content.waypoint_name = "Shop";
  card.RouteFile(content);
  StartOnDestinationPage();
  EXPECT_EQ(driver->PageShown("nbMainMenu"), TFNaviEdit::kDestinationPage);
  EXPECT_EQ(driver->TextOf("edDesName"), u"自宅");
  EXPECT_EQ(Fields("edDes"), (Texts{u"134", u"59", u"49.9", u"35", u"0", u"11.7"}));
  EXPECT_EQ(driver->TextOf("edPassName"), u"Shop");
  EXPECT_EQ(Fields("edPass"), (Texts{u"134", u"59", u"49.9", u"35", u"0", u"11.7"}));
  EXPECT_EQ(driver->TextOf("edDesMapCode"), u"");
  ASSERT_EQ(window->lvDes->Count(), 1);
  EXPECT_EQ(window->lvDes->Item(0)->caption, u"1");
  EXPECT_EQ(window->lvPass->Count(), 1);
  EXPECT_FLOAT_EQ(window->m_pntDes.x, 10800000);
  EXPECT_FLOAT_EQ(window->m_pntPass.y, 4200000);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(DestinationLoadTest, AbsentOrOutOfAreaPointsShowZeros) {
  struct Case {
    const char* what;
    uint8_t flag;
    std::string name;
    int32_t x, y;
    std::u16string_view shown_name;
  };
  const Case cases[] = {
      {"set flag 1 with an empty name", 1, "", 10800000, 4200000, u""},
      {"set flag 0 with a name", 0, "Home", 10800000, 4200000, u""},
      {"Tokyo longitude 121.9", 1, "Home", 9752000, 4200000, u"Home"},
      {"Tokyo latitude 47.01", 1, "Home", 10800000, 5641200, u"Home"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    card.RouteFile(DestinationOnly(c.flag, c.x, c.y, c.name));
    StartOnDestinationPage();
    EXPECT_EQ(driver->TextOf("edDesName"), c.shown_name);
    EXPECT_EQ(Fields("edDes"), kAbsent);
    // The stored position is kept whether or not the point is shown.
    EXPECT_FLOAT_EQ(window->m_pntDes.x, static_cast<float>(c.x));
  }
}

TEST_F(DestinationLoadTest, SecondsBetweenHalfAndSixTenthsShowAsZero) {
  const int32_t y = 4200000;
  const int32_t in_rule = FindLongitudeUnits(10800000, y, [](float s) { return s > 0.5f && s < 0.6f; });
  const int32_t at_six = FindLongitudeUnits(in_rule, y, [](float s) { return s >= 0.6f && s < 0.65f; });
  for (auto [x, seconds] : {std::pair{in_rule, u"0.0"}, std::pair{at_six, u"0.6"}}) {
    card.RouteFile(DestinationOnly(1, x, y, "P"));
    StartOnDestinationPage();
    EXPECT_EQ(driver->TextOf("edDesNSec"), seconds) << x;
  }
}

TEST_F(DestinationLoadTest, TokyoJustInsideWgs84JustOutsideLoadsAndRegistersAbsent) {
  // Tokyo 122.0000125 E lies in the area; its WGS84 longitude is some seconds below 122.
  card.RouteFile(DestinationOnly(1, 122 * 80000 + 1, 24 * 120000, "Edge"));
  StartOnDestinationPage();
  EXPECT_EQ(driver->TextOf("edDesName"), u"Edge");
  EXPECT_EQ(driver->TextOf("edDesNDeg"), u"121");
  EXPECT_EQ(driver->TextOf("edDesNMin"), u"59");

  Register();
  const card::AdbImage stored = ReadBackRoute();
  EXPECT_EQ(card::RouteSetFlag(stored, card::RoutePoint::Destination), 0);
  EXPECT_EQ(card::RouteX(stored, card::RoutePoint::Destination), 0);
  EXPECT_EQ(card::RouteY(stored, card::RoutePoint::Destination), 0);
  EXPECT_EQ(card::RouteName(stored, card::RoutePoint::Destination), "");
}

TEST_F(DestinationLoadTest, TracesTheLoadOfTheDestination) {
  std::vector<std::string> trace;
  g_trace = &trace;
  log.SetMask(CLog::kCallback);
  log.SetCallback(CaptureTrace);
  card.RouteFile(DestinationOnly(1, 10800000, 4200000, "P"));
  StartOnDestinationPage();
  g_trace = nullptr;
  std::vector<std::string> lines;
  for (const std::string& piece : trace) {
    if (!piece.empty()) lines.push_back(piece);
  }
  auto at = std::find(lines.begin(), lines.end(), "ReadAdb.....\n");
  ASSERT_NE(at, lines.end());
  const std::vector<std::string> expected = {
      "ReadAdb.....\n",
      "m_pntDes.x : 10800000.000000, m_pntDes.y : 4200000.000000 \n",
      "135.000000, 35.000000 \n",
  };
  ASSERT_GE(lines.end() - at, 6);
  EXPECT_EQ(std::vector<std::string>(at, at + 3), expected);
  EXPECT_EQ(at[3].rfind("Bessel2WGS, 134.99", 0), 0u) << at[3];
  EXPECT_EQ(at[4].rfind("nDeg1 : 35, nMin1 : 0 , nSec1 : 11.68", 0), 0u) << at[4];
  EXPECT_EQ(at[5].rfind("nDeg2 : 134, nMin2 : 59 , nSec2 : 49.89", 0), 0u) << at[5];
  // The waypoint is loaded without trace lines.
  EXPECT_EQ(lines.end() - at, 6);
}

TEST_F(DestinationLoadTest, UnreadableRouteFilesShowThePreviousImageAndNoMessage) {
  auto with = [](auto change) {
    testing_support::RouteFileContent content = DestinationOnly(1, 10800000, 4200000, "P");
    change(content);
    return content;
  };
  struct Case {
    const char* what;
    testing_support::RouteFileContent content;
    bool write_file;
  };
  const Case cases[] = {
      {"missing", {}, false},
      {"wrong identity", with([](auto& c) { c.identity = "abcdefghi"; }), true},
      {"wrong magic", with([](auto& c) { c.magic = "XXXX"; }), true},
      {"short", with([](auto& c) { c.length = 600; }), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.write_file) card.RouteFile(c.content);
    StartOnDestinationPage();
    EXPECT_EQ(Fields("edDes"), kAbsent);
    EXPECT_EQ(driver->TextOf("edDesName"), u"");
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(window->m_hAdb.IsOpen());
    // A missing route file is not created.
    EXPECT_EQ(card.Exists(kRouteFile), c.write_file);
  }
}

}  // namespace
}  // namespace pages
