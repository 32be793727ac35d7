#include "ui/form.h"

#include <algorithm>

namespace ui {

Form::Form(std::string name) : Control(*this, Kind::Form, std::move(name), nullptr) {
  adopted_ = true;
}

Form::~Form() {
  // Children go first; observers hear nothing more once the form itself is going.
  observers_.clear();
  focused_ = nullptr;
  while (!owned_.empty()) owned_.pop_back();
}

void Form::Adopt(std::unique_ptr<Control> control) {
  Control* raw = control.get();
  raw->adopted_ = true;
  owned_.push_back(std::move(control));
  ++created_;
  for (Observer* observer : std::vector<Observer*>(observers_)) observer->Created(*raw);
}

void Form::Destroy(Control* control) {
  if (control == nullptr || control == this) return;
  auto it = std::find_if(owned_.begin(), owned_.end(), [&](const auto& p) { return p.get() == control; });
  if (it == owned_.end()) return;
  if (focused_ != nullptr && control->Contains(focused_)) {
    Control* old = focused_;
    focused_ = nullptr;
    for (Observer* observer : std::vector<Observer*>(observers_)) observer->FocusChanged(old, nullptr);
  }
  DestroyTree(control);
}

void Form::DestroyTree(Control* control) {
  while (!control->children_.empty()) DestroyTree(control->children_.back());
  for (Observer* observer : std::vector<Observer*>(observers_)) observer->Destroying(*control);
  if (control->parent_ != nullptr) std::erase(control->parent_->children_, control);
  auto it = std::find_if(owned_.begin(), owned_.end(), [&](const auto& p) { return p.get() == control; });
  if (it != owned_.end()) {
    owned_.erase(it);
    ++destroyed_;
  }
}

Control* Form::Find(std::string_view name) const {
  if (name == Name()) return const_cast<Form*>(this);
  for (const auto& control : owned_)
    if (control->Name() == name) return control.get();
  return nullptr;
}

std::vector<Control*> Form::AllControls() const {
  std::vector<Control*> all;
  all.reserve(owned_.size());
  for (const auto& control : owned_) all.push_back(control.get());
  return all;
}

bool Form::SetFocusTo(Control* control) {
  if (control == focused_) return true;
  if (control != nullptr && (control == this || !control->CanFocus() || !control->Enabled() ||
                             !control->Showing() || &control->OwnerForm() != this))
    return false;
  Control* old = focused_;
  focused_ = control;
  for (Observer* observer : std::vector<Observer*>(observers_)) observer->FocusChanged(old, control);
  if (old != nullptr) Run(old->OnExit, *old);
  // OnExit may have moved the focus elsewhere; the control entered is the one holding it.
  if (focused_ == control && control != nullptr) Run(control->OnEnter, *control);
  return true;
}

void Form::TakeFocusFrom(Control& scope) {
  if (focused_ != nullptr && scope.Contains(focused_)) SetFocusTo(nullptr);
}

void Form::TypeChar(char16_t key) {
  if (focused_ != nullptr) focused_->KeyPress(key);
}

void Form::AddObserver(Observer* observer) {
  if (observer != nullptr && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void Form::RemoveObserver(Observer* observer) {
  std::erase(observers_, observer);
}

void Form::NotifyChanged(Control& control, Property what) {
  for (Observer* observer : std::vector<Observer*>(observers_)) observer->Changed(control, what);
}

void Form::NotifyRepaint(Control& control) {
  for (Observer* observer : std::vector<Observer*>(observers_)) observer->RepaintRequested(control);
}

}  // namespace ui
