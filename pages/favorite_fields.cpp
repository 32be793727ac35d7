#include "pages/favorite_fields.h"

#include <optional>

#include "app/main_window.h"
#include "geo/dms.h"
#include "pages/favorites_messages.h"
#include "pages/field_rules.h"
#include "pages/map_code_fields.h"
#include "pages/messages.h"
#include "pages/number_text.h"
#include "pages/point_texts.h"
#include "platform/text.h"

namespace pages {
namespace {

constexpr Axis kAxes[] = {Axis::Longitude, Axis::Latitude};
constexpr DmsPart kParts[] = {DmsPart::Degrees, DmsPart::Minutes, DmsPart::Seconds};

bool AxisInValidArea(Axis axis, float value) {
  if (axis == Axis::Longitude) return value >= geo::kValidLongitudeMin && value <= geo::kValidLongitudeMax;
  return value >= geo::kValidLatitudeMin && value <= geo::kValidLatitudeMax;
}

// The stored favorite's part as the field shows it; seconds of a coordinate outside the
// valid area come back as "0".
std::u16string StoredPartText(const card::FavItem* item, Axis axis, DmsPart part) {
  if (item == nullptr) return u"0";
  const float value = axis == Axis::Longitude ? item->longitude : item->latitude;
  const DmsTexts texts = TextsOfDms(geo::SplitDms(value));
  if (part == DmsPart::Seconds && !AxisInValidArea(axis, value)) return u"0";
  return PartOf(texts, part);
}

void MarkRowChanged(TFNaviEdit& w, int row) {
  MarkTextChanged({w.m_bTextChanged, w.m_nWarned});
  if (row >= 0 && row < kInPlaceRows) w.m_nRowChanged[row] = 1;
}

void CheckPositionField(TFNaviEdit& w, ui::Edit& field, Axis axis, DmsPart part) {
  if (!w.m_bTextChanged) return;
  if (field.Text().empty()) field.SetText(u"0");
  const std::optional<double> value = ReadDecimalNumber(field.Text());
  if (!value) {
    // Only pasted text gets here: tell the user and leave text and flags as they are.
    ShowNotice(w.m_Services.message_box, kNotANumber);
    return;
  }
  const int row = field.Tag();
  if (!PartOutOfRange(axis, part, *value)) {
    w.pMapCode[row]->SetText(u"");
    w.m_bTextChanged = 0;
    return;
  }
  if (w.m_nWarned) return;
  ShowNotice(w.m_Services.message_box, kNoCoordinate);
  w.m_nWarned = 1;
  // The put-back text runs the change handler again, which marks the field changed.
  field.SetText(StoredPartText(w.m_pFav->GetItem(row), axis, part));
}

void CheckName(TFNaviEdit& w, ui::Edit& field) {
  if (!w.m_bTextChanged) return;
  const card::FavItem* stored = w.m_pFav->GetItem(field.Tag());
  const std::u16string stored_name = stored ? platform::AnsiToWide(stored->name) : u"";
  const bool too_long = field.Text().size() > kTypedNameMaxCharacters;
  if ((too_long || !FavoriteNameStorable(field.Text())) && !w.m_nWarned) {
    ShowNotice(w.m_Services.message_box, too_long ? kNameTooLong : kFavNameBadCharacter);
    field.SetText(stored_name);
    w.m_nWarned = 1;
  }
  w.m_bTextChanged = 0;
}

// Enter runs the field's check and is then passed on.
void RunExitOnEnter(ui::Control& field, char16_t key) {
  if (key == kKeyEnter && field.OnExit) {
    ui::Control::Handler exit = field.OnExit;
    exit(field);
  }
}

}  // namespace

bool FavoriteNameStorable(std::u16string_view name) {
  if (name.find_first_of(u",\r\n") != std::u16string_view::npos) return false;
  if (name.find(u'\0') != std::u16string_view::npos) return false;
  // Every character must survive the code page of the point file.
  return platform::AnsiToWide(platform::WideToAnsi(name)) == name;
}

FixedPointControls FavoriteRowControls(TFNaviEdit& w, int row) {
  FixedPointControls controls{
      {{{w.pEdNDeg[row], w.pEdNMin[row], w.pEdNSec[row]}, {w.pEdEDeg[row], w.pEdEMin[row], w.pEdESec[row]}}},
      w.pMapCode[row]};
  controls.half_second_rule = false;
  return controls;
}

void InstallFavoriteRowFields(TFNaviEdit& w, int row) {
  TFNaviEdit* window = &w;
  ui::Edit& name = *w.pEdFavListName[row];
  name.OnChange = [window](ui::Control& s) { MarkRowChanged(*window, s.Tag()); };
  name.OnExit = [window, &name](ui::Control&) { CheckName(*window, name); };
  name.OnKeyPress = [](ui::Control& s, char16_t& key) { RunExitOnEnter(s, key); };

  const FixedPointControls point = FavoriteRowControls(w, row);
  for (Axis axis : kAxes) {
    for (DmsPart part : kParts) {
      ui::Edit& field = point.Field(axis, part);
      field.OnChange = [window](ui::Control& s) { MarkRowChanged(*window, s.Tag()); };
      field.OnExit = [window, &field, axis, part](ui::Control&) {
        CheckPositionField(*window, field, axis, part);
      };
      field.OnKeyPress = [&field, part](ui::Control&, char16_t& key) {
        RunExitOnEnter(field, key);
        if (key != kKeyEnter && !CoordinateKeyPasses(part, key, field.Text())) key = 0;
      };
    }
  }

  InstallMapCodeField(point, *w.m_MapCode, {w.m_bTextChanged, w.m_nWarned}, w.m_Services.message_box);
  point.map_code->OnChange = [window](ui::Control& s) { MarkRowChanged(*window, s.Tag()); };
}

}  // namespace pages
