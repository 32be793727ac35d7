// The window's fonts: "MS Gothic" first, then the Japanese Gothic faces a Linux desktop has.
#pragma once

#include <QFont>
#include <QStringList>

namespace ui_qt {

QStringList GothicFamilies();
// A font of the given pixel height in the first installed face of GothicFamilies().
QFont GothicFont(int pixel_height, bool bold = false);
// Whether one of the Japanese faces is installed; without one Japanese shows as boxes.
bool HasJapaneseFont();

}  // namespace ui_qt
