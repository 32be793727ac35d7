// Small value types shared by every control of the model.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

// Pixel rectangle; right and bottom are exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// 0xRRGGBB.
using Color = uint32_t;
constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kNavy = 0x000080;
constexpr Color kButtonFace = 0xF0F0F0;
constexpr Color kHighlight = 0x3399FF;      // the system's selection background
constexpr Color kHighlightText = 0xFFFFFF;  // text on the selection background
constexpr Color kWindowText = 0x000000;

enum class Cursor { Default, HandPoint };

// Font sizes in points convert to pixel heights at 96 dots per inch.
int PointsToPixels(int points);
int PixelsToPoints(int pixels);

struct Font {
  std::string name = "MS Gothic";
  int height = 13;  // pixels
  bool bold = false;
  Color color = kWindowText;
  bool operator==(const Font&) const = default;
};

enum class Kind {
  Form,
  Notebook,
  Page,  // one page of a notebook
  Edit,
  ComboBox,
  Button,       // push button: takes the focus when clicked
  SpeedButton,  // flat button, with an optional image: never takes the focus
  Label,
  StaticText,
  Panel,
  Bevel,
  Shape,
  ListView,
};

// What changed on a control; the binding mirrors it to its widget.
enum class Property {
  Parent,  // re-parented; also moves the control to the top of its new parent's children
  Bounds,  // Left, Top, Width or Height
  Visible,
  Enabled,
  Tag,
  Text,  // caption or text
  Font,
  Color,
  Cursor,
  Image,  // speed button image name
  Items,  // combo box items
  ItemIndex,
  DroppedDown,
  PageIndex,
  Columns,    // list view columns or their widths
  ListItems,  // list view rows, captions or sub-items
  Selection,
  TopIndex,
  ScrollX,
  HeaderLock,
  Style,  // the flags that a control keeps for its look (read only, grid lines, bevel kind, ...)
};

}  // namespace ui
