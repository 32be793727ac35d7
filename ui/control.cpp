#include "ui/control.h"

#include "ui/controls.h"
#include "ui/form.h"

namespace ui {

Control::Control(Form& form, Kind kind, std::string name, Control* parent)
    : form_(form), kind_(kind), name_(std::move(name)), parent_(parent) {
  if (parent_ != nullptr) parent_->children_.push_back(this);
}

Control::~Control() = default;

void Control::Run(const Handler& handler, Control& sender) {
  // A copy, so that a handler may replace itself while it runs.
  if (!handler) return;
  Handler copy = handler;
  copy(sender);
}

void Control::Notify(Property what) {
  if (adopted_) form_.NotifyChanged(*this, what);
}

bool Control::Contains(const Control* other) const {
  for (; other != nullptr; other = other->parent_)
    if (other == this) return true;
  return false;
}

bool Control::SetParent(Control* parent) {
  if (parent == nullptr || parent_ == nullptr || Contains(parent)) return false;
  auto& siblings = parent_->children_;
  std::erase(siblings, this);
  parent_ = parent;
  parent_->children_.push_back(this);
  Notify(Property::Parent);
  return true;
}

void Control::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Notify(Property::Bounds);
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  // A control that is hidden gives the focus up, as a hidden window does.
  if (!visible) form_.TakeFocusFrom(*this);
  visible_ = visible;
  Notify(Property::Visible);
}

bool Control::Showing() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_) return false;
    if (c->kind_ == Kind::Page) {
      auto* page = static_cast<const Page*>(c);
      auto* book = static_cast<const Notebook*>(c->parent_);
      if (book == nullptr || book->PageIndex() != page->Index()) return false;
    }
  }
  return true;
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  if (!enabled) form_.TakeFocusFrom(*this);
  enabled_ = enabled;
  Notify(Property::Enabled);
}

void Control::SetTag(int tag) {
  if (tag == tag_) return;
  tag_ = tag;
  Notify(Property::Tag);
}

bool Control::StoreText(std::u16string_view text) {
  if (text == text_) return false;
  text_ = std::u16string(text);
  Notify(Property::Text);
  return true;
}

void Control::SetText(std::u16string_view text) {
  if (StoreText(text)) TextChanged();
}

void Control::SetFont(const Font& font) {
  if (font == font_) return;
  font_ = font;
  Notify(Property::Font);
}

void Control::SetFontSize(int points) {
  SetFontHeight(PointsToPixels(points));
}

void Control::SetFontHeight(int pixels) {
  Font font = font_;
  font.height = pixels;
  SetFont(font);
}

void Control::SetFontBold(bool bold) {
  Font font = font_;
  font.bold = bold;
  SetFont(font);
}

void Control::SetFontColor(Color color) {
  Font font = font_;
  font.color = color;
  SetFont(font);
}

void Control::SetColor(Color color) {
  if (color == color_) return;
  color_ = color;
  Notify(Property::Color);
}

void Control::SetCursor(Cursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  Notify(Property::Cursor);
}

bool Control::Focused() const {
  return form_.FocusedControl() == this;
}

bool Control::SetFocus() {
  return form_.SetFocusTo(this);
}

void Control::Click() {
  if (!enabled_ || !Showing()) return;
  if (CanFocus() && !SetFocus()) return;
  Run(OnClick, *this);
}

void Control::KeyPress(char16_t key) {
  if (OnKeyPress) {
    KeyHandler copy = OnKeyPress;
    copy(*this, key);
  }
  if (key != 0) AcceptKey(key);
}

void Control::Repaint() {
  form_.NotifyRepaint(*this);
}

}  // namespace ui
