#include "ui/controls.h"

#include "ui/form.h"

namespace ui {

// Edit

Edit::Edit(Form& form, std::string name, Control* parent, Kind kind)
    : Control(form, kind, std::move(name), parent) {
  SetColor(kWhite);
  SetBounds(0, 0, 121, 21);
}

void Edit::SetReadOnly(bool read_only) {
  if (read_only == read_only_) return;
  read_only_ = read_only;
  Notify(Property::Style);
}

void Edit::TextChanged() {
  Run(OnChange, *this);
}

void Edit::Paste(std::u16string_view text) {
  if (read_only_) return;
  replace_on_type_ = false;
  SetText(text);
}

void Edit::AcceptKey(char16_t key) {
  if (read_only_) return;
  std::u16string text = replace_on_type_ ? std::u16string() : Text();
  if (key == 8) {
    if (replace_on_type_) {
      replace_on_type_ = false;
      SetText(u"");
      return;
    }
    if (!text.empty()) text.pop_back();
  } else if (key < 0x20) {
    return;  // Enter and other control characters insert nothing
  } else {
    text.push_back(key);
  }
  replace_on_type_ = false;
  SetText(text);
}

// ComboBox

ComboBox::ComboBox(Form& form, std::string name, Control* parent)
    : Edit(form, std::move(name), parent, Kind::ComboBox) {
  SetWidth(145);
}

void ComboBox::SetItems(std::vector<std::u16string> items) {
  items_ = std::move(items);
  Notify(Property::Items);
  if (item_index_ != -1) {
    item_index_ = -1;
    Notify(Property::ItemIndex);
  }
}

void ComboBox::AddItem(std::u16string_view item) {
  items_.emplace_back(item);
  Notify(Property::Items);
}

void ComboBox::ClearItems() {
  if (items_.empty() && item_index_ == -1) return;
  SetItems({});
}

void ComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) return;
  if (index != item_index_) {
    item_index_ = index;
    Notify(Property::ItemIndex);
  }
  StoreText(index >= 0 ? std::u16string_view(items_[index]) : std::u16string_view());
}

bool ComboBox::Pick(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return false;
  std::u16string item = items_[index];
  SetDroppedDown(false);
  SetText(item);
  if (item_index_ != index) {
    item_index_ = index;
    Notify(Property::ItemIndex);
  }
  Run(OnSelect, *this);
  return true;
}

void ComboBox::SetDroppedDown(bool dropped) {
  if (dropped == dropped_down_) return;
  dropped_down_ = dropped;
  Notify(Property::DroppedDown);
}

void ComboBox::TextChanged() {
  int match = -1;
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i] == Text()) {
      match = static_cast<int>(i);
      break;
    }
  if (match != item_index_) {
    item_index_ = match;
    Notify(Property::ItemIndex);
  }
  Edit::TextChanged();
}

// Buttons, labels, containers

Button::Button(Form& form, std::string name, Control* parent)
    : Control(form, Kind::Button, std::move(name), parent) {
  SetBounds(0, 0, 75, 25);
}

SpeedButton::SpeedButton(Form& form, std::string name, Control* parent)
    : Control(form, Kind::SpeedButton, std::move(name), parent) {
  SetBounds(0, 0, 23, 22);
}

void SpeedButton::SetImage(std::string image) {
  if (image == image_) return;
  image_ = std::move(image);
  Notify(Property::Image);
}

void SpeedButton::SetFlat(bool flat) {
  if (flat == flat_) return;
  flat_ = flat;
  Notify(Property::Style);
}

Label::Label(Form& form, std::string name, Control* parent, Kind kind)
    : Control(form, kind, std::move(name), parent) {}

void Label::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Notify(Property::Style);
}

StaticText::StaticText(Form& form, std::string name, Control* parent)
    : Label(form, std::move(name), parent, Kind::StaticText) {
  SetTransparent(false);
}

Panel::Panel(Form& form, std::string name, Control* parent)
    : Control(form, Kind::Panel, std::move(name), parent) {
  SetBounds(0, 0, 185, 41);
}

void Panel::SetBevel(BevelStyle bevel) {
  if (bevel == bevel_) return;
  bevel_ = bevel;
  Notify(Property::Style);
}

Bevel::Bevel(Form& form, std::string name, Control* parent)
    : Control(form, Kind::Bevel, std::move(name), parent) {
  SetBounds(0, 0, 50, 50);
}

void Bevel::SetStyle(BevelStyle style) {
  if (style == style_) return;
  style_ = style;
  Notify(Property::Style);
}

Shape::Shape(Form& form, std::string name, Control* parent)
    : Control(form, Kind::Shape, std::move(name), parent) {
  SetBounds(0, 0, 65, 65);
  SetColor(kWhite);
}

// Notebook

Page::Page(Form& form, std::string name, Control* parent, int index)
    : Control(form, Kind::Page, std::move(name), parent), index_(index) {
  SetText(std::u16string(Name().begin(), Name().end()));
}

Notebook::Notebook(Form& form, std::string name, Control* parent)
    : Control(form, Kind::Notebook, std::move(name), parent) {}

Page* Notebook::AddPage(std::string name) {
  Page* page = OwnerForm().Create<Page>(std::move(name), this, PageCount());
  page->SetBounds(0, 0, Width(), Height());
  pages_.push_back(page);
  if (page_index_ < 0) {
    page_index_ = 0;
    Notify(Property::PageIndex);
  }
  return page;
}

Page* Notebook::PageAt(int index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return pages_[index];
}

void Notebook::SetPageIndex(int index) {
  if (index < 0 || index >= PageCount() || index == page_index_) return;
  if (Page* old = PageAt(page_index_)) OwnerForm().TakeFocusFrom(*old);
  page_index_ = index;
  Notify(Property::PageIndex);
}

}  // namespace ui
