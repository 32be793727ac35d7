// Binds a model form to Qt widgets: one widget per control, each model change mirrored to
// its widget, and what the user does turned into model events. It holds no page logic.
//
// Focus: a click, Tab or shortcut that moves Qt's focus moves the model's focus (OnExit,
// OnEnter); focus that moves because a box opened or closed, a popup showed or another
// window was activated is ignored, so it runs no OnExit. Keys: a typed character reaches
// the control's OnKeyPress first; a discarded one never reaches the widget.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "ui/ui.h"

class QWidget;
class QKeyEvent;
class QInputMethodEvent;

namespace ui_qt {

class FormWindow;

class Binding : public QObject, public ui::Observer {
  Q_OBJECT
 public:
  explicit Binding(ui::Form& form);
  ~Binding() override;
  Binding(const Binding&) = delete;
  Binding& operator=(const Binding&) = delete;

  FormWindow& Window() const { return *window_; }
  QWidget* WidgetOf(const ui::Control* control) const;
  QWidget* WidgetNamed(std::string_view name) const;
  ui::Control* ControlOf(const QObject* widget) const;

  void Created(ui::Control& control) override;
  void Destroying(ui::Control& control) override;
  void Changed(ui::Control& control, ui::Property what) override;
  void FocusChanged(ui::Control* old_focus, ui::Control* new_focus) override;
  void RepaintRequested(ui::Control& control) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ui::Form& form_;
  std::unique_ptr<FormWindow> window_;
  std::unordered_map<const ui::Control*, QPointer<QWidget>> widgets_;
  std::unordered_map<const QObject*, ui::Control*> controls_;  // widgets and their inner edits
  int syncing_ = 0;                                            // >0 while the binding itself changes widgets
  bool forwarding_input_ = false;  // an input method event the filter already let through

  QWidget* MakeWidget(ui::Control& control);
  QWidget* ContainerOf(ui::Control* control) const;
  void Connect(ui::Control& control, QWidget* widget);
  void SyncAll(ui::Control& control);
  // Parent and geometry. A new parent also puts the widget on top of its siblings, as the
  // model does; a move or resize keeps the stacking order (creation order).
  void SyncParent(ui::Control& control, bool raise = true);
  void SyncVisible(ui::Control& control);
  void SyncText(ui::Control& control);
  void SyncLook(ui::Control& control);
  void SyncItems(ui::Control& control);
  void SyncList(ui::Control& control);
  bool FilterKey(ui::Control& control, QWidget* target, QKeyEvent* event);
  bool FilterInputMethod(ui::Control& control, QWidget* target, QInputMethodEvent* event);
  void FocusModelFocus();
};

}  // namespace ui_qt
