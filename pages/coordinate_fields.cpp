#include "pages/coordinate_fields.h"

#include <optional>

#include "geo/datum.h"
#include "geo/dms.h"
#include "geo/map_units.h"
#include "pages/messages.h"
#include "pages/number_text.h"

namespace pages {
namespace {

constexpr Axis kAxes[] = {Axis::Longitude, Axis::Latitude};
constexpr DmsPart kParts[] = {DmsPart::Degrees, DmsPart::Minutes, DmsPart::Seconds};

DmsTexts& AxisOf(PointTexts& texts, Axis axis) {
  return axis == Axis::Longitude ? texts.longitude : texts.latitude;
}

// The stored point's part in WGS84, as the field shows it (no half-second rule here).
std::u16string StoredPartText(const StoredPosition& stored, Axis axis, DmsPart part) {
  const float longitude = geo::LongitudeFromUnits(geo::TruncateToInt32(stored.x));
  const float latitude = geo::LatitudeFromUnits(geo::TruncateToInt32(stored.y));
  float wgs_longitude = 0;
  float wgs_latitude = 0;
  geo::Bessel2WGS(longitude, latitude, wgs_longitude, wgs_latitude);
  const geo::Dms dms = geo::SplitDms(axis == Axis::Longitude ? wgs_longitude : wgs_latitude);
  return PartOf(TextsOfDms(dms), part);
}

struct FieldCheck {
  ui::Edit& field;
  Axis axis;
  DmsPart part;
  ui::Edit& map_code;
  const StoredPositionSource& stored;
  FieldFlags flags;
  platform::MessageBox& box;

  void Run() const {
    if (!flags.text_changed) return;
    if (field.Text().empty()) field.SetText(u"0");
    const std::optional<double> value = ReadDecimalNumber(field.Text());
    if (!value) {
      // Only pasted text gets here: tell the user and leave text and flags as they are.
      ShowNotice(box, kNotANumber);
      return;
    }
    if (PartOutOfRange(axis, part, *value) && !flags.warned) {
      const StoredPosition position = stored ? stored() : StoredPosition{};
      ShowNotice(box, kNoCoordinate);
      if (position.set) {
        flags.warned = 1;
        field.SetText(StoredPartText(position, axis, part));
      } else {
        field.SetText(part == DmsPart::Seconds ? u"0.0" : u"0");
      }
    }
    map_code.SetText(u"");
    flags.text_changed = 0;
  }
};

}  // namespace

void MarkTextChanged(FieldFlags flags) {
  flags.text_changed = 1;
  flags.warned = 0;
}

void InstallFixedCoordinateFields(const FixedPointControls& point, StoredPositionSource stored,
                                  FieldFlags flags, platform::MessageBox& box) {
  for (Axis axis : kAxes) {
    for (DmsPart part : kParts) {
      ui::Edit& field = point.Field(axis, part);
      ui::Edit& map_code = *point.map_code;
      field.OnChange = [flags](ui::Control&) { MarkTextChanged(flags); };
      field.OnExit = [&field, axis, part, &map_code, stored, flags, &box](ui::Control&) {
        FieldCheck{field, axis, part, map_code, stored, flags, box}.Run();
      };
      field.OnKeyPress = [&field, part](ui::Control&, char16_t& key) {
        if (key == kKeyEnter) {
          if (field.OnExit) field.OnExit(field);
          return;
        }
        if (!CoordinateKeyPasses(part, key, field.Text())) key = 0;
      };
    }
  }
}

void SetPointTexts(const FixedPointControls& point, const PointTexts& texts) {
  for (Axis axis : kAxes) {
    const DmsTexts& axis_texts = axis == Axis::Longitude ? texts.longitude : texts.latitude;
    for (DmsPart part : kParts) point.Field(axis, part).SetText(PartOf(axis_texts, part));
  }
}

PointTexts GetPointTexts(const FixedPointControls& point) {
  PointTexts texts;
  for (Axis axis : kAxes) {
    DmsTexts& axis_texts = AxisOf(texts, axis);
    axis_texts.degrees = point.Field(axis, DmsPart::Degrees).Text();
    axis_texts.minutes = point.Field(axis, DmsPart::Minutes).Text();
    axis_texts.seconds = point.Field(axis, DmsPart::Seconds).Text();
  }
  return texts;
}

}  // namespace pages
