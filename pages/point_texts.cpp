#include "pages/point_texts.h"

#include "platform/text.h"

namespace pages {
namespace {

std::u16string NumberText(int value) {
  return platform::Utf8ToWide(std::to_string(value));
}

DmsTexts ZeroTexts() {
  return {u"0", u"0", u"0.0"};
}

}  // namespace

PointTexts AbsentPointTexts() {
  return {ZeroTexts(), ZeroTexts()};
}

DmsTexts TextsOfDms(const geo::Dms& dms) {
  return {NumberText(dms.degrees), NumberText(dms.minutes),
          platform::Utf8ToWide(geo::SecondsText(dms.seconds))};
}

const std::u16string& PartOf(const DmsTexts& texts, DmsPart part) {
  switch (part) {
    case DmsPart::Degrees:
      return texts.degrees;
    case DmsPart::Minutes:
      return texts.minutes;
    case DmsPart::Seconds:
      break;
  }
  return texts.seconds;
}

}  // namespace pages
