// The small widgets the binding needs beyond Qt's own: the window, the flat button with
// an optional picture, and a plain filled area.
#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QWidget>
#include <functional>

namespace ui_qt {

// The main window: fixed client size, title bar with the system menu and minimize only.
class FormWindow : public QWidget {
  Q_OBJECT
 public:
  FormWindow();
  void SetClientSize(int width, int height);
  // Shows the window in the middle of the screen it is on.
  void ShowCentred();

  std::function<void()> on_close;

 protected:
  void closeEvent(QCloseEvent* event) override;
};

// A flat button: a picture exactly filling it, or its caption on a light face. It never
// takes the focus.
class FlatButton : public QAbstractButton {
  Q_OBJECT
 public:
  explicit FlatButton(QWidget* parent);
  void SetPicture(const QPixmap& picture);
  const QPixmap& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QPixmap picture_;
  bool hovered_ = false;
};

// The picture of a button by its image name: an embedded picture (":/menu/<name>.png"), or a
// file. A null pixmap when there is none.
QPixmap PictureNamed(const std::string& name);

}  // namespace ui_qt
