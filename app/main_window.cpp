#include "app/main_window.h"

#include "log/log.h"
#include "platform/text.h"

TFNaviEdit::TFNaviEdit(const platform::Services& services, CLog& log, geo::CBoundary& boundary,
                       card::COrbis& orbis, card::AdbImage& adb_image)
    : m_Services(services),
      m_Log(log),
      m_Boundary(boundary),
      m_Orbis(orbis),
      m_AdbImage(adb_image),
      m_Alive(std::make_shared<bool>(true)) {
  m_bTextChanged = 0;
  m_nCardFound = 0;
  m_nWarned = 0;
  m_nRowChanged.fill(0);
  m_Log.Trace("TFNaviEdit()\n");
  m_FavFolder = std::make_unique<card::CFavFolderOpen>(m_Services.files);
  m_pFav = std::make_unique<card::CMapFavorites>(m_Services.files, m_Services.clock);
  m_MapCode = std::make_unique<geo::CMapCodeConverter>();
  BuildForm();
  WireOwnEvents();

  // Every removal of a volume is the removal broadcast. The listener outlives the window
  // in the volume table, so it checks that the window is still there.
  std::weak_ptr<bool> alive = m_Alive;
  m_Services.volumes.OnRemoval([this, alive](char) {
    if (alive.lock()) DriveRemoved();
  });
}

TFNaviEdit::~TFNaviEdit() {
  m_Alive.reset();
  FormDestroy();
}

// The events of the design-time controls that the window handles itself.
void TFNaviEdit::WireOwnEvents() {
  ComboBoxDrive->OnExit = [this](ui::Control& s) { ComboBoxDriveExit(s); };
  ComboBoxDrive->OnSelect = [this](ui::Control& s) { ComboBoxDriveSelect(s); };
  ComboBoxDrive->OnKeyPress = [this](ui::Control& s, char16_t& key) { ComboBoxDriveKeyPress(s, key); };
  TntSpeedButton1->OnClick = [this](ui::Control& s) { TntSpeedButton1Click(s); };
  btnDestination->OnClick = [this](ui::Control& s) { btnDestinationClick(s); };
  btnEditBookmark->OnClick = [this](ui::Control& s) { btnEditBookmarkClick(s); };
  btnEditUserPoint->OnClick = [this](ui::Control& s) { btnEditUserPointClick(s); };
  btnSetGPS->OnClick = [this](ui::Control& s) { btnSetGPSClick(s); };
  btnSetFirm->OnClick = [this](ui::Control& s) { btnSetFirmClick(s); };
  btnSetNavi->OnClick = [this](ui::Control& s) { btnSetNaviClick(s); };
  btnGoManu->OnClick = [this](ui::Control& s) { btnGoManuClick(s); };
  btnGoMenu1->OnClick = [this](ui::Control& s) { btnGoMenu1Click(s); };
  btnGoMenu2->OnClick = [this](ui::Control& s) { btnGoMenu2Click(s); };
  btnGoManu3->OnClick = [this](ui::Control& s) { btnGoManu3Click(s); };
  btnGoMenu4->OnClick = [this](ui::Control& s) { btnGoMenu4Click(s); };
  btnGoMenu5->OnClick = [this](ui::Control& s) { btnGoMenu5Click(s); };
  ui::SpeedButton* manuals[] = {TntSpeedButton3, TntSpeedButton4, TntSpeedButton5, TntSpeedButton6,
                                TntSpeedButton7, TntSpeedButton8, TntSpeedButton9};
  for (int page = 0; page < 7; ++page)
    manuals[page]->OnClick = [this, page](ui::Control&) { OnlineManualClick(page); };
}

void TFNaviEdit::FormCreate() {
  m_Log.Trace("Start.....\n");
  PanelMessage3->Hide();
  PanelMessage2->Hide();
  PanelMessage1->Hide();
  nbMainMenu->SetPageIndex(kMenuPage);
  m_bFolderSelected = 0;
  m_bTextChanged = 0;
  for (ui::ListView* list : {lvDes, lvPass, lvFav, lvFavList, lvUser}) list->LockHeader();
  btnGpsApply->Hide();
  btnFirmApply->Hide();
  btnNaviApply->Hide();
  CreateRowControls();
  CreateRouteDeleteButtons();

  // No message at start-up when no card is found.
  GetDeskTopDriveList();
  // Loaded again whatever the search found; without a card the path is rooted at the
  // current drive.
  LoadMapCode();

  stFileName->SetParent(lvFav);
  stDontDelete->SetParent(lvFav);
}

void TFNaviEdit::FormDestroy() {
  m_bTextChanged = 0;
  m_nCardFound = 0;
  m_nWarned = 0;
  m_nRowChanged.fill(0);
  DestroyRowControls();
}

platform::MessageAnswer TFNaviEdit::ShowMessage(std::u16string_view text, std::u16string_view caption,
                                                platform::MessageButtons buttons) {
  return m_Services.message_box.Show(platform::WideToAnsi(text), platform::WideToAnsi(caption), buttons,
                                     true);
}

void TFNaviEdit::ShowNotice(std::u16string_view text) {
  ShowMessage(text, u"", platform::MessageButtons::Ok);
}
