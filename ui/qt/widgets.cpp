#include "ui/qt/widgets.h"

#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace ui_qt {

FormWindow::FormWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  setAttribute(Qt::WA_InputMethodEnabled);
  setFocusPolicy(Qt::ClickFocus);  // holds the focus when no control does
}

void FormWindow::SetClientSize(int width, int height) {
  setFixedSize(std::max(1, width), std::max(1, height));
}

void FormWindow::ShowCentred() {
  QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  show();
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (on_close) on_close();
  event->accept();
}

FlatButton::FlatButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
}

void FlatButton::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void FlatButton::enterEvent(QEnterEvent*) {
  hovered_ = true;
  update();
}

void FlatButton::leaveEvent(QEvent*) {
  hovered_ = false;
  update();
}

void FlatButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = rect();
  if (!picture_.isNull()) {
    painter.drawPixmap(area, picture_);
    if (isDown()) {
      painter.fillRect(area, QColor(0, 0, 0, 60));
    } else if (hovered_ && isEnabled()) {
      painter.fillRect(area, QColor(255, 255, 255, 40));
    }
    return;
  }
  painter.setRenderHint(QPainter::Antialiasing);
  QColor face = palette().color(QPalette::Button);
  if (isDown()) {
    face = face.darker(115);
  } else if (hovered_ && isEnabled()) {
    face = face.lighter(108);
  }
  painter.setPen(QColor(160, 160, 160));
  painter.setBrush(face);
  painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  painter.setFont(font());
  painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, text());
}

QPixmap PictureNamed(const std::string& name) {
  if (name.empty()) return {};
  const QString qname = QString::fromStdString(name);
  for (const QString& candidate : {QStringLiteral(":/menu/") + qname,
                                   QStringLiteral(":/menu/") + qname + QStringLiteral(".png"), qname}) {
    if (QFile::exists(candidate)) {
      QPixmap picture(candidate);
      if (!picture.isNull()) return picture;
    }
  }
  return {};
}

}  // namespace ui_qt
