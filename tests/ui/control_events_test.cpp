#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/ui.h"

namespace {

using ui::Control;

// Records the events of the controls it is attached to, in order, as "name.event".
struct EventLog {
  std::vector<std::string> lines;
  void Attach(Control& c) {
    c.OnEnter = [this](Control& s) { lines.push_back(s.Name() + ".enter"); };
    c.OnExit = [this](Control& s) { lines.push_back(s.Name() + ".exit"); };
    c.OnClick = [this](Control& s) { lines.push_back(s.Name() + ".click"); };
    c.OnChange = [this](Control& s) { lines.push_back(s.Name() + ".change"); };
    c.OnSelect = [this](Control& s) { lines.push_back(s.Name() + ".select"); };
  }
};

class ControlEvents : public ::testing::Test {
 protected:
  ui::Form form{"form"};
  ui::Notebook* book = form.Create<ui::Notebook>("book", nullptr);
  ui::Page* page0 = book->AddPage("p0");
  ui::Page* page1 = book->AddPage("p1");
  ui::Edit* edit = form.Create<ui::Edit>("edit", page0);
  ui::Edit* other = form.Create<ui::Edit>("other", page0);
  ui::ComboBox* combo = form.Create<ui::ComboBox>("combo", page0);
  ui::Button* push = form.Create<ui::Button>("push", page0);
  ui::SpeedButton* speed = form.Create<ui::SpeedButton>("speed", page0);
  ui::Edit* far = form.Create<ui::Edit>("far", page1);
  EventLog log;

