// The three update pages end to end: picking a release, the version check, the copy onto
// the card, the recorded version, and every way a register is refused.
#include <string>

#include "card/version_ini.h"
#include "platform/text.h"
#include "tests/pages/update_fixture.h"

namespace update_test {
namespace {

using platform::MessageAnswer;

constexpr char16_t kNotNewer[] =
    u"アップデータバージョンより既存のバージョンが最新のものです。\nアップデータしますか？";

struct Kind {
  const char* what;
  ui::SpeedButton* TFNaviEdit::*open;
  ui::Button* TFNaviEdit::*folder;
  ui::Button* TFNaviEdit::*regist;
  ui::Label* TFNaviEdit::*label;
  ui::Edit* TFNaviEdit::*edit;
  std::string TFNaviEdit::*member;
  const char* key;
  const char* release_folder;  // as the release names it
  const char* card_folder;     // where its contents land, below the card's root
};

const Kind kGps{"GPS",
                &TFNaviEdit::btnSetGPS,
                &TFNaviEdit::btnGpsFolder,
                &TFNaviEdit::TntButton5,
                &TFNaviEdit::lblGPSVer,
                &TFNaviEdit::edGps,
                &TFNaviEdit::m_szGpsVer,
                card::kGpsVersionKey,
                "Data",
                "Navi/data"};
const Kind kFirm{"firmware",
                 &TFNaviEdit::btnSetFirm,
                 &TFNaviEdit::btnFirmFolder,
                 &TFNaviEdit::btnMusicRegi,
                 &TFNaviEdit::lblFirmVer,
                 &TFNaviEdit::edFirm,
                 &TFNaviEdit::m_szFirmVer,
                 card::kFirmVersionKey,
                 "FWUpdate",
                 "FwUpdate"};
const Kind kNavi{"navigation",
                 &TFNaviEdit::btnSetNavi,
                 &TFNaviEdit::btnNaviFolder,
                 &TFNaviEdit::TntButton11,
                 &TFNaviEdit::lblNaviVer,
                 &TFNaviEdit::edNavi,
                 &TFNaviEdit::m_szNaviVer,
                 card::kNaviVersionKey,
                 "Navi",
                 "Navi"};

class UpdateRun : public UpdatePageTest {
 protected:
  void Open(const Kind& k) { driver->Click(*(window.get()->*k.open)); }
  void PickAndRegister(const Kind& k, std::optional<std::string> folder) {
    PickNext(std::move(folder));
    driver->Click(*(window.get()->*k.folder));
    driver->Click(*(window.get()->*k.regist));
  }
  std::u16string Label(const Kind& k) { return (window.get()->*k.label)->Caption(); }
};

TEST_F(UpdateRun, EachKindCopiesItsFolderToItsPlaceAndRecordsTheVersion) {
  for (const Kind* k : {&kGps, &kFirm, &kNavi}) {
    SCOPED_TRACE(k->what);
    const std::string rel = std::string("r_") + k->what + "/";
    ReleaseFile(rel + k->release_folder + "/a.bin", "new-a");
    ReleaseFile(rel + k->release_folder + "/sub/b.bin", "new-b");
    ReleaseFile(rel + "Version.ini", Ini(std::string(k->key) + "=2.0.0\r\n"));
    card.VersionIni(Ini("GPS Version=1.0.0\r\nFirm Version=1.0.0\r\nNavi Version=1.0.0\r\n"));
    card.WriteFile(std::string(k->card_folder) + "/a.bin", "old-a");
    card.WriteFile(std::string(k->card_folder) + "/keep.bin", "kept");
    platform.message_box.shown.clear();
    Start();
    Open(*k);
    PickAndRegister(*k, "C:\\r_" + std::string(k->what));

    EXPECT_EQ((window.get()->*k->edit)->Text(), platform::AnsiToWide("C:\\r_" + std::string(k->what)));
    EXPECT_EQ(Messages(), std::vector<std::u16string>{pages::kUpdated});
    ASSERT_EQ(platform.folder_copier.calls.size(), 1u);
    EXPECT_EQ(platform.folder_copier.calls[0].source_pattern,
              "C:\\r_" + std::string(k->what) + "\\" + k->release_folder + "\\*.*");
    const std::string dest = std::string(k->card_folder);
    EXPECT_EQ(card.ReadFile(dest + "/a.bin"), "new-a");
    EXPECT_EQ(card.ReadFile(dest + "/sub/b.bin"), "new-b");
    EXPECT_EQ(card.ReadFile(dest + "/keep.bin"), "kept");
    EXPECT_EQ(CardVersion(k->key), "2.0.0");
    EXPECT_EQ(Label(*k), u"2.0.0");
    EXPECT_EQ(window.get()->*k->member, "2.0.0");
    EXPECT_EQ(window->m_bFolderSelected, 0);
    platform.folder_copier.calls.clear();
  }
  // The other versions stayed as they were.
  EXPECT_TRUE(card.Exists("Navi/Navi.exe"));
}

TEST_F(UpdateRun, VersionsCompareAsTextAndANotNewerReleaseIsAskedAbout) {
  struct Case {
    std::optional<std::string> card_version;     // none: the card has no Version.ini
    std::optional<std::string> release_version;  // none: the release's file lacks the key
    bool asked;
    MessageAnswer answer;
    bool installed;
  };
  const Case cases[] = {
      {"1.0.0", "1.0.1", false, MessageAnswer::Yes, true},
      {"10.0.0", "2.0.0", false, MessageAnswer::Yes, true},  // '2' > '1'
      {"1.0.0", "1.0.0", true, MessageAnswer::Yes, true},
      {"1.0.0", "1.0.0", true, MessageAnswer::No, false},
      {"1.9.0", "1.10.0", true, MessageAnswer::No, false},  // numerically newer, textually not
      {"2.0.0", "1.5.0", true, MessageAnswer::Yes, true},
      {std::nullopt, std::nullopt, true, MessageAnswer::No, false},
      {std::nullopt, std::nullopt, true, MessageAnswer::Yes, true},  // the card's file is created
      // Both cut at 19 characters, so a difference after them does not count.
      {"1.0.0.0.0.0.0.0.0.0.1", "1.0.0.0.0.0.0.0.0.0.2", true, MessageAnswer::No, false},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << n);
    const std::string rel = "rel" + std::to_string(n++);
    ReleaseFile(rel + "/Data/x.bin", rel);
    ReleaseFile(rel + "/Version.ini", c.release_version ? Ini("GPS Version=" + *c.release_version + "\r\n")
                                                        : Ini("Firm Version=9.9.9\r\n"));
    if (c.card_version) {
      card.VersionIni(Ini("GPS Version=" + *c.card_version + "\r\n"));
    } else {
      std::filesystem::remove(card.HostPath("Navi/Version.ini"));
    }
    const auto ini_before = card.ReadFile("Navi/Version.ini");
    const auto data_before = card.ReadFile("Navi/data/x.bin");
    platform.message_box.shown.clear();
    platform.folder_copier.calls.clear();
    Start();
    driver->Click(*window->btnSetGPS);
    const std::u16string label_before = Label(kGps);
    driver->AnswerNext(c.answer);
    PickAndRegister(kGps, "C:\\" + rel);

    const bool was_asked = !Messages().empty() && Messages()[0] == kNotNewer;
    EXPECT_EQ(was_asked, c.asked);
    if (c.asked) {
      EXPECT_EQ(platform.message_box.shown[0].caption, " ");
    }
    EXPECT_EQ(window->m_bFolderSelected, 0);
    if (c.installed) {
      EXPECT_EQ(Messages().back(), pages::kUpdated);
      EXPECT_EQ(card.ReadFile("Navi/data/x.bin"), rel);
      const std::string expected = card::FitVersion(c.release_version.value_or("1.0.0"));
      EXPECT_EQ(CardVersion(card::kGpsVersionKey), expected);
      EXPECT_EQ(window->m_szGpsVer, expected);
      EXPECT_EQ(Label(kGps), platform::AnsiToWide(expected));
    } else {
      EXPECT_TRUE(platform.folder_copier.calls.empty());
      EXPECT_EQ(card.ReadFile("Navi/Version.ini"), ini_before);
      EXPECT_EQ(card.ReadFile("Navi/data/x.bin"), data_before);
      EXPECT_EQ(Label(kGps), label_before);
    }
  }
}

TEST_F(UpdateRun, TheNewVersionIsTheOneComparedNext) {
  ReleaseFile("r/Data/x.bin", "x");
  ReleaseFile("r/Version.ini", Ini("GPS Version=1.2.0\r\n"));
  card.VersionIni(Ini("GPS Version=1.1.0\r\n"));
  Start();
  driver->Click(*window->btnSetGPS);
  PickAndRegister(kGps, "C:\\r");
  driver->AnswerNext(MessageAnswer::No);
  PickAndRegister(kGps, "C:\\r");
  EXPECT_EQ(Messages(), (std::vector<std::u16string>{pages::kUpdated, kNotNewer}));
  EXPECT_EQ(platform.folder_copier.calls.size(), 1u);
}

TEST_F(UpdateRun, RefusedRegistersLeaveTheCardUntouched) {
  ReleaseFile("good/Data/x.bin", "x");
  ReleaseFile("good/Version.ini", Ini("GPS Version=9.0.0\r\n"));
  ReleaseFile("nosub/Other/x.bin", "x");
  ReleaseFile("nosub/Version.ini", Ini("GPS Version=9.0.0\r\n"));
  ReleaseFile("caps/Data/x.bin", "x");
  ReleaseFile("caps/VERSION.INI", Ini("GPS Version=9.0.0\r\n"));
  ReleaseFile("self/Data/x.bin", "x");
  ReleaseFile("self/Data/Version.ini", Ini("GPS Version=9.0.0\r\n"));
  const std::string deep = "deep/" + std::string(90, 'd');
  ReleaseFile(deep + "/Data/x.bin", "x");
  ReleaseFile(deep + "/Version.ini", Ini("GPS Version=9.0.0\r\n"));
  card.VersionIni(Ini("GPS Version=1.0.0\r\n"));

  struct Case {
    const char* what;
    std::vector<std::optional<std::string>> picks;  // one pick and register each
    bool error_shown;
  };
  const Case cases[] = {
      {"no release subfolder", {"C:\\nosub"}, true},
      {"version file in capitals", {"C:\\caps"}, true},
      {"the subfolder itself picked", {"C:\\self\\Data"}, true},
      {"missing picked folder", {"C:\\gone"}, true},
      {"path over 99 bytes", {"C:\\" + deep}, true},
      {"browse cancelled first", {std::nullopt}, false},
      {"browse cancelled after a pick", {"C:\\good", std::nullopt}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform.message_box.shown.clear();
    platform.folder_copier.calls.clear();
    const auto ini_before = card.ReadFile("Navi/Version.ini");
    Start();
    driver->Click(*window->btnSetGPS);
    for (size_t i = 0; i < c.picks.size(); ++i) {
      PickNext(c.picks[i]);
      driver->Click(*window->btnGpsFolder);
      // Only the last pick is registered.
      if (i + 1 == c.picks.size()) driver->Click(*window->TntButton5);
    }
    EXPECT_EQ(Messages(), c.error_shown ? std::vector<std::u16string>{pages::kUpdateError}
                                        : std::vector<std::u16string>{});
    EXPECT_TRUE(platform.folder_copier.calls.empty());
    EXPECT_EQ(card.ReadFile("Navi/Version.ini"), ini_before);
    EXPECT_FALSE(card.Exists("Navi/data/x.bin"));
    EXPECT_EQ(window->m_bFolderSelected, 0);
    EXPECT_EQ(window->m_szGpsVer, "1.0.0");
    // A second press does nothing until a folder is picked again.
    driver->Click(*window->TntButton5);
    EXPECT_EQ(Messages().size(), c.error_shown ? 1u : 0u);
  }
}

TEST_F(UpdateRun, ANestedFolderOfTheSameNameIsPreferredAndFoundInAnyCase) {
  ReleaseFile("pick/DATA/x.bin", "outer");
  ReleaseFile("pick/DATA/data/x.bin", "inner");
  ReleaseFile("pick/docs/Version.ini", Ini("GPS Version=3.0.0\r\n"));
  card.VersionIni(Ini("GPS Version=1.0.0\r\n"));
  Start();
  driver->Click(*window->btnSetGPS);
  PickAndRegister(kGps, "C:\\pick");
  ASSERT_EQ(platform.folder_copier.calls.size(), 1u);
  EXPECT_EQ(platform.folder_copier.calls[0].source_pattern, "C:\\pick\\DATA\\data\\*.*");
  EXPECT_EQ(card.ReadFile("Navi/data/x.bin"), "inner");
  EXPECT_EQ(CardVersion(card::kGpsVersionKey), "3.0.0");
}

TEST_F(UpdateRun, AReleaseThatIsTheDestinationItselfIsRefused) {
  card.VersionIni(Ini("GPS Version=1.0.0\r\nNavi Version=1.0.0\r\n"));
  card.WriteFile("Navi/data/map.bin", "map");
  card.WriteFile("Version.ini", Ini("GPS Version=9.0.0\r\nNavi Version=9.0.0\r\n"));
  struct Case {
    const Kind* kind;
    const char* picked;
  };
  for (const Case& c : {Case{&kGps, "E:\\Navi"}, Case{&kNavi, "E:"}}) {
    SCOPED_TRACE(c.picked);
    platform.message_box.shown.clear();
    Start();
    Open(*c.kind);
    PickAndRegister(*c.kind, c.picked);
    EXPECT_EQ(Messages(), std::vector<std::u16string>{pages::kUpdateError});
    EXPECT_TRUE(platform.folder_copier.calls.empty());
    EXPECT_EQ(card.ReadFile("Navi/data/map.bin"), "map");
    EXPECT_EQ(CardVersion(c.kind->key), "1.0.0");
  }
}

TEST_F(UpdateRun, AFailedCopyIsAnErrorAndKeepsTheCardsVersion) {
  ReleaseFile("r/FWUpdate/f.bin", "f");
  ReleaseFile("r/Version.ini", Ini("Firm Version=5.0.0\r\n"));
  card.VersionIni(Ini("Firm Version=1.0.0\r\n"));
  platform.folder_copier.then = nullptr;
  platform.folder_copier.result = 1223;  // cancelled in the progress window
  Start();
  driver->Click(*window->btnSetFirm);
  PickAndRegister(kFirm, "C:\\r");
  EXPECT_EQ(Messages(), std::vector<std::u16string>{pages::kUpdateError});
  EXPECT_EQ(platform.folder_copier.calls.size(), 1u);
  EXPECT_EQ(CardVersion(card::kFirmVersionKey), "1.0.0");
  EXPECT_EQ(window->m_szFirmVer, "1.0.0");
  EXPECT_EQ(Label(kFirm), u"1.0.0");
  EXPECT_EQ(window->m_bFolderSelected, 0);
}

TEST_F(UpdateRun, AVersionFileThatCannotBeWrittenIsReported) {
  ReleaseFile("r/Navi/n.bin", "n");
  ReleaseFile("r/Version.ini", Ini("Navi Version=5.0.0\r\n"));
  card.VersionIni(Ini("Navi Version=1.0.0\r\n"));
  Start();
  driver->Click(*window->btnSetNavi);
  platform::File held = platform.files.Open("E:\\Navi\\Version.ini", platform::Access::Read,
                                            platform::Share::None, platform::Disposition::OpenExisting);
  ASSERT_TRUE(held.IsOpen());
  PickAndRegister(kNavi, "C:\\r");
  held.Close();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0], pages::kUpdated);
  EXPECT_EQ(card.ReadFile("Navi/n.bin"), "n");
  EXPECT_EQ(CardVersion(card::kNaviVersionKey), "1.0.0");
  EXPECT_EQ(window->m_szNaviVer, "1.0.0");
}

