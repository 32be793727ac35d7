// What an owner-draw handler paints, kept as a list of operations: the window binding
// replays them on screen and tests read them back.
#pragma once

#include <string>
#include <vector>

#include "ui/types.h"

namespace ui {

struct DrawOp {
  enum class Kind { FillRect, Text };
  Kind kind = Kind::FillRect;
  Rect rect;  // FillRect: the area; Text: the clipping cell
  int x = 0;  // Text: where the text starts
  int y = 0;
  std::u16string text;   // Text only
  Color brush = kWhite;  // the brush for FillRect, the background for Text
  Color font_color = kWindowText;
  int font_height = 13;  // pixels
};

class Canvas {
 public:
  Color BrushColor() const { return brush_; }
  void SetBrushColor(Color color) { brush_ = color; }
  Color FontColor() const { return font_color_; }
  void SetFontColor(Color color) { font_color_ = color; }
  int FontSize() const;  // points
  void SetFontSize(int points);
  int FontHeight() const { return font_height_; }
  void SetFontHeight(int pixels) { font_height_ = pixels; }

  void FillRect(const Rect& rect);
  // Draws text at x, y, clipped to `clip`.
  void TextRect(const Rect& clip, int x, int y, std::u16string_view text);
  void TextOut(int x, int y, std::u16string_view text);

  const std::vector<DrawOp>& Ops() const { return ops_; }
  void Clear() { ops_.clear(); }

 private:
  std::vector<DrawOp> ops_;
  Color brush_ = kWhite;
  Color font_color_ = kWindowText;
  int font_height_ = 13;
};

}  // namespace ui
