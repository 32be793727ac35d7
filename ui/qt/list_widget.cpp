#include "ui/qt/list_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "ui/qt/fonts.h"

namespace ui_qt {
namespace {

constexpr int kBorder = ui::ListView::kBorder;
constexpr int kHeader = ui::ListView::kHeaderHeight;
constexpr int kGrip = 3;  // pixels either side of a column border that grab it

QColor ToQColor(ui::Color color) {
  return QColor((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QRect ToQRect(const ui::Rect& rect) {
  return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

}  // namespace

ListWidget::ListWidget(ui::ListView& model, QWidget* parent)
    : QWidget(parent),
      model_(model),
      client_(new ListClient(model, this)),
      vertical_(new QScrollBar(Qt::Vertical, this)),
      horizontal_(new QScrollBar(Qt::Horizontal, this)) {
  setFocusPolicy(Qt::StrongFocus);
  client_->setFocusProxy(this);
  vertical_->setFocusPolicy(Qt::NoFocus);
  horizontal_->setFocusPolicy(Qt::NoFocus);
  connect(vertical_, &QScrollBar::valueChanged, this, [this](int value) {
    if (!syncing_) model_.SetTopIndex(value);
  });
  connect(horizontal_, &QScrollBar::valueChanged, this, [this](int value) {
    if (!syncing_) model_.SetScrollX(value);
  });
  SyncScrollBars();
}

QWidget* ListWidget::Client() const {
  return client_;
}

void ListWidget::SyncScrollBars() {
  syncing_ = true;
  const int client_width = std::max(0, width() - 2 * kBorder);
  const int client_height = std::max(0, height() - 2 * kBorder);
  client_->setGeometry(kBorder, kBorder, client_width, client_height);
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int highest_top = std::max(0, model_.Count() - model_.VisibleRowCount());
  const int total_width = model_.ColumnLeft(model_.ColumnCount());
  const int highest_x = std::max(0, total_width - client_width);
  vertical_->setVisible(highest_top > 0);
  horizontal_->setVisible(highest_x > 0);
  vertical_->setGeometry(kBorder + client_width - bar, kBorder + kHeader, bar,
                         std::max(0, client_height - kHeader - (highest_x > 0 ? bar : 0)));
  horizontal_->setGeometry(kBorder, kBorder + client_height - bar,
                           std::max(0, client_width - (highest_top > 0 ? bar : 0)), bar);
  vertical_->setRange(0, highest_top);
  vertical_->setPageStep(std::max(1, model_.VisibleRowCount()));
  vertical_->setValue(model_.TopIndex());
  horizontal_->setRange(0, highest_x);
  horizontal_->setPageStep(std::max(1, client_width));
  horizontal_->setValue(model_.ScrollX());
  vertical_->raise();
  horizontal_->raise();
  syncing_ = false;
  client_->update();
}

void ListWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(QColor(130, 135, 144));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setPen(QColor(200, 200, 200));
  painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

void ListWidget::resizeEvent(QResizeEvent*) {
  SyncScrollBars();
}

ListClient::ListClient(ui::ListView& model, QWidget* parent) : QWidget(parent), model_(model) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

int ListClient::BorderAt(int x) const {
  for (int column = 0; column < model_.ColumnCount(); ++column) {
    const int border = model_.ColumnLeft(column + 1) - model_.ScrollX();
    if (std::abs(x - border) <= kGrip) return column;
  }
  return -1;
}

int ListClient::ColumnAt(int x) const {
  const int at = x + model_.ScrollX();
  for (int column = 0; column < model_.ColumnCount(); ++column) {
    if (at >= model_.ColumnLeft(column) && at < model_.ColumnLeft(column + 1)) return column;
  }
  return -1;
}

void ListClient::paintEvent(QPaintEvent*) {
  // The model paints first: its handlers draw the rows and lay the editors over them.
  model_.Paint();
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  PaintRows(painter);
  PaintHeader(painter);
}

void ListClient::PaintHeader(QPainter& painter) {
  painter.save();
  painter.setClipRect(0, 0, width(), kHeader);
  painter.fillRect(0, 0, width(), kHeader, QColor(240, 240, 240));
  painter.setFont(GothicFont(model_.GetFont().height));
  for (int column = 0; column < model_.ColumnCount(); ++column) {
    const int left = model_.ColumnLeft(column) - model_.ScrollX();
    const int width = model_.ColumnWidth(column);
    const QRect cell(left, 0, width, kHeader);
    painter.setPen(QColor(160, 160, 160));
    painter.drawLine(cell.right(), 2, cell.right(), kHeader - 3);
    painter.setPen(Qt::black);
    painter.drawText(cell.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     ToQString(model_.Columns()[column].caption));
  }
  painter.setPen(QColor(213, 213, 213));
  painter.drawLine(0, kHeader - 1, width(), kHeader - 1);
  painter.restore();
}

void ListClient::PaintRows(QPainter& painter) {
  painter.save();
  painter.setClipRect(0, kHeader, width(), std::max(0, height() - kHeader));
  if (model_.OnDrawItem) {
    for (const ui::DrawOp& op : model_.LastPaint().Ops()) {
      const QRect area = ToQRect(op.rect);
      if (op.kind == ui::DrawOp::Kind::FillRect) {
        painter.fillRect(area, ToQColor(op.brush));
        continue;
      }
      // Text fills its cell with the brush, as an opaque text call does, and is clipped to it.
      painter.save();
      painter.setClipRect(area.intersected(QRect(0, kHeader, width(), height() - kHeader)));
      painter.fillRect(area, ToQColor(op.brush));
      const QFont font = GothicFont(op.font_height);
      painter.setFont(font);
      painter.setPen(ToQColor(op.font_color));
      painter.drawText(QPoint(op.x, op.y + QFontMetrics(font).ascent()), ToQString(op.text));
      painter.restore();
    }
  } else {
    painter.setFont(GothicFont(model_.GetFont().height));
    const int last = std::min(model_.Count(), model_.TopIndex() + model_.VisibleRowCount() + 1);
    for (int row = model_.TopIndex(); row < last; ++row) {
      const QRect line = ToQRect(model_.ItemRect(row));
      const bool selected = row == model_.Selected();
      if (selected) painter.fillRect(line, ToQColor(ui::kHighlight));
      painter.setPen(selected ? ToQColor(ui::kHighlightText) : Qt::black);
      const ui::ListItem& item = model_.Items()[row];
      for (int column = 0; column < model_.ColumnCount(); ++column) {
        const std::u16string& text =
            column == 0 ? item.caption
                        : (column - 1 < static_cast<int>(item.sub_items.size()) ? item.sub_items[column - 1]
                                                                                : std::u16string());
        const QRect cell(line.left() + model_.ColumnLeft(column), line.top(), model_.ColumnWidth(column),
                         line.height());
        painter.drawText(cell.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft, ToQString(text));
      }
    }
  }
  if (model_.GridLines()) {
    painter.setPen(QColor(224, 224, 224));
    const int right = model_.ColumnLeft(model_.ColumnCount()) - model_.ScrollX();
    for (int y = kHeader + ui::ListView::kRowHeight - 1; y < height(); y += ui::ListView::kRowHeight) {
      painter.drawLine(0, y, right - 1, y);
    }
    for (int column = 1; column <= model_.ColumnCount(); ++column) {
      const int x = model_.ColumnLeft(column) - model_.ScrollX() - 1;
      painter.drawLine(x, kHeader, x, height());
    }
  }
  painter.restore();
}

void ListClient::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() != Qt::LeftButton) return;
  if (at.y() < kHeader) {
    // A locked header takes no click, no drag and no resize.
    if (model_.HeaderLocked()) return;
    const int border = BorderAt(at.x());
    if (border >= 0) {
      resizing_column_ = border;
      resize_start_x_ = at.x();
      resize_start_width_ = model_.ColumnWidth(border);
      return;
    }
    const int column = ColumnAt(at.x());
    if (column >= 0) model_.UserClickColumn(column);
    return;
  }
  const int row = model_.TopIndex() + (at.y() - kHeader) / ui::ListView::kRowHeight;
  const bool inside = at.x() + model_.ScrollX() < model_.ColumnLeft(model_.ColumnCount());
  model_.UserClickRow(inside && row < model_.Count() ? row : -1);
}

void ListClient::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (resizing_column_ >= 0 && !model_.HeaderLocked()) {
    model_.UserResizeColumn(resizing_column_, std::max(0, resize_start_width_ + at.x() - resize_start_x_));
    return;
  }
  const bool over_border = !model_.HeaderLocked() && at.y() < kHeader && BorderAt(at.x()) >= 0;
  if (over_border) {
    setCursor(Qt::SplitHCursor);
  } else {
    unsetCursor();
  }
}

void ListClient::mouseReleaseEvent(QMouseEvent*) {
  resizing_column_ = -1;
}

void ListClient::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) model_.ScrollBy(-3 * steps);
  event->accept();
}

}  // namespace ui_qt
