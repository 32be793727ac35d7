// Drives the control model the way a person drives the window: focus or type into a
// field, press Enter, leave it, click, pick from a combo box, scroll and paint a list,
// answer the next message box; and reads back texts, places and the page shown.
#pragma once

#include <string>
#include <string_view>

#include "platform/shell.h"
#include "tests/support/fake_services.h"
#include "ui/ui.h"

namespace testing_support {

class HeadlessDriver {
 public:
  HeadlessDriver(ui::Form& form, FakeMessageBox& message_box) : form_(form), message_box_(message_box) {}

  // The control of that name; a test failure (and null) when there is none.
  ui::Control* Find(std::string_view name) const;
  template <class T>
  T* FindAs(std::string_view name) const {
    return dynamic_cast<T*>(Find(name));
  }

  // Focus, as a click into the field or a Tab would; false when it cannot take it.
  bool Focus(ui::Control& control);
  // Leaves the focused field: the focus goes to the form (the field's OnExit runs).
  void Leave();
  // Types each character into the control, focusing it first. With `replace` the first
  // character replaces the whole text, as after selecting it all.
  void Type(ui::Control& control, std::u16string_view text, bool replace = true);
  // Types into the focused control only.
  void TypeKey(char16_t key) { form_.TypeChar(key); }
  void PressEnter() { form_.TypeChar(u'\r'); }
  // Pastes text into an edit or combo box (focusing it): no key events.
  void Paste(ui::Control& control, std::u16string_view text);
  // Types the text, then leaves the field.
  void Enter(ui::Control& control, std::u16string_view text) {
    Type(control, text);
    Leave();
  }

  void Click(ui::Control& control) { control.Click(); }
  void Click(std::string_view name);
  // Opens the box's list (focusing the box) and picks an item; false when there is none.
  bool Pick(ui::ComboBox& combo, int index);
  bool Pick(ui::ComboBox& combo, std::u16string_view item);

  void ClickRow(ui::ListView& list, int row) { list.UserClickRow(row); }
  // Scrolls so that `top` is the top row, then paints the list as the screen would.
  void ScrollTo(ui::ListView& list, int top);
  void Paint(ui::ListView& list) { list.Paint(); }
  // Paints every list view on screen.
  void PaintShowing();

  // The answer to the next message box; without one a box answers OK or Yes.
  void AnswerNext(platform::MessageAnswer answer) { message_box_.AnswerNext(answer); }
  size_t MessageCount() const { return message_box_.shown.size(); }
  // The text of the last box shown, in UTF-16; empty when none was shown.
  std::u16string LastMessage() const;

  // Reading back.
  std::u16string TextOf(std::string_view name) const;
  ui::Rect BoundsOf(std::string_view name) const;
  bool IsVisible(std::string_view name) const;
  bool IsShowing(std::string_view name) const;
  // The page index of a notebook; -1 when there is no such notebook.
  int PageShown(std::string_view notebook) const;
  ui::Control* Focused() const { return form_.FocusedControl(); }

  ui::Form& form() { return form_; }

 private:
  ui::Form& form_;
  FakeMessageBox& message_box_;
};

}  // namespace testing_support
