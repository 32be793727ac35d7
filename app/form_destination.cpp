// Page 1: the destination and the waypoint, each a one-row list with edits over its cells.
#include "app/form_parts.h"
#include "app/main_window.h"

using form_parts::Place;

namespace {

// Columns of lvDes and lvPass: No, name, longitude, latitude, map code, delete.
constexpr int kNo = 40, kName = 130, kLongitude = 133, kLatitude = 133, kMapCode = 180, kDelete = 65;
constexpr int kListWidth =
    kNo + kName + kLongitude + kLatitude + kMapCode + kDelete + 2 * ui::ListView::kBorder;
constexpr int kListHeight =
    ui::ListView::kHeaderHeight + ui::ListView::kRowHeight + 2 * ui::ListView::kBorder + 2;

ui::ListView* PointList(ui::Form& form, const char* name, ui::Page* page, int top) {
  return form_parts::ReportList(form, name, page, 40, top, kListWidth, kListHeight,
                                {{u"No", kNo},
                                 {u"名称", kName},
                                 {u"経度", kLongitude},
                                 {u"緯度", kLatitude},
                                 {u"マップコード", kMapCode},
                                 {u"", kDelete}});
}

struct PointEdits {
  ui::Edit **name, **n_deg, **n_min, **n_sec, **e_deg, **e_min, **e_sec, **map_code;
};

// The edits lie over row 0 of the list: the name, the longitude and latitude in thirds,
// the map code.
void PlaceEdits(ui::Form& form, ui::ListView* list, const std::string& prefix, const PointEdits& edits) {
  const int top = ui::ListView::kHeaderHeight;
  const int h = ui::ListView::kRowHeight;
  const int third_n = kLongitude / 3;
  const int third_e = kLatitude / 3;
  const int n = kNo + kName;
  const int e = n + kLongitude;
  *edits.name = Place<ui::Edit>(form, prefix + "Name", list, kNo, top, kName, h);
  *edits.n_deg = Place<ui::Edit>(form, prefix + "NDeg", list, n, top, third_n, h);
  *edits.n_min = Place<ui::Edit>(form, prefix + "NMin", list, n + third_n + 1, top, third_n, h);
  *edits.n_sec = Place<ui::Edit>(form, prefix + "NSec", list, n + 2 * third_n + 1, top, third_n, h);
  *edits.e_deg = Place<ui::Edit>(form, prefix + "EDeg", list, e, top, third_e, h);
  *edits.e_min = Place<ui::Edit>(form, prefix + "EMin", list, e + third_e + 1, top, third_e, h);
  *edits.e_sec = Place<ui::Edit>(form, prefix + "ESec", list, e + 2 * third_e + 1, top, third_e, h);
  *edits.map_code = Place<ui::Edit>(form, prefix + "MapCode", list, e + kLatitude, top, kMapCode, h);
}

}  // namespace

void TFNaviEdit::BuildDestinationPage() {
  ui::Page* page = nbDestination;
  TntShape2 = form_parts::NavyBar(m_Form, "TntShape2", page);
  TntSpeedButton4 = form_parts::ManualButton(m_Form, "TntSpeedButton4", page);
  lblDes = form_parts::PageTitle(m_Form, "lblDes", page, u"目的地、経由地の設定");

  lblDesPoint = form_parts::TextLabel(m_Form, "lblDesPoint", page, 40, 88, 200, u"●目的地",
                                      form_parts::kLargeFontHeight, true);
  lvDes = PointList(m_Form, "lvDes", page, 108);
  lblPassPoint = form_parts::TextLabel(m_Form, "lblPassPoint", page, 40, 178, 200, u"●経由地",
                                       form_parts::kLargeFontHeight, true);
  lvPass = PointList(m_Form, "lvPass", page, 198);
  PlaceEdits(
      m_Form, lvDes, "edDes",
      {&edDesName, &edDesNDeg, &edDesNMin, &edDesNSec, &edDesEDeg, &edDesEMin, &edDesESec, &edDesMapCode});
  PlaceEdits(m_Form, lvPass, "edPass",
             {&edPassName, &edPassNDeg, &edPassNMin, &edPassNSec, &edPassEDeg, &edPassEMin, &edPassESec,
              &edPassMapCode});

  TntButton13 = form_parts::RegisterButton(m_Form, "TntButton13", page);
  btnGoManu = form_parts::ReturnButton(m_Form, "btnGoManu", page);
  PanelMessage1 = form_parts::MessagePanel(m_Form, "PanelMessage1", page, "stMessage1", &stMessage1);
}
