#include "pages/field_rules.h"

#include <gtest/gtest.h>

namespace pages {
namespace {

TEST(CoordinateKeyFilter, DigitsAndEditingKeysPassEverywhereOtherKeysAreDiscarded) {
  for (DmsPart part : {DmsPart::Degrees, DmsPart::Minutes, DmsPart::Seconds}) {
    for (char16_t key : {u'0', u'5', u'9', kKeyBackspace, kKeyCopy, kKeyPaste}) {
      EXPECT_TRUE(CoordinateKeyPasses(part, key, u"12")) << int(key);
    }
    for (char16_t key : {u'a', u'-', u'+', u' ', u',', u'*', u'\x1a', u'\x7f', u'\x30FB'}) {
      EXPECT_FALSE(CoordinateKeyPasses(part, key, u"12")) << int(key);
    }
  }
}

TEST(CoordinateKeyFilter, OnlySecondsTakeOneDecimalPoint) {
  struct Case {
    DmsPart part;
    std::u16string_view text;
    bool passes;
  };
  const Case cases[] = {
      {DmsPart::Seconds, u"", true},   {DmsPart::Seconds, u"12", true}, {DmsPart::Seconds, u"1.2", false},
      {DmsPart::Seconds, u".", false}, {DmsPart::Degrees, u"", false},  {DmsPart::Minutes, u"12", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CoordinateKeyPasses(c.part, u'.', c.text), c.passes)
        << static_cast<int>(c.part) << " with text of " << c.text.size();
  }
}

TEST(MapCodeKeyFilter, DigitsStarAndEditingKeysPass) {
  for (char16_t key : {u'0', u'9', u'*', kKeyBackspace, kKeyCopy, kKeyPaste}) {
    EXPECT_TRUE(MapCodeKeyPasses(key)) << int(key);
  }
  for (char16_t key : {u'.', u'-', u' ', u'a', u'#', u'\x30FB'})
    EXPECT_FALSE(MapCodeKeyPasses(key)) << int(key);
}

TEST(PartRange, BoundsAreInclusiveAndMinutesSecondsHaveNoLowerTest) {
  struct Case {
    Axis axis;
    DmsPart part;
    double value;
    bool out;
  };
  const Case cases[] = {
      {Axis::Longitude, DmsPart::Degrees, 122, false},   {Axis::Longitude, DmsPart::Degrees, 154, false},
      {Axis::Longitude, DmsPart::Degrees, 121, true},    {Axis::Longitude, DmsPart::Degrees, 155, true},
      {Axis::Longitude, DmsPart::Degrees, 121.99, true}, {Axis::Latitude, DmsPart::Degrees, 19, false},
      {Axis::Latitude, DmsPart::Degrees, 47, false},     {Axis::Latitude, DmsPart::Degrees, 18, true},
      {Axis::Latitude, DmsPart::Degrees, 48, true},      {Axis::Latitude, DmsPart::Degrees, 0, true},
      {Axis::Longitude, DmsPart::Minutes, 60, false},    {Axis::Latitude, DmsPart::Minutes, 61, true},
      {Axis::Longitude, DmsPart::Seconds, 60.0, false},  {Axis::Latitude, DmsPart::Seconds, 60.1, true},
      {Axis::Longitude, DmsPart::Minutes, -5, false},    {Axis::Latitude, DmsPart::Seconds, 0.55, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PartOutOfRange(c.axis, c.part, c.value), c.out)
        << static_cast<int>(c.axis) << "/" << static_cast<int>(c.part) << " " << c.value;
  }
}

TEST(MapCodeCharacters, KeepsDigitsAndStarsInOrder) {
  EXPECT_EQ(MapCodeCharacters("123 456-789*05"), "123456789*05");
  EXPECT_EQ(MapCodeCharacters("abc"), "");
  EXPECT_EQ(MapCodeCharacters("1*2*3"), "1*2*3");
  // A double-byte character of code page 932 ("１", full-width one) contributes nothing.
  EXPECT_EQ(MapCodeCharacters("\x82\x50"
                              "7"),
            "7");
}

}  // namespace
}  // namespace pages
