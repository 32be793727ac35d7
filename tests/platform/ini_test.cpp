#include "platform/ini.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/text.h"
#include "tests/platform/card_folder.h"

namespace platform_tests {
namespace {

using platform::GetPrivateProfileString;
using platform::WritePrivateProfileString;

constexpr const char* kIni = "E:\\Navi\\Version.ini";

const std::string kVersionFile =
    "; card versions\n"
    "[Version]\n"
    "GPS Version=1.2.3\n"
    "  firm version  =  2.0.0  \n"
    "Navi Version=\n"
    "Quoted=\"  spaced  \"\n"
    "=no key\n"
    "garbage line\n"
    "[broken\n"
    "Dup=first\n"
    "Dup=second\n"
    "\n"
    "[Other]\n"
    "GPS Version=9.9.9\n"
    "[ version ]\n"
    "Late=late\n";

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

class Ini : public CardFolder {
 protected:
  void SetUp() override {
    CardFolder::SetUp();
    MakeHostFolder("Navi");
  }
  std::string Get(std::string_view section, std::string_view key, size_t size = 255) {
    return GetPrivateProfileString(files, section, key, "1.0.0", size, kIni);
  }
  ino_t Inode() {
    struct stat info;
    return stat(Host("Navi/Version.ini").c_str(), &info) == 0 ? info.st_ino : 0;
  }
};

TEST_F(Ini, ReadsValuesOfLfAndCrLfFiles) {
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"Version", "GPS Version", "1.2.3"},
      {"VERSION", "gps version", "1.2.3"},
      {"Version", "Firm Version", "2.0.0"},  // blanks around name and value
      {"  Version ", " Firm Version  ", "2.0.0"},
      {"Version", "Navi Version", ""},  // present but empty: not the default
      {"Version", "Quoted", "  spaced  "},
      {"Version", "Dup", "first"},  // the malformed lines before it are skipped
      {"Version", "Missing", "1.0.0"},
      {"Version", "garbage line", "1.0.0"},
      {"Version", "", "1.0.0"},
      {"Missing", "GPS Version", "1.0.0"},
      {"broken", "Dup", "1.0.0"},
      {"", "GPS Version", "1.0.0"},
      {"Other", "GPS Version", "9.9.9"},
      {"Version", "Late", "1.0.0"},  // only the first section of a name is searched
  };
  for (const std::string& content : {kVersionFile, WithCrLf(kVersionFile)}) {
    PutHostFile("Navi/Version.ini", content);
    for (const Case& c : cases) {
      EXPECT_EQ(Get(c.section, c.key), c.value) << c.section << "/" << c.key;
    }
  }
}

TEST_F(Ini, ResultIsCutToTheBufferLessOne) {
  PutHostFile("Navi/Version.ini", "[Version]\nGPS Version=1.2.3.4.5.6.7.8.9.10.11\nName=" +
                                      platform::Utf8ToAnsi("旅行旅行") + "\n");
  struct Case {
    const char* key;
    size_t buffer_size;
    std::string value;
  };
  const Case cases[] = {
      {"GPS Version", 255, "1.2.3.4.5.6.7.8.9.10.11"},
      {"GPS Version", 20, "1.2.3.4.5.6.7.8.9.1"},
      {"GPS Version", 1, ""},
      {"GPS Version", 0, ""},
      {"Missing", 3, "1."},  // the default too
      {"Missing", 0, ""},
      {"Name", 6, platform::Utf8ToAnsi("旅行")},  // 5 bytes hold two characters and no half of a third
      {"Name", 4, platform::Utf8ToAnsi("旅")},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Get("Version", c.key, c.buffer_size), c.value) << c.key << c.buffer_size;
}

TEST_F(Ini, MissingOrUnreadableFilesGiveTheDefault) {
  MakeHostFolder("Navi/Folder.ini");
  for (const char* path : {"E:\\Navi\\Version.ini", "E:\\Navi\\Missing\\Version.ini", "Q:\\Navi\\Version.ini",
                           "E:\\Navi\\Folder.ini", "E:\\Navi\\..\\Version.ini", ""}) {
    EXPECT_EQ(GetPrivateProfileString(files, "Version", "GPS Version", "1.0.0", 255, path), "1.0.0") << path;
  }
}

TEST_F(Ini, CodePage932NamesAreComparedCharacterByCharacter) {
  const std::string a = "\x83\x41";         // ア: its trail byte is an 'A'
  const std::string small_ya = "\x83\x61";  // ャ: its trail byte is an 'a'
  const std::string zo = "\x83\x5d";        // ゾ: its trail byte is a ']'
  PutHostFile("Navi/Version.ini", "[" + a + "]\nkey=katakana a\n[" + zo + "]\n" + a + "=zo\n");
  EXPECT_EQ(Get(a, "KEY"), "katakana a");
  EXPECT_EQ(Get(small_ya, "key"), "1.0.0");
  EXPECT_EQ(Get(zo, a), "zo");
  EXPECT_EQ(Get(zo, small_ya), "1.0.0");
}

TEST_F(Ini, JunkNeverCrashes) {
  std::string junk = "\xEF\xBB\xBF[Version]\nGPS Version=2.0.0\n";  // a byte order mark first
  junk += std::string("[\0]\n=\n==\n[\n]\n;\n[[x]]\n\x81\n\r\r\n", 26);
  junk += std::string(100000, '[') + "\n" + std::string(100000, '=') + "\n";
  for (int byte = 0; byte < 256; ++byte) junk += char(byte);
  PutHostFile("Navi/Version.ini", junk);
  EXPECT_EQ(Get("Version", "GPS Version"), "2.0.0");
  EXPECT_EQ(Get("Version", "Firm Version"), "1.0.0");
  EXPECT_EQ(Get("[x", "y"), "1.0.0");
}

