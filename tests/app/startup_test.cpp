#include <gtest/gtest.h>

#include <string>

#include "tests/app/window_fixture.h"

namespace window_test {
namespace {

TEST_F(WindowTest, StartUpTracesItsStepsInOrder) {
  log.SetMask(CLog::kDebugger);
  log.SetDebugOutput(&platform.debug_output);
  AddCard('E');
  Start();
  std::vector<std::string> lines;
  for (const auto& piece : platform.debug_output.pieces)
    if (!piece.empty()) lines.push_back(piece);
  auto position = [&](const std::string& line) {
    auto it = std::find(lines.begin(), lines.end(), line);
    EXPECT_NE(it, lines.end()) << line;
    return it - lines.begin();
  };
  const std::string in_order[] = {
      "TFNaviEdit()\n",
      "Start.....\n",
      "GetDeskTopDriveList.....\n",
      "E:  --------  Drive Select\n",
      "E:\\Navi\\Data\\MapCode.bin  --------  Mapcode\n",
  };
  for (size_t i = 1; i < std::size(in_order); ++i)
    EXPECT_LT(position(in_order[i - 1]), position(in_order[i]));
  // Loaded once by the search and once more by start-up itself.
  EXPECT_EQ(std::count(lines.begin(), lines.end(), in_order[4]), 2);
  log.SetDebugOutput(nullptr);
}

TEST_F(WindowTest, WithoutACardTheMapCodePathIsRootedAtTheCurrentDrive) {
  log.SetMask(CLog::kDebugger);
  log.SetDebugOutput(&platform.debug_output);
  Start();
  const auto& pieces = platform.debug_output.pieces;
  EXPECT_NE(std::find(pieces.begin(), pieces.end(), "  --------  Drive Select\n"), pieces.end());
  EXPECT_NE(std::find(pieces.begin(), pieces.end(), "\\Navi\\Data\\MapCode.bin  --------  Mapcode\n"),
            pieces.end());
  log.SetDebugOutput(nullptr);
}

TEST_F(WindowTest, TheFormIsTheFixedWindowWithSevenPages) {
  Start();
  ui::Form& form = window->Form();
  EXPECT_EQ(form.Caption(), u"TARNIX MANEGER");
  EXPECT_EQ(form.ClientWidth(), 798);
  EXPECT_EQ(form.ClientHeight(), 564);
  EXPECT_EQ(form.GetFont().name, "MS Gothic");
  EXPECT_EQ(form.GetFont().height, 13);
  const char* pages[] = {"Default",  "nbDestination", "nbBookmark", "nbUserPoint",
                         "nbSetGPS", "nbSetFormware", "nbSetNavi"};
  ASSERT_EQ(window->nbMainMenu->PageCount(), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(window->nbMainMenu->PageAt(i)->Name(), pages[i]);
  EXPECT_FALSE(window->PanelMessage1->Visible());
  EXPECT_FALSE(window->PanelMessage2->Visible());
  EXPECT_FALSE(window->PanelMessage3->Visible());
  for (ui::Button* apply : {window->btnGpsApply, window->btnFirmApply, window->btnNaviApply})
    EXPECT_FALSE(apply->Visible());
  EXPECT_EQ(window->stFileName->Parent(), window->lvFav);
  EXPECT_EQ(window->stDontDelete->Parent(), window->lvFav);
}

// Every control that any page relies on, by name, with its page and what it shows.
TEST_F(WindowTest, EveryNamedControlSitsOnItsPage) {
  Start();
  const struct {
    const char* name;
    int page;
    std::u16string text;
  } controls[] = {
      {"lblMenu", 0, u"メインメニュー"},
      {"TntSpeedButton1", 0, u"Search"},
      {"lblVer", 0, u"Ver. 1.0.0"},
      {"ComboBoxDrive", 0, u""},
      {"lblDes", 1, u"目的地、経由地の設定"},
      {"TntButton13", 1, u"登録"},
      {"btnGoManu", 1, u"メインメニュー"},
      {"stMessage1", 1, u"書き込み中"},
      {"edDesName", 1, u""},
      {"edPassMapCode", 1, u""},
      {"lblFav", 2, u"お気に入りの編集"},
      {"lblFavFolder1", 2, u"●フォルダ一覧"},
      {"lblFavFolder2", 2, u"●フォルダ内リスト一覧"},
      {"TntButton3", 2, u"登録"},
      {"stFileName", 2, u"お気に入りフォルダ"},
      {"stDontDelete", 2, u"削除不可"},
      {"lblUser", 3, u"ユーザーポイントの編集"},
      {"TntButton15", 3, u"登録"},
      {"btnGoMenu2", 3, u"メインメニュー"},
      {"TntLabel1", 4, u"データのバージョンアップ"},
      {"TntLabel5", 4, u"●ＧＰＳダウンロードデータ"},
      {"lblGpsNote", 4, u"GPS データの更新を行います。"},
      {"btnGpsFolder", 4, u"ファイルを選択"},
      {"TntButton5", 4, u"登録"},
      {"TntLabel13", 5, u"データのバージョンアップ"},
      {"TntLabel15", 5, u"●ファームウェアの更新"},
      {"btnMusicRegi", 5, u"登録"},
      {"btnGoMenu4", 5, u"メインメニュー"},
      {"TntLabel24", 6, u"データのバージョンアップ"},
      {"TntLabel20", 6, u"●ナビソフト更新"},
      {"TntButton11", 6, u"登録"},
      {"btnGoMenu5", 6, u"メインメニュー"},
  };
  for (const auto& c : controls) {
    ui::Control* control = driver->Find(c.name);
    ASSERT_NE(control, nullptr) << c.name;
    EXPECT_TRUE(window->nbMainMenu->PageAt(c.page)->Contains(control)) << c.name;
    EXPECT_EQ(control->Text(), c.text) << c.name;
  }
}

TEST_F(WindowTest, GeometryThatThePagesGive) {
  Start();
  const struct {
    const char* name;
    ui::Rect bounds;
  } cases[] = {
      {"btnDestination", {40, 86, 379, 204}},  {"btnSetNavi", {419, 342, 758, 460}},
      {"TntSpeedButton3", {640, 8, 790, 30}},  {"TntSpeedButton9", {640, 8, 790, 30}},
      {"TntShape4", {0, 0, 798, 33}},          {"btnGoMenu1", {40, 498, 175, 548}},
      {"PanelMessage2", {330, 239, 467, 324}}, {"bvNaviFrame", {40, 76, 757, 293}},
      {"TntLabel15", {60, 114, 350, 132}},     {"lblNaviVer", {524, 114, 724, 132}},
      {"lblFirmFile", {245, 164, 445, 179}},   {"edGps", {245, 194, 470, 215}},
      {"btnFirmFolder", {480, 190, 585, 215}}, {"lblGpsNote", {100, 144, 500, 159}},
  };
  for (const auto& c : cases) EXPECT_EQ(driver->BoundsOf(c.name), c.bounds) << c.name;
  EXPECT_EQ(window->btnGoManu->GetFont().height, 16);
  EXPECT_EQ(window->lblDes->GetFont().height, 19);
  EXPECT_TRUE(window->lblDes->GetFont().bold);
  EXPECT_EQ(window->TntShape1->GetColor(), ui::kNavy);
  EXPECT_EQ(window->lvFav->VisibleRowCount(), 5);
  EXPECT_EQ(window->lvFavList->VisibleRowCount(), 9);
  EXPECT_EQ(window->lvUser->VisibleRowCount(), 21);
}

TEST_F(WindowTest, InPlaceControlsExistOncePerRowLaidOverTheirColumns) {
  Start();
  auto& w = *window;
  EXPECT_EQ(w.lvFavList->Count(), 100);
  EXPECT_EQ(w.lvDes->Count(), 1);
  EXPECT_EQ(w.lvPass->Count(), 0);
  const std::pair<const char*, ui::ListView*> arrays[] = {
      {"btnFavFolderDelete", w.lvFav}, {"btnFavListDelete", w.lvFavList}, {"BtnUserDelete", w.lvUser},
      {"pCbRoad", w.lvUser},           {"pCbFolder", w.lvFavList},        {"pEdFavFolderName", w.lvFav},
      {"pEdFavListName", w.lvFavList}, {"pEdUserPointName", w.lvUser},    {"pEdNDeg", w.lvFavList},
      {"pEdNMin", w.lvFavList},        {"pEdNSec", w.lvFavList},          {"pEdEDeg", w.lvFavList},
      {"pEdEMin", w.lvFavList},        {"pEdESec", w.lvFavList},          {"pMapCode", w.lvFavList},
  };
  int found = 0;
  for (const auto& [base, list] : arrays)
    for (int i = 0; i < kInPlaceRows; ++i) {
      ui::Control* c = w.Form().Find(std::string(base) + "[" + std::to_string(i) + "]");
      ASSERT_NE(c, nullptr) << base << i;
      EXPECT_EQ(c->Parent(), list) << c->Name();
      EXPECT_FALSE(c->Visible()) << c->Name();
      ++found;
    }
  EXPECT_EQ(found, 1500);

  // Row 7 of the point list: t = header + 7 rows; thirds of 110 are 36 wide.
  const int t = ui::ListView::kHeaderHeight + 7 * 18;
  const struct {
    ui::Control* control;
    int left, width;
  } fav[] = {
      {w.pEdFavListName[7], 40, 140},   {w.pEdNDeg[7], 180, 36},   {w.pEdNMin[7], 217, 36},
      {w.pEdNSec[7], 253, 36},          {w.pEdEDeg[7], 290, 36},   {w.pEdEMin[7], 327, 36},
      {w.pEdESec[7], 363, 36},          {w.pMapCode[7], 400, 125}, {w.pCbFolder[7], 525, 140},
      {w.btnFavListDelete[7], 665, 65},
  };
  for (const auto& c : fav) {
    EXPECT_EQ(c.control->Left(), c.left) << c.control->Name();
    EXPECT_EQ(c.control->Width(), c.width) << c.control->Name();
    EXPECT_EQ(c.control->Top(), t) << c.control->Name();
  }
  EXPECT_EQ(w.pEdUserPointName[7]->BoundsRect(), (ui::Rect{40, t, 250, t + 18}));
  EXPECT_EQ(w.pEdUserPointName[7]->Tag(), 7);
  EXPECT_EQ(w.pCbRoad[7]->BoundsRect(), (ui::Rect{490, t, 600, t + 18}));
  EXPECT_EQ(w.BtnUserDelete[7]->BoundsRect(), (ui::Rect{600, t, 665, t + 17}));
  EXPECT_EQ(w.BtnUserDelete[7]->Tag(), 7);
}

TEST_F(WindowTest, RouteDeleteButtonsSitInTheLastColumnOfTheirRow) {
  Start();
  for (auto [button, list] :
       {std::pair{window->btnDesDelete, window->lvDes}, std::pair{window->btnPassDelete, window->lvPass}}) {
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Parent(), list);
    EXPECT_EQ(button->BoundsRect(), (ui::Rect{40 + 130 + 133 + 133 + 180, 20, 681, 37}));
    EXPECT_TRUE(button->Visible());
    EXPECT_EQ(button->Caption(), u"削除");
    EXPECT_EQ(button->FontSize(), 10);
    EXPECT_EQ(button->GetCursor(), ui::Cursor::HandPoint);
    EXPECT_EQ(button->Tag(), 0);
  }
  int des = 0, pass = 0;
  window->m_Hooks.btnDesDeleteClick = [&](ui::Control&) { ++des; };
  window->m_Hooks.btnPassDeleteClick = [&](ui::Control&) { ++pass; };
  window->nbMainMenu->SetPageIndex(TFNaviEdit::kDestinationPage);
  driver->Click(*window->btnPassDelete);
  EXPECT_EQ(des, 0);
  EXPECT_EQ(pass, 1);
}

TEST_F(WindowTest, ListHeadersAreLocked) {
  Start();
  for (ui::ListView* list :
       {window->lvDes, window->lvPass, window->lvFav, window->lvFavList, window->lvUser}) {
    EXPECT_TRUE(list->HeaderLocked()) << list->Name();
    const int before = list->ColumnWidth(1);
    EXPECT_FALSE(list->UserResizeColumn(1, before + 30));
    EXPECT_FALSE(list->UserClickColumn(0));
    EXPECT_EQ(list->ColumnWidth(1), before);
  }
}

TEST_F(WindowTest, InPlaceBoxesDiscardTypingAndUserRowsReachThePage) {
  Start();
  auto& w = *window;
  std::vector<std::string> entered;
  w.m_Hooks.pEdUserEnter = [&](ui::Control& s) { entered.push_back(s.Name()); };
  w.nbMainMenu->SetPageIndex(TFNaviEdit::kUserPointPage);
  w.pCbRoad[3]->SetItems({u"一般道路", u"高速道路"});
  w.pCbRoad[3]->Show();
  w.pEdUserPointName[3]->Show();
  driver->Type(*w.pCbRoad[3], u"abc");
  EXPECT_EQ(w.pCbRoad[3]->Text(), u"");
  EXPECT_TRUE(driver->Pick(*w.pCbRoad[3], 1));
  EXPECT_EQ(w.pCbRoad[3]->ItemIndex(), 1);
  driver->Focus(*w.pEdUserPointName[3]);
  EXPECT_EQ(entered, (std::vector<std::string>{"pCbRoad[3]", "pEdUserPointName[3]"}));

  w.nbMainMenu->SetPageIndex(TFNaviEdit::kBookmarkPage);
  w.pCbFolder[0]->SetItems({u"1", u"2"});
  w.pCbFolder[0]->Show();
  driver->Type(*w.pCbFolder[0], u"2");
  EXPECT_EQ(w.pCbFolder[0]->Text(), u"");
  EXPECT_TRUE(driver->Pick(*w.pCbFolder[0], u"2"));
  EXPECT_EQ(w.pCbFolder[0]->Text(), u"2");
}

TEST_F(WindowTest, FormDestroyRemovesTheInPlaceControlsAndClearsTheFlags) {
  AddCard('E');
  Start();
  auto& w = *window;
  const size_t before = w.Form().ControlCount();
  w.m_bTextChanged = 1;
  w.m_nWarned = 1;
  w.m_nRowChanged[42] = 1;
  w.FormDestroy();
  EXPECT_EQ(w.Form().ControlCount(), before - 1500);
  EXPECT_EQ(w.pEdFavListName[0], nullptr);
  EXPECT_EQ(w.BtnUserDelete[99], nullptr);
  EXPECT_EQ(w.Form().Find("pMapCode[50]"), nullptr);
  EXPECT_EQ(w.m_nCardFound, 0);
  EXPECT_EQ(w.m_bTextChanged, 0);
  EXPECT_EQ(w.m_nWarned, 0);
  EXPECT_EQ(w.m_nRowChanged[42], 0);
  w.FormDestroy();  // nothing left to destroy
  EXPECT_EQ(w.Form().ControlCount(), before - 1500);
  window.reset();
  // The volume table outlives the window: a later removal reaches nobody.
  EXPECT_TRUE(platform.volumes.Detach('E'));
  EXPECT_TRUE(platform.message_box.shown.empty());
}

}  // namespace
}  // namespace window_test
