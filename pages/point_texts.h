// The six texts of a point's degree, minute and second fields, and how a value in
// degrees becomes them.
#pragma once

#include <string>

#include "geo/dms.h"
#include "pages/field_rules.h"

namespace pages {

struct DmsTexts {
  std::u16string degrees;
  std::u16string minutes;
  std::u16string seconds;
  bool operator==(const DmsTexts&) const = default;
};

// Longitude from the fields whose names contain N, latitude from those with E.
struct PointTexts {
  DmsTexts longitude;
  DmsTexts latitude;
  bool operator==(const PointTexts&) const = default;
};

// "0", "0", "0.0" on both axes: what an absent point shows.
PointTexts AbsentPointTexts();
// Degrees and minutes as whole numbers, seconds with one decimal.
DmsTexts TextsOfDms(const geo::Dms& dms);
// The text of one part of an axis.
const std::u16string& PartOf(const DmsTexts& texts, DmsPart part);

}  // namespace pages
