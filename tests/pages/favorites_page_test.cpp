// The favorites page: opening it, the two lists with their in-place controls, scrolling,
// and the checks of the point name and position editors.
#include <filesystem>
#include <optional>

#include "geo/datum.h"
#include "geo/dms.h"
#include "geo/map_code.h"
#include "geo/map_units.h"
#include "pages/favorites_messages.h"
#include "pages/messages.h"
#include "tests/pages/favorites_fixture.h"
#include "tests/support/map_code_builder.h"

namespace pages {
namespace {

using platform::MessageAnswer;

TEST_F(FavoritesTest, WithoutACardThePageStaysClosedWithTheNotice) {
  std::filesystem::remove(card.HostPath("Navi/Navi.exe"));
  card.FavFolder("旅行", {FavLine("宿", "35.5", "139.5")});
  Start();
  driver->Click(*window->btnEditBookmark);
  EXPECT_EQ(driver->LastMessage(), u"SDカードを挿入してください。");
  EXPECT_EQ(driver->PageShown("nbMainMenu"), TFNaviEdit::kMenuPage);
  EXPECT_EQ(window->lvFav->Count(), 0);
}

TEST_F(FavoritesTest, ARootWithoutSubfoldersShowsTheFixedFolderAlone) {
  card.FavList({FavLine("自宅", "35.681236", "139.767120"), FavLine("駅", "35.5", "139.5")});
  StartOnFavoritesPage();
  EXPECT_EQ(driver->PageShown("nbMainMenu"), TFNaviEdit::kBookmarkPage);
  ASSERT_EQ(window->lvFav->Count(), 1);
  const ui::ListItem& row = *window->lvFav->Item(0);
  EXPECT_EQ(row.caption, u"1");
  EXPECT_EQ(row.sub_items, (std::vector<std::u16string>{u"お気に入りフォルダ", u"2", u""}));
  EXPECT_EQ(window->lvFav->Selected(), -1);
  EXPECT_EQ(window->lvFavList->Count(), 0);
  // The fixed folder has the two static texts over its cells instead of controls.
  EXPECT_FALSE(window->pEdFavFolderName[0]->Visible());
  EXPECT_FALSE(window->btnFavFolderDelete[0]->Visible());
  EXPECT_EQ(window->stFileName->Caption(), u"お気に入りフォルダ");
  EXPECT_EQ(window->stDontDelete->Caption(), u"削除不可");
  EXPECT_TRUE(window->stFileName->Showing());
  EXPECT_EQ(window->stFileName->Top(), window->lvFav->ItemRect(0).top);
  EXPECT_EQ(window->stFileName->Left(), 40 + 2);
  EXPECT_EQ(window->stDontDelete->Left(), 40 + 305 + 65 + 2);
}

TEST_F(FavoritesTest, FolderRowsGetANameFieldAndADeleteButtonOverTheirCells) {
  card.FavList({});
  card.FavFolder("旅行", NumberedPoints(3));
  StartOnFavoritesPage();
  const int row = FolderRow(u"旅行");
  ASSERT_EQ(row, 1);
  EXPECT_EQ(Count(u"旅行"), u"3");
  const int top = window->lvFav->ItemRect(row).top;
  ui::Edit& name = *window->pEdFavFolderName[row];
  EXPECT_EQ(name.Text(), u"旅行");
  EXPECT_EQ(name.Tag(), row);
  EXPECT_EQ(name.BoundsRect(), (ui::Rect{40, top, 40 + 305, top + 18}));
  ui::SpeedButton& button = *window->btnFavFolderDelete[row];
  EXPECT_EQ(button.Caption(), u"削除");
  EXPECT_EQ(button.BoundsRect(), (ui::Rect{40 + 305 + 65, top, 40 + 305 + 65 + 77, top + 17}));
  EXPECT_EQ(button.GetCursor(), ui::Cursor::HandPoint);
  // Entering a folder's name field shows that folder's points.
  driver->Focus(name);
  EXPECT_EQ(window->lvFav->Selected(), row);
  EXPECT_EQ(window->lvFavList->Count(), 3);
}

TEST_F(FavoritesTest, TwelvePointsShowNineRowsOfControlsThatFollowTheScroll) {
  card.FavList({});
  card.FavFolder("多い", NumberedPoints(12));
  StartOnFavoritesPage();
  SelectFolder(u"多い");
  ui::ListView& list = *window->lvFavList;
  ASSERT_EQ(list.Count(), 12);
  EXPECT_EQ(window->m_nFavListShown, 1);
  EXPECT_EQ(RowsInView(), 9);
  for (int r = 0; r < 9; ++r) EXPECT_TRUE(RowInView(r)) << r;

  // The columns of a row: No 40, name 140, longitude 110, latitude 110, map code 125, target 140.
  const int top = list.ItemRect(2).top;
  const std::pair<ui::Control*, int> lefts[] = {
      {window->pEdFavListName[2], 40},   {window->pEdNDeg[2], 180},  {window->pEdNMin[2], 217},
      {window->pEdNSec[2], 253},         {window->pEdEDeg[2], 290},  {window->pEdEMin[2], 327},
      {window->pEdESec[2], 363},         {window->pMapCode[2], 400}, {window->pCbFolder[2], 525},
      {window->btnFavListDelete[2], 665}};
  for (const auto& [control, left] : lefts) {
    EXPECT_EQ(control->Left(), left) << control->Name();
    EXPECT_EQ(control->Top(), top) << control->Name();
  }
  EXPECT_EQ(window->pEdNDeg[2]->Width(), 110);
  EXPECT_EQ(window->pEdNMin[2]->Width(), 36);

  driver->ScrollTo(list, 3);
  EXPECT_EQ(RowsInView(), 9);
  for (int r = 0; r < 12; ++r) EXPECT_EQ(RowInView(r), r >= 3) << r;
  EXPECT_EQ(window->pEdFavListName[3]->Top(), list.ItemRect(3).top);
  EXPECT_EQ(window->pEdFavListName[3]->Text(), u"P03");
}

TEST_F(FavoritesTest, AnEmptyFolderShowsNoRowControlsEvenAfterAScrolledList) {
  card.FavList({});
  card.FavFolder("多い", NumberedPoints(12));
  card.FavFolder("空", {});
  card.MakeFolder(std::string(testing_support::kFavoritesHostPath) + "/ファイルなし");
  StartOnFavoritesPage();
  SelectFolder(u"多い");
  driver->ScrollTo(*window->lvFavList, 3);
  for (const std::u16string folder : {u"空", u"ファイルなし"}) {
    SCOPED_TRACE(platform::WideToUtf8(folder));
    EXPECT_EQ(Count(folder), u"0");
    SelectFolder(folder);
    EXPECT_EQ(window->lvFavList->Count(), 0);
    EXPECT_EQ(RowsInView(), 0);
  }
}

TEST_F(FavoritesTest, PositionsAreSplitIntoDegreesMinutesAndRoundedSeconds) {
  card.FavList({FavLine("端", "35.99999", "135.5"), FavLine("駅", "35.681236", "139.767120")});
  StartOnFavoritesPage();
  SelectFolder(u"お気に入りフォルダ");
  // Rows come in name order (code page 932 bytes): 駅 before 端.
  EXPECT_EQ(Row(0), (std::vector<std::u16string>{u"駅", u"139", u"46", u"1.6", u"35", u"40", u"52.5"}));
  EXPECT_EQ(Row(1), (std::vector<std::u16string>{u"端", u"135", u"30", u"0.0", u"35", u"59", u"60.0"}));
  EXPECT_EQ(window->lvFavList->Item(1)->sub_items[0], u"端");
  EXPECT_EQ(window->pMapCode[1]->Text(), u"");
  // The move target shows the folder itself, picked from a list of every folder number.
  EXPECT_EQ(window->pCbFolder[0]->Text(), u"1");
  EXPECT_EQ(window->pCbFolder[0]->Items(), (std::vector<std::u16string>{u"1"}));
  EXPECT_EQ(window->m_nRowChanged[0], 0);
}

TEST_F(FavoritesTest, SevenFoldersScrolledPastTheFirstTakeTheFixedTextsOutOfView) {
  card.FavList({});
  for (const char* name : {"a", "b", "c", "d", "e", "f"}) card.FavFolder(name, {});
  StartOnFavoritesPage();
  ASSERT_EQ(window->lvFav->Count(), 7);
  driver->ScrollTo(*window->lvFav, 2);
  EXPECT_EQ(window->stFileName->Left(), -1000);
  EXPECT_EQ(window->stDontDelete->Left(), -1000);
  EXPECT_EQ(window->pEdFavFolderName[1]->Left(), -1000);
  EXPECT_EQ(window->pEdFavFolderName[2]->Left(), 40);
  EXPECT_EQ(window->pEdFavFolderName[2]->Top(), window->lvFav->ItemRect(2).top);
  driver->ScrollTo(*window->lvFav, 0);
  EXPECT_EQ(window->stFileName->Left(), 42);
}

struct NameCase {
  const char16_t* typed;
  const char16_t* message;  // null: accepted without a message
};

TEST_F(FavoritesTest, PointNamesOfMoreThanTwentyCharactersOrWithACommaAreRefusedOnce) {
  card.FavList({FavLine("自宅", "35.5", "139.5")});
  StartOnFavoritesPage();
  SelectFolder(u"お気に入りフォルダ");
  const NameCase cases[] = {
      {u"12345678901234567890", nullptr},
      {u"一二三四五六七八九十一二三四五六七八九十", nullptr},
      {u"", nullptr},
      {u"123456789012345678901", kNameTooLong},
      {u"自宅,駐車場", kFavNameBadCharacter},
      {u"自宅\n2", kFavNameBadCharacter},
      {u"自宅😀", kFavNameBadCharacter},
  };
  ui::Edit& name = *window->pEdFavListName[0];
  for (const NameCase& c : cases) {
    SCOPED_TRACE(platform::WideToUtf8(c.typed));
    const size_t before = driver->MessageCount();
    if (std::u16string_view(c.typed).empty()) {
      driver->Focus(name);
      name.SelectAll();
      driver->TypeKey(8);
    } else {
      driver->Paste(name, c.typed);
    }
    driver->Leave();
    if (c.message == nullptr) {
      EXPECT_EQ(driver->MessageCount(), before);
      EXPECT_EQ(name.Text(), c.typed);
    } else {
      EXPECT_EQ(driver->MessageCount(), before + 1);
      EXPECT_EQ(driver->LastMessage(), c.message);
      EXPECT_EQ(name.Text(), u"自宅");
      // Leaving again without a change shows nothing more.
      driver->Focus(name);
      driver->Leave();
      EXPECT_EQ(driver->MessageCount(), before + 1);
    }
    EXPECT_EQ(window->m_nRowChanged[0], 1);
  }
}

TEST_F(FavoritesTest, PositionEditorsWarnAndPutBackTheStoredPart) {
  card.FavList({FavLine("自宅", "35.681236", "139.767120"), FavLine("外", "10.5", "139.5")});
  StartOnFavoritesPage();
  SelectFolder(u"お気に入りフォルダ");
  struct Case {
    ui::Edit* field;
    const char16_t* typed;
    bool warns;
    const char16_t* after;
  };
  TFNaviEdit& w = *window;
  const Case cases[] = {
      {w.pEdEDeg[1], u"47", false, u"47"},
      {w.pEdEDeg[1], u"48", true, u"35"},
      {w.pEdNDeg[1], u"121", true, u"139"},
      {w.pEdNMin[1], u"60", false, u"60"},
      {w.pEdNSec[1], u"60.1", true, u"1.6"},
      {w.pEdNDeg[1], u"", true, u"139"},
      {w.pEdESec[1], u"0.55", false, u"0.55"},
      // A stored latitude outside the valid area gives back "0" for its seconds.
      {w.pEdESec[0], u"61", true, u"0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field->Name() + " " + platform::WideToUtf8(c.typed));
    w.pMapCode[c.field->Tag()]->SetText(u"1234");
    const size_t before = driver->MessageCount();
    if (std::u16string_view(c.typed).empty()) {
      driver->Focus(*c.field);
      c.field->SelectAll();
      driver->TypeKey(8);
      driver->Leave();
    } else {
      driver->Enter(*c.field, c.typed);
    }
    EXPECT_EQ(driver->MessageCount(), before + (c.warns ? 1 : 0));
    if (c.warns) {
      EXPECT_EQ(driver->LastMessage(), kNoCoordinate);
    }
    EXPECT_EQ(c.field->Text(), c.after);
    // The map code is emptied only when a value is accepted.
    EXPECT_EQ(w.pMapCode[c.field->Tag()]->Text(), c.warns ? u"1234" : u"");
  }
}

TEST_F(FavoritesTest, PositionEditorKeysFilterAndEnterRunsTheCheck) {
  card.FavList({FavLine("自宅", "35.681236", "139.767120")});
  StartOnFavoritesPage();
  SelectFolder(u"お気に入りフォルダ");
  ui::Edit& seconds = *window->pEdNSec[0];
  driver->Type(seconds, u"1a.2.5-");
  EXPECT_EQ(seconds.Text(), u"1.25");
  ui::Edit& degrees = *window->pEdNDeg[0];
  driver->Type(degrees, u"1.5x");
  EXPECT_EQ(degrees.Text(), u"15");
  driver->PressEnter();
  EXPECT_EQ(driver->LastMessage(), kNoCoordinate);
  EXPECT_EQ(degrees.Text(), u"139");
  ui::Edit& code = *window->pMapCode[0];
  driver->Type(code, u"12a*3-");
  EXPECT_EQ(code.Text(), u"12*3");
}

// A table whose block 0 starts at 139°45'00" E, 35°40'00" N (Tokyo datum).
testing_support::MapCodeBlock TokyoBlock() {
  testing_support::MapCodeBlock block;
  block.width = 30;
  block.longitude_degrees = 139;
  block.longitude_minutes = 45;
  block.latitude_degrees = 35;
  block.latitude_minutes = 40;
  return block;
}

TEST_F(FavoritesTest, AMapCodeFillsItsOwnRowAndMarksItChanged) {
  card.WriteFile("Navi/Data/MapCode.bin",
                 testing_support::MapCodeTableBuilder().Block(0, TokyoBlock()).Bytes());
  card.FavList({FavLine("自宅", "35.5", "139.5"), FavLine("駅", "35.5", "139.5")});
  StartOnFavoritesPage();
  SelectFolder(u"お気に入りフォルダ");
  const std::vector<std::u16string> second_row = Row(1);
  driver->Enter(*window->pMapCode[0], u"31045");
  // 30" + 15" of longitude and 30" + 1" of latitude from the origin, shifted to WGS84.
  const std::vector<std::u16string> row = Row(0);
  EXPECT_EQ(row[1], u"139");
  EXPECT_EQ(row[2], u"45");
  EXPECT_EQ(row[4], u"35");
  EXPECT_EQ(row[5], u"40");
  EXPECT_NE(row[3], u"30.0");  // the datum shift moves the seconds
  EXPECT_EQ(window->pMapCode[0]->Text(), u"31045");
  EXPECT_EQ(window->m_nRowChanged[0], 1);
  EXPECT_EQ(Row(1), second_row);
  EXPECT_EQ(window->m_nRowChanged[1], 0);

  driver->Enter(*window->pMapCode[1], u"1204000000");
  EXPECT_EQ(driver->LastMessage(), kOutOfRange);
  EXPECT_EQ(Row(1), second_row);
  driver->Enter(*window->pMapCode[1], u"123456789012345678901");
  EXPECT_EQ(driver->LastMessage(), kNameTooLong);
  EXPECT_EQ(window->pMapCode[1]->Text(), u"");
}

TEST_F(FavoritesTest, ReturningToTheMenuParksTheVisibleRows) {
  card.FavList(NumberedPoints(4));
  StartOnFavoritesPage();
  SelectFolder(u"お気に入りフォルダ");
  EXPECT_EQ(RowsInView(), 4);
  driver->Click(*window->btnGoMenu1);
  EXPECT_EQ(RowsInView(), 0);
  EXPECT_EQ(window->m_nFavListShown, 0);
}

}  // namespace
}  // namespace pages

namespace pages {
namespace {

// A code of the table whose WGS84 latitude seconds fall between 0.5 and 0.6, where the
// half-second rule of the route points would show them as 0.
std::string CodeWithHalfSecondLatitude(const std::string& table) {
  geo::CMapCodeConverter converter;
  converter.LoadBytes(table);
  // Latitudes over two minutes of the block in ninths of a second: cells a row of 30
  // apart, the second's row, and the sub-code.
  for (int cell = 0; cell <= 90; cell += 30) {
    for (int second = 0; second < 900; second += 30) {
      for (int sub = 0; sub < 81; ++sub) {
        const std::string code =
            std::to_string(cell * 1000 + second) + "*" + std::to_string(sub / 9) + std::to_string(sub % 9);
        const std::optional<geo::MapPosition> position = converter.Convert(code);
        if (!position) continue;
        float longitude = 0;
        float latitude = 0;
        geo::Bessel2WGS(geo::LongitudeFromUnits(position->x), geo::LatitudeFromUnits(position->y), longitude,
                        latitude);
        const float seconds = geo::SplitDms(latitude).seconds;
        if (seconds > 0.5f && seconds < 0.6f) return code;
      }
    }
  }
  return {};
}

TEST_F(FavoritesTest, AMapCodeInAFavoritesRowKeepsSecondsJustAboveAHalf) {
  const std::string table = testing_support::MapCodeTableBuilder().Block(0, TokyoBlock()).Bytes();
  const std::string code = CodeWithHalfSecondLatitude(table);
  ASSERT_FALSE(code.empty());
  card.WriteFile("Navi/Data/MapCode.bin", table);
  card.FavList({FavLine("自宅", "35.5", "139.5")});
  StartOnFavoritesPage();
  SelectFolder(u"お気に入りフォルダ");
  driver->Enter(*window->pMapCode[0], platform::Utf8ToWide(code));
  EXPECT_EQ(window->pEdESec[0]->Text(), u"0.6");
  // The destination's map code field shows the same code's seconds as 0.
  driver->Click(*window->btnGoMenu1);
  driver->Click(*window->btnDestination);
  driver->Enter(*window->edDesMapCode, platform::Utf8ToWide(code));
  EXPECT_EQ(window->edDesESec->Text(), u"0.0");
}

}  // namespace
}  // namespace pages
