// TFNaviEdit: the main window. It owns the form with its seven pages and every control,
// the in-place controls laid over list rows, and the members the pages share. The page
// logic lives in pages/, which installs its handlers on the controls and its loaders in
// m_Hooks; this class does start-up, navigation and the choice of the card.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "card/fav_folders.h"
#include "card/favorites.h"
#include "geo/map_code.h"
#include "platform/files.h"
#include "platform/services.h"
#include "ui/ui.h"

class CLog;
namespace geo {
class CBoundary;
}  // namespace geo
namespace card {
class COrbis;
struct AdbImage;
}  // namespace card

// A stored position in map units, as floats (x, y).
struct FloatPoint {
  float x = 0;
  float y = 0;
};

template <class T>
using MemberObject = std::unique_ptr<T>;

inline constexpr char16_t kInsertCardMessage[] = u"SDカードを挿入してください。";

constexpr int kInPlaceRows = 100;
template <class T>
using RowControls = std::array<T*, kInPlaceRows>;

// What pages/ plugs into the window. Each is optional: an unset hook does nothing.
struct PageHooks {
  // Page loaders, run after the page index has been switched to their page.
  std::function<void()> ReadAdb;        // page 1
  std::function<void()> FavFolderDraw;  // page 2
  std::function<void()> ReadORBIS;      // page 3
  // Handlers that FormCreate attaches to the run-time controls when it creates them.
  ui::Control::Handler btnDesDeleteClick;
  ui::Control::Handler btnPassDeleteClick;
  ui::Control::Handler BtnUserDeleteClick;
  ui::Control::Handler pEdUserEnter;  // OnEnter of pEdUserPointName[i] and pCbRoad[i]
};

class TFNaviEdit {
 public:
  // The page indexes of nbMainMenu.
  enum PageIndex {
    kMenuPage = 0,
    kDestinationPage,
    kBookmarkPage,
    kUserPointPage,
    kGpsPage,
    kFirmPage,
    kNaviPage
  };

  // Builds the design-time form (every control of the seven pages) and clears the members.
  TFNaviEdit(const platform::Services& services, CLog& log, geo::CBoundary& boundary, card::COrbis& orbis,
             card::AdbImage& adb_image);
  ~TFNaviEdit();
  TFNaviEdit(const TFNaviEdit&) = delete;
  TFNaviEdit& operator=(const TFNaviEdit&) = delete;

  ui::Form& Form() { return m_Form; }

  // Once, right after the constructor (and after pages/ has wired itself, if it does so).
  void FormCreate();
  // When the window goes away; the destructor runs it again, finding nothing left to do.
  void FormDestroy();

  // Card selection.
  int GetDeskTopDriveList();
  void TntSpeedButton1Click(ui::Control& sender);  // "Search"
  void ComboBoxDriveExit(ui::Control& sender);
  void ComboBoxDriveSelect(ui::Control& sender);
  void ComboBoxDriveKeyPress(ui::Control& sender, char16_t& key);
  // The removal broadcast: any volume went away.
  void DriveRemoved();

  // Main menu.
  void btnDestinationClick(ui::Control& sender);
  void btnEditBookmarkClick(ui::Control& sender);
  void btnEditUserPointClick(ui::Control& sender);
  void btnSetGPSClick(ui::Control& sender);
  void btnSetFirmClick(ui::Control& sender);
  void btnSetNaviClick(ui::Control& sender);

  // Return to the main menu.
  void btnGoManuClick(ui::Control& sender);
  void btnGoMenu1Click(ui::Control& sender);
  void btnGoMenu2Click(ui::Control& sender);
  void btnGoManu3Click(ui::Control& sender);
  void btnGoMenu4Click(ui::Control& sender);
  void btnGoMenu5Click(ui::Control& sender);

  // Online manual: the button on page k opens page k + 1 of the manual.
  void OnlineManualClick(int page);

  // Handlers of the in-place boxes that the window sets itself.
  void pCbRoadKeyPress(ui::Control& sender, char16_t& key);
  void pCbFolderSelect(ui::Control& sender);
  void pCbFolderKeyPress(ui::Control& sender, char16_t& key);

  // Message boxes owned by the window, texts in UTF-16.
  platform::MessageAnswer ShowMessage(std::u16string_view text, std::u16string_view caption,
                                      platform::MessageButtons buttons);
  // A notice: empty caption, OK.
  void ShowNotice(std::u16string_view text);

  // --- What the window is given ---
  platform::Services m_Services;
  CLog& m_Log;
  geo::CBoundary& m_Boundary;
  card::COrbis& m_Orbis;
  card::AdbImage& m_AdbImage;
  PageHooks m_Hooks;

