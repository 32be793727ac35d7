#include "pages/update_page.h"

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "app/main_window.h"
#include "card/card_paths.h"
#include "card/version_ini.h"
#include "log/log.h"
#include "pages/messages.h"
#include "pages/release_search.h"
#include "platform/ini.h"
#include "platform/text.h"

namespace pages {
namespace {

// What the platform is handed stays within the program's 100-byte texts.
constexpr size_t kMaxPathBytes = 99;
// Releases are read with a 20-byte buffer.
constexpr size_t kReleaseVersionBuffer = 20;

constexpr char16_t kNotNewer[] =
    u"アップデータバージョンより既存のバージョンが最新のものです。\nアップデータしますか？";
constexpr char16_t kVersionNotRecorded[] =
    u"ファイルはコピーされましたが、カードのバージョン情報を書き込めませんでした。";

struct UpdateKind {
  const char* folder_sought;
  const char* key;
  std::string TFNaviEdit::*card_version;
  ui::Label* TFNaviEdit::*version_label;
  ui::Edit* TFNaviEdit::*folder_edit;
  std::string (*destination)(std::string_view drive);
};

const UpdateKind kGps{"Data",
                      card::kGpsVersionKey,
                      &TFNaviEdit::m_szGpsVer,
                      &TFNaviEdit::lblGPSVer,
                      &TFNaviEdit::edGps,
                      card::GpsUpdateDestination};
const UpdateKind kFirm{
    "FWUpdate",          card::kFirmVersionKey,          &TFNaviEdit::m_szFirmVer, &TFNaviEdit::lblFirmVer,
    &TFNaviEdit::edFirm, card::FirmwareUpdateDestination};
const UpdateKind kNavi{"Navi",
                       card::kNaviVersionKey,
                       &TFNaviEdit::m_szNaviVer,
                       &TFNaviEdit::lblNaviVer,
                       &TFNaviEdit::edNavi,
                       card::NaviUpdateDestination};

// A release picked on the card itself can name the destination as its own folder (or a
// folder around it): copying would empty each file as it opens it for writing, or copy
// the folder into itself without end.
bool CopiesOntoItself(platform::FileSystem& files, const std::string& release,
                      const std::string& destination) {
  const std::optional<std::string> from = files.Resolve(release);
  const std::optional<std::string> to = files.Resolve(destination);
  if (!from || !to) return false;
  const std::string a = std::filesystem::path(*from).lexically_normal().string();
  const std::string b = std::filesystem::path(*to).lexically_normal().string();
  return b == a || b.rfind(a + "/", 0) == 0;
}

void PickFolder(TFNaviEdit& w, const UpdateKind& kind) {
  w.m_wsUpdateSrc = GetFolderSelection(w);
  (w.*kind.folder_edit)->SetText(w.m_wsUpdateSrc);
  w.m_wsUpdateDst = platform::AnsiToWide(kind.destination(w.m_szDrive));
}

// Ends a register that was refused or done: a second press needs a new pick.
void Refuse(TFNaviEdit& w) {
  ShowNotice(w.m_Services.message_box, kUpdateError);
  w.m_bFolderSelected = 0;
}

void Register(TFNaviEdit& w, const UpdateKind& kind) {
  if (w.m_bFolderSelected == 0) return;
  // A cancelled browse after an earlier pick leaves no folder: searching from an empty
  // name would start at the root of the current drive.
  if (w.m_wsUpdateSrc.empty()) {
    w.m_bFolderSelected = 0;
    return;
  }
  platform::FileSystem& files = w.m_Services.files;
  const std::string picked = platform::WideToAnsi(w.m_wsUpdateSrc);
  if (picked.size() > kMaxPathBytes) return Refuse(w);
  const std::optional<std::string> release = CopyFolderSearch(files, w.m_Log, picked, kind.folder_sought);
  if (!release) return Refuse(w);
  const std::optional<std::string> version_file = VerFileSearch(files, w.m_Log, picked, "Version.ini");
  if (!version_file) return Refuse(w);
  const std::string source = *release + "\\*.*";
  const std::string destination = platform::WideToAnsi(w.m_wsUpdateDst);
  if (source.size() > kMaxPathBytes || destination.size() > kMaxPathBytes) return Refuse(w);

  if (CopiesOntoItself(files, *release, destination)) return Refuse(w);

  const std::string version = platform::GetPrivateProfileString(
      files, card::kVersionSection, kind.key, card::kDefaultVersion, kReleaseVersionBuffer, *version_file);
  std::string& card_version = w.*kind.card_version;
  // Versions compare as text, byte by byte.
  if (std::strcmp(version.c_str(), card_version.c_str()) <= 0 &&
      !AskYesNo(w.m_Services.message_box, kNotNewer, kDeleteCaption)) {
    w.m_bFolderSelected = 0;
    return;
  }

  // A copy that failed or was cancelled has not installed the release: the card keeps
  // the version it records.
  if (ExCopyFile(w, source, destination) != 0) return Refuse(w);
  if (platform::WritePrivateProfileString(files, card::kVersionSection, kind.key, version,
                                          card::VersionIniPath(w.m_szDrive))) {
    card_version = version;
    (w.*kind.version_label)->SetCaption(platform::AnsiToWide(version));
    ShowNotice(w.m_Services.message_box, kUpdated);
  } else {
    ShowNotice(w.m_Services.message_box, kVersionNotRecorded);
  }
  w.m_bFolderSelected = 0;
}

void Install(TFNaviEdit& w, const UpdateKind& kind, ui::Control* folder_button,
             ui::Control* register_button) {
  folder_button->OnClick = [&w, &kind](ui::Control&) { PickFolder(w, kind); };
  register_button->OnClick = [&w, &kind](ui::Control&) { Register(w, kind); };
  (w.*kind.folder_edit)->OnKeyPress = [](ui::Control&, char16_t& key) { key = 0; };
}

}  // namespace

int ExCopyFile(TFNaviEdit& w, const std::string& source, const std::string& destination) {
  w.m_Log.Trace("ExCopyFile.....\n");
  return w.m_Services.folder_copier.Copy(source, destination);
}

std::u16string GetFolderSelection(TFNaviEdit& w) {
  w.m_Log.Trace("GetFolderSelection.....\n");
  const std::optional<std::string> path =
      w.m_Services.folder_picker.Pick(platform::WideToAnsi(u"フォルダーを選択してください。"));
  if (!path) return u"";
  w.m_bFolderSelected = 1;
  return platform::AnsiToWide(*path);
}

void InstallUpdatePages(TFNaviEdit& w) {
  Install(w, kGps, w.btnGpsFolder, w.TntButton5);
  Install(w, kFirm, w.btnFirmFolder, w.btnMusicRegi);
  Install(w, kNavi, w.btnNaviFolder, w.TntButton11);
}

}  // namespace pages
