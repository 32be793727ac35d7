#include "ui/qt/fonts.h"

#include <QFontDatabase>

namespace ui_qt {

QStringList GothicFamilies() {
  return {QStringLiteral("MS Gothic"),
          QStringLiteral("IPAGothic"),
          QStringLiteral("IPAexGothic"),
          QStringLiteral("Noto Sans CJK JP"),
          QStringLiteral("Noto Sans Mono CJK JP"),
          QStringLiteral("VL Gothic"),
          QStringLiteral("TakaoGothic")};
}

QFont GothicFont(int pixel_height, bool bold) {
  QFont font;
  font.setFamilies(GothicFamilies());
  font.setPixelSize(pixel_height > 0 ? pixel_height : 13);
  font.setBold(bold);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

bool HasJapaneseFont() {
  const QStringList installed = QFontDatabase::families(QFontDatabase::Japanese);
  for (const QString& family : GothicFamilies()) {
    if (installed.contains(family, Qt::CaseInsensitive)) return true;
  }
  return false;
}

}  // namespace ui_qt
