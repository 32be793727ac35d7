#include "app/form_parts.h"

namespace form_parts {

namespace {
// Client area of a page.
constexpr int kPageWidth = 798;
constexpr int kPageHeight = 564;
constexpr int kBottomButtonTop = kPageHeight - 50 - 16;
}  // namespace

ui::Label* TextLabel(ui::Form& form, std::string name, ui::Control* parent, int left, int top, int width,
                     std::u16string_view text, int font_height, bool bold) {
  auto* label = Place<ui::Label>(form, std::move(name), parent, left, top, width, font_height + 2, text);
  label->SetFontHeight(font_height);
  label->SetFontBold(bold);
  return label;
}

ui::Shape* NavyBar(ui::Form& form, std::string name, ui::Page* page) {
  auto* bar = Place<ui::Shape>(form, std::move(name), page, 0, 0, kPageWidth, 33);
  bar->SetColor(ui::kNavy);
  return bar;
}

ui::SpeedButton* ManualButton(ui::Form& form, std::string name, ui::Page* page) {
  auto* button =
      Place<ui::SpeedButton>(form, std::move(name), page, 640, 8, 150, 22, u"オンラインマニュアル");
  button->SetCursor(ui::Cursor::HandPoint);
  return button;
}

ui::Label* PageTitle(ui::Form& form, std::string name, ui::Page* page, std::u16string_view text) {
  return TextLabel(form, std::move(name), page, 40, 44, 400, text, kTitleFontHeight, true);
}

ui::Button* ReturnButton(ui::Form& form, std::string name, ui::Page* page) {
  auto* button =
      Place<ui::Button>(form, std::move(name), page, 40, kBottomButtonTop, 135, 50, u"メインメニュー");
  button->SetFontHeight(kLargeFontHeight);
  return button;
}

ui::Button* RegisterButton(ui::Form& form, std::string name, ui::Page* page) {
  auto* button = Place<ui::Button>(form, std::move(name), page, kPageWidth - 40 - 135, kBottomButtonTop, 135,
                                   50, u"登録");
  button->SetFontHeight(kLargeFontHeight);
  return button;
}

ui::Panel* MessagePanel(ui::Form& form, std::string name, ui::Page* page, std::string text_name,
                        ui::StaticText** text) {
  constexpr int kWidth = 137;
  constexpr int kHeight = 85;
  auto* panel = Place<ui::Panel>(form, std::move(name), page, (kPageWidth - kWidth) / 2,
                                 (kPageHeight - kHeight) / 2, kWidth, kHeight);
  *text = Place<ui::StaticText>(form, std::move(text_name), panel, 8, 34, kWidth - 16, 18, u"書き込み中");
  (*text)->SetFontHeight(kLargeFontHeight);
  panel->Hide();
  return panel;
}

ui::ListView* ReportList(ui::Form& form, std::string name, ui::Control* parent, int left, int top, int width,
                         int height, std::initializer_list<ui::Column> columns) {
  auto* list = Place<ui::ListView>(form, std::move(name), parent, left, top, width, height);
  for (const auto& column : columns) list->AddColumn(column.caption, column.width);
  list->SetOwnerDraw(true);
  list->SetReadOnly(true);
  list->SetGridLines(true);
  return list;
}

}  // namespace form_parts
