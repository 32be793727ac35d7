// Page 2: the favorites folders and the points of one folder.
#include "app/form_parts.h"
#include "app/main_window.h"

using form_parts::Place;

namespace {
constexpr int kScrollBar = 17;
}

void TFNaviEdit::BuildBookmarkPage() {
  ui::Page* page = nbBookmark;
  TntShape3 = form_parts::NavyBar(m_Form, "TntShape3", page);
  TntSpeedButton5 = form_parts::ManualButton(m_Form, "TntSpeedButton5", page);
  lblFav = form_parts::PageTitle(m_Form, "lblFav", page, u"お気に入りの編集");

  lblFavFolder1 = form_parts::TextLabel(m_Form, "lblFavFolder1", page, 40, 78, 300, u"●フォルダ一覧",
                                        form_parts::kLargeFontHeight, true);
  // 118 pixels high: five rows in view.
  lvFav = form_parts::ReportList(m_Form, "lvFav", page, 40, 98, 40 + 305 + 65 + 77 + 4 + kScrollBar, 118,
                                 {{u"No", 40}, {u"フォルダ名", 305}, {u"件数", 65}, {u"", 77}});
  lvFav->SetRowSelect(true);
  lblFavFolder2 = form_parts::TextLabel(m_Form, "lblFavFolder2", page, 40, 228, 300, u"●フォルダ内リスト一覧",
                                        form_parts::kLargeFontHeight, true);
  // 194 pixels high: nine rows in view.
  lvFavList = form_parts::ReportList(m_Form, "lvFavList", page, 24, 248, 730 + 4 + kScrollBar, 194,
                                     {{u"No", 40},
                                      {u"名称", 140},
                                      {u"経度", 110},
                                      {u"緯度", 110},
                                      {u"マップコード", 125},
                                      {u"移動先フォルダNo.", 140},
                                      {u"", 65}});

  // Moved into lvFav at start-up; the page places and shows them.
  stFileName = Place<ui::StaticText>(m_Form, "stFileName", page, 40, 0, 305, 18, u"お気に入りフォルダ");
  stFileName->SetColor(ui::kWhite);
  stFileName->Hide();
  stDontDelete = Place<ui::StaticText>(m_Form, "stDontDelete", page, 410, 0, 73, 18, u"削除不可");
  stDontDelete->SetColor(ui::kWhite);
  stDontDelete->Hide();

  TntButton3 = form_parts::RegisterButton(m_Form, "TntButton3", page);
  btnGoMenu1 = form_parts::ReturnButton(m_Form, "btnGoMenu1", page);
  PanelMessage2 = form_parts::MessagePanel(m_Form, "PanelMessage2", page, "stMessage2", &stMessage2);
}
