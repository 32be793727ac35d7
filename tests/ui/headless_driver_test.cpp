#include "tests/support/headless_driver.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::HeadlessDriver;

class HeadlessDriverTest : public ::testing::Test {
 protected:
  ui::Form form{"form"};
  testing_support::FakeMessageBox box;
  HeadlessDriver driver{form, box};
  ui::Notebook* book = form.Create<ui::Notebook>("book", nullptr);
  ui::Page* first = book->AddPage("first");
  ui::Page* second = book->AddPage("second");
  ui::Edit* name = form.Create<ui::Edit>("name", first);
  ui::ComboBox* folder = form.Create<ui::ComboBox>("folder", first);
  ui::ListView* shown_list = form.Create<ui::ListView>("shown", first);
  ui::ListView* hidden_list = form.Create<ui::ListView>("hidden", second);
  std::vector<std::string> events;

  void SetUp() override {
    name->OnExit = [this](ui::Control&) { events.push_back("name.exit"); };
    name->OnKeyPress = [this](ui::Control&, char16_t& key) {
      if (key == u'\r') events.push_back("name.enter-key");
    };
    folder->OnEnter = [this](ui::Control&) { events.push_back("folder.enter"); };
    folder->OnSelect = [this](ui::Control&) {
      events.push_back("folder.select " + std::to_string(folder->ItemIndex()));
    };
    folder->SetItems({u"1", u"2", u"3"});
    for (ui::ListView* list : {shown_list, hidden_list}) {
      list->AddColumn(u"No", 40);
      for (int i = 0; i < 20; ++i) list->AddItem(u"row");
    }
  }
};

TEST_F(HeadlessDriverTest, TypingReplacesOrAppendsAndEnterReachesTheField) {
  name->SetText(u"old");
  driver.Type(*name, u"new");
  EXPECT_EQ(driver.TextOf("name"), u"new");
  driver.Type(*name, u"er", /*replace=*/false);
  EXPECT_EQ(name->Text(), u"newer");
  driver.PressEnter();
  driver.Leave();
  EXPECT_EQ(events, (std::vector<std::string>{"name.enter-key", "name.exit"}));
  EXPECT_EQ(driver.Focused(), nullptr);
}

TEST_F(HeadlessDriverTest, PickingFocusesTheBoxFirst) {
  driver.Focus(*name);
  EXPECT_TRUE(driver.Pick(*folder, u"3"));
  EXPECT_FALSE(driver.Pick(*folder, u"9"));
  EXPECT_FALSE(driver.Pick(*folder, 3));
  EXPECT_EQ(events, (std::vector<std::string>{"name.exit", "folder.enter", "folder.select 2"}));
  EXPECT_FALSE(folder->DroppedDown());
}

TEST_F(HeadlessDriverTest, ScrollingPaintsAndPaintShowingSkipsHiddenPages) {
  driver.ScrollTo(*shown_list, 4);
  EXPECT_EQ(shown_list->TopIndex(), 4);
  EXPECT_EQ(shown_list->PaintCount(), 1u);
  driver.PaintShowing();
  EXPECT_EQ(shown_list->PaintCount(), 2u);
  EXPECT_EQ(hidden_list->PaintCount(), 0u);
  book->SetPageIndex(1);
  EXPECT_EQ(driver.PageShown("book"), 1);
  EXPECT_EQ(driver.PageShown("name"), -1);
  driver.PaintShowing();
  EXPECT_EQ(hidden_list->PaintCount(), 1u);
}

TEST_F(HeadlessDriverTest, AnswersTheNextBoxAndReadsItBack) {
  driver.AnswerNext(platform::MessageAnswer::No);
  EXPECT_EQ(box.Show("\x93\x6f\x98\x5e\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48", "",
                     platform::MessageButtons::YesNo, true),
            platform::MessageAnswer::No);
  EXPECT_EQ(box.Show("x", "", platform::MessageButtons::YesNo, true), platform::MessageAnswer::Yes);
  EXPECT_EQ(driver.MessageCount(), 2u);
  EXPECT_EQ(box.shown[0].Text(), u"登録しますか？");
  EXPECT_EQ(driver.LastMessage(), u"x");
}

TEST_F(HeadlessDriverTest, ReadsPlacesAndReportsUnknownNames) {
  name->SetBounds(-1000, 20, 140, 18);
  EXPECT_EQ(driver.BoundsOf("name"), (ui::Rect{-1000, 20, -860, 38}));
  EXPECT_TRUE(driver.IsVisible("name"));
  EXPECT_TRUE(driver.IsShowing("name"));
  EXPECT_FALSE(driver.IsShowing("hidden"));
  EXPECT_NONFATAL_FAILURE(driver.Find("nothing"), "no control named nothing");
  EXPECT_NONFATAL_FAILURE(driver.Type(*hidden_list, u"x"), "cannot take the focus");
}

}  // namespace
