#include "ui/qt/binding.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/qt/fonts.h"
#include "ui/qt/list_widget.h"
#include "ui/qt/widgets.h"

namespace ui_qt {
namespace {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string ToU16(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
}

QColor ToQColor(ui::Color color) {
  return QColor((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

class SyncGuard {
 public:
  explicit SyncGuard(int& depth) : depth_(depth) { ++depth_; }
  ~SyncGuard() { --depth_; }

 private:
  int& depth_;
};

// The character a key event types, as the system hands it to OnKeyPress: printable text,
// Backspace 8, Enter 13, Escape 27 and Ctrl+letter 1..26. 0 for keys that type nothing.
char16_t TypedCharacter(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    default:
      break;
  }
  if ((event.modifiers() & Qt::ControlModifier) != 0 && event.key() >= Qt::Key_A &&
      event.key() <= Qt::Key_Z) {
    return static_cast<char16_t>(event.key() - Qt::Key_A + 1);
  }
  const QString text = event.text();
  if (text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() != 0x7F) return text[0].unicode();
  return 0;
}

bool IsUserFocusReason(Qt::FocusReason reason) {
  return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
         reason == Qt::ShortcutFocusReason;
}

bool KeepsOwnBackground(ui::Kind kind) {
  return kind == ui::Kind::Edit || kind == ui::Kind::ComboBox || kind == ui::Kind::Button ||
         kind == ui::Kind::SpeedButton || kind == ui::Kind::ListView || kind == ui::Kind::Bevel;
}

}  // namespace

Binding::Binding(ui::Form& form) : form_(form), window_(std::make_unique<FormWindow>()) {
  SyncGuard guard(syncing_);
  widgets_[&form_] = window_.get();
  controls_[window_.get()] = &form_;
  window_->setObjectName(QString::fromStdString(form_.Name()));
  window_->setAccessibleName(QString::fromStdString(form_.Name()));
  window_->installEventFilter(this);
  const std::vector<ui::Control*> all = form_.AllControls();
  // Widgets first, then parents: a control may have been moved under one made after it.
  for (ui::Control* control : all) {
    if (control != &form_) MakeWidget(*control);
  }
  SyncAll(form_);
  for (ui::Control* control : all) {
    if (control != &form_) SyncAll(*control);
  }
  form_.AddObserver(this);
}

Binding::~Binding() {
  form_.RemoveObserver(this);
  window_->on_close = nullptr;
}

QWidget* Binding::WidgetOf(const ui::Control* control) const {
  auto found = widgets_.find(control);
  return found == widgets_.end() ? nullptr : found->second.data();
}

QWidget* Binding::WidgetNamed(std::string_view name) const {
  return WidgetOf(form_.Find(name));
}

ui::Control* Binding::ControlOf(const QObject* widget) const {
  auto found = controls_.find(widget);
  return found == controls_.end() ? nullptr : found->second;
}

QWidget* Binding::ContainerOf(ui::Control* control) const {
  QWidget* widget = WidgetOf(control);
  if (auto* list = qobject_cast<ListWidget*>(widget)) return list->Client();
  return widget != nullptr ? widget : window_.get();
}

QWidget* Binding::MakeWidget(ui::Control& control) {
  QWidget* widget = nullptr;
  switch (control.kind()) {
    case ui::Kind::Form:
      return window_.get();
    case ui::Kind::Notebook:
    case ui::Kind::Page:
    case ui::Kind::Shape:
      widget = new QWidget(window_.get());
      widget->setAutoFillBackground(true);
      break;
    case ui::Kind::Edit: {
      auto* edit = new QLineEdit(window_.get());
      edit->setFrame(true);
      widget = edit;
      break;
    }
    case ui::Kind::ComboBox: {
      auto* combo = new QComboBox(window_.get());
      combo->setEditable(true);
      combo->setInsertPolicy(QComboBox::NoInsert);
      combo->setMaxVisibleItems(8);
      widget = combo;
      break;
    }
    case ui::Kind::Button:
      widget = new QPushButton(window_.get());
      widget->setFocusPolicy(Qt::StrongFocus);
      break;
    case ui::Kind::SpeedButton:
      widget = new FlatButton(window_.get());
      break;
    case ui::Kind::Label:
    case ui::Kind::StaticText:
    case ui::Kind::Panel: {
      auto* label = new QLabel(window_.get());
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(control.kind() == ui::Kind::Panel ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
      widget = label;
      break;
    }
    case ui::Kind::Bevel: {
      auto* frame = new QFrame(window_.get());
      frame->setAttribute(Qt::WA_TransparentForMouseEvents);
      widget = frame;
      break;
    }
    case ui::Kind::ListView:
      widget = new ListWidget(static_cast<ui::ListView&>(control), window_.get());
      break;
  }
  const QString name = QString::fromStdString(control.Name());
  widget->setObjectName(name);
  widget->setAccessibleName(name);
  widget->hide();
  widgets_[&control] = widget;
  controls_[widget] = &control;
  widget->installEventFilter(this);
  Connect(control, widget);
  return widget;
}

void Binding::Connect(ui::Control& control, QWidget* widget) {
  ui::Control* target = &control;
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    connect(edit, &QLineEdit::textEdited, this, [this, target](const QString& text) {
      if (syncing_ == 0) target->SetText(ToU16(text));
    });
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    QLineEdit* inner = combo->lineEdit();
    inner->setObjectName(widget->objectName());
    inner->setAccessibleName(widget->accessibleName());
    controls_[inner] = target;
    inner->installEventFilter(this);
    connect(inner, &QLineEdit::textEdited, this, [this, target](const QString& text) {
      if (syncing_ == 0) target->SetText(ToU16(text));
    });
    connect(combo, &QComboBox::activated, this, [this, target](int index) {
      if (syncing_ != 0) return;
      auto* model = static_cast<ui::ComboBox*>(target);
      model->Pick(index);
      // The model may refuse or change the pick; show what it holds.
      SyncText(*target);
    });
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    connect(button, &QAbstractButton::clicked, this, [this, target]() {
      if (syncing_ == 0) target->Click();
    });
  }
}

void Binding::SyncAll(ui::Control& control) {
  SyncGuard guard(syncing_);
  SyncParent(control);
  SyncLook(control);
  SyncText(control);
  SyncItems(control);
  SyncList(control);
  SyncVisible(control);
}

void Binding::SyncParent(ui::Control& control, bool raise) {
  QWidget* widget = WidgetOf(&control);
  if (widget == nullptr) return;
  if (&control == &form_) {
    window_->SetClientSize(control.Width(), control.Height());
    return;
  }
  QWidget* container = ContainerOf(control.Parent());
  if (widget->parentWidget() != container) {
    widget->setParent(container);
    controls_[widget] = &control;
  }
  widget->setGeometry(control.Left(), control.Top(), control.Width(), control.Height());
  if (raise) widget->raise();
  if (auto* list = qobject_cast<ListWidget*>(container->parentWidget())) list->SyncScrollBars();
}

void Binding::SyncVisible(ui::Control& control) {
  QWidget* widget = WidgetOf(&control);
  if (widget == nullptr || &control == &form_) return;
  bool visible = control.Visible();
  if (control.kind() == ui::Kind::Page) {
    auto* page = static_cast<ui::Page*>(&control);
    auto* notebook = dynamic_cast<ui::Notebook*>(control.Parent());
    visible = visible && notebook != nullptr && notebook->PageIndex() == page->Index();
  }
  widget->setVisible(visible);
}

void Binding::SyncText(ui::Control& control) {
  QWidget* widget = WidgetOf(&control);
  if (widget == nullptr) return;
  const QString text = ToQString(control.Text());
  if (&control == &form_) {
    window_->setWindowTitle(text);
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    if (edit->text() != text) edit->setText(text);
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    if (combo->currentText() != text) combo->setEditText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(text);
    button->setAccessibleDescription(text);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
    label->setAccessibleDescription(text);
  }
}

void Binding::SyncLook(ui::Control& control) {
  QWidget* widget = WidgetOf(&control);
  if (widget == nullptr) return;
  const ui::Font& font = control.GetFont();
  widget->setFont(GothicFont(font.height, font.bold));
  QPalette palette = widget->palette();
  const QColor text = ToQColor(font.color);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::ButtonText, text);
  const ui::Kind kind = control.kind();
  bool transparent = false;
  if (auto* label = dynamic_cast<ui::Label*>(&control)) {
    transparent = kind == ui::Kind::Label && label->Transparent();
  }
  if (!KeepsOwnBackground(kind) && !transparent) {
    palette.setColor(QPalette::Window, ToQColor(control.GetColor()));
    widget->setAutoFillBackground(true);
  } else if (transparent) {
    widget->setAutoFillBackground(false);
  } else if (control.GetColor() != ui::kButtonFace) {
    palette.setColor(
        kind == ui::Kind::SpeedButton || kind == ui::Kind::Button ? QPalette::Button : QPalette::Base,
        ToQColor(control.GetColor()));
  }
  widget->setPalette(palette);
  widget->setEnabled(control.Enabled());
  if (control.GetCursor() == ui::Cursor::HandPoint) {
    widget->setCursor(Qt::PointingHandCursor);
  } else {
    widget->unsetCursor();
  }
  if (auto* edit = dynamic_cast<ui::Edit*>(&control)) {
    if (auto* line = qobject_cast<QLineEdit*>(widget)) line->setReadOnly(edit->ReadOnly());
  }
  if (auto* speed = dynamic_cast<ui::SpeedButton*>(&control)) {
    if (auto* flat = qobject_cast<FlatButton*>(widget)) flat->SetPicture(PictureNamed(speed->Image()));
  }
  if (auto* panel = dynamic_cast<ui::Panel*>(&control)) {
    auto* frame = qobject_cast<QFrame*>(widget);
    frame->setFrameStyle(QFrame::Panel |
                         (panel->Bevel() == ui::BevelStyle::Raised ? QFrame::Raised : QFrame::Sunken));
  }
  if (auto* bevel = dynamic_cast<ui::Bevel*>(&control)) {
    auto* frame = qobject_cast<QFrame*>(widget);
    frame->setFrameStyle(QFrame::Box |
                         (bevel->Style() == ui::BevelStyle::Raised ? QFrame::Raised : QFrame::Sunken));
  }
}

void Binding::SyncItems(ui::Control& control) {
  auto* model = dynamic_cast<ui::ComboBox*>(&control);
  auto* combo = qobject_cast<QComboBox*>(WidgetOf(&control));
  if (model == nullptr || combo == nullptr) return;
  QStringList items;
  for (const std::u16string& item : model->Items()) items << ToQString(item);
  QStringList shown;
  for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
  if (shown != items) {
    combo->clear();
    combo->addItems(items);
  }
  if (combo->currentIndex() != model->ItemIndex()) combo->setCurrentIndex(model->ItemIndex());
  const QString text = ToQString(model->Text());
  if (combo->currentText() != text) combo->setEditText(text);
}

void Binding::SyncList(ui::Control& control) {
  if (auto* list = qobject_cast<ListWidget*>(WidgetOf(&control))) {
    list->SyncScrollBars();
    list->Client()->update();
  }
}

void Binding::Created(ui::Control& control) {
  MakeWidget(control);
  SyncAll(control);
}

void Binding::Destroying(ui::Control& control) {
  QPointer<QWidget> widget = WidgetOf(&control);
  widgets_.erase(&control);
  for (auto it = controls_.begin(); it != controls_.end();) {
    it = it->second == &control ? controls_.erase(it) : std::next(it);
  }
  if (widget && widget != window_.get()) {
    SyncGuard guard(syncing_);
    // Nothing the widget still does may reach the control that is going away.
    QObject::disconnect(widget, nullptr, this, nullptr);
    if (auto* combo = qobject_cast<QComboBox*>(widget.data())) {
      QObject::disconnect(combo->lineEdit(), nullptr, this, nullptr);
      combo->lineEdit()->removeEventFilter(this);
    }
    widget->removeEventFilter(this);
    widget->hide();
    widget->deleteLater();
  }
}

void Binding::Changed(ui::Control& control, ui::Property what) {
  SyncGuard guard(syncing_);
  switch (what) {
    case ui::Property::Parent:
    case ui::Property::Bounds:
      SyncParent(control, what == ui::Property::Parent);
      if (what == ui::Property::Parent) SyncVisible(control);
      if (control.kind() == ui::Kind::ListView) SyncList(control);
      break;
    case ui::Property::Visible:
      SyncVisible(control);
      break;
    case ui::Property::Text:
      SyncText(control);
      if (control.kind() == ui::Kind::ComboBox) SyncItems(control);
      break;
    case ui::Property::Items:
    case ui::Property::ItemIndex:
      SyncItems(control);
      break;
    case ui::Property::DroppedDown:
      if (auto* combo = qobject_cast<QComboBox*>(WidgetOf(&control))) {
        auto& model = static_cast<ui::ComboBox&>(control);
        if (model.DroppedDown()) {
          combo->showPopup();
        } else {
          combo->hidePopup();
        }
      }
      break;
    case ui::Property::PageIndex:
      for (ui::Control* child : control.Children()) SyncVisible(*child);
      break;
    case ui::Property::Columns:
    case ui::Property::ListItems:
    case ui::Property::Selection:
    case ui::Property::TopIndex:
    case ui::Property::ScrollX:
    case ui::Property::HeaderLock:
      SyncList(control);
      break;
    case ui::Property::Enabled:
    case ui::Property::Tag:
    case ui::Property::Font:
    case ui::Property::Color:
    case ui::Property::Cursor:
    case ui::Property::Image:
    case ui::Property::Style:
      SyncLook(control);
      SyncList(control);
      break;
  }
}

void Binding::FocusModelFocus() {
  SyncGuard guard(syncing_);
  ui::Control* focused = form_.FocusedControl();
  QWidget* widget = focused != nullptr ? WidgetOf(focused) : nullptr;
  if (widget != nullptr && widget->isVisible()) {
    widget->setFocus(Qt::OtherFocusReason);
  } else {
    window_->setFocus(Qt::OtherFocusReason);
  }
}

void Binding::FocusChanged(ui::Control*, ui::Control*) {
  FocusModelFocus();
}

void Binding::RepaintRequested(ui::Control& control) {
  QWidget* widget = &control == &form_ ? window_.get() : WidgetOf(&control);
  if (widget == nullptr) return;
  if (auto* list = qobject_cast<ListWidget*>(widget)) {
    list->Client()->repaint();
  } else {
    widget->repaint();
  }
}

bool Binding::FilterKey(ui::Control& control, QWidget* target, QKeyEvent* event) {
  const char16_t typed = TypedCharacter(*event);
  if (typed == 0 || !control.OnKeyPress) return false;
  char16_t key = typed;
  ui::Control::KeyHandler handler = control.OnKeyPress;
  handler(control, key);
  if (key == typed) return false;  // the widget edits as usual
  // Discarded (0) or changed: the widget never sees the original key.
  auto* edit = qobject_cast<QLineEdit*>(target);
  if (key != 0 && edit != nullptr && !edit->isReadOnly()) {
    if (key == 8) {
      edit->backspace();
    } else if (key >= 0x20) {
      edit->insert(QString(QChar(key)));
    }
    if (syncing_ == 0) control.SetText(ToU16(edit->text()));
  }
  return true;
}

bool Binding::FilterInputMethod(ui::Control& control, QWidget* target, QInputMethodEvent* event) {
  if (!control.OnKeyPress || event->commitString().isEmpty()) return false;
  QString kept;
  bool changed = false;
  for (QChar c : event->commitString()) {
    char16_t key = c.unicode();
    ui::Control::KeyHandler handler = control.OnKeyPress;
    handler(control, key);
    if (key != c.unicode()) changed = true;
    if (key >= 0x20) kept.append(QChar(key));
  }
  if (!changed) return false;
  QInputMethodEvent replacement(event->preeditString(), event->attributes());
  replacement.setCommitString(kept, event->replacementStart(), event->replacementLength());
  forwarding_input_ = true;  // the replacement itself passes the filter untouched
  QCoreApplication::sendEvent(target, &replacement);
  forwarding_input_ = false;
  return true;
}

bool Binding::eventFilter(QObject* watched, QEvent* event) {
  ui::Control* control = ControlOf(watched);
  if (control == nullptr) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::KeyPress:
      if (syncing_ != 0) return false;
      if (control->kind() == ui::Kind::Edit || control->kind() == ui::Kind::ComboBox) {
        return FilterKey(*control, widget, static_cast<QKeyEvent*>(event));
      }
      return false;
    case QEvent::InputMethod:
      if (syncing_ != 0 || forwarding_input_) return false;
      if (control->kind() == ui::Kind::Edit || control->kind() == ui::Kind::ComboBox) {
        return FilterInputMethod(*control, widget, static_cast<QInputMethodEvent*>(event));
      }
      return false;
    case QEvent::FocusIn: {
      if (syncing_ != 0) return false;
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (control == form_.FocusedControl() || control == &form_) return false;
      if (IsUserFocusReason(reason)) {
        if (!form_.SetFocusTo(control)) FocusModelFocus();
      } else {
        // Qt chose a widget itself (a window came back, a box closed): show the model's
        // focus again without running any handler.
        QMetaObject::invokeMethod(
            this, [this]() { FocusModelFocus(); }, Qt::QueuedConnection);
      }
      return false;
    }
    case QEvent::MouseButtonPress:
      // A click on a control that Qt already had focused still moves the model's focus.
      if (syncing_ == 0 && control->CanFocus() && control != form_.FocusedControl() && control != &form_ &&
          control->kind() != ui::Kind::ListView) {
        if (!form_.SetFocusTo(control)) FocusModelFocus();
      }
      return false;
    case QEvent::MouseButtonRelease:
      if (syncing_ == 0 && (control->kind() == ui::Kind::Label || control->kind() == ui::Kind::StaticText) &&
          control->OnClick) {
        control->Click();
      }
      return false;
    default:
      return false;
  }
}

}  // namespace ui_qt