TEST_F(Ini, WritingCreatesTheFile) {
  ASSERT_TRUE(WritePrivateProfileString(files, "Version", "GPS Version", "1.0.1", kIni));
  EXPECT_EQ(HostFile("Navi/Version.ini"), "[Version]\r\nGPS Version=1.0.1\r\n");
  EXPECT_EQ(Get("version", "gps version"), "1.0.1");
}

TEST_F(Ini, WritingChangesOnlyWhatItMust) {
  const std::string base =
      "; versions\n"
      "[Version]\n"
      "GPS Version=1.0.0\n"
      "  Firm Version  =  1.0.0  \n"
      "odd line\n"
      "\n"
      "[Other]\n"
      "Key=x";  // no line end at the end of the file
  struct Case {
    const char* section;
    const char* key;
    const char* value;
    std::string expected;
  };
  const Case cases[] = {
      {"VERSION", "gps version", "2.0.0",
       "; versions\n[Version]\nGPS Version=2.0.0\n  Firm Version  =  1.0.0  \nodd line\n\n[Other]\nKey=x"},
      {"Version", "Firm Version", "3.0.0",
       "; versions\n[Version]\nGPS Version=1.0.0\n  Firm Version  =  3.0.0\nodd line\n\n[Other]\nKey=x"},
      {"Version", "Navi Version", "1.5",
       "; versions\n[Version]\nGPS Version=1.0.0\n  Firm Version  =  1.0.0  \nodd line\nNavi Version=1.5\n\n"
       "[Other]\nKey=x"},
      {"Other", "New", "y",
       "; versions\n[Version]\nGPS Version=1.0.0\n  Firm Version  =  1.0.0  \nodd "
       "line\n\n[Other]\nKey=x\nNew=y\n"},
      {"Other", "key", "",
       "; versions\n[Version]\nGPS Version=1.0.0\n  Firm Version  =  1.0.0  \nodd line\n\n[Other]\nKey="},
      {"Third", "K", "v",
       "; versions\n[Version]\nGPS Version=1.0.0\n  Firm Version  =  1.0.0  \nodd line\n\n[Other]\nKey=x\n"
       "[Third]\nK=v\n"},
  };
  for (const std::string& content : {base, WithCrLf(base)}) {
    for (const Case& c : cases) {
      PutHostFile("Navi/Version.ini", content);
      ASSERT_TRUE(WritePrivateProfileString(files, c.section, c.key, c.value, kIni)) << c.key;
      const std::string expected = content == base ? c.expected : WithCrLf(c.expected);
      EXPECT_EQ(HostFile("Navi/Version.ini"), expected) << c.section << "/" << c.key;
      EXPECT_EQ(Get(c.section, c.key), c.value) << c.section << "/" << c.key;
    }
  }
}

TEST_F(Ini, WritingGoesThroughASafeReplacementOnlyWhenSomethingChanges) {
  PutHostFile("Navi/Version.ini", "[Version]\r\nGPS Version=1.0.0\r\n");
  ino_t before = Inode();
  ASSERT_TRUE(WritePrivateProfileString(files, "Version", "GPS Version", "1.0.0", kIni));
  EXPECT_EQ(Inode(), before);  // same value: the file is not rewritten
  ASSERT_TRUE(WritePrivateProfileString(files, "Version", "GPS Version", "1.0.1", kIni));
  EXPECT_NE(Inode(), before);  // a new file renamed over the old one
  EXPECT_EQ(HostNames("Navi"), std::vector<std::string>{"Version.ini"});
}

TEST_F(Ini, RefusedWritesLeaveTheFileAlone) {
  const std::string content = "[Version]\nGPS Version=1.0.0\n";
  PutHostFile("Navi/Version.ini", content);
  struct Case {
    const char* section;
    std::string key;
    std::string value;
    const char* path;
  };
  const Case cases[] = {
      {"Version", "", "x", kIni},
      {"", "Key", "x", kIni},
      {"Ver]sion", "Key", "x", kIni},
      {"Version", "K=ey", "x", kIni},
      {"Version", "[Key", "x", kIni},
      {"Version", ";Key", "x", kIni},
      {"Version", "Key\n[Evil]", "x", kIni},
      {"Version", "GPS Version", "2.0.0\nInjected=1", kIni},
      {"Version", "GPS Version", "2.0.0\r", kIni},
      {"Version", "GPS Version", std::string("a\0b", 3), kIni},
      {"Version", "GPS Version", "2.0.0", "Q:\\Navi\\Version.ini"},
      {"Version", "GPS Version", "2.0.0", "E:\\Missing\\Version.ini"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(WritePrivateProfileString(files, c.section, c.key, c.value, c.path)) << c.key << c.value;
  }
  EXPECT_EQ(HostFile("Navi/Version.ini"), content);
  EXPECT_EQ(HostNames(""), std::vector<std::string>{"Navi"});

  platform::File holder = files.Open(kIni, platform::Access::ReadWrite, platform::Share::None,
                                     platform::Disposition::OpenExisting);
  ASSERT_TRUE(holder.IsOpen());
  EXPECT_FALSE(WritePrivateProfileString(files, "Version", "GPS Version", "2.0.0", kIni));
  holder.Close();
  EXPECT_EQ(HostFile("Navi/Version.ini"), content);
  EXPECT_EQ(HostNames("Navi"), std::vector<std::string>{"Version.ini"});
}

}  // namespace
}  // namespace platform_tests
