// The in-place editors of one favorites point row: the name, the six degree/minute/second
// fields and the map code. Their change handlers mark the row for the next register; the
// checks run when a field is left or Enter is pressed.
#pragma once

#include <string_view>

#include "pages/coordinate_fields.h"

class TFNaviEdit;

namespace pages {

// The row's six position fields and its map code field (no half-second rule).
FixedPointControls FavoriteRowControls(TFNaviEdit& window, int row);

// Installs the handlers of row `row`'s name, position and map code editors.
void InstallFavoriteRowFields(TFNaviEdit& window, int row);

// A name the point file can carry: no comma, no line end, no NUL, and only characters
// of its code page.
bool FavoriteNameStorable(std::u16string_view name);

}  // namespace pages