TEST_F(UpdateRun, FolderEditsTakeNoTypingAndTheReturnButtonDropsThePick) {
  ReleaseFile("r/Data/x.bin", "x");
  ReleaseFile("r/Version.ini", Ini("GPS Version=5.0.0\r\n"));
  Start();
  for (const Kind* k : {&kGps, &kFirm, &kNavi}) {
    SCOPED_TRACE(k->what);
    window->nbMainMenu->SetPageIndex(TFNaviEdit::kMenuPage);
    Open(*k);
    ui::Edit& edit = *(window.get()->*k->edit);
    edit.SetText(u"");
    driver->Type(edit, u"C:\\r");
    EXPECT_EQ(edit.Text(), u"");
  }
  driver->Click(*window->btnGoMenu5);
  EXPECT_EQ(window->edNavi->Text(), u" ");
  driver->Click(*window->btnSetGPS);
  PickNext("C:\\r");
  driver->Click(*window->btnGpsFolder);
  EXPECT_EQ(window->m_bFolderSelected, 1);
  EXPECT_EQ(platform.folder_picker.titles.back(), platform::WideToAnsi(u"フォルダーを選択してください。"));
  driver->Click(*window->btnGoManu3);
  driver->Click(*window->btnSetGPS);
  driver->Click(*window->TntButton5);
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(platform.folder_copier.calls.empty());
}

}  // namespace
}  // namespace update_test
