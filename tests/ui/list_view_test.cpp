#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/ui.h"

namespace {

struct DrawnRow {
  int item;
  ui::Rect rect;
  bool selected;
  bool operator==(const DrawnRow&) const = default;
};

class ListViewTest : public ::testing::Test {
 protected:
  ui::Form form{"form"};
  ui::ListView* list = form.Create<ui::ListView>("list", nullptr);
  std::vector<DrawnRow> drawn;

  void SetUp() override {
    // 194 pixels high: 9 rows below the header, as the favorites point list.
    list->SetBounds(10, 10, 400, 194);
    list->AddColumn(u"No", 40);
    list->AddColumn(u"名称", 140);
    list->AddColumn(u"", 65);
    list->OnDrawItem = [this](ui::ListView&, int item, const ui::Rect& r, ui::ItemState s,
                              ui::Canvas& canvas) {
      drawn.push_back({item, r, s.selected});
      canvas.TextRect({r.left, r.top, r.left + 40, r.top + 18}, r.left + 8, r.top + 2,
                      list->Item(item)->caption);
    };
  }
  void AddRows(int n) {
    for (int i = 0; i < n; ++i) list->AddItem(std::u16string(1, static_cast<char16_t>(u'a' + i % 26)));
  }
  std::vector<int> DrawnItems() const {
    std::vector<int> items;
    for (const auto& d : drawn) items.push_back(d.item);
    return items;
  }
};

TEST_F(ListViewTest, PaintDrawsTheRowsInViewFromTheTopRow) {
  struct Case {
    int rows, top;
    std::vector<int> expected;
  } cases[] = {
      {3, 0, {0, 1, 2}},
      {12, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
      {12, 2, {2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {12, 50, {3, 4, 5, 6, 7, 8, 9, 10, 11}},  // kept where the last row fills the view
      {0, 0, {}},
  };
  for (const auto& c : cases) {
    list->ClearItems();
    AddRows(c.rows);
    list->SetTopIndex(c.top);
    drawn.clear();
    list->Paint();
    EXPECT_EQ(DrawnItems(), c.expected) << c.rows << " rows, top " << c.top;
  }
  EXPECT_EQ(list->VisibleRowCount(), 9);
}

TEST_F(ListViewTest, ItemRectanglesFollowScrollingBothWays) {
  AddRows(30);
  EXPECT_EQ(list->ItemRect(0), (ui::Rect{0, 20, 245, 38}));
  EXPECT_EQ(list->ItemRect(95).top, 20 + 95 * 18);  // out of view rows have a place too
  list->ScrollBy(5);
  EXPECT_EQ(list->TopIndex(), 5);
  EXPECT_EQ(list->ItemRect(5).top, 20);
  EXPECT_EQ(list->ItemRect(4).top, 2);
  list->SetWidth(100);
  list->SetScrollX(30);
  EXPECT_EQ(list->ItemRect(5).left, -30);
  list->SetScrollX(100000);
  EXPECT_EQ(list->ScrollX(), 245 - 96);
  list->ScrollBy(-100);
  EXPECT_EQ(list->TopIndex(), 0);
}

TEST_F(ListViewTest, DrawingCarriesSelectionAndTheCanvasIsKept) {
  AddRows(4);
  ASSERT_TRUE(list->SetSelected(2));
  EXPECT_FALSE(list->SetSelected(4));
  list->Paint();
  ASSERT_EQ(drawn.size(), 4u);
  EXPECT_TRUE(drawn[2].selected);
  EXPECT_FALSE(drawn[1].selected);
  const auto& ops = list->LastPaint().Ops();
  ASSERT_EQ(ops.size(), 4u);
  EXPECT_EQ(ops[3].text, u"d");
  EXPECT_EQ(ops[3].x, 8);
  EXPECT_EQ(ops[3].y, 20 + 3 * 18 + 2);
}

TEST_F(ListViewTest, UpdateLockHoldsPaintingUntilTheLastEnd) {
  list->BeginUpdate();
  list->BeginUpdate();
  AddRows(3);
  list->Paint();
  list->EndUpdate();
  list->Paint();
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(list->PaintCount(), 0u);
  list->EndUpdate();
  list->EndUpdate();  // unbalanced: ignored
  list->Paint();
  EXPECT_EQ(DrawnItems(), (std::vector<int>{0, 1, 2}));
}

TEST_F(ListViewTest, LockedHeaderRefusesClicksAndResizes) {
  int clicks = 0;
  list->OnColumnClick = [&](ui::ListView&, int) { ++clicks; };
  EXPECT_TRUE(list->UserClickColumn(1));
  EXPECT_TRUE(list->UserResizeColumn(1, 100));
  list->LockHeader();
  EXPECT_FALSE(list->UserClickColumn(1));
  EXPECT_FALSE(list->UserResizeColumn(1, 20));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list->ColumnWidth(1), 100);
  list->SetColumnWidth(1, 140);  // the program itself may still set widths
  EXPECT_EQ(list->ColumnLeft(2), 180);
}

TEST_F(ListViewTest, RemovingRowsKeepsSelectionAndTopConsistent) {
  AddRows(12);
  list->SetTopIndex(3);
  list->SetSelected(10);
  list->DeleteItem(0);
  EXPECT_EQ(list->Selected(), 9);
  EXPECT_EQ(list->TopIndex(), 2);
  list->DeleteItem(9);
  EXPECT_EQ(list->Selected(), -1);
  list->ClearItems();
  EXPECT_EQ(list->TopIndex(), 0);
  EXPECT_FALSE(list->DeleteItem(0));
  EXPECT_FALSE(list->SetSubItem(0, 0, u"x"));
}

TEST_F(ListViewTest, ClickingARowFocusesSelectsThenClicks) {
  AddRows(3);
  auto* edit = form.Create<ui::Edit>("edit", nullptr);
  std::vector<std::string> events;
  edit->OnExit = [&](ui::Control&) { events.push_back("exit"); };
  list->OnClick = [&](ui::Control&) { events.push_back("click " + std::to_string(list->Selected())); };
  edit->SetFocus();
  list->UserClickRow(1);
  list->UserClickRow(7);
  EXPECT_EQ(events, (std::vector<std::string>{"exit", "click 1", "click -1"}));
}

TEST_F(ListViewTest, CustomDrawRunsBeforeTheRows) {
  AddRows(2);
  std::vector<std::string> order;
  list->OnCustomDraw = [&](ui::ListView&, ui::Canvas& canvas) {
    order.push_back("custom");
    canvas.SetFontSize(10);
  };
  list->OnDrawItem = [&](ui::ListView&, int, const ui::Rect& r, ui::ItemState, ui::Canvas& canvas) {
    order.push_back("row");
    canvas.FillRect(r);
  };
  list->Paint();
  EXPECT_EQ(order, (std::vector<std::string>{"custom", "row", "row"}));
  EXPECT_EQ(list->LastPaint().Ops()[0].font_height, 13);
}

}  // namespace
