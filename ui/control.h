// The base of every control: identity, place in the tree, geometry, look and events.
// Setters notify the form's observers only when a value really changes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/types.h"

namespace ui {

class Form;

class Control {
 public:
  using Handler = std::function<void(Control& sender)>;
  // The key may be changed; setting it to 0 discards it.
  using KeyHandler = std::function<void(Control& sender, char16_t& key)>;

  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  Kind kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  Form& OwnerForm() const { return form_; }

  Control* Parent() const { return parent_; }
  // Moves the control to a new parent, on top of its children. Refused for the form itself,
  // a null parent and any parent inside the control.
  bool SetParent(Control* parent);
  // Children in creation order: later ones lie on top.
  const std::vector<Control*>& Children() const { return children_; }
  bool Contains(const Control* other) const;  // true for itself and every descendant

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  void SetBounds(int left, int top, int width, int height);
  Rect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }

  // Visible is the control's own flag; a control parked at Left -1000 stays visible.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible itself, every parent visible, and on the shown page of any notebook above it.
  bool Showing() const;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  int Tag() const { return tag_; }
  void SetTag(int tag);

  // Caption and Text are one string: the caption of labels and buttons, the text of edits.
  const std::u16string& Text() const { return text_; }
  const std::u16string& Caption() const { return text_; }
  // Runs OnChange (edits and combo boxes) only when the text differs.
  void SetText(std::u16string_view text);
  void SetCaption(std::u16string_view text) { SetText(text); }

  const Font& GetFont() const { return font_; }
  void SetFont(const Font& font);
  int FontSize() const { return PixelsToPoints(font_.height); }  // points
  void SetFontSize(int points);
  void SetFontHeight(int pixels);
  void SetFontBold(bool bold);
  void SetFontColor(Color color);

  Color GetColor() const { return color_; }
  void SetColor(Color color);
  Cursor GetCursor() const { return cursor_; }
  void SetCursor(Cursor cursor);

  // Whether the control can hold the focus at all (edits, combo boxes, push buttons, list views).
  virtual bool CanFocus() const { return false; }
  bool Focused() const;
  // Gives it the focus as a click or Tab would; false when it cannot take it now.
  bool SetFocus();

  // What the user's click does: a push button or a list view takes the focus first, so that
  // the field left runs its OnExit before OnClick. Nothing happens while disabled or not showing.
  virtual void Click();
  // A typed character: OnKeyPress first, which may discard it; then the control's own use.
  void KeyPress(char16_t key);

  // Asks the binding to repaint this control now.
  void Repaint();

  Handler OnClick;
  Handler OnChange;
  Handler OnEnter;
  Handler OnExit;
  Handler OnSelect;
  KeyHandler OnKeyPress;

 protected:
  Control(Form& form, Kind kind, std::string name, Control* parent);
  // Sets the text and notifies, without OnChange.
  bool StoreText(std::u16string_view text);
  void Notify(Property what);
  static void Run(const Handler& handler, Control& sender);
  virtual void TextChanged() {}
  // A character that OnKeyPress let through.
  virtual void AcceptKey(char16_t) {}

 private:
  friend class Form;
  Form& form_;
  Kind kind_;
  std::string name_;
  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  int tag_ = 0;
  std::u16string text_;
  Font font_;
  Color color_ = kButtonFace;
  Cursor cursor_ = Cursor::Default;
  bool adopted_ = false;  // no notices while the constructors set things up
};

}  // namespace ui
