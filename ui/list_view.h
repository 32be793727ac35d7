// A report-style list view: columns, rows of a caption and sub-items, one selected row,
// a top visible row and rows 18 pixels high. Its rows are painted by an owner-draw handler,
// run for each visible row whenever the list is painted.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/control.h"

namespace ui {

struct Column {
  std::u16string caption;
  int width = 0;
};

struct ListItem {
  std::u16string caption;
  std::vector<std::u16string> sub_items;
};

struct ItemState {
  bool selected = false;
  bool focused = false;  // the list holds the focus
};

class ListView : public Control {
 public:
  static constexpr int kRowHeight = 18;
  static constexpr int kHeaderHeight = 20;
  static constexpr int kBorder = 2;  // each side

  using DrawItemHandler =
      std::function<void(ListView& sender, int item, const Rect& rect, ItemState state, Canvas& canvas)>;
  using CustomDrawHandler = std::function<void(ListView& sender, Canvas& canvas)>;

  bool CanFocus() const override { return true; }

  // Columns.
  const std::vector<Column>& Columns() const { return columns_; }
  void AddColumn(std::u16string_view caption, int width);
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  int ColumnWidth(int column) const;  // 0 for a column that does not exist
  void SetColumnWidth(int column, int width);
  // Sum of the widths of columns [0, column): the left edge of `column` in row coordinates.
  int ColumnLeft(int column) const;

  // The header: a locked header ignores clicks, drags and resizes and shows no resize cursor.
  bool HeaderLocked() const { return header_locked_; }
  void LockHeader() { SetHeaderLocked(true); }
  void SetHeaderLocked(bool locked);
  // The user drags a column border; refused (false) while the header is locked.
  bool UserResizeColumn(int column, int width);
  // The user clicks a column header; refused while locked, otherwise OnColumnClick runs.
  bool UserClickColumn(int column);
  std::function<void(ListView& sender, int column)> OnColumnClick;

  // Rows.
  int Count() const { return static_cast<int>(items_.size()); }
  const std::vector<ListItem>& Items() const { return items_; }
  const ListItem* Item(int index) const;           // null out of range
  int AddItem(std::u16string_view caption = u"");  // returns its index
  bool AddSubItem(int index, std::u16string_view text);
  bool SetCaptionOf(int index, std::u16string_view caption);
  bool SetSubItem(int index, int sub_item, std::u16string_view text);  // existing sub-items only
  bool DeleteItem(int index);
  void ClearItems();

  // Selection: one row or -1. Setting it needs no focus; a selection outside the rows is refused.
  int Selected() const { return selected_; }
  bool SetSelected(int index);
  // The user clicks a row: focus to the list, the row selected, then OnClick. Outside the
  // rows: the selection is cleared.
  void UserClickRow(int index);

  // Scrolling: the top visible row, kept between 0 and the last start that fills the view.
  int TopIndex() const { return top_index_; }
  void SetTopIndex(int index);
  void ScrollBy(int rows) { SetTopIndex(top_index_ + rows); }
  // Whole rows that fit below the header.
  int VisibleRowCount() const;
  int ScrollX() const { return scroll_x_; }
  void SetScrollX(int x);

  // The rectangle of a row in list coordinates (also for rows out of view): its top is the
  // header plus its distance from the top row; its left edge moves left as the list scrolls
  // sideways; it spans all columns.
  Rect ItemRect(int index) const;

  // Update lock: while held, painting does nothing; the last EndUpdate repaints.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return update_depth_ > 0; }

  // Painting: OnCustomDraw, then OnDrawItem for each row in view, top to bottom, on a fresh
  // canvas kept as LastPaint(). Nothing while updating. The binding calls it when the
  // widget paints; the headless driver on request.
  void Paint();
  const Canvas& LastPaint() const { return last_paint_; }
  size_t PaintCount() const { return paint_count_; }

  DrawItemHandler OnDrawItem;
  CustomDrawHandler OnCustomDraw;

  // Look.
  bool RowSelect() const { return row_select_; }
  void SetRowSelect(bool row_select);
  bool GridLines() const { return grid_lines_; }
  void SetGridLines(bool grid_lines);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);
  bool OwnerDraw() const { return owner_draw_; }
  void SetOwnerDraw(bool owner_draw);

 protected:
  friend class Form;
  ListView(Form& form, std::string name, Control* parent);

 private:
  void ClampTop();
  std::vector<Column> columns_;
  std::vector<ListItem> items_;
  int selected_ = -1;
  int top_index_ = 0;
  int scroll_x_ = 0;
  int update_depth_ = 0;
  bool header_locked_ = false;
  bool row_select_ = false;
  bool grid_lines_ = true;
  bool read_only_ = true;
  bool owner_draw_ = true;
  Canvas last_paint_;
  size_t paint_count_ = 0;
};

}  // namespace ui
