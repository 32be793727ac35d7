#include <gtest/gtest.h>

#include <fstream>

#include "geo/boundary.h"
#include "geo/map_code.h"
#include "platform/text.h"
#include "tests/app/window_fixture.h"
#include "tests/support/boundary_builder.h"
#include "tests/support/map_code_builder.h"

namespace window_test {
namespace {

using platform::AnsiToWide;

TEST_F(WindowTest, StartWithoutCardShowsTheMenuAndNoMessage) {
  Start();
  EXPECT_EQ(Page(), TFNaviEdit::kMenuPage);
  EXPECT_TRUE(DriveItems().empty());
  EXPECT_EQ(window->ComboBoxDrive->Text(), u"");
  EXPECT_EQ(window->m_szDrive, "");
  EXPECT_EQ(window->m_nCardFound, 0);
  EXPECT_TRUE(platform.message_box.shown.empty());
}

TEST_F(WindowTest, StartWithCardSelectsItAndLoadsItsVersionsWithoutOpeningAPage) {
  AddCard('E', CardSpec().Ini(VersionIni("2.1.0", "3.0.1", "4.2.2")));
  Start();
  EXPECT_EQ(DriveItems(), std::vector<std::u16string>{u"E:"});
  EXPECT_EQ(window->ComboBoxDrive->Text(), u"E:");
  EXPECT_EQ(window->m_szDrive, "E:");
  EXPECT_EQ(window->m_nCardFound, 1);
  EXPECT_EQ(AnsiToWide(window->m_szFavPath), u"E:\\Navi\\User\\お気に入りフォルダ");
  EXPECT_EQ(window->m_szGpsVer, "2.1.0");
  EXPECT_EQ(window->m_szFirmVer, "3.0.1");
  EXPECT_EQ(window->m_szNaviVer, "4.2.2");
  EXPECT_EQ(window->lblGPSVer->Caption(), u"2.1.0");
  EXPECT_EQ(window->lblFirmVer->Caption(), u"3.0.1");
  EXPECT_EQ(window->lblNaviVer->Caption(), u"4.2.2");
  EXPECT_EQ(window->m_MapCode->Path(), "E:\\Navi\\Data\\MapCode.bin");
  EXPECT_EQ(Page(), TFNaviEdit::kMenuPage);
  EXPECT_TRUE(platform.message_box.shown.empty());
}

TEST_F(WindowTest, SelectingACardLoadsItsMapCodesAndBoundaries) {
  AddCard('E');
  ASSERT_TRUE(testing_support::MapCodeTableBuilder::WriteHostFile(
      HostRoot('E') + "/Navi/Data/MapCode.bin", testing_support::MapCodeTableBuilder().Bytes()));
  testing_support::BoundaryFileBuilder boundaries;
  boundaries.prefectures.push_back(
      {u"東京都", {{u"千代田区", testing_support::RectangleOutline(0, 0, 100, 100), 1}}, 13});
  ASSERT_TRUE(testing_support::BoundaryFileBuilder::WriteHostFile(HostRoot('E') + "/Navi/Data/prefecture.mzb",
                                                                  boundaries.Bytes()));
  Start();
  EXPECT_TRUE(window->m_MapCode->IsReady());
  EXPECT_TRUE(objects.boundary.IsLoaded());
}

TEST_F(WindowTest, SeveralCardsAreListedInOrderAndTheHighestIsSelected) {
  AddCard('G', CardSpec().Ini(VersionIni("7.0.0", "7.0.1", "7.0.2")));
  AddCard('E', CardSpec().Ini(VersionIni("5.0.0", "5.0.1", "5.0.2")));
  Start();
  EXPECT_EQ(DriveItems(), (std::vector<std::u16string>{u"E:", u"G:"}));
  EXPECT_EQ(window->ComboBoxDrive->Text(), u"G:");
  EXPECT_EQ(window->m_szDrive, "G:");
  EXPECT_EQ(window->m_szGpsVer, "7.0.0");
  EXPECT_EQ(window->m_MapCode->Path(), "G:\\Navi\\Data\\MapCode.bin");
}

TEST_F(WindowTest, DrivesThatAreNotDeviceCardsAreNotListed) {
  struct Case {
    const char* what;
    CardSpec spec;
  };
  const Case cases[] = {
      {"FAT card without the program", CardSpec().NoProgram().FileSystem("FAT")},
      {"exFAT card", CardSpec().FileSystem("exFAT")},
      {"NTFS card", CardSpec().FileSystem("NTFS")},
      {"fixed disk", CardSpec().Type(platform::DriveType::Fixed)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    platform.volumes.Detach('E');
    platform.volumes.Detach('F');
    AddCard('E');
    AddCard('F', c.spec);
    Start();
    EXPECT_EQ(DriveItems(), std::vector<std::u16string>{u"E:"});
    EXPECT_EQ(window->m_szDrive, "E:");
    window.reset();
  }
}

TEST_F(WindowTest, VersionFileProblemsGiveDefinedVersions) {
  struct Case {
    const char* what;
    std::optional<std::string> ini;
    std::string gps, firm, navi;
  };
  const std::string long_value = "1.2.3.4.5.6.7.8.9.10.11.12";  // 26 characters
  const Case cases[] = {
      {"missing file", std::nullopt, "1.0.0", "1.0.0", "1.0.0"},
      {"empty file", std::string(), "1.0.0", "1.0.0", "1.0.0"},
      {"no section", std::string("GPS Version=2.0.0\r\n"), "1.0.0", "1.0.0", "1.0.0"},
      {"one key missing", std::string("[Version]\r\nFirm Version=3.3.3\r\n"), "1.0.0", "3.3.3", "1.0.0"},
      {"over-long values are cut to 19", VersionIni(long_value, long_value + long_value, "9.9.9"),
       long_value.substr(0, 19), long_value.substr(0, 19), "9.9.9"},
      {"binary rubbish", std::string("\x00\xff\x81[Version\r\n=\xfe", 12), "1.0.0", "1.0.0", "1.0.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    platform.volumes.Detach('E');
    AddCard('E', CardSpec().Ini(c.ini));
    Start();
    EXPECT_EQ(window->m_nCardFound, 1);
    EXPECT_EQ(window->m_szGpsVer, c.gps);
    EXPECT_EQ(window->m_szFirmVer, c.firm);
    EXPECT_EQ(window->m_szNaviVer, c.navi);
    EXPECT_EQ(window->lblGPSVer->Caption(), AnsiToWide(c.gps));
    window.reset();
  }
}

TEST_F(WindowTest, SearchFindsACardAttachedAfterStartAndWarnsWithoutOne) {
  Start();
  driver->Click(*window->TntSpeedButton1);
  ASSERT_EQ(platform.message_box.shown.size(), 1u);
  const auto& box = platform.message_box.shown[0];
  EXPECT_EQ(box.Text(), kInsertCardMessage);
  EXPECT_EQ(box.caption, "");
  EXPECT_EQ(box.buttons, platform::MessageButtons::Ok);
  EXPECT_TRUE(box.owned);

  AddCard('F', CardSpec().Ini(VersionIni("2.0.0", "2.0.0", "2.0.0")));
  EXPECT_EQ(window->m_nCardFound, 0);  // inserting alone finds nothing
  driver->Click(*window->TntSpeedButton1);
  EXPECT_EQ(platform.message_box.shown.size(), 1u);
  EXPECT_EQ(DriveItems(), std::vector<std::u16string>{u"F:"});
  EXPECT_EQ(window->m_nCardFound, 1);
  EXPECT_EQ(window->m_szGpsVer, "2.0.0");
}

TEST_F(WindowTest, RemovingAVolumeWhileACardRemainsLeavesThePage) {
  AddCard('E', CardSpec().Ini(VersionIni("5.0.0", "5.0.1", "5.0.2")));
  AddCard('G');
  AddCard('H', CardSpec().NoProgram());  // some other removable disk
  Start();
  driver->Click(*window->btnSetGPS);
  ASSERT_EQ(Page(), TFNaviEdit::kGpsPage);
  platform.volumes.Detach('H');
  EXPECT_EQ(Page(), TFNaviEdit::kGpsPage);
  platform.volumes.Detach('G');
  EXPECT_EQ(Page(), TFNaviEdit::kGpsPage);
  EXPECT_EQ(DriveItems(), std::vector<std::u16string>{u"E:"});
  EXPECT_EQ(window->m_szDrive, "E:");
  EXPECT_EQ(window->m_szGpsVer, "5.0.0");
  EXPECT_TRUE(platform.message_box.shown.empty());
}

TEST_F(WindowTest, RemovingTheLastCardWarnsReturnsToTheMenuAndClearsTheSelector) {
  const struct {
    ui::SpeedButton* TFNaviEdit::*menu_button;
    int page;
  } cases[] = {
      {&TFNaviEdit::btnDestination, TFNaviEdit::kDestinationPage},
      {&TFNaviEdit::btnEditBookmark, TFNaviEdit::kBookmarkPage},
      {&TFNaviEdit::btnEditUserPoint, TFNaviEdit::kUserPointPage},
      {&TFNaviEdit::btnSetGPS, TFNaviEdit::kGpsPage},
      {&TFNaviEdit::btnSetFirm, TFNaviEdit::kFirmPage},
      {&TFNaviEdit::btnSetNavi, TFNaviEdit::kNaviPage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    AddCard('E', CardSpec().Ini(VersionIni("5.0.0", "5.0.1", "5.0.2")));
    platform.message_box.shown.clear();
    Start();
    driver->Click(*(window.get()->*c.menu_button));
    ASSERT_EQ(Page(), c.page);
    platform.volumes.Detach('E');
    EXPECT_EQ(Messages(), std::vector<std::u16string>{kInsertCardMessage});
    EXPECT_EQ(Page(), TFNaviEdit::kMenuPage);
    EXPECT_TRUE(DriveItems().empty());
    EXPECT_EQ(window->ComboBoxDrive->Text(), u"");
    EXPECT_EQ(window->m_nCardFound, 0);
    EXPECT_EQ(window->m_szDrive, "");
    // What the card loaded stays until another card is selected.
    EXPECT_EQ(window->m_szGpsVer, "5.0.0");
    window.reset();
  }
}

TEST_F(WindowTest, RemovalWhileAnUpdateFolderIsPickedDisarmsTheUpdate) {
  AddCard('E');
  Start();
  driver->Click(*window->btnSetNavi);
  window->edNavi->SetText(u"C:\\release");
  window->m_bFolderSelected = 1;
  platform.volumes.Detach('E');
  EXPECT_EQ(Page(), TFNaviEdit::kMenuPage);
  EXPECT_EQ(window->m_bFolderSelected, 0);
  EXPECT_EQ(window->edNavi->Text(), u" ");
}

class SelectorTest : public WindowTest {
 protected:
  void SetUp() override {
    AddCard('E', CardSpec().Ini(VersionIni("5.0.0", "5.0.1", "5.0.2")));
    AddCard('G', CardSpec().Ini(VersionIni("7.0.0", "7.0.1", "7.0.2")));
    Start();
  }
};

TEST_F(SelectorTest, AChoiceTakesEffectOnlyWhenTheSelectorLosesTheFocus) {
  ASSERT_TRUE(driver->Pick(*window->ComboBoxDrive, u"E:"));
  EXPECT_EQ(window->ComboBoxDrive->Text(), u"E:");
  EXPECT_EQ(window->m_szDrive, "G:");
  EXPECT_EQ(window->m_szGpsVer, "7.0.0");
  // "Search" is a flat button: it leaves the focus where it is.
  driver->Leave();
  EXPECT_EQ(window->m_szDrive, "E:");
  EXPECT_EQ(AnsiToWide(window->m_szFavPath), u"E:\\Navi\\User\\お気に入りフォルダ");
  EXPECT_EQ(window->m_szGpsVer, "5.0.0");
  EXPECT_EQ(window->lblNaviVer->Caption(), u"5.0.2");
  EXPECT_EQ(window->m_MapCode->Path(), "E:\\Navi\\Data\\MapCode.bin");
  EXPECT_EQ(window->m_nCardFound, 1);
}

TEST_F(SelectorTest, LeavingTheMenuAppliesTheChoiceBeforeThePageReadsItsFiles) {
  std::vector<std::string> drive_seen;
  window->m_Hooks.ReadAdb = [&] { drive_seen.push_back(window->m_szDrive); };
  window->m_Hooks.FavFolderDraw = [&] { drive_seen.push_back(window->m_szFavPath.substr(0, 2)); };
  driver->Pick(*window->ComboBoxDrive, u"E:");
  driver->Click(*window->btnDestination);
  driver->Click(*window->btnGoManu);
  driver->Pick(*window->ComboBoxDrive, u"G:");
  driver->Click(*window->btnEditBookmark);
  EXPECT_EQ(drive_seen, (std::vector<std::string>{"E:", "G:"}));
}

TEST_F(SelectorTest, UpdatePagesShowTheVersionOfTheDriveInForce) {
  driver->Pick(*window->ComboBoxDrive, u"E:");
  driver->Click(*window->btnSetFirm);
  EXPECT_EQ(window->lblFirmVer->Caption(), u"5.0.1");
  driver->Click(*window->btnGoMenu4);
  // The card's file changes behind the program's back: the page shows the file, the
  // member used for comparing keeps what was read at selection.
  std::ofstream(HostRoot('E') + "/Navi/Version.ini", std::ios::binary | std::ios::trunc)
      << VersionIni("5.0.0", "5.5.5", "6.6.6");
  driver->Click(*window->btnSetFirm);
  EXPECT_EQ(window->lblFirmVer->Caption(), u"5.5.5");
  EXPECT_EQ(window->m_szFirmVer, "5.0.1");
  driver->Click(*window->btnGoMenu4);
  driver->Click(*window->btnSetNavi);
  EXPECT_EQ(window->lblNaviVer->Caption(), u"6.6.6");
  EXPECT_EQ(window->m_szNaviVer, "5.0.2");
}

TEST_F(SelectorTest, TypedCharactersAreDiscarded) {
  driver->Type(*window->ComboBoxDrive, u"E:\r\b");
  EXPECT_EQ(window->ComboBoxDrive->Text(), u"G:");
  driver->Leave();
  EXPECT_EQ(window->m_szDrive, "G:");
}

TEST_F(SelectorTest, TextThatIsNotAListedDriveIsIgnored) {
  for (std::u16string pasted : {u"Q:", u"", u"e:", u"E:\\", u"E:E:", u"SDカード"}) {
    SCOPED_TRACE(platform::WideToUtf8(pasted));
    driver->Paste(*window->ComboBoxDrive, pasted);
    driver->Leave();
    EXPECT_EQ(window->m_szDrive, "G:");
    EXPECT_EQ(window->ComboBoxDrive->Text(), u"G:");
    EXPECT_EQ(window->m_szGpsVer, "7.0.0");
    EXPECT_EQ(window->m_MapCode->Path(), "G:\\Navi\\Data\\MapCode.bin");
  }
  driver->Paste(*window->ComboBoxDrive, u"E:");  // a listed drive, however it arrived
  driver->Leave();
  EXPECT_EQ(window->m_szDrive, "E:");
}

}  // namespace
}  // namespace window_test