  // --- The design-time form ---
  ui::Form m_Form{"FNaviEdit"};
  ui::Notebook* nbMainMenu = nullptr;
  ui::Page* pgDefault = nullptr;  // page 0, "Default"
  ui::Page* nbDestination = nullptr;
  ui::Page* nbBookmark = nullptr;
  ui::Page* nbUserPoint = nullptr;
  ui::Page* nbSetGPS = nullptr;
  ui::Page* nbSetFormware = nullptr;
  ui::Page* nbSetNavi = nullptr;
  // The navy bar of each page, in page order.
  ui::Shape* TntShape1 = nullptr;
  ui::Shape* TntShape2 = nullptr;
  ui::Shape* TntShape3 = nullptr;
  ui::Shape* TntShape4 = nullptr;
  ui::Shape* TntShape5 = nullptr;
  ui::Shape* TntShape6 = nullptr;
  ui::Shape* TntShape7 = nullptr;
  // The online manual button of each page, in page order.
  ui::SpeedButton* TntSpeedButton3 = nullptr;
  ui::SpeedButton* TntSpeedButton4 = nullptr;
  ui::SpeedButton* TntSpeedButton5 = nullptr;
  ui::SpeedButton* TntSpeedButton6 = nullptr;
  ui::SpeedButton* TntSpeedButton7 = nullptr;
  ui::SpeedButton* TntSpeedButton8 = nullptr;
  ui::SpeedButton* TntSpeedButton9 = nullptr;

  // Page 0: main menu.
  ui::Label* lblMenu = nullptr;
  ui::SpeedButton* btnDestination = nullptr;
  ui::SpeedButton* btnEditBookmark = nullptr;
  ui::SpeedButton* btnEditUserPoint = nullptr;
  ui::SpeedButton* btnSetGPS = nullptr;
  ui::SpeedButton* btnSetFirm = nullptr;
  ui::SpeedButton* btnSetNavi = nullptr;
  ui::ComboBox* ComboBoxDrive = nullptr;
  ui::SpeedButton* TntSpeedButton1 = nullptr;  // "Search"
  ui::Label* lblVer = nullptr;

  // Page 1: destination and waypoint.
  ui::Label* lblDes = nullptr;
  ui::Label* lblDesPoint = nullptr;   // "●目的地"
  ui::Label* lblPassPoint = nullptr;  // "●経由地"
  ui::ListView* lvDes = nullptr;
  ui::ListView* lvPass = nullptr;
  ui::Edit* edDesName = nullptr;
  ui::Edit* edDesNDeg = nullptr;
  ui::Edit* edDesNMin = nullptr;
  ui::Edit* edDesNSec = nullptr;
  ui::Edit* edDesEDeg = nullptr;
  ui::Edit* edDesEMin = nullptr;
  ui::Edit* edDesESec = nullptr;
  ui::Edit* edDesMapCode = nullptr;
  ui::Edit* edPassName = nullptr;
  ui::Edit* edPassNDeg = nullptr;
  ui::Edit* edPassNMin = nullptr;
  ui::Edit* edPassNSec = nullptr;
  ui::Edit* edPassEDeg = nullptr;
  ui::Edit* edPassEMin = nullptr;
  ui::Edit* edPassESec = nullptr;
  ui::Edit* edPassMapCode = nullptr;
  ui::Button* TntButton13 = nullptr;  // "登録"
  ui::Button* btnGoManu = nullptr;
  ui::Panel* PanelMessage1 = nullptr;
  ui::StaticText* stMessage1 = nullptr;

  // Page 2: favorites.
  ui::Label* lblFav = nullptr;
  ui::Label* lblFavFolder1 = nullptr;
  ui::Label* lblFavFolder2 = nullptr;
  ui::ListView* lvFav = nullptr;
  ui::ListView* lvFavList = nullptr;
  ui::StaticText* stFileName = nullptr;    // moved into lvFav by FormCreate
  ui::StaticText* stDontDelete = nullptr;  // moved into lvFav by FormCreate
  ui::Button* TntButton3 = nullptr;        // "登録"
  ui::Button* btnGoMenu1 = nullptr;
  ui::Panel* PanelMessage2 = nullptr;
  ui::StaticText* stMessage2 = nullptr;

  // Page 3: user points.
  ui::Label* lblUser = nullptr;
  ui::ListView* lvUser = nullptr;
  ui::Button* TntButton15 = nullptr;  // "登録"
  ui::Button* btnGoMenu2 = nullptr;
  ui::Panel* PanelMessage3 = nullptr;
  ui::StaticText* stMessage3 = nullptr;

