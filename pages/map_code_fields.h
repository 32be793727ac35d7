// The map code fields of the destination and the waypoint: a typed code becomes the
// point's six degree/minute/second texts when the field is left or Enter is pressed.
#pragma once

#include "geo/map_code.h"
#include "pages/coordinate_fields.h"
#include "platform/shell.h"

namespace pages {

// Installs OnChange, OnKeyPress and OnExit on the point's map code field; a valid code
// fills that point's six fields only.
void InstallMapCodeField(const FixedPointControls& point, const geo::CMapCodeConverter& converter,
                         FieldFlags flags, platform::MessageBox& box);

}  // namespace pages
