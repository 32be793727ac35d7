// A report-style list view drawn from its model: a header that follows the column widths,
// rows painted by the owner-draw handlers, grid lines, and scroll bars that move the top row.
// The in-place editors of the rows are children of its client area, placed in the model's
// row coordinates, so they stay over their rows as the handlers move them.
#pragma once

#include <QWidget>

#include "ui/list_view.h"

class QScrollBar;

namespace ui_qt {

class ListClient;

class ListWidget : public QWidget {
  Q_OBJECT
 public:
  ListWidget(ui::ListView& model, QWidget* parent);

  ui::ListView& Model() { return model_; }
  // Where the rows' editors live: the area inside the border, in row coordinates.
  QWidget* Client() const;
  // Brings the scroll bars in line with the rows, the top row and the view's size.
  void SyncScrollBars();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  ui::ListView& model_;
  ListClient* client_;
  QScrollBar* vertical_;
  QScrollBar* horizontal_;
  bool syncing_ = false;
};

// The client area: header, rows and the mouse.
class ListClient : public QWidget {
  Q_OBJECT
 public:
  ListClient(ui::ListView& model, QWidget* parent);

  // The column whose right border lies under x (within a few pixels), or -1.
  int BorderAt(int x) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  ui::ListView& model_;
  int resizing_column_ = -1;
  int resize_start_x_ = 0;
  int resize_start_width_ = 0;

  void PaintHeader(class QPainter& painter);
  void PaintRows(class QPainter& painter);
  int ColumnAt(int x) const;
};

}  // namespace ui_qt
