#include "pages/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace pages {
namespace {

TEST(ReadWholeNumber, AcceptsOnlyASignedRunOfDigits) {
  struct Case {
    std::u16string_view text;
    std::optional<int> value;
  };
  const Case cases[] = {
      {u"0", 0},
      {u"139", 139},
      {u"-7", -7},
      {u"+12", 12},
      {u"007", 7},
      {u"2147483647", 2147483647},
      {u"-2147483648", -2147483647 - 1},
      {u"", std::nullopt},
      {u"-", std::nullopt},
      {u"12.0", std::nullopt},
      {u"1 2", std::nullopt},
      {u" 12", std::nullopt},
      {u"12a", std::nullopt},
      {u"2147483648", std::nullopt},
      {u"99999999999999999999", std::nullopt},
      {u"\xFF11", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadWholeNumber(c.text), c.value) << c.text.size();
}

TEST(ReadDecimalNumber, AcceptsWholeDecimalTextsOnly) {
  struct Case {
    std::u16string_view text;
    std::optional<double> value;
  };
  const Case cases[] = {
      {u"0", 0.0},
      {u"60.1", 60.1},
      {u".5", 0.5},
      {u"5.", 5.0},
      {u"-3.25", -3.25},
      {u"1e2", 100.0},
      {u"", std::nullopt},
      {u".", std::nullopt},
      {u"1.2.3", std::nullopt},
      {u"abc", std::nullopt},
      {u"12abc", std::nullopt},
      {u" 12", std::nullopt},
      {u"1e", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadDecimalNumber(c.text), c.value) << c.text.size();
}

TEST(ReadDecimalNumber, HugeExponentIsInfiniteNotAnError) {
  std::optional<double> value = ReadDecimalNumber(u"1e999");
  ASSERT_TRUE(value.has_value());
  EXPECT_TRUE(std::isinf(*value));
}

TEST(ReadLeadingDecimal, ReadsTheLeadingNumberOrZero) {
  struct Case {
    std::u16string_view text;
    double value;
  };
  const Case cases[] = {
      {u"30.0", 30.0}, {u"  12.5", 12.5}, {u"12.5x", 12.5}, {u"x", 0.0},
      {u"", 0.0},      {u".", 0.0},       {u"-1.5", -1.5},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ReadLeadingDecimal(c.text), c.value) << c.text.size();
}

}  // namespace
}  // namespace pages
