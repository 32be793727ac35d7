// The form: the root of the control tree. It owns every control, keeps the one focused
// control and tells its observers (the window binding, tests) of every change.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/control.h"

namespace ui {

class Observer {
 public:
  virtual ~Observer() = default;
  virtual void Created(Control& /*control*/) {}
  // Called before the control (and, first, each of its children) goes away.
  virtual void Destroying(Control& /*control*/) {}
  virtual void Changed(Control& /*control*/, Property /*what*/) {}
  virtual void FocusChanged(Control* /*old_focus*/, Control* /*new_focus*/) {}
  // The program asked for an immediate repaint of this control (the form: the whole window).
  virtual void RepaintRequested(Control& /*control*/) {}
};

class Form : public Control {
 public:
  explicit Form(std::string name);
  ~Form() override;

  // Creates a control owned by the form, on top of the parent's children. Without a parent
  // the form is the parent.
  template <class T, class... Args>
  T* Create(std::string name, Control* parent, Args&&... args) {
    auto control = std::unique_ptr<T>(
        new T(*this, std::move(name), parent ? parent : this, std::forward<Args>(args)...));
    T* raw = control.get();
    Adopt(std::move(control));
    return raw;
  }
  // Destroys a control and its children; the focus leaves them without OnExit, as a window
  // that goes away does not run it. Null or the form itself: nothing happens.
  void Destroy(Control* control);

  // The control of this name, or null.
  Control* Find(std::string_view name) const;
  size_t ControlCount() const { return owned_.size(); }
  // Totals since the form was made, to show that nothing is created or destroyed later on.
  size_t CreatedCount() const { return created_; }
  size_t DestroyedCount() const { return destroyed_; }
  // Every control in creation order.
  std::vector<Control*> AllControls() const;

  // The focus. Moving it runs the old control's OnExit, then the new one's OnEnter.
  // nullptr means the form itself holds it. False when the control cannot take the focus.
  Control* FocusedControl() const { return focused_; }
  bool SetFocusTo(Control* control);
  // Takes the focus from `scope` and everything inside it (OnExit runs), leaving it on the form.
  void TakeFocusFrom(Control& scope);

  // Types a character into the focused control; nothing when the form holds the focus.
  void TypeChar(char16_t key);

  void AddObserver(Observer* observer);
  void RemoveObserver(Observer* observer);

  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  void SetClientSize(int width, int height) { SetBounds(Left(), Top(), width, height); }

 private:
  friend class Control;
  void Adopt(std::unique_ptr<Control> control);
  void NotifyChanged(Control& control, Property what);
  void NotifyRepaint(Control& control);
  void DestroyTree(Control* control);

  std::vector<std::unique_ptr<Control>> owned_;
  std::vector<Observer*> observers_;
  Control* focused_ = nullptr;
  size_t created_ = 0;
  size_t destroyed_ = 0;
};

}  // namespace ui
