// Helpers for laying out the design-time form: each creates one control with its place,
// size and text. Used by the form_*.cpp files only.
#pragma once

#include <string>
#include <string_view>

#include "ui/ui.h"

namespace form_parts {

// The window's fonts.
constexpr int kWindowFontHeight = 13;
constexpr int kTitleFontHeight = 19;
constexpr int kLargeFontHeight = 16;

template <class T>
T* Place(ui::Form& form, std::string name, ui::Control* parent, int left, int top, int width, int height,
         std::u16string_view text = u"") {
  T* control = form.Create<T>(std::move(name), parent);
  control->SetBounds(left, top, width, height);
  control->SetText(text);
  return control;
}

// A label in the given font height, optionally bold.
ui::Label* TextLabel(ui::Form& form, std::string name, ui::Control* parent, int left, int top, int width,
                     std::u16string_view text, int font_height = kWindowFontHeight, bool bold = false);

// The navy bar across the top of a page.
ui::Shape* NavyBar(ui::Form& form, std::string name, ui::Page* page);
// "オンラインマニュアル" on the navy bar.
ui::SpeedButton* ManualButton(ui::Form& form, std::string name, ui::Page* page);
// The page title under the navy bar (19 px, bold).
ui::Label* PageTitle(ui::Form& form, std::string name, ui::Page* page, std::u16string_view text);
// "メインメニュー" at the bottom left and "登録" at the bottom right.
ui::Button* ReturnButton(ui::Form& form, std::string name, ui::Page* page);
ui::Button* RegisterButton(ui::Form& form, std::string name, ui::Page* page);
// A hidden "書き込み中" panel in the middle of the page, with its text.
ui::Panel* MessagePanel(ui::Form& form, std::string name, ui::Page* page, std::string text_name,
                        ui::StaticText** text);
// A report list view: owner drawn, read only, grid lines, the given columns.
ui::ListView* ReportList(ui::Form& form, std::string name, ui::Control* parent, int left, int top, int width,
                         int height, std::initializer_list<ui::Column> columns);

}  // namespace form_parts
