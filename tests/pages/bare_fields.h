// A form holding only the destination's and the waypoint's fixed fields and map code
// fields, for testing the field handlers without the main window.
#pragma once

#include <string>

#include "pages/coordinate_fields.h"
#include "pages/map_code_fields.h"
#include "tests/support/fake_services.h"
#include "ui/form.h"

namespace pages {

class BareFields {
 public:
  ui::Form form{"form"};
  uint8_t text_changed = 0;
  int warned = 0;
  testing_support::FakeMessageBox box;
  StoredPosition destination_stored;
  StoredPosition waypoint_stored;
  FixedPointControls destination = MakeGroup("edDes");
  FixedPointControls waypoint = MakeGroup("edPass");
  ui::Button* elsewhere = form.Create<ui::Button>("elsewhere", nullptr);

  FieldFlags flags() { return {text_changed, warned}; }

  void InstallCoordinateFields() {
    InstallFixedCoordinateFields(
        destination, [this] { return destination_stored; }, flags(), box);
    InstallFixedCoordinateFields(
        waypoint, [this] { return waypoint_stored; }, flags(), box);
  }

  // Focuses the field, replaces its text by typing, and leaves it.
  void TypeAndLeave(ui::Edit& field, std::u16string_view text) {
    Type(field, text);
    elsewhere->Click();
  }
  void Type(ui::Edit& field, std::u16string_view text) {
    field.SetFocus();
    field.SelectAll();
    if (text.empty()) form.TypeChar(8);
    for (char16_t c : text) form.TypeChar(c);
  }

 private:
  FixedPointControls MakeGroup(const std::string& prefix) {
    FixedPointControls group;
    const char* axes[] = {"N", "E"};
    const char* parts[] = {"Deg", "Min", "Sec"};
    for (int a = 0; a < 2; ++a) {
      for (int p = 0; p < 3; ++p) {
        group.fields[a][p] = form.Create<ui::Edit>(prefix + axes[a] + parts[p], nullptr);
      }
    }
    group.map_code = form.Create<ui::Edit>(prefix + "MapCode", nullptr);
    return group;
  }
};

}  // namespace pages
