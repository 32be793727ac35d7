// Page 3: the user points.
#include "app/form_parts.h"
#include "app/main_window.h"

void TFNaviEdit::BuildUserPointPage() {
  ui::Page* page = nbUserPoint;
  TntShape4 = form_parts::NavyBar(m_Form, "TntShape4", page);
  TntSpeedButton6 = form_parts::ManualButton(m_Form, "TntSpeedButton6", page);
  lblUser = form_parts::PageTitle(m_Form, "lblUser", page, u"ユーザーポイントの編集");
  // 21 rows in view.
  constexpr int kHeight =
      ui::ListView::kHeaderHeight + 21 * ui::ListView::kRowHeight + 2 * ui::ListView::kBorder;
  lvUser = form_parts::ReportList(
      m_Form, "lvUser", page, 56, 74, 40 + 210 + 240 + 110 + 65 + 4 + 17, kHeight,
      {{u"No", 40}, {u"名称", 210}, {u"緯度経度", 240}, {u"道路の種類", 110}, {u"", 65}});
  TntButton15 = form_parts::RegisterButton(m_Form, "TntButton15", page);
  btnGoMenu2 = form_parts::ReturnButton(m_Form, "btnGoMenu2", page);
  PanelMessage3 = form_parts::MessagePanel(m_Form, "PanelMessage3", page, "stMessage3", &stMessage3);
}
