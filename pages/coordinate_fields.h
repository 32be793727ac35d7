// The twelve fixed degree/minute/second fields of the destination and the waypoint:
// their change handlers, key filters and the check that runs on leaving or on Enter.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "pages/field_rules.h"
#include "pages/point_texts.h"
#include "platform/shell.h"
#include "ui/controls.h"

namespace pages {

// The edit-field flags the main window shares between all field checks.
struct FieldFlags {
  uint8_t& text_changed;  // an edit field changed since the last completed check
  int& warned;            // a warning was shown; no repeat until the next change
};

// One point's six fields, indexed [axis][part], and its map code field.
struct FixedPointControls {
  std::array<std::array<ui::Edit*, 3>, 2> fields{};
  ui::Edit* map_code = nullptr;
  // How a converted map code is split: the route points drop seconds just above a half;
  // the favorites rows show the plain split.
  bool half_second_rule = true;

  ui::Edit& Field(Axis axis, DmsPart part) const {
    return *fields[static_cast<int>(axis)][static_cast<int>(part)];
  }
};

// What a rejected entry is put back from: the point's set flag in the route image and its
// stored Tokyo position in map units.
struct StoredPosition {
  bool set = false;
  float x = 0;
  float y = 0;
};
using StoredPositionSource = std::function<StoredPosition()>;

// The change handler every edit field of the window shares.
void MarkTextChanged(FieldFlags flags);

// Installs OnChange, OnKeyPress and OnExit on the six fields of one point.
void InstallFixedCoordinateFields(const FixedPointControls& point, StoredPositionSource stored,
                                  FieldFlags flags, platform::MessageBox& box);

// Writes the six texts in the order longitude degrees, minutes, seconds, latitude
// degrees, minutes, seconds (each change runs its field's change handler).
void SetPointTexts(const FixedPointControls& point, const PointTexts& texts);
PointTexts GetPointTexts(const FixedPointControls& point);

}  // namespace pages
