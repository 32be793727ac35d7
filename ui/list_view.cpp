#include "ui/list_view.h"

#include <algorithm>

#include "ui/form.h"

namespace ui {

ListView::ListView(Form& form, std::string name, Control* parent)
    : Control(form, Kind::ListView, std::move(name), parent) {
  SetColor(kWhite);
  SetBounds(0, 0, 250, 150);
}

// Columns and header

void ListView::AddColumn(std::u16string_view caption, int width) {
  columns_.push_back({std::u16string(caption), width});
  Notify(Property::Columns);
}

int ListView::ColumnWidth(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  return columns_[column].width;
}

void ListView::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= ColumnCount() || columns_[column].width == width) return;
  columns_[column].width = width;
  Notify(Property::Columns);
}

int ListView::ColumnLeft(int column) const {
  int left = 0;
  for (int c = 0; c < column && c < ColumnCount(); ++c) left += columns_[c].width;
  return left;
}

void ListView::SetHeaderLocked(bool locked) {
  if (locked == header_locked_) return;
  header_locked_ = locked;
  Notify(Property::HeaderLock);
}

bool ListView::UserResizeColumn(int column, int width) {
  if (header_locked_ || column < 0 || column >= ColumnCount() || width < 0) return false;
  SetColumnWidth(column, width);
  return true;
}

bool ListView::UserClickColumn(int column) {
  if (header_locked_ || column < 0 || column >= ColumnCount()) return false;
  if (OnColumnClick) {
    auto copy = OnColumnClick;
    copy(*this, column);
  }
  return true;
}

// Rows

const ListItem* ListView::Item(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return &items_[index];
}

int ListView::AddItem(std::u16string_view caption) {
  items_.push_back({std::u16string(caption), {}});
  Notify(Property::ListItems);
  return Count() - 1;
}

bool ListView::AddSubItem(int index, std::u16string_view text) {
  if (index < 0 || index >= Count()) return false;
  items_[index].sub_items.emplace_back(text);
  Notify(Property::ListItems);
  return true;
}

bool ListView::SetCaptionOf(int index, std::u16string_view caption) {
  if (index < 0 || index >= Count()) return false;
  if (items_[index].caption != caption) {
    items_[index].caption = std::u16string(caption);
    Notify(Property::ListItems);
  }
  return true;
}

bool ListView::SetSubItem(int index, int sub_item, std::u16string_view text) {
  if (index < 0 || index >= Count()) return false;
  auto& subs = items_[index].sub_items;
  if (sub_item < 0 || sub_item >= static_cast<int>(subs.size())) return false;
  if (subs[sub_item] != text) {
    subs[sub_item] = std::u16string(text);
    Notify(Property::ListItems);
  }
  return true;
}

bool ListView::DeleteItem(int index) {
  if (index < 0 || index >= Count()) return false;
  items_.erase(items_.begin() + index);
  if (selected_ == index) {
    selected_ = -1;
    Notify(Property::Selection);
  } else if (selected_ > index) {
    --selected_;
    Notify(Property::Selection);
  }
  Notify(Property::ListItems);
  ClampTop();
  return true;
}

void ListView::ClearItems() {
  if (items_.empty()) return;
  items_.clear();
  if (selected_ != -1) {
    selected_ = -1;
    Notify(Property::Selection);
  }
  Notify(Property::ListItems);
  ClampTop();
}

bool ListView::SetSelected(int index) {
  if (index < -1 || index >= Count()) return false;
  if (index != selected_) {
    selected_ = index;
    Notify(Property::Selection);
  }
  return true;
}

void ListView::UserClickRow(int index) {
  if (!Enabled() || !Showing()) return;
  if (!SetFocus()) return;
  SetSelected(index >= 0 && index < Count() ? index : -1);
  Run(OnClick, *this);
}

// Scrolling and geometry

int ListView::VisibleRowCount() const {
  int rows = (Height() - 2 * kBorder - kHeaderHeight) / kRowHeight;
  return rows > 0 ? rows : 0;
}

void ListView::ClampTop() {
  int highest = std::max(0, Count() - VisibleRowCount());
  int top = std::clamp(top_index_, 0, highest);
  if (top != top_index_) {
    top_index_ = top;
    Notify(Property::TopIndex);
  }
}

void ListView::SetTopIndex(int index) {
  int highest = std::max(0, Count() - VisibleRowCount());
  index = std::clamp(index, 0, highest);
  if (index == top_index_) return;
  top_index_ = index;
  Notify(Property::TopIndex);
}

void ListView::SetScrollX(int x) {
  int total = ColumnLeft(ColumnCount());
  int highest = std::max(0, total - (Width() - 2 * kBorder));
  x = std::clamp(x, 0, highest);
  if (x == scroll_x_) return;
  scroll_x_ = x;
  Notify(Property::ScrollX);
}

Rect ListView::ItemRect(int index) const {
  int top = kHeaderHeight + (index - top_index_) * kRowHeight;
  int left = -scroll_x_;
  return {left, top, left + ColumnLeft(ColumnCount()), top + kRowHeight};
}

// Painting

void ListView::BeginUpdate() {
  ++update_depth_;
}

void ListView::EndUpdate() {
  if (update_depth_ == 0) return;
  if (--update_depth_ == 0) {
    ClampTop();
    Repaint();
  }
}

void ListView::Paint() {
  if (Updating()) return;
  Canvas canvas;
  canvas.SetFontHeight(GetFont().height);
  if (OnCustomDraw) {
    CustomDrawHandler copy = OnCustomDraw;
    copy(*this, canvas);
  }
  int last = std::min(Count(), top_index_ + VisibleRowCount());
  for (int row = top_index_; row < last; ++row) {
    ItemState state{row == selected_, Focused()};
    if (OnDrawItem) {
      DrawItemHandler copy = OnDrawItem;
      copy(*this, row, ItemRect(row), state, canvas);
    }
    // A handler may have emptied the list while drawing.
    last = std::min(last, Count());
  }
  last_paint_ = std::move(canvas);
  ++paint_count_;
}

// Look

void ListView::SetRowSelect(bool row_select) {
  if (row_select == row_select_) return;
  row_select_ = row_select;
  Notify(Property::Style);
}

void ListView::SetGridLines(bool grid_lines) {
  if (grid_lines == grid_lines_) return;
  grid_lines_ = grid_lines;
  Notify(Property::Style);
}

void ListView::SetReadOnly(bool read_only) {
  if (read_only == read_only_) return;
  read_only_ = read_only;
  Notify(Property::Style);
}

void ListView::SetOwnerDraw(bool owner_draw) {
  if (owner_draw == owner_draw_) return;
  owner_draw_ = owner_draw;
  Notify(Property::Style);
}

}  // namespace ui
