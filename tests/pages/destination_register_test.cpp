// Registering and deleting the destination and the waypoint, down to the bytes of the
// route file on the card.
#include <gtest/gtest.h>

#include <set>

#include "geo/datum.h"
#include "geo/dms.h"
#include "geo/map_units.h"
#include "pages/messages.h"
#include "platform/text.h"
#include "tests/pages/page_fixture.h"
#include "tests/support/boundary_builder.h"
#include "tests/support/map_code_builder.h"

namespace pages {
namespace {

using card::RoutePoint;
using Texts = std::vector<std::u16string>;

constexpr size_t kBlock0 = 512;
const std::vector<unsigned> kRegisterPauses = {100, 100, 100, 100, 100, 100, 1000};
const std::vector<unsigned> kDeletePauses = {100, 100, 100, 100, 100, 100};

struct Units {
  int32_t x, y;
};
// Where a WGS84 position typed as degrees, minutes, seconds is stored.
Units StoredUnits(int lon_d, int lon_m, double lon_s, int lat_d, int lat_m, double lat_s) {
  float tokyo_lon = 0, tokyo_lat = 0;
  geo::WGS2Bessel(geo::ComposeDms(lon_d, lon_m, lon_s), geo::ComposeDms(lat_d, lat_m, lat_s), tokyo_lon,
                  tokyo_lat);
  return {geo::LongitudeToUnits(tokyo_lon), geo::LatitudeToUnits(tokyo_lat)};
}

// Offsets of the file that a register may change: block 0's flags, x, y and name bytes.
std::set<size_t> PointFieldOffsets(size_t name_bytes) {
  std::set<size_t> offsets = {kBlock0 + 7, kBlock0 + 8};
  for (size_t base : {24, 28, 64, 68}) {
    for (size_t i = 0; i < 4; ++i) offsets.insert(kBlock0 + base + i);
  }
  for (size_t i = 0; i <= name_bytes; ++i) offsets.insert(kBlock0 + 136 + i);
  offsets.insert(kBlock0 + 1673);
  return offsets;
}

class DestinationRegisterTest : public PageTest {
 protected:
  // A prefecture with one area around Tokyo station (Tokyo datum).
  void BoundaryFile() {
    testing_support::BoundaryFileBuilder file;
    file.fine_shift = 4;
    file.prefectures.push_back(
        {u"東京都",
         {{u"千代田区", testing_support::RectangleOutline(11150000, 4250000, 11250000, 4300000)}}});
    card.WriteFile("Navi/Data/prefecture.mzb", file.Bytes());
  }
  // Both points present.
  static testing_support::RouteFileContent Route() {
    testing_support::RouteFileContent content = DestinationOnly(1, 10800000, 4200000, "Home");
    content.waypoint_flag = 1;
    content.waypoint_x = 11000000;
    content.waypoint_y = 4100000;
    content.waypoint_name = "Shop";
    return content;
  }
};

TEST_F(DestinationRegisterTest, RegisterStoresTheTokyoUnitsAndChangesOnlyBlockZerosFields) {
  testing_support::RouteFileContent content{};  // both points absent, x and y 0
  card.RouteFile(content);
  const std::string before = RouteBytes();
  StartOnDestinationPage();
  driver->Enter(*window->edDesName, u"自宅");
  TypeFields("edDes", {u"139", u"45", u"30.0", u"35", u"40", u"0.0"});
  platform.clock.pauses.clear();
  Register();

  const std::string after = RouteBytes();
  ASSERT_EQ(after.size(), before.size());
  const std::set<size_t> may_change = PointFieldOffsets(testing_support::Sjis("自宅").size());
  for (size_t i = 0; i < after.size(); ++i) {
    if (!may_change.count(i)) {
      ASSERT_EQ(after[i], before[i]) << "offset " << i;
    }
  }
  const card::AdbImage stored = ReadBackRoute();
  const Units expected = StoredUnits(139, 45, 30.0, 35, 40, 0.0);
  EXPECT_EQ(card::RouteSetFlag(stored, RoutePoint::Destination), 1);
  EXPECT_EQ(card::RouteX(stored, RoutePoint::Destination), expected.x);
  EXPECT_EQ(card::RouteY(stored, RoutePoint::Destination), expected.y);
  // Tokyo lies east and south of WGS84 here: about 11.6 seconds more longitude, 11.6 less latitude.
  const double lon_shift = expected.x / 80000.0 - (139 + 45 / 60.0 + 30 / 3600.0);
  const double lat_shift = expected.y / 120000.0 - (35 + 40 / 60.0);
  EXPECT_GT(lon_shift * 3600, 8);
  EXPECT_LT(lon_shift * 3600, 14);
  EXPECT_LT(lat_shift * 3600, -9);
  EXPECT_GT(lat_shift * 3600, -13);
  EXPECT_EQ(card::RouteName(stored, RoutePoint::Destination), testing_support::Sjis("自宅"));
  // The untouched waypoint ("0" everywhere) stays absent.
  EXPECT_EQ(card::RouteSetFlag(stored, RoutePoint::Waypoint), 0);
  EXPECT_EQ(platform.clock.pauses, kRegisterPauses);
  EXPECT_FLOAT_EQ(window->m_pntDes.x, static_cast<float>(expected.x));

  ASSERT_EQ(Messages(), (Texts{kAskRegister}));
  EXPECT_EQ(platform.message_box.shown[0].caption, "");
  EXPECT_EQ(platform.message_box.shown[0].buttons, platform::MessageButtons::YesNo);
  EXPECT_FALSE(window->PanelMessage1->Visible());
  EXPECT_EQ(window->stMessage1->Caption(), kWritingDone);
  // The file is held again for the next register.
  EXPECT_TRUE(window->m_hAdb.IsOpen());
}

// Captures the trace lines of the window's log.
std::vector<std::string>* g_trace = nullptr;
void CaptureTrace(CLog&, const char* text) {
  if (g_trace != nullptr && *text != 0) g_trace->push_back(text);
}

TEST_F(DestinationRegisterTest, RegisterTracesTheDestinationAsRead) {
  card.RouteFile(Route());
  StartOnDestinationPage();
  TypeFields("edDes", {u"139", u"45", u"30.0", u"35", u"40", u"0.0"});
  std::vector<std::string> trace;
  g_trace = &trace;
  log.SetMask(CLog::kCallback);
  log.SetCallback(CaptureTrace);
  Register();
  g_trace = nullptr;
  const std::vector<std::string> expected = {
      "nDeg1 : 35, nMin1 : 40 , nSec1 : 0.000000\n",
      "nDeg2 : 139, nMin2 : 45 , nSec2 : 30.000000\n",
      "nDeg2 :  139  nMin2 :45 nSec2 :30.0 \n nDeg1 : 35 nMin1 : 40 nSec1 : 0.0\n",
  };
  ASSERT_EQ(trace.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(trace.begin(), trace.begin() + 3), expected);
  EXPECT_EQ(trace[3].rfind("139.758", 0), 0u) << trace[3];
  EXPECT_NE(trace[3].find(" 35.666"), std::string::npos) << trace[3];
}

TEST_F(DestinationRegisterTest, UnnamedPointTakesThePlaceNameOrStaysUnnamedOutsideEveryArea) {
  BoundaryFile();
  card.RouteFile(Route());
  StartOnDestinationPage();
  driver->Paste(*window->edDesName, u"");
  TypeFields("edDes", {u"139", u"45", u"30.0", u"35", u"40", u"0.0"});
  driver->Paste(*window->edPassName, u"");
  TypeFields("edPass", {u"130", u"0", u"0.0", u"33", u"0", u"0.0"});
  Register();

  const card::AdbImage stored = ReadBackRoute();
  EXPECT_EQ(card::RouteName(stored, RoutePoint::Destination), testing_support::Sjis("東京都千代田区"));
  EXPECT_EQ(card::RouteSetFlag(stored, RoutePoint::Destination), 1);
  EXPECT_EQ(card::RouteName(stored, RoutePoint::Waypoint), "");
  EXPECT_EQ(card::RouteSetFlag(stored, RoutePoint::Waypoint), 1);

  // An unnamed point loads as absent.
  driver->Click(*window->btnGoManu);
  OpenDestinationPage();
  EXPECT_EQ(driver->TextOf("edDesName"), u"東京都千代田区");
  EXPECT_EQ(Fields("edPass"), (Texts{u"0", u"0", u"0.0", u"0", u"0", u"0.0"}));
}

TEST_F(DestinationRegisterTest, AnsweringNoWritesNothing) {
  card.RouteFile(Route());
  const std::string before = RouteBytes();
  StartOnDestinationPage();
  TypeFields("edDes", {u"140", u"1", u"2.0", u"36", u"3", u"4.0"});
  platform.clock.pauses.clear();
  Register(platform::MessageAnswer::No);
  Delete(*window->btnDesDelete, platform::MessageAnswer::No);
  EXPECT_EQ(RouteBytes(), before);
  EXPECT_TRUE(platform.clock.pauses.empty());
  EXPECT_FALSE(window->PanelMessage1->Visible());
  EXPECT_EQ(Fields("edDes"), (Texts{u"140", u"1", u"2.0", u"36", u"3", u"4.0"}));
  EXPECT_EQ(driver->TextOf("edDesName"), u"Home");
}

TEST_F(DestinationRegisterTest, DeleteClearsThePointAndWritesTheOtherAsLastRead) {
  card.RouteFile(Route());
  StartOnDestinationPage();
  const Texts shown_destination = Fields("edDes");
  // Typed into the destination and not registered: the waypoint's delete does not save it.
  TypeFields("edDes", {u"140", u"1", u"2.0", u"36", u"3", u"4.0"});
  driver->Enter(*window->edDesName, u"Typed");
  driver->Paste(*window->edPassMapCode, u"123");
  platform.clock.pauses.clear();
  Delete(*window->btnPassDelete);

  const card::AdbImage stored = ReadBackRoute();
  EXPECT_EQ(card::RouteSetFlag(stored, RoutePoint::Destination), 1);
  EXPECT_EQ(card::RouteX(stored, RoutePoint::Destination), 10800000);
  EXPECT_EQ(card::RouteY(stored, RoutePoint::Destination), 4200000);
  EXPECT_EQ(card::RouteName(stored, RoutePoint::Destination), "Home");
  EXPECT_EQ(card::RouteSetFlag(stored, RoutePoint::Waypoint), 0);
  EXPECT_EQ(card::RouteX(stored, RoutePoint::Waypoint), 0);
  EXPECT_EQ(card::RouteY(stored, RoutePoint::Waypoint), 0);
  EXPECT_EQ(card::RouteName(stored, RoutePoint::Waypoint), "");

  EXPECT_EQ(Fields("edPass"), (Texts{u"0", u"0", u"0.0", u"0", u"0", u"0.0"}));
  EXPECT_EQ(driver->TextOf("edPassName"), u"");
  EXPECT_EQ(driver->TextOf("edPassMapCode"), u"");
  EXPECT_FLOAT_EQ(window->m_pntPass.x, 0);
  EXPECT_FLOAT_EQ(window->m_pntDes.x, 10800000);
  // The typed destination stays on screen; no panel, no message after the question.
  EXPECT_EQ(driver->TextOf("edDesName"), u"Typed");
  EXPECT_EQ(Messages(), (Texts{kAskDelete}));
  EXPECT_EQ(platform.message_box.shown[0].caption, " ");
  EXPECT_EQ(platform.clock.pauses, kDeletePauses);
  EXPECT_FALSE(window->PanelMessage1->Visible());

  // Deleting the destination too leaves both absent, and the page can still register.
  Delete(*window->btnDesDelete);
  EXPECT_EQ(card::RouteSetFlag(ReadBackRoute(), RoutePoint::Destination), 0);
  EXPECT_NE(shown_destination, Fields("edDes"));
}

TEST_F(DestinationRegisterTest, SecondVisitReopensTheFileAndCanRegister) {
  card.RouteFile(Route());
  StartOnDestinationPage();
  driver->Click(*window->btnGoManu);
  OpenDestinationPage();
  driver->Enter(*window->edDesName, u"Again");
  Register();
  EXPECT_EQ(card::RouteName(ReadBackRoute(), RoutePoint::Destination), "Again");
  EXPECT_EQ(Messages().back(), kAskRegister);
}

TEST_F(DestinationRegisterTest, MapCodeTypedOnThePageIsRegistered) {
  testing_support::MapCodeTableBuilder table;
  table.Block(5, {30, 139, 0, 0, 35, 0, 0});
  card.WriteFile("Navi/Data/MapCode.bin", table.Bytes());
  card.RouteFile(Route());
  StartOnDestinationPage();
  driver->Enter(*window->edDesMapCode, u"5000000");
  EXPECT_EQ(driver->TextOf("edDesNDeg"), u"138");
  Register();
  // Back from WGS84 the register lands within a unit or two of the code's Tokyo corner.
  const card::AdbImage stored = ReadBackRoute();
  EXPECT_NEAR(card::RouteX(stored, RoutePoint::Destination), 139 * 80000, 4);
  EXPECT_NEAR(card::RouteY(stored, RoutePoint::Destination), 35 * 120000, 4);
  EXPECT_EQ(card::RouteName(stored, RoutePoint::Destination), "Home");
}

TEST_F(DestinationRegisterTest, NameOfMoreThanTwentyCharactersIsRefusedAndPutBack) {
  card.RouteFile(Route());
  StartOnDestinationPage();
  driver->Enter(*window->edDesName, u"12345678901234567890");
  EXPECT_TRUE(Messages().empty());
  driver->Paste(*window->edDesName, u"あいうえおかきくけこさしすせそたちつてとな");
  driver->Leave();
  ASSERT_EQ(Messages(), (Texts{kNameTooLong}));
  EXPECT_EQ(driver->TextOf("edDesName"), u"Home");
  // Enter runs the same check.
  driver->Paste(*window->edPassName, u"123456789012345678901");
  driver->PressEnter();
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_EQ(driver->TextOf("edPassName"), u"Shop");
}

}  // namespace
}  // namespace pages
