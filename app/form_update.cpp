// Pages 4 to 6: the three update pages, laid out alike.
#include "app/form_parts.h"
#include "app/main_window.h"

using form_parts::Place;

namespace {

struct UpdatePage {
  ui::Page* page;
  const char* bar;
  const char* manual;
  const char* title;
  const char* frame;
  const char* section;
  std::u16string_view section_text;
  const char* now;
  const char* version;
  const char* file;
  const char* edit;
  const char* folder;
  const char* apply;
  const char* regist;
  const char* back;
};

struct UpdateControls {
  ui::Shape* bar;
  ui::SpeedButton* manual;
  ui::Label *title, *section, *now, *version, *file;
  ui::Bevel* frame;
  ui::Edit* edit;
  ui::Button *folder, *apply, *regist, *back;
};

UpdateControls BuildUpdatePage(ui::Form& form, const UpdatePage& p) {
  constexpr int kLarge = form_parts::kLargeFontHeight;
  UpdateControls c{};
  c.bar = form_parts::NavyBar(form, p.bar, p.page);
  c.manual = form_parts::ManualButton(form, p.manual, p.page);
  c.title = form_parts::PageTitle(form, p.title, p.page, u"データのバージョンアップ");
  c.frame = Place<ui::Bevel>(form, p.frame, p.page, 40, 76, 717, 217);
  c.frame->SetStyle(ui::BevelStyle::Raised);
  c.section = form_parts::TextLabel(form, p.section, p.page, 60, 114, 290, p.section_text, kLarge, true);
  c.now = form_parts::TextLabel(form, p.now, p.page, 360, 114, 160, u"現在のバージョンは", kLarge, true);
  c.version = form_parts::TextLabel(form, p.version, p.page, 524, 114, 200, u"", kLarge, true);
  c.file = form_parts::TextLabel(form, p.file, p.page, 245, 164, 200, u"ファイルの選択");
  c.edit = Place<ui::Edit>(form, p.edit, p.page, 245, 194, 225, 21);
  c.folder = Place<ui::Button>(form, p.folder, p.page, 480, 190, 105, 25, u"ファイルを選択");
  c.apply = Place<ui::Button>(form, p.apply, p.page, 600, 190, 105, 25, u"リストに追加");
  c.regist = form_parts::RegisterButton(form, p.regist, p.page);
  c.back = form_parts::ReturnButton(form, p.back, p.page);
  return c;
}

}  // namespace

void TFNaviEdit::BuildUpdatePages() {
  UpdateControls gps = BuildUpdatePage(
      m_Form, {nbSetGPS, "TntShape5", "TntSpeedButton7", "TntLabel1", "bvGpsFrame", "TntLabel5",
               u"●ＧＰＳダウンロードデータ", "lblGpsNow", "lblGPSVer", "lblGpsFile", "edGps", "btnGpsFolder",
               "btnGpsApply", "TntButton5", "btnGoManu3"});
  TntShape5 = gps.bar;
  TntSpeedButton7 = gps.manual;
  TntLabel1 = gps.title;
  bvGpsFrame = gps.frame;
  TntLabel5 = gps.section;
  lblGpsNow = gps.now;
  lblGPSVer = gps.version;
  lblGpsFile = gps.file;
  edGps = gps.edit;
  btnGpsFolder = gps.folder;
  btnGpsApply = gps.apply;
  TntButton5 = gps.regist;
  btnGoManu3 = gps.back;
  lblGpsNote = form_parts::TextLabel(m_Form, "lblGpsNote", nbSetGPS, 100, 144, 400,
                                     u"GPS データの更新を行います。", form_parts::kWindowFontHeight, true);

  UpdateControls firm = BuildUpdatePage(
      m_Form, {nbSetFormware, "TntShape6", "TntSpeedButton8", "TntLabel13", "bvFirmFrame", "TntLabel15",
               u"●ファームウェアの更新", "lblFirmNow", "lblFirmVer", "lblFirmFile", "edFirm", "btnFirmFolder",
               "btnFirmApply", "btnMusicRegi", "btnGoMenu4"});
  TntShape6 = firm.bar;
  TntSpeedButton8 = firm.manual;
  TntLabel13 = firm.title;
  bvFirmFrame = firm.frame;
  TntLabel15 = firm.section;
  lblFirmNow = firm.now;
  lblFirmVer = firm.version;
  lblFirmFile = firm.file;
  edFirm = firm.edit;
  btnFirmFolder = firm.folder;
  btnFirmApply = firm.apply;
  btnMusicRegi = firm.regist;
  btnGoMenu4 = firm.back;

  UpdateControls navi =
      BuildUpdatePage(m_Form, {nbSetNavi, "TntShape7", "TntSpeedButton9", "TntLabel24", "bvNaviFrame",
                               "TntLabel20", u"●ナビソフト更新", "lblNaviNow", "lblNaviVer", "lblNaviFile",
                               "edNavi", "btnNaviFolder", "btnNaviApply", "TntButton11", "btnGoMenu5"});
  TntShape7 = navi.bar;
  TntSpeedButton9 = navi.manual;
  TntLabel24 = navi.title;
  bvNaviFrame = navi.frame;
  TntLabel20 = navi.section;
  lblNaviNow = navi.now;
  lblNaviVer = navi.version;
  lblNaviFile = navi.file;
  edNavi = navi.edit;
  btnNaviFolder = navi.folder;
  btnNaviApply = navi.apply;
  TntButton11 = navi.regist;
  btnGoMenu5 = navi.back;
}
