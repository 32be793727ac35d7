#include "pages/map_code_fields.h"

#include <gtest/gtest.h>

#include "geo/datum.h"
#include "geo/dms.h"
#include "pages/messages.h"
#include "tests/pages/bare_fields.h"
#include "tests/support/map_code_builder.h"

namespace pages {
namespace {

// Block 5 starts at Tokyo 139°0'0" E, 35°0'0" N; every other block lies at 0 degrees.
class MapCodeFieldsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::MapCodeTableBuilder table;
    table.Block(5, {30, 139, 0, 0, 35, 0, 0});
    converter.LoadBytes(table.Bytes());
    f.InstallCoordinateFields();
    InstallMapCodeField(f.destination, converter, f.flags(), f.box);
    InstallMapCodeField(f.waypoint, converter, f.flags(), f.box);
  }

  static PointTexts ShownTokyo(float longitude, float latitude) {
    float wgs_longitude = 0, wgs_latitude = 0;
    geo::Bessel2WGS(longitude, latitude, wgs_longitude, wgs_latitude);
    return {TextsOfDms(geo::SplitDmsHalfSecondRule(wgs_longitude)),
            TextsOfDms(geo::SplitDmsHalfSecondRule(wgs_latitude))};
  }

  geo::CMapCodeConverter converter;
  BareFields f;
};

TEST_F(MapCodeFieldsTest, ValidCodeFillsOnlyItsOwnPointsFields) {
  SetPointTexts(f.waypoint, {{u"140", u"1", u"2.0"}, {u"36", u"3", u"4.0"}});
  f.text_changed = false;
  f.TypeAndLeave(*f.destination.map_code, u"5000000");
  EXPECT_TRUE(f.box.shown.empty());
  EXPECT_EQ(GetPointTexts(f.destination), ShownTokyo(139, 35));
  EXPECT_EQ(GetPointTexts(f.destination).longitude.degrees, u"138");
  EXPECT_EQ(f.destination.map_code->Text(), u"5000000");
  EXPECT_EQ(GetPointTexts(f.waypoint), (PointTexts{{u"140", u"1", u"2.0"}, {u"36", u"3", u"4.0"}}));
  EXPECT_FALSE(f.text_changed);
}

TEST_F(MapCodeFieldsTest, TwentyCharactersConvertAndTwentyOneAreRefused) {
  // Characters other than digits and '*' are ignored by the conversion.
  f.waypoint.map_code->SetFocus();
  f.waypoint.map_code->Paste(u"5000000-------------");
  f.elsewhere->Click();
  EXPECT_TRUE(f.box.shown.empty());
  EXPECT_EQ(GetPointTexts(f.waypoint), ShownTokyo(139, 35));

  SetPointTexts(f.waypoint, AbsentPointTexts());
  f.waypoint.map_code->SetFocus();
  f.waypoint.map_code->Paste(u"5000000--------------");
  f.elsewhere->Click();
  ASSERT_EQ(f.box.shown.size(), 1u);
  EXPECT_EQ(f.box.shown[0].Text(), kNameTooLong);
  EXPECT_EQ(f.waypoint.map_code->Text(), u"");
  EXPECT_EQ(GetPointTexts(f.waypoint), AbsentPointTexts());
}

TEST_F(MapCodeFieldsTest, CodeOutsideTheAreaWarnsOnceAndChangesNothing) {
  SetPointTexts(f.destination, AbsentPointTexts());
  // Block 0 lies at 0 degrees; block 1204 does not exist; a sub-code digit 9 is invalid.
  for (std::u16string_view code : {u"0", u"1204000000", u"5000000*9"}) {
    f.box.shown.clear();
    f.TypeAndLeave(*f.destination.map_code, code);
    ASSERT_EQ(f.box.shown.size(), 1u);
    EXPECT_EQ(f.box.shown[0].Text(), kOutOfRange);
    EXPECT_EQ(f.destination.map_code->Text(), code);
    EXPECT_EQ(GetPointTexts(f.destination), AbsentPointTexts());
    // Enter on the same text: the warning is not repeated.
    f.destination.map_code->SetFocus();
    f.text_changed = true;
    f.form.TypeChar(kKeyEnter);
    EXPECT_EQ(f.box.shown.size(), 1u);
  }
}

TEST_F(MapCodeFieldsTest, UnloadedTableMakesEveryCodeOutOfRange) {
  geo::CMapCodeConverter unloaded;
  InstallMapCodeField(f.destination, unloaded, f.flags(), f.box);
  f.TypeAndLeave(*f.destination.map_code, u"5000000");
  ASSERT_EQ(f.box.shown.size(), 1u);
  EXPECT_EQ(f.box.shown[0].Text(), kOutOfRange);
}

TEST_F(MapCodeFieldsTest, KeyFilterKeepsDigitsAndStar) {
  f.Type(*f.destination.map_code, u"12a*3.-4");
  EXPECT_EQ(f.destination.map_code->Text(), u"12*34");
}

}  // namespace
}  // namespace pages
