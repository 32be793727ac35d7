#include "tests/support/headless_driver.h"

#include <gtest/gtest.h>

namespace testing_support {

ui::Control* HeadlessDriver::Find(std::string_view name) const {
  ui::Control* control = form_.Find(name);
  if (control == nullptr) ADD_FAILURE() << "no control named " << name;
  return control;
}

bool HeadlessDriver::Focus(ui::Control& control) {
  return control.SetFocus();
}

void HeadlessDriver::Leave() {
  form_.SetFocusTo(nullptr);
}

void HeadlessDriver::Type(ui::Control& control, std::u16string_view text, bool replace) {
  if (!control.Focused() && !Focus(control)) {
    ADD_FAILURE() << control.Name() << " cannot take the focus";
    return;
  }
  if (replace)
    if (auto* edit = dynamic_cast<ui::Edit*>(&control)) edit->SelectAll();
  for (char16_t key : text) control.KeyPress(key);
}

void HeadlessDriver::Paste(ui::Control& control, std::u16string_view text) {
  auto* edit = dynamic_cast<ui::Edit*>(&control);
  if (edit == nullptr) {
    ADD_FAILURE() << control.Name() << " takes no pasted text";
    return;
  }
  if (!control.Focused() && !Focus(control)) {
    ADD_FAILURE() << control.Name() << " cannot take the focus";
    return;
  }
  edit->Paste(text);
}

void HeadlessDriver::Click(std::string_view name) {
  if (ui::Control* control = Find(name)) control->Click();
}

bool HeadlessDriver::Pick(ui::ComboBox& combo, int index) {
  if (!combo.Focused() && !Focus(combo)) return false;
  combo.SetDroppedDown(true);
  if (!combo.Pick(index)) {
    combo.SetDroppedDown(false);
    return false;
  }
  return true;
}

bool HeadlessDriver::Pick(ui::ComboBox& combo, std::u16string_view item) {
  const auto& items = combo.Items();
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i] == item) return Pick(combo, static_cast<int>(i));
  return false;
}

void HeadlessDriver::ScrollTo(ui::ListView& list, int top) {
  list.SetTopIndex(top);
  list.Paint();
}

void HeadlessDriver::PaintShowing() {
  for (ui::Control* control : form_.AllControls())
    if (control->kind() == ui::Kind::ListView && control->Showing())
      static_cast<ui::ListView*>(control)->Paint();
}

std::u16string HeadlessDriver::LastMessage() const {
  if (message_box_.shown.empty()) return {};
  return message_box_.shown.back().Text();
}

std::u16string HeadlessDriver::TextOf(std::string_view name) const {
  ui::Control* control = Find(name);
  return control ? control->Text() : std::u16string();
}

ui::Rect HeadlessDriver::BoundsOf(std::string_view name) const {
  ui::Control* control = Find(name);
  return control ? control->BoundsRect() : ui::Rect{};
}

bool HeadlessDriver::IsVisible(std::string_view name) const {
  ui::Control* control = Find(name);
  return control != nullptr && control->Visible();
}

bool HeadlessDriver::IsShowing(std::string_view name) const {
  ui::Control* control = Find(name);
  return control != nullptr && control->Showing();
}

int HeadlessDriver::PageShown(std::string_view notebook) const {
  auto* book = dynamic_cast<ui::Notebook*>(form_.Find(notebook));
  return book ? book->PageIndex() : -1;
}

}  // namespace testing_support
