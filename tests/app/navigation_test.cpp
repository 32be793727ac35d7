#include <gtest/gtest.h>

#include "app/online_manual.h"
#include "tests/app/window_fixture.h"

namespace window_test {
namespace {

using MenuButton = ui::SpeedButton* TFNaviEdit::*;

struct MenuCase {
  MenuButton button;
  int page;
  ui::Button* TFNaviEdit::*back;
};
const MenuCase kMenu[] = {
    {&TFNaviEdit::btnDestination, TFNaviEdit::kDestinationPage, &TFNaviEdit::btnGoManu},
    {&TFNaviEdit::btnEditBookmark, TFNaviEdit::kBookmarkPage, &TFNaviEdit::btnGoMenu1},
    {&TFNaviEdit::btnEditUserPoint, TFNaviEdit::kUserPointPage, &TFNaviEdit::btnGoMenu2},
    {&TFNaviEdit::btnSetGPS, TFNaviEdit::kGpsPage, &TFNaviEdit::btnGoManu3},
    {&TFNaviEdit::btnSetFirm, TFNaviEdit::kFirmPage, &TFNaviEdit::btnGoMenu4},
    {&TFNaviEdit::btnSetNavi, TFNaviEdit::kNaviPage, &TFNaviEdit::btnGoMenu5},
};

TEST_F(WindowTest, WithoutACardEveryMenuButtonAsksForTheCard) {
  Start();
  for (const auto& c : kMenu) {
    SCOPED_TRACE(c.page);
    platform.message_box.shown.clear();
    driver->Click(*(window.get()->*c.button));
    ASSERT_EQ(platform.message_box.shown.size(), 1u);
    const auto& box = platform.message_box.shown[0];
    EXPECT_EQ(box.Text(), kInsertCardMessage);
    EXPECT_EQ(box.caption, "");
    EXPECT_EQ(box.buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(Page(), TFNaviEdit::kMenuPage);
  }
}

TEST_F(WindowTest, WithACardEachMenuButtonOpensItsPageThenItsLoaderAndReturns) {
  AddCard('E');
  Start();
  std::vector<std::string> loaded;
  window->m_Hooks.ReadAdb = [&] { loaded.push_back("adb on " + std::to_string(Page())); };
  window->m_Hooks.FavFolderDraw = [&] { loaded.push_back("fav on " + std::to_string(Page())); };
  window->m_Hooks.ReadORBIS = [&] { loaded.push_back("orbis on " + std::to_string(Page())); };
  for (const auto& c : kMenu) {
    SCOPED_TRACE(c.page);
    driver->Click(*(window.get()->*c.button));
    EXPECT_EQ(Page(), c.page);
    EXPECT_TRUE((window.get()->*c.back)->Showing());
    driver->Click(*(window.get()->*c.back));
    EXPECT_EQ(Page(), TFNaviEdit::kMenuPage);
  }
  EXPECT_EQ(loaded, (std::vector<std::string>{"adb on 1", "fav on 2", "orbis on 3"}));
  EXPECT_TRUE(platform.message_box.shown.empty());
}

TEST_F(WindowTest, ReturnFromTheUpdatePagesClearsTheFolderChoice) {
  AddCard('E');
  Start();
  const struct {
    MenuButton open;
    ui::Button* TFNaviEdit::*back;
    ui::Edit* TFNaviEdit::*edit;
    std::u16string left;
  } cases[] = {
      {&TFNaviEdit::btnSetGPS, &TFNaviEdit::btnGoManu3, &TFNaviEdit::edGps, u""},
      {&TFNaviEdit::btnSetFirm, &TFNaviEdit::btnGoMenu4, &TFNaviEdit::edFirm, u""},
      {&TFNaviEdit::btnSetNavi, &TFNaviEdit::btnGoMenu5, &TFNaviEdit::edNavi, u" "},
  };
  for (const auto& c : cases) {
    driver->Click(*(window.get()->*c.open));
    (window.get()->*c.edit)->SetText(u"C:\\release");
    window->m_bFolderSelected = 1;
    driver->Click(*(window.get()->*c.back));
    EXPECT_EQ((window.get()->*c.edit)->Text(), c.left);
    EXPECT_EQ(window->m_bFolderSelected, 0);
  }
}

class FavoritesReturn : public WindowTest {
 protected:
  void SetUp() override {
    AddCard('E');
    Start();
    Rearm();
  }
  // Opens the page with every row's controls in use, placed as the page would place them.
  void Rearm() {
    driver->Click(*window->btnEditBookmark);
    window->m_nFavListShown = 1;
    for (int r = 0; r < kInPlaceRows; ++r)
      for (ui::Control* c : RowOf(r)) {
        c->SetLeft(40);
        c->Show();
      }
  }
  std::vector<ui::Control*> RowOf(int r) const {
    auto& w = *window;
    return {w.pEdFavListName[r], w.pEdNDeg[r], w.pEdNMin[r],  w.pEdNSec[r],   w.pEdEDeg[r],
            w.pEdEMin[r],        w.pEdESec[r], w.pMapCode[r], w.pCbFolder[r], w.btnFavListDelete[r]};
  }
  std::vector<int> ParkedRows() const {
    std::vector<int> rows;
    for (int r = 0; r < kInPlaceRows; ++r) {
      int parked = 0;
      for (ui::Control* c : RowOf(r)) parked += c->Left() == -1000 && c->Visible();
      if (parked == 10)
        rows.push_back(r);
      else
        EXPECT_EQ(parked, 0) << "row " << r << " partly parked";
    }
    return rows;
  }
};

TEST_F(FavoritesReturn, ParksOnlyTheRowsFromTheTopVisibleRowToTheLast) {
  // Nine rows in view: the list scrolls no further than row 91 at the top.
  window->m_nFavListShown = 1;
  driver->ScrollTo(*window->lvFavList, 95);
  ASSERT_EQ(window->lvFavList->TopIndex(), 91);
  driver->Click(*window->btnGoMenu1);
  EXPECT_EQ(Page(), TFNaviEdit::kMenuPage);
  EXPECT_EQ(ParkedRows(), (std::vector<int>{91, 92, 93, 94, 95, 96, 97, 98, 99}));
  EXPECT_EQ(window->m_nFavListShown, 0);

  // A list showing five rows reaches row 95 at the top.
  Rearm();
  window->lvFavList->SetHeight(5 * ui::ListView::kRowHeight + ui::ListView::kHeaderHeight +
                               2 * ui::ListView::kBorder);
  driver->ScrollTo(*window->lvFavList, 95);
  ASSERT_EQ(window->lvFavList->TopIndex(), 95);
  driver->Click(*window->btnGoMenu1);
  EXPECT_EQ(ParkedRows(), (std::vector<int>{95, 96, 97, 98, 99}));
}

TEST_F(FavoritesReturn, ParksTenRowsFromTheTopAndNothingWhenTheListWasNotInUse) {
  driver->ScrollTo(*window->lvFavList, 30);
  window->m_nFavListShown = 0;
  driver->Click(*window->btnGoMenu1);
  EXPECT_TRUE(ParkedRows().empty());
  driver->Click(*window->btnEditBookmark);
  window->m_nFavListShown = 1;
  driver->Click(*window->btnGoMenu1);
  EXPECT_EQ(ParkedRows(), (std::vector<int>{30, 31, 32, 33, 34, 35, 36, 37, 38, 39}));
}

TEST_F(WindowTest, ReturnFromUserPointsParksEveryVisibleRowControl) {
  AddCard('E');
  Start();
  driver->Click(*window->btnEditUserPoint);
  for (int r : {0, 20, 99}) {
    window->pEdUserPointName[r]->Show();
    window->pCbRoad[r]->Show();
    window->BtnUserDelete[r]->Show();
  }
  driver->Click(*window->btnGoMenu2);
  for (int r = 0; r < kInPlaceRows; ++r) {
    const bool shown = r == 0 || r == 20 || r == 99;
    for (ui::Control* c : {static_cast<ui::Control*>(window->pEdUserPointName[r]),
                           static_cast<ui::Control*>(window->pCbRoad[r]),
                           static_cast<ui::Control*>(window->BtnUserDelete[r])}) {
      EXPECT_EQ(c->Left() == -1000, shown) << c->Name();
      EXPECT_EQ(c->Visible(), shown) << c->Name();
    }
  }
}

TEST_F(WindowTest, TheManualButtonOfEachPageOpensItsOwnPage) {
  Start();
  ui::SpeedButton* buttons[] = {window->TntSpeedButton3, window->TntSpeedButton4, window->TntSpeedButton5,
                                window->TntSpeedButton6, window->TntSpeedButton7, window->TntSpeedButton8,
                                window->TntSpeedButton9};
  const char* files[] = {"001.html", "002.html", "003.html", "004.html", "005.html", "006.html", "007.html"};
  for (int page = 0; page < 7; ++page) {
    window->nbMainMenu->SetPageIndex(page);
    EXPECT_EQ(buttons[page]->Parent(), window->nbMainMenu->PageAt(page));
    driver->Click(*buttons[page]);
    ASSERT_EQ(platform.web_browser.opened.size(), static_cast<size_t>(page + 1));
    EXPECT_EQ(platform.web_browser.opened.back(),
              std::string(online_manual::kHost) + "/etc/on_line_help/" + files[page]);
  }
  EXPECT_EQ(online_manual::Url(9), std::string(online_manual::kHost) + "/etc/on_line_help/010.html");
}

TEST_F(WindowTest, OpeningPagesNeitherCreatesNorDestroysControls) {
  AddCard('E');
  Start();
  const size_t created = window->Form().CreatedCount();
  const size_t destroyed = window->Form().DestroyedCount();
  for (const auto& c : kMenu) {
    driver->Click(*(window.get()->*c.button));
    driver->PaintShowing();
    driver->Click(*(window.get()->*c.back));
  }
  EXPECT_EQ(window->Form().CreatedCount(), created);
  EXPECT_EQ(window->Form().DestroyedCount(), destroyed);
}

}  // namespace
}  // namespace window_test
