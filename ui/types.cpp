#include "ui/types.h"

namespace ui {

int PointsToPixels(int points) {
  return (points * 96 + 36) / 72;
}
int PixelsToPoints(int pixels) {
  return (pixels * 72 + 48) / 96;
}

}  // namespace ui
