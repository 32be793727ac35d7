// The searches of a release folder, on their own.
#include <string>

#include "pages/release_search.h"
#include "platform/text.h"
#include "tests/pages/update_fixture.h"

namespace update_test {
namespace {

class ReleaseSearchTest : public UpdatePageTest {};

TEST_F(ReleaseSearchTest, FolderSearchIgnoresCaseAndNeverMatchesTheStartFolder) {
  ReleaseFile("a/x/Navi/n.bin", "n");
  ReleaseFile("a/y/navi.txt", "a file is no match");
  ReleaseFile("Navi/z.bin", "z");
  struct Case {
    const char* folder;
    const char* name;
    std::optional<std::string> found;
  };
  const Case cases[] = {
      {"C:\\a", "NAVI", "C:\\a\\x\\Navi"},
      {"C:\\a", "navi", "C:\\a\\x\\Navi"},
      {"C:\\a", "navi.txt", std::nullopt},
      {"C:\\a\\x\\Navi", "Navi", std::nullopt},
      {"C:\\missing", "Navi", std::nullopt},
      {"C:", "Navi", "C:\\a\\x\\Navi"},  // nested inside an earlier folder wins over C:\Navi
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.folder) + " " + c.name);
    auto found = pages::CopyFolderSearch(platform.files, log, c.folder, c.name);
    if (std::string(c.folder) == "C:" && found) {
      // Which of a and Navi is listed first is the host's order; either match is a Navi folder.
      EXPECT_TRUE(*found == "C:\\a\\x\\Navi" || *found == "C:\\Navi") << *found;
      continue;
    }
    EXPECT_EQ(found, c.found);
  }
}

TEST_F(ReleaseSearchTest, VersionFileSearchIsExactAndDepthFirst) {
  ReleaseFile("r/docs/Version.ini", "1");
  ReleaseFile("s/VERSION.INI", "2");
  ReleaseFile("t/Version.ini/inside.txt", "a folder of that name is no match");
  struct Case {
    const char* folder;
    std::optional<std::string> found;
  };
  const Case cases[] = {
      {"C:\\r", "C:\\r\\docs\\Version.ini"},
      {"C:\\s", std::nullopt},
      {"C:\\t", std::nullopt},
      {"C:\\nothing", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EQ(pages::VerFileSearch(platform.files, log, c.folder, "Version.ini"), c.found);
  }
}

TEST_F(ReleaseSearchTest, UpperCaseLeavesTwoByteCharactersAlone) {
  // 0x83 0x61 is a katakana whose second byte is 'a'.
  EXPECT_EQ(pages::AnsiUpper(std::string("\x83\x61"
                                         "data",
                                         6)),
            std::string("\x83\x61"
                        "DATA",
                        6));
  EXPECT_EQ(pages::AnsiUpper(platform::WideToAnsi(u"ナビnavi")), platform::WideToAnsi(u"ナビNAVI"));
}

}  // namespace
}  // namespace update_test
