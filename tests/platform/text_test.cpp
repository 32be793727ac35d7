#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::AnsiToUtf8;
using platform::AnsiToWide;
using platform::Utf8ToAnsi;
using platform::Utf8ToWide;
using platform::WideToAnsi;
using platform::WideToUtf8;

struct RoundTrip {
  std::u16string wide;
  std::string ansi;
};

TEST(CodePage932, JapaneseTextRoundTripsWithItsBytes) {
  const RoundTrip cases[] = {
      {u"お気に入りフォルダ", "\x82\xa8\x8b\x43\x82\xc9\x93\xfc\x82\xe8\x83\x74\x83\x48\x83\x8b\x83\x5f"},
      {u"旅行", "\x97\xb7\x8d\x73"},
      {u"①", "\x87\x40"},             // NEC special character
      {u"\uFF5E", "\x81\x60"},        // fullwidth tilde, code page 932's own mapping
      {u"\u2225", "\x81\x61"},        // parallel to
      {u"\uFF0D", "\x81\x7c"},        // fullwidth hyphen-minus
      {u"\uFFE2", "\x81\xca"},        // fullwidth not sign
      {u"ｱｲｳ", "\xb1\xb2\xb3"},       // half-width katakana, one byte each
      {u"ソ表", "\x83\x5c\x95\x5c"},  // trail bytes equal to a backslash
      {u"E:\\Navi\\Version.ini", "E:\\Navi\\Version.ini"},
      {u"", ""},
  };
  for (const RoundTrip& c : cases) {
    EXPECT_EQ(WideToAnsi(c.wide), c.ansi) << WideToUtf8(c.wide);
    EXPECT_EQ(AnsiToWide(c.ansi), c.wide) << WideToUtf8(c.wide);
  }
}

TEST(CodePage932, CharactersItCannotHoldBecomeQuestionMarks) {
  const RoundTrip cases[] = {
      {u"中文简体", "\x92\x86\x95\xb6?\x91\xcc"},  // a simplified Chinese character
      {u"caf\u00e9 \u20ac", "caf? ?"},
      {u"한글", "??"},
      {u"a\U0001F600b", "a?b"},  // a surrogate pair is one character, one '?'
      {u"a\xD800"
       u"b",
       "a?b"},                  // unpaired high surrogate
      {u"\xDC00", "?"},         // unpaired low surrogate
      {u"x\xD83D", "x?"},       // high surrogate at the end
      {u"\xDC00\xD800", "??"},  // pair in the wrong order
  };
  for (const RoundTrip& c : cases) EXPECT_EQ(WideToAnsi(c.wide), c.ansi) << WideToUtf8(c.wide);
}

TEST(CodePage932, LookAlikesAreWrittenAsCodePage932sOwnCharacter) {
  // Each pair looks alike; only the second comes back when the byte is read.
  const std::u16string pairs[][2] = {{u"\u301C", u"\uFF5E"}, {u"\u2212", u"\uFF0D"}, {u"\u2016", u"\u2225"}};
  for (const auto& pair : pairs) {
    EXPECT_EQ(WideToAnsi(pair[0]), WideToAnsi(pair[1])) << WideToUtf8(pair[0]);
    EXPECT_EQ(AnsiToWide(WideToAnsi(pair[0])), pair[1]) << WideToUtf8(pair[0]);
  }
}

TEST(CodePage932, EachUndecodableByteBecomesOneMiddleDot) {
  const RoundTrip cases[] = {
      {u"\u30FB", "\x80"},
      {u"A\u30FB\u30FB\u30FB", "A\xfd\xfe\xff"},
      {u"x\u30FB", "x\x81"},                                 // lead byte cut off at the end
      {u"\u30FB ", "\x81\x20"},                              // lead byte followed by no trail byte
      {u"\u30FB\u65c5", "\xa0\x97\xb7"},                     // decoding resumes right after the bad byte
      {std::u16string(u"A\0B", 3), std::string("A\0B", 3)},  // NUL is kept, not an end
  };
  for (const RoundTrip& c : cases) EXPECT_EQ(AnsiToWide(c.ansi), c.wide) << WideToUtf8(c.wide);
}

TEST(CodePage932, ValidityAndLeadBytes) {
  EXPECT_TRUE(platform::IsValidAnsi("\x97\xb7\x8d\x73 abc"));
  EXPECT_TRUE(platform::IsValidAnsi(""));
  EXPECT_FALSE(platform::IsValidAnsi("ab\x80"));
  EXPECT_FALSE(platform::IsValidAnsi("ab\x81"));
  for (int byte : {0x81, 0x9f, 0xe0, 0xfc}) EXPECT_TRUE(platform::IsAnsiLeadByte(byte)) << byte;
  for (int byte : {0x00, 0x5c, 0x80, 0xa0, 0xb1, 0xdf, 0xfd})
    EXPECT_FALSE(platform::IsAnsiLeadByte(byte)) << byte;
}

TEST(Utf8, RoundTripsEveryPlane) {
  const std::u16string text = u"Navi お気に入り 旅行 \u00e9 \U0001F600";
  const std::string utf8 = "Navi お気に入り 旅行 \xc3\xa9 \xf0\x9f\x98\x80";
  EXPECT_EQ(WideToUtf8(text), utf8);
  EXPECT_EQ(Utf8ToWide(utf8), text);
}

TEST(Utf8, MalformedBytesBecomeReplacementCharacters) {
  struct Case {
    std::string utf8;
    std::u16string wide;
  };
  const Case cases[] = {
      {"a\xc3", u"a\uFFFD"},                              // cut off
      {"\xc0\xaf", u"\uFFFD\uFFFD"},                      // overlong slash
      {"\xed\xa0\x80", u"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
      {"\xf4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"\x80x", u"\uFFFDx"},                              // stray continuation byte
      {"\xe6\x97x", u"\uFFFD\uFFFDx"},                    // continuation missing
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.utf8;
  EXPECT_EQ(WideToUtf8(u"a\xD800"), "a\xef\xbf\xbd");
}

TEST(Utf8, HostNamesAndProgramNamesConvertBothWays) {
  const std::string ansi = "\x82\xa8\x8b\x43\x82\xc9\x93\xfc\x82\xe8\x83\x74\x83\x48\x83\x8b\x83\x5f";
  EXPECT_EQ(AnsiToUtf8(ansi), "お気に入りフォルダ");
  EXPECT_EQ(Utf8ToAnsi("お気に入りフォルダ"), ansi);
  EXPECT_EQ(Utf8ToAnsi("\xf0\x9f\x98\x80.txt"), "?.txt");
  EXPECT_EQ(Utf8ToAnsi("bad\xff.txt"), "bad?.txt");
}

}  // namespace