  void SetUp() override {
    for (Control* c :
         {static_cast<Control*>(edit), static_cast<Control*>(other), static_cast<Control*>(combo),
          static_cast<Control*>(push), static_cast<Control*>(speed), static_cast<Control*>(far)})
      log.Attach(*c);
  }
};

TEST_F(ControlEvents, OnChangeRunsOnlyWhenTheTextReallyChanges) {
  edit->SetText(u"start");
  log.lines.clear();
  edit->SetText(u"abc");
  edit->SetText(u"abc");
  EXPECT_EQ(log.lines, (std::vector<std::string>{"edit.change"}));
  log.lines.clear();
  edit->SetText(u"");
  edit->SetText(u"x");
  EXPECT_EQ(log.lines, (std::vector<std::string>{"edit.change", "edit.change"}));
  log.lines.clear();
  combo->SetText(u"E:");
  combo->SetText(u"G:");
  combo->SetText(u"G:");
  EXPECT_EQ(log.lines, (std::vector<std::string>{"combo.change", "combo.change"}));
  // A label has no OnChange at all, yet its caption is kept.
  auto* label = form.Create<ui::Label>("label", page0);
  log.Attach(*label);
  log.lines.clear();
  label->SetCaption(u"Ver. 1.0.0");
  EXPECT_TRUE(log.lines.empty());
  EXPECT_EQ(label->Caption(), u"Ver. 1.0.0");
}

TEST_F(ControlEvents, FocusMovesWithExitBeforeEnter) {
  ASSERT_TRUE(edit->SetFocus());
  ASSERT_TRUE(other->SetFocus());
  other->SetFocus();  // already there: nothing runs
  EXPECT_EQ(log.lines, (std::vector<std::string>{"edit.enter", "edit.exit", "other.enter"}));
  EXPECT_TRUE(other->Focused());
}

TEST_F(ControlEvents, PushButtonTakesTheFocusBeforeItsClickAndSpeedButtonNever) {
  edit->SetFocus();
  log.lines.clear();
  speed->Click();
  EXPECT_EQ(log.lines, (std::vector<std::string>{"speed.click"}));
  EXPECT_TRUE(edit->Focused());
  log.lines.clear();
  push->Click();
  EXPECT_EQ(log.lines, (std::vector<std::string>{"edit.exit", "push.enter", "push.click"}));
  EXPECT_TRUE(push->Focused());
}

TEST_F(ControlEvents, ControlsThatCannotBeReachedRefuseTheFocusAndTheClick) {
  push->SetEnabled(false);
  push->Click();
  other->Hide();
  EXPECT_FALSE(other->SetFocus());
  EXPECT_FALSE(far->SetFocus());  // on the page not shown
  EXPECT_FALSE(speed->SetFocus());
  EXPECT_TRUE(log.lines.empty());
  EXPECT_EQ(form.FocusedControl(), nullptr);
}

TEST_F(ControlEvents, SwitchingThePageTakesTheFocusFromTheOldPage) {
  edit->SetFocus();
  log.lines.clear();
  std::vector<int> page_during_exit;
  edit->OnExit = [&](Control&) { page_during_exit.push_back(book->PageIndex()); };
  book->SetPageIndex(1);
  EXPECT_EQ(page_during_exit, std::vector<int>{0});  // runs before the new page shows
  EXPECT_EQ(form.FocusedControl(), nullptr);
  EXPECT_FALSE(edit->Showing());
  EXPECT_TRUE(far->Showing());
  EXPECT_TRUE(far->SetFocus());
  book->SetPageIndex(7);  // no such page
  EXPECT_EQ(book->PageIndex(), 1);
}

TEST_F(ControlEvents, HidingOrDestroyingTheFocusedControl) {
  edit->SetFocus();
  log.lines.clear();
  edit->Hide();
  EXPECT_EQ(log.lines, std::vector<std::string>{"edit.exit"});
  other->SetFocus();
  log.lines.clear();
  size_t destroyed = form.DestroyedCount();
  form.Destroy(other);
  EXPECT_TRUE(log.lines.empty());  // a window that goes away runs no OnExit
  EXPECT_EQ(form.FocusedControl(), nullptr);
  EXPECT_EQ(form.DestroyedCount(), destroyed + 1);
  EXPECT_EQ(form.Find("other"), nullptr);
}

TEST_F(ControlEvents, KeyPressSeesEveryKeyFirstAndMayDiscardIt) {
  std::vector<char16_t> seen;
  edit->OnKeyPress = [&](Control&, char16_t& key) {
    seen.push_back(key);
    if (key == u'x') key = 0;
  };
  edit->SetFocus();
  log.lines.clear();
  for (char16_t key : std::u16string(u"axb\r")) form.TypeChar(key);
  EXPECT_EQ(seen, (std::vector<char16_t>{u'a', u'x', u'b', u'\r'}));
  EXPECT_EQ(edit->Text(), u"ab");  // x discarded, Enter inserts nothing
  EXPECT_EQ(log.lines, (std::vector<std::string>{"edit.change", "edit.change"}));
  form.TypeChar(8);
  EXPECT_EQ(edit->Text(), u"a");
  edit->SelectAll();
  form.TypeChar(u'Z');
  EXPECT_EQ(edit->Text(), u"Z");
}

TEST_F(ControlEvents, PastedTextSkipsKeyPressButStillChanges) {
  combo->OnKeyPress = [](Control&, char16_t& key) { key = 0; };
  combo->SetItems({u"E:", u"G:"});
  combo->SetFocus();
  log.lines.clear();
  form.TypeChar(u'Q');
  EXPECT_EQ(combo->Text(), u"");
  combo->Paste(u"Q:");
  EXPECT_EQ(combo->Text(), u"Q:");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(log.lines, std::vector<std::string>{"combo.change"});
}

TEST_F(ControlEvents, ComboPickChangesThenSelectsAndTextFollowsTheItems) {
  combo->SetItems({u"E:", u"G:"});
  combo->SetText(u"G:");
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetItemIndex(0);
  EXPECT_EQ(combo->Text(), u"E:");
  log.lines.clear();
  EXPECT_TRUE(combo->Pick(1));
  EXPECT_FALSE(combo->Pick(2));
  combo->Pick(1);  // same item again: no change, still a select
  EXPECT_EQ(log.lines, (std::vector<std::string>{"combo.change", "combo.select", "combo.select"}));
  combo->SetText(u"All");
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(-1);
  EXPECT_EQ(combo->Text(), u"");
}

TEST_F(ControlEvents, ParkedControlStaysVisibleAndShowing) {
  edit->SetBounds(40, 20, 140, 18);
  edit->SetLeft(-1000);
  EXPECT_EQ(edit->Left(), -1000);
  EXPECT_EQ(edit->Top(), 20);
  EXPECT_TRUE(edit->Visible());
  EXPECT_TRUE(edit->Showing());
  EXPECT_TRUE(edit->SetFocus());
}

struct CountingObserver : ui::Observer {
  std::vector<std::pair<std::string, ui::Property>> changes;
  std::vector<std::string> created, destroyed;
  void Created(Control& c) override { created.push_back(c.Name()); }
  void Destroying(Control& c) override { destroyed.push_back(c.Name()); }
  void Changed(Control& c, ui::Property p) override { changes.emplace_back(c.Name(), p); }
};

TEST_F(ControlEvents, ObserversHearOfRealChangesCreationsAndDestructions) {
  CountingObserver observer;
  form.AddObserver(&observer);
  edit->SetLeft(5);
  edit->SetLeft(5);
  edit->SetText(u"a");
  edit->SetText(u"a");
  edit->SetVisible(true);  // already visible
  edit->SetFontSize(12);
  auto* panel = form.Create<ui::Panel>("panel", page0);
  form.Create<ui::StaticText>("inner", panel);
  edit->SetParent(panel);
  form.Destroy(panel);
  using P = ui::Property;
  EXPECT_EQ(observer.changes,
            (std::vector<std::pair<std::string, P>>{
                {"edit", P::Bounds}, {"edit", P::Text}, {"edit", P::Font}, {"edit", P::Parent}}));
  EXPECT_EQ(observer.created, (std::vector<std::string>{"panel", "inner"}));
  EXPECT_EQ(observer.destroyed, (std::vector<std::string>{"edit", "inner", "panel"}));
  form.RemoveObserver(&observer);
}

TEST(ControlTree, ReparentingRefusesCycles) {
  ui::Form form{"form"};
  auto* outer = form.Create<ui::Panel>("outer", nullptr);
  auto* inner = form.Create<ui::Panel>("inner", outer);
  EXPECT_FALSE(outer->SetParent(inner));
  EXPECT_FALSE(outer->SetParent(outer));
  EXPECT_FALSE(form.SetParent(outer));
  auto* text = form.Create<ui::StaticText>("text", &form);
  EXPECT_TRUE(text->SetParent(inner));
  EXPECT_EQ(inner->Children().back(), text);
  EXPECT_EQ(form.Children().size(), 1u);
}

TEST(FontSizes, PointsAndPixelsAt96Dpi) {
  struct Case {
    int points, pixels;
  } cases[] = {{10, 13}, {12, 16}, {9, 12}};
  for (const auto& c : cases) {
    EXPECT_EQ(ui::PointsToPixels(c.points), c.pixels) << c.points;
    EXPECT_EQ(ui::PixelsToPoints(c.pixels), c.points) << c.pixels;
  }
}

}  // namespace