  // Page 4: GPS data update.
  ui::Label* TntLabel1 = nullptr;
  ui::Bevel* bvGpsFrame = nullptr;
  ui::Label* TntLabel5 = nullptr;
  ui::Label* lblGpsNow = nullptr;  // "現在のバージョンは"
  ui::Label* lblGPSVer = nullptr;
  ui::Label* lblGpsNote = nullptr;  // "GPS データの更新を行います。"
  ui::Label* lblGpsFile = nullptr;  // "ファイルの選択"
  ui::Edit* edGps = nullptr;
  ui::Button* btnGpsFolder = nullptr;
  ui::Button* btnGpsApply = nullptr;  // "リストに追加", hidden for good
  ui::Button* TntButton5 = nullptr;   // "登録"
  ui::Button* btnGoManu3 = nullptr;

  // Page 5: firmware update.
  ui::Label* TntLabel13 = nullptr;
  ui::Bevel* bvFirmFrame = nullptr;
  ui::Label* TntLabel15 = nullptr;
  ui::Label* lblFirmNow = nullptr;
  ui::Label* lblFirmVer = nullptr;
  ui::Label* lblFirmFile = nullptr;
  ui::Edit* edFirm = nullptr;
  ui::Button* btnFirmFolder = nullptr;
  ui::Button* btnFirmApply = nullptr;
  ui::Button* btnMusicRegi = nullptr;  // "登録"
  ui::Button* btnGoMenu4 = nullptr;

  // Page 6: navigation software update.
  ui::Label* TntLabel24 = nullptr;
  ui::Bevel* bvNaviFrame = nullptr;
  ui::Label* TntLabel20 = nullptr;
  ui::Label* lblNaviNow = nullptr;
  ui::Label* lblNaviVer = nullptr;
  ui::Label* lblNaviFile = nullptr;
  ui::Edit* edNavi = nullptr;
  ui::Button* btnNaviFolder = nullptr;
  ui::Button* btnNaviApply = nullptr;
  ui::Button* TntButton11 = nullptr;  // "登録"
  ui::Button* btnGoMenu5 = nullptr;

  // --- The window's own members, in their order ---
  // In-place controls, one per list row, created by FormCreate; each control's Tag is its row.
  RowControls<ui::SpeedButton> btnFavFolderDelete{};
  RowControls<ui::SpeedButton> btnFavListDelete{};
  RowControls<ui::SpeedButton> BtnUserDelete{};
  RowControls<ui::ComboBox> pCbRoad{};
  RowControls<ui::ComboBox> pCbFolder{};
  RowControls<ui::Edit> pEdFavFolderName{};
  RowControls<ui::Edit> pEdFavListName{};
  RowControls<ui::Edit> pEdUserPointName{};
  RowControls<ui::Edit> pEdNDeg{};
  RowControls<ui::Edit> pEdNMin{};
  RowControls<ui::Edit> pEdNSec{};
  RowControls<ui::Edit> pEdEDeg{};
  RowControls<ui::Edit> pEdEMin{};
  RowControls<ui::Edit> pEdESec{};
  RowControls<ui::Edit> pMapCode{};
  ui::SpeedButton* btnDesDelete = nullptr;
  ui::SpeedButton* btnPassDelete = nullptr;
  MemberObject<card::CFavFolderOpen> m_FavFolder;
  MemberObject<card::CMapFavorites> m_pFav;
  MemberObject<geo::CMapCodeConverter> m_MapCode;
  std::string m_szFavPath;  // code page 932
  std::u16string m_wsUpdateSrc;
  std::u16string m_wsUpdateDst;
  std::array<int, kInPlaceRows> m_nRowChanged{};
  std::string m_szDrive;  // "E:" or empty
  uint8_t m_bTextChanged = 0;
  uint8_t m_bFolderSelected = 0;
  int m_nCardFound = 0;
  int m_nFavListShown = 0;
  int m_nWarned = 0;
  platform::File m_hAdb;
  FloatPoint m_pntDes;
  FloatPoint m_pntPass;
  std::string m_szGpsVer;  // at most 19 bytes each
  std::string m_szFirmVer;
  std::string m_szNaviVer;
  int m_nUserFirst = 0;

 private:
  void BuildForm();
  void WireOwnEvents();
  void BuildMenuPage();
  void BuildDestinationPage();
  void BuildBookmarkPage();
  void BuildUserPointPage();
  void BuildUpdatePages();
  void CreateRowControls();
  void CreateRouteDeleteButtons();
  void DestroyRowControls();
  // The loads of a selected drive.
  void LoadMapCode();
  void LoadVersions();
  bool OpenPage(int page);   // false (with the notice) when no card was found
  void LeavePage(int page);  // the return button's steps for `page`

  std::shared_ptr<bool> m_Alive;  // the removal listener holds it weakly
};
