#include "ui/canvas.h"

namespace ui {

int Canvas::FontSize() const {
  return PixelsToPoints(font_height_);
}
void Canvas::SetFontSize(int points) {
  font_height_ = PointsToPixels(points);
}

void Canvas::FillRect(const Rect& rect) {
  DrawOp op;
  op.kind = DrawOp::Kind::FillRect;
  op.rect = rect;
  op.brush = brush_;
  op.font_color = font_color_;
  op.font_height = font_height_;
  ops_.push_back(std::move(op));
}

void Canvas::TextRect(const Rect& clip, int x, int y, std::u16string_view text) {
  DrawOp op;
  op.kind = DrawOp::Kind::Text;
  op.rect = clip;
  op.x = x;
  op.y = y;
  op.text = std::u16string(text);
  op.brush = brush_;
  op.font_color = font_color_;
  op.font_height = font_height_;
  ops_.push_back(std::move(op));
}

void Canvas::TextOut(int x, int y, std::u16string_view text) {
  // Unclipped: a cell as large as anything the list can show.
  TextRect({x, y, x + 100000, y + 100000}, x, y, text);
}

}  // namespace ui
