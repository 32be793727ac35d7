// Finding the device's cards, the drive selector, and the loads of a selected card.
#include <algorithm>

#include "app/main_window.h"
#include "card/card_paths.h"
#include "card/device_search.h"
#include "card/version_ini.h"
#include "geo/boundary.h"
#include "log/log.h"
#include "platform/text.h"

int TFNaviEdit::GetDeskTopDriveList() {
  m_Log.Trace("GetDeskTopDriveList.....\n");
  ComboBoxDrive->ClearItems();
  ComboBoxDrive->SetText(u"");
  m_szDrive.clear();

  for (char letter : card::FindDeviceCards(m_Services.files)) {
    const std::string drive{letter, ':'};
    ComboBoxDrive->AddItem(platform::AnsiToWide(drive));
    m_szDrive = drive;
    m_nCardFound = 1;
    m_szFavPath = card::FavoritesRoot(m_szDrive);
  }

  // The last card found, the highest letter, is the one selected.
  ComboBoxDrive->SetText(platform::AnsiToWide(m_szDrive));
  m_Log.Trace("%s  --------  Drive Select\n", m_szDrive.c_str());

  if (ComboBoxDrive->Items().empty()) {
    // What an earlier search loaded stays as it was.
    m_nCardFound = 0;
    m_szDrive.clear();
    return 0;
  }
  LoadMapCode();
  m_Boundary.Load(m_Services.files, card::PrefecturePath(m_szDrive));
  LoadVersions();
  return 1;
}

void TFNaviEdit::LoadMapCode() {
  const std::string path = card::MapCodePath(m_szDrive);
  m_Log.Trace("%s  --------  Mapcode\n", path.c_str());
  m_MapCode->Load(m_Services.files, path, 1);
}

void TFNaviEdit::LoadVersions() {
  const card::CardVersions versions = card::ReadCardVersions(m_Services.files, m_szDrive);
  m_szGpsVer = versions.gps;
  m_szFirmVer = versions.firm;
  m_szNaviVer = versions.navi;
  lblGPSVer->SetCaption(platform::AnsiToWide(m_szGpsVer));
  lblFirmVer->SetCaption(platform::AnsiToWide(m_szFirmVer));
  lblNaviVer->SetCaption(platform::AnsiToWide(m_szNaviVer));
}

void TFNaviEdit::TntSpeedButton1Click(ui::Control&) {
  if (GetDeskTopDriveList() == 0) ShowNotice(kInsertCardMessage);
}

// Only a drive of the list is applied. Any other text (pasted, say) cannot name a card:
// it is ignored and the selector shows the drive in force again.
void TFNaviEdit::ComboBoxDriveExit(ui::Control&) {
  const auto& items = ComboBoxDrive->Items();
  const std::u16string text = ComboBoxDrive->Text();
  if (std::find(items.begin(), items.end(), text) == items.end()) {
    ComboBoxDrive->SetText(platform::AnsiToWide(m_szDrive));
    return;
  }
  m_szDrive = platform::WideToAnsi(text);
  m_szFavPath = card::FavoritesRoot(m_szDrive);
  LoadMapCode();
  LoadVersions();
}

void TFNaviEdit::ComboBoxDriveSelect(ui::Control&) {}

void TFNaviEdit::ComboBoxDriveKeyPress(ui::Control&, char16_t& key) {
  key = 0;
}

void TFNaviEdit::DriveRemoved() {
  if (GetDeskTopDriveList() != 0) return;  // a card remains: the page on screen stays
  ShowNotice(kInsertCardMessage);
  // Back to the main menu the way the page's own return button goes, so that no picked
  // update folder or in-place editor of the vanished card stays armed.
  const int page = nbMainMenu->PageIndex();
  if (page != kMenuPage) LeavePage(page);
  ComboBoxDrive->ClearItems();
  ComboBoxDrive->SetText(u"");
}
