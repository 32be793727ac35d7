#include "pages/map_code_fields.h"

#include <optional>

#include "geo/datum.h"
#include "geo/dms.h"
#include "geo/map_units.h"
#include "pages/messages.h"
#include "platform/text.h"

namespace pages {
namespace {

// The six texts of a map position (Tokyo map units), or none outside the valid area.
std::optional<PointTexts> TextsOfPosition(const std::optional<geo::MapPosition>& position,
                                          bool half_second_rule) {
  if (!position) return std::nullopt;
  const float longitude = geo::LongitudeFromUnits(position->x);
  const float latitude = geo::LatitudeFromUnits(position->y);
  if (!geo::InValidArea(longitude, latitude)) return std::nullopt;
  float wgs_longitude = 0;
  float wgs_latitude = 0;
  geo::Bessel2WGS(longitude, latitude, wgs_longitude, wgs_latitude);
  auto split = half_second_rule ? geo::SplitDmsHalfSecondRule : geo::SplitDms;
  return PointTexts{TextsOfDms(split(wgs_longitude)), TextsOfDms(split(wgs_latitude))};
}

void CheckMapCode(const FixedPointControls& point, const geo::CMapCodeConverter& converter, FieldFlags flags,
                  platform::MessageBox& box) {
  ui::Edit& field = *point.map_code;
  if (!flags.text_changed) return;
  if (field.Text().empty()) {
    flags.text_changed = 0;
    return;
  }
  if (field.Text().size() > kMapCodeMaxLength && !flags.warned) {
    ShowNotice(box, kNameTooLong);
    field.SetText(u"");
    flags.warned = 1;
    flags.text_changed = 0;
    return;
  }
  const std::string code = MapCodeCharacters(platform::WideToAnsi(field.Text()));
  const std::optional<PointTexts> texts = TextsOfPosition(converter.Convert(code), point.half_second_rule);
  if (!texts) {
    if (!flags.warned) {
      ShowNotice(box, kOutOfRange);
      flags.warned = 1;
    }
  } else {
    SetPointTexts(point, *texts);
  }
  flags.text_changed = 0;
}

}  // namespace

void InstallMapCodeField(const FixedPointControls& point, const geo::CMapCodeConverter& converter,
                         FieldFlags flags, platform::MessageBox& box) {
  ui::Edit& field = *point.map_code;
  field.OnChange = [flags](ui::Control&) { MarkTextChanged(flags); };
  field.OnExit = [point, &converter, flags, &box](ui::Control&) {
    CheckMapCode(point, converter, flags, box);
  };
  field.OnKeyPress = [&field](ui::Control&, char16_t& key) {
    if (key == kKeyEnter) {
      if (field.OnExit) field.OnExit(field);
      return;
    }
    if (!MapCodeKeyPasses(key)) key = 0;
  };
}

}  // namespace pages
