// The simple controls: edits, combo boxes, buttons, labels, panels, bevels, shapes and the
// notebook with its pages.
#pragma once

#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

class Edit : public Control {
 public:
  bool CanFocus() const override { return true; }
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);
  // The next typed character replaces the whole text (as after a select-all).
  void SelectAll() { replace_on_type_ = true; }
  // Text that arrives without keys (pasted): no OnKeyPress, OnChange when it differs.
  void Paste(std::u16string_view text);

 protected:
  friend class Form;
  Edit(Form& form, std::string name, Control* parent, Kind kind = Kind::Edit);
  void TextChanged() override;
  // Printable characters go in at the end, backspace (8) takes the last one; Enter (13)
  // and other control characters insert nothing.
  void AcceptKey(char16_t key) override;

 private:
  bool read_only_ = false;
  bool replace_on_type_ = false;
};

// A combo box with an edit part: its text may be any string; ItemIndex follows the text.
class ComboBox : public Edit {
 public:
  const std::vector<std::u16string>& Items() const { return items_; }
  void SetItems(std::vector<std::u16string> items);  // ItemIndex -1, text kept
  void AddItem(std::u16string_view item);
  void ClearItems();
  int ItemIndex() const { return item_index_; }
  // Selects an item and shows it; -1 selects nothing and empties the text. No OnChange or
  // OnSelect: only the user's pick runs them.
  void SetItemIndex(int index);
  // The user's pick from the drop-down list: the text changes (OnChange when it differs),
  // then OnSelect. False for an index out of range.
  bool Pick(int index);
  bool DroppedDown() const { return dropped_down_; }
  void SetDroppedDown(bool dropped);
  // Setting the text selects the item that matches it exactly, or none.

 protected:
  friend class Form;
  ComboBox(Form& form, std::string name, Control* parent);
  void TextChanged() override;

 private:
  std::vector<std::u16string> items_;
  int item_index_ = -1;
  bool dropped_down_ = false;
};

// A push button: clicking it takes the focus first.
class Button : public Control {
 public:
  bool CanFocus() const override { return true; }

 protected:
  friend class Form;
  Button(Form& form, std::string name, Control* parent);
};

// A flat button, with text or an image; it never takes the focus.
class SpeedButton : public Control {
 public:
  const std::string& Image() const { return image_; }
  void SetImage(std::string image);  // the name of the picture it shows; empty for none
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);

 protected:
  friend class Form;
  SpeedButton(Form& form, std::string name, Control* parent);

 private:
  std::string image_;
  bool flat_ = true;
};

// Text that cannot be focused. StaticText is a label with a window of its own (clickable,
// with a background colour); Label is transparent.
class Label : public Control {
 public:
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

 protected:
  friend class Form;
  Label(Form& form, std::string name, Control* parent, Kind kind = Kind::Label);

 private:
  bool transparent_ = true;
};

class StaticText : public Label {
 protected:
  friend class Form;
  StaticText(Form& form, std::string name, Control* parent);
};

enum class BevelStyle { Lowered, Raised };

class Panel : public Control {
 public:
  BevelStyle Bevel() const { return bevel_; }
  void SetBevel(BevelStyle bevel);

 protected:
  friend class Form;
  Panel(Form& form, std::string name, Control* parent);

 private:
  BevelStyle bevel_ = BevelStyle::Raised;
};

// A frame drawn around an area.
class Bevel : public Control {
 public:
  BevelStyle Style() const { return style_; }
  void SetStyle(BevelStyle style);

 protected:
  friend class Form;
  Bevel(Form& form, std::string name, Control* parent);

 private:
  BevelStyle style_ = BevelStyle::Lowered;
};

// A filled rectangle in its colour.
class Shape : public Control {
 protected:
  friend class Form;
  Shape(Form& form, std::string name, Control* parent);
};

class Page : public Control {
 public:
  int Index() const { return index_; }

 protected:
  friend class Form;
  friend class Notebook;
  Page(Form& form, std::string name, Control* parent, int index);

 private:
  int index_;
};

// Pages without tabs; the page index is the only state.
class Notebook : public Control {
 public:
  Page* AddPage(std::string name);  // the page's name is its caption too
  int PageCount() const { return static_cast<int>(pages_.size()); }
  Page* PageAt(int index) const;
  int PageIndex() const { return page_index_; }
  // Shows another page. A control of the old page that holds the focus loses it first
  // (its OnExit runs) and the form keeps the focus. Out of range or unchanged: nothing.
  void SetPageIndex(int index);

 protected:
  friend class Form;
  Notebook(Form& form, std::string name, Control* parent);

 private:
  std::vector<Page*> pages_;
  int page_index_ = -1;
};

}  // namespace ui
