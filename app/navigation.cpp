// Moving between the pages: the main menu, the return buttons and the online manual.
#include <algorithm>

#include "app/main_window.h"
#include "app/online_manual.h"
#include "card/card_paths.h"
#include "card/version_ini.h"
#include "platform/text.h"

namespace {

void RunLoader(const std::function<void()>& loader) {
  if (!loader) return;
  std::function<void()> copy = loader;
  copy();
}

}  // namespace

bool TFNaviEdit::OpenPage(int page) {
  if (m_nCardFound == 0) {
    ShowNotice(kInsertCardMessage);
    return false;
  }
  // Leaving page 0 takes the focus from the drive selector, so a drive chosen there is in
  // force before the page reads its files.
  nbMainMenu->SetPageIndex(page);
  return true;
}

void TFNaviEdit::btnDestinationClick(ui::Control&) {
  if (OpenPage(kDestinationPage)) RunLoader(m_Hooks.ReadAdb);
}

void TFNaviEdit::btnEditBookmarkClick(ui::Control&) {
  if (OpenPage(kBookmarkPage)) RunLoader(m_Hooks.FavFolderDraw);
}

void TFNaviEdit::btnEditUserPointClick(ui::Control&) {
  if (OpenPage(kUserPointPage)) RunLoader(m_Hooks.ReadORBIS);
}

void TFNaviEdit::btnSetGPSClick(ui::Control&) {
  OpenPage(kGpsPage);
}

// The firmware and navigation software pages show the version the card's Version.ini
// holds now; the member used for the comparison keeps the one read at selection. The page
// is switched first, so that the version comes from the drive in force.
void TFNaviEdit::btnSetFirmClick(ui::Control&) {
  if (!OpenPage(kFirmPage)) return;
  std::string version = card::FitVersion(
      card::ReadVersionValue(m_Services.files, card::VersionIniPath(m_szDrive), card::kFirmVersionKey));
  lblFirmVer->SetCaption(platform::AnsiToWide(version));
}

void TFNaviEdit::btnSetNaviClick(ui::Control&) {
  if (!OpenPage(kNaviPage)) return;
  std::string version = card::FitVersion(
      card::ReadVersionValue(m_Services.files, card::VersionIniPath(m_szDrive), card::kNaviVersionKey));
  lblNaviVer->SetCaption(platform::AnsiToWide(version));
}

void TFNaviEdit::LeavePage(int page) {
  nbMainMenu->SetPageIndex(kMenuPage);
  switch (page) {
    case kBookmarkPage:
      if (m_nFavListShown != 0) {
        const int top = lvFavList->TopIndex();
        const int end = std::min(top + 10, kInPlaceRows);
        for (int r = top; r < end; ++r) {
          ui::Control* row[] = {pEdFavListName[r], pEdNDeg[r],         pEdNMin[r], pEdNSec[r],
                                pEdEDeg[r],        pEdEMin[r],         pEdESec[r], pMapCode[r],
                                pCbFolder[r],      btnFavListDelete[r]};
          for (ui::Control* c : row)
            if (c != nullptr && c->Visible()) c->SetLeft(-1000);
        }
        m_nFavListShown = 0;
      }
      break;
    case kUserPointPage:
      for (int r = 0; r < kInPlaceRows; ++r) {
        ui::Control* row[] = {BtnUserDelete[r], pCbRoad[r], pEdUserPointName[r]};
        for (ui::Control* c : row)
          if (c != nullptr && c->Visible()) c->SetLeft(-1000);
      }
      break;
    case kGpsPage:
      edGps->SetText(u"");
      m_bFolderSelected = 0;
      break;
    case kFirmPage:
      edFirm->SetText(u"");
      m_bFolderSelected = 0;
      break;
    case kNaviPage:
      edNavi->SetText(u" ");
      m_bFolderSelected = 0;
      break;
    default:
      break;
  }
}

void TFNaviEdit::btnGoManuClick(ui::Control&) {
  LeavePage(kDestinationPage);
}
void TFNaviEdit::btnGoMenu1Click(ui::Control&) {
  LeavePage(kBookmarkPage);
}
void TFNaviEdit::btnGoMenu2Click(ui::Control&) {
  LeavePage(kUserPointPage);
}
void TFNaviEdit::btnGoManu3Click(ui::Control&) {
  LeavePage(kGpsPage);
}
void TFNaviEdit::btnGoMenu4Click(ui::Control&) {
  LeavePage(kFirmPage);
}
void TFNaviEdit::btnGoMenu5Click(ui::Control&) {
  LeavePage(kNaviPage);
}

void TFNaviEdit::OnlineManualClick(int page) {
  m_Services.web_browser.Open(online_manual::Url(page));
}

void TFNaviEdit::pCbRoadKeyPress(ui::Control&, char16_t& key) {
  key = 0;
}
void TFNaviEdit::pCbFolderSelect(ui::Control&) {}
void TFNaviEdit::pCbFolderKeyPress(ui::Control&, char16_t& key) {
  key = 0;
}
