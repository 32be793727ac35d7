#include "pages/coordinate_fields.h"

#include <gtest/gtest.h>

#include "pages/messages.h"
#include "tests/pages/bare_fields.h"

namespace pages {
namespace {

class CoordinateFieldsTest : public ::testing::Test {
 protected:
  void SetUp() override { f.InstallCoordinateFields(); }
  BareFields f;
};

TEST_F(CoordinateFieldsTest, BoundsPassAndValuesBeyondThemWarnOnce) {
  struct Case {
    Axis axis;
    DmsPart part;
    std::u16string_view typed;
    bool warns;
  };
  const Case cases[] = {
      {Axis::Longitude, DmsPart::Degrees, u"122", false},  {Axis::Longitude, DmsPart::Degrees, u"154", false},
      {Axis::Longitude, DmsPart::Degrees, u"121", true},   {Axis::Longitude, DmsPart::Degrees, u"155", true},
      {Axis::Latitude, DmsPart::Degrees, u"19", false},    {Axis::Latitude, DmsPart::Degrees, u"47", false},
      {Axis::Latitude, DmsPart::Degrees, u"18", true},     {Axis::Latitude, DmsPart::Degrees, u"48", true},
      {Axis::Longitude, DmsPart::Minutes, u"60", false},   {Axis::Latitude, DmsPart::Minutes, u"61", true},
      {Axis::Longitude, DmsPart::Seconds, u"60.0", false}, {Axis::Latitude, DmsPart::Seconds, u"60.1", true},
      {Axis::Longitude, DmsPart::Seconds, u"0.55", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
    f.box.shown.clear();
    ui::Edit& field = f.destination.Field(c.axis, c.part);
    f.TypeAndLeave(field, c.typed);
    ASSERT_EQ(f.box.shown.size(), c.warns ? 1u : 0u);
    if (c.warns) {
      EXPECT_EQ(f.box.shown[0].Text(), kNoCoordinate);
      EXPECT_EQ(f.box.shown[0].caption, "");
      EXPECT_EQ(f.box.shown[0].buttons, platform::MessageButtons::Ok);
      // No point is stored: the part falls back to zero.
      EXPECT_EQ(field.Text(), c.part == DmsPart::Seconds ? u"0.0" : u"0");
    } else {
      EXPECT_EQ(field.Text(), c.typed);
    }
    EXPECT_FALSE(f.text_changed);
    // Leaving again without a change shows nothing more.
    field.SetFocus();
    f.elsewhere->Click();
    EXPECT_EQ(f.box.shown.size(), c.warns ? 1u : 0u);
  }
}

TEST_F(CoordinateFieldsTest, EmptiedFieldBecomesZeroAndRestoresTheStoredPart) {
  // Tokyo 135 E, 35 N is shown in WGS84 as 134°59'49.9" and 35°0'11.7".
  f.destination_stored = {true, 10800000, 4200000};
  SetPointTexts(f.destination, {{u"136", u"1", u"2.0"}, {u"36", u"3", u"4.0"}});
  struct Case {
    Axis axis;
    DmsPart part;
    std::u16string_view restored;
  };
  const Case cases[] = {
      {Axis::Longitude, DmsPart::Degrees, u"134"},
      {Axis::Latitude, DmsPart::Degrees, u"35"},
      {Axis::Longitude, DmsPart::Minutes, u"59"},
      {Axis::Latitude, DmsPart::Seconds, u"11.7"},
  };
  for (const Case& c : cases) {
    f.box.shown.clear();
    ui::Edit& field = f.destination.Field(c.axis, c.part);
    // Degrees emptied read as 0 and warn; minutes and seconds warn only beyond 60.
    f.TypeAndLeave(field, c.part == DmsPart::Degrees ? u"" : u"99");
    ASSERT_EQ(f.box.shown.size(), 1u);
    EXPECT_EQ(f.box.shown[0].Text(), kNoCoordinate);
    EXPECT_EQ(field.Text(), c.restored);
  }
  // The same emptied field without a stored point goes back to "0".
  f.destination_stored.set = false;
  f.TypeAndLeave(f.destination.Field(Axis::Latitude, DmsPart::Degrees), u"");
  EXPECT_EQ(f.destination.Field(Axis::Latitude, DmsPart::Degrees).Text(), u"0");
}

TEST_F(CoordinateFieldsTest, SecondDecimalPointAndLettersAreRefused) {
  ui::Edit& seconds = f.destination.Field(Axis::Longitude, DmsPart::Seconds);
  f.Type(seconds, u".5.a1");
  EXPECT_EQ(seconds.Text(), u".51");
  ui::Edit& minutes = f.destination.Field(Axis::Longitude, DmsPart::Minutes);
  f.Type(minutes, u"1.2");
  EXPECT_EQ(minutes.Text(), u"12");
}

TEST_F(CoordinateFieldsTest, EnterRunsTheCheckAndLeavingEmptiesOnlyItsOwnMapCode) {
  f.destination.map_code->SetText(u"123");
  f.waypoint.map_code->SetText(u"456");
  ui::Edit& field = f.waypoint.Field(Axis::Latitude, DmsPart::Minutes);
  f.Type(field, u"30");
  f.form.TypeChar(kKeyEnter);
  EXPECT_EQ(f.waypoint.map_code->Text(), u"");
  EXPECT_EQ(f.destination.map_code->Text(), u"123");
  EXPECT_EQ(field.Text(), u"30");
  EXPECT_FALSE(f.text_changed);
}

TEST_F(CoordinateFieldsTest, LeavingWithoutAChangeDoesNothing) {
  f.destination.map_code->SetText(u"123");
  f.text_changed = false;
  ui::Edit& field = f.destination.Field(Axis::Longitude, DmsPart::Degrees);
  field.SetFocus();
  f.elsewhere->Click();
  EXPECT_EQ(f.destination.map_code->Text(), u"123");
  EXPECT_EQ(field.Text(), u"");
  EXPECT_TRUE(f.box.shown.empty());
}

TEST_F(CoordinateFieldsTest, PastedTextThatIsNoNumberStopsTheCheckWithAMessage) {
  f.destination.map_code->SetText(u"123");
  for (std::u16string_view pasted : {u"abc", u"1.2.3", u"１２", u"12 "}) {
    f.box.shown.clear();
    ui::Edit& field = f.destination.Field(Axis::Latitude, DmsPart::Degrees);
    field.SetFocus();
    field.Paste(pasted);
    f.elsewhere->Click();
    ASSERT_EQ(f.box.shown.size(), 1u);
    EXPECT_EQ(f.box.shown[0].Text(), kNotANumber);
    EXPECT_EQ(field.Text(), pasted);
    EXPECT_TRUE(f.text_changed);
    EXPECT_EQ(f.destination.map_code->Text(), u"123");
  }
}

}  // namespace
}  // namespace pages
