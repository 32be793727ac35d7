// The window itself, the notebook with its seven pages, and page 0: the main menu.
#include "app/form_parts.h"
#include "app/main_window.h"

using form_parts::Place;

void TFNaviEdit::BuildForm() {
  m_Form.SetText(u"TARNIX MANEGER");
  m_Form.SetClientSize(798, 564);
  nbMainMenu = Place<ui::Notebook>(m_Form, "nbMainMenu", &m_Form, 0, 0, 798, 564);
  nbMainMenu->SetColor(ui::kWhite);
  pgDefault = nbMainMenu->AddPage("Default");
  nbDestination = nbMainMenu->AddPage("nbDestination");
  nbBookmark = nbMainMenu->AddPage("nbBookmark");
  nbUserPoint = nbMainMenu->AddPage("nbUserPoint");
  nbSetGPS = nbMainMenu->AddPage("nbSetGPS");
  nbSetFormware = nbMainMenu->AddPage("nbSetFormware");
  nbSetNavi = nbMainMenu->AddPage("nbSetNavi");
  for (int i = 0; i < nbMainMenu->PageCount(); ++i) nbMainMenu->PageAt(i)->SetColor(ui::kWhite);

  BuildMenuPage();
  BuildDestinationPage();
  BuildBookmarkPage();
  BuildUserPointPage();
  BuildUpdatePages();
}

void TFNaviEdit::BuildMenuPage() {
  ui::Page* page = pgDefault;
  TntShape1 = form_parts::NavyBar(m_Form, "TntShape1", page);
  TntSpeedButton3 = form_parts::ManualButton(m_Form, "TntSpeedButton3", page);
  lblMenu = form_parts::PageTitle(m_Form, "lblMenu", page, u"メインメニュー");

  // Two columns of three picture buttons, 339 x 118 each.
  struct MenuButton {
    ui::SpeedButton** member;
    const char* name;
    const char* image;
    int column, row;
  };
  const MenuButton buttons[] = {
      {&btnDestination, "btnDestination", "destination", 0, 0},
      {&btnEditBookmark, "btnEditBookmark", "favorites", 0, 1},
      {&btnEditUserPoint, "btnEditUserPoint", "user_points", 0, 2},
      {&btnSetGPS, "btnSetGPS", "gps_data", 1, 0},
      {&btnSetFirm, "btnSetFirm", "firmware", 1, 1},
      {&btnSetNavi, "btnSetNavi", "navi_software", 1, 2},
  };
  for (const auto& b : buttons) {
    auto* button =
        Place<ui::SpeedButton>(m_Form, b.name, page, 40 + b.column * 379, 86 + b.row * 128, 339, 118);
    button->SetImage(b.image);
    button->SetFlat(true);
    button->SetCursor(ui::Cursor::HandPoint);
    *b.member = button;
  }

  ComboBoxDrive = Place<ui::ComboBox>(m_Form, "ComboBoxDrive", page, 540, 482, 100, 21);
  TntSpeedButton1 = Place<ui::SpeedButton>(m_Form, "TntSpeedButton1", page, 650, 481, 100, 23, u"Search");
  TntSpeedButton1->SetFlat(false);
  lblVer = form_parts::TextLabel(m_Form, "lblVer", page, 16, 540, 120, u"Ver. 1.0.0");
}
