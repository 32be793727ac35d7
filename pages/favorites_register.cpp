// The commands of the favorites page that change the card: register, point delete,
// folder delete and folder rename.
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "card/card_paths.h"
#include "card/favorites.h"
#include "geo/datum.h"
#include "geo/map_units.h"
#include "log/log.h"
#include "pages/coordinate_fields.h"
#include "pages/favorite_fields.h"
#include "pages/favorites_messages.h"
#include "pages/favorites_page.h"
#include "pages/messages.h"
#include "pages/route_points.h"
#include "platform/text.h"

namespace pages {
namespace {

constexpr unsigned kDoneMessageMilliseconds = 1000;
constexpr char kFolderQuestionCaption[] = " ";

// One row as register writes it: its name and its position in Tokyo map units.
struct RowToWrite {
  std::string name;  // code page 932
  int32_t x = 0;
  int32_t y = 0;
};

std::optional<RowToWrite> ReadRow(TFNaviEdit& w, int row) {
  const std::optional<ComposedPoint> point =
      ComposePointTexts(GetPointTexts(FavoriteRowControls(w, row)), nullptr);
  if (!point) return std::nullopt;
  float tokyo_longitude = 0;
  float tokyo_latitude = 0;
  geo::WGS2Bessel(point->longitude, point->latitude, tokyo_longitude, tokyo_latitude);
  return RowToWrite{platform::WideToAnsi(w.pEdFavListName[row]->Text()),
                    geo::LongitudeToUnits(tokyo_longitude), geo::LatitudeToUnits(tokyo_latitude)};
}

std::string PointFileOf(TFNaviEdit& w, int folder) {
  if (folder == 0) return card::FavListPath(w.m_szDrive);
  const std::string* name = w.m_FavFolder->GetItem(folder);
  return name ? card::FavFolderPointFilePath(w.m_szFavPath, *name) : std::string();
}

// Characters no folder name on the card can hold, and names the folder list would hide.
bool FolderNameAllowed(std::u16string_view name) {
  if (name.find_first_of(u"\\/:*?\"<>|") != std::u16string_view::npos) return false;
  for (char16_t c : name)
    if (c < 0x20) return false;
  if (name.front() == u'.' || name.back() == u'.' || name.back() == u' ') return false;
  // Every character must survive the code page the card's names are kept in.
  return platform::AnsiToWide(platform::WideToAnsi(name)) == name;
}

}  // namespace

int FavoritesPage::MoveTarget(int row, int shown) const {
  const int picked = picked_[row];
  return picked >= 0 && picked != shown && picked < w_.lvFav->Count() ? picked : -1;
}

void FavoritesPage::Refill(int folder_row) {
  FavFolderDraw();
  w_.lvFav->SetSelected(folder_row);
  FavListDraw(folder_row);
}

void FavoritesPage::TntButton3Click() {
  w_.m_Log.Trace("fav apply.....\n");
  const int shown = w_.lvFav->Selected();
  if (shown < 0) return;
  platform::MessageBox& box = w_.m_Services.message_box;
  if (!AskYesNo(box, kAskRegister, kRegisterCaption)) return;

  const int rows = std::min(w_.lvFavList->Count(), w_.m_pFav->Count());
  // Every row that will be written is read first, so that a text the fields should have
  // refused stops the register before anything is written or shown.
  std::vector<std::optional<RowToWrite>> read(rows);
  for (int p = 0; p < rows; ++p) {
    if (MoveTarget(p, shown) < 0 && !w_.m_nRowChanged[p]) continue;
    read[p] = ReadRow(w_, p);
    if (!read[p]) {
      ShowNotice(box, kNotWholeNumber);
      return;
    }
  }

  w_.PanelMessage2->Show();
  w_.stMessage2->SetCaption(kWriting);
  w_.Form().Repaint();

  bool all_written = true;
  std::vector<int> moved;
  card::CMapFavorites& store = *w_.m_pFav;
  for (int p = 0; p < rows; ++p) {
    const card::FavItem* point = store.GetItem(p);
    if (!read[p] || point == nullptr) continue;
    const RowToWrite& row = *read[p];
    const int target = MoveTarget(p, shown);
    if (target >= 0) {
      card::CMapFavorites target_store(w_.m_Services.files, w_.m_Services.clock);
      target_store.Open(PointFileOf(w_, target), true, true);
      if (target_store.Count() >= card::kFavCapacity) {
        w_.PanelMessage2->Hide();
        ShowNotice(box, kCannotMove);
        break;
      }
      // A point leaves the shown folder only once its new folder holds it.
      if (target_store.Add(row.name, row.x, row.y, point->fourth, 0) >= 0) {
        moved.push_back(p);
      } else {
        all_written = false;
      }
    } else if (w_.m_nRowChanged[p]) {
      if (store.Modify(p, row.name, row.x, row.y, point->fourth, 0) == 0) all_written = false;
    }
  }
  // Rows keep their indices until the moved points leave, lowest first; a removal that
  // could not be written leaves its point where it was and the later indices with it.
  int removed = 0;
  for (int p : moved) {
    if (store.Delete(p - removed) == 1) {
      ++removed;
    } else {
      all_written = false;
    }
  }

  if (!all_written) {
    w_.PanelMessage2->Hide();
    ShowNotice(box, kFavNotAllWritten);
  }
  if (w_.PanelMessage2->Visible()) {
    w_.stMessage2->SetCaption(kWritingDone);
    w_.Form().Repaint();
    w_.m_Services.clock.Sleep(kDoneMessageMilliseconds);
    w_.PanelMessage2->Hide();
  }
  Refill(shown);
}

void FavoritesPage::btnFavListDeleteClick(int row) {
  platform::MessageBox& box = w_.m_Services.message_box;
  if (!AskYesNo(box, kAskDelete, kDeleteCaption)) return;
  const int shown = w_.lvFav->Selected();
  if (shown < 0) return;
  if (w_.m_pFav->Delete(row) != 1) ShowNotice(box, kFavDeleteFailed);
  Refill(shown);
}

void FavoritesPage::btnFavFolderDeleteClick(ui::Control& button) {
  platform::MessageBox& box = w_.m_Services.message_box;
  if (!AskYesNo(box, kAskDelete, kDeleteCaption)) return;
  const int row = button.Tag();
  const std::string* found = FolderName(row);
  if (row <= 0 || found == nullptr) return;
  const std::string name = *found;
  ParkAllPointRows();
  w_.m_nFavListShown = 0;
  button.Hide();
  platform::FileSystem& files = w_.m_Services.files;
  const std::string point_file = card::FavFolderPointFilePath(w_.m_szFavPath, name);
  platform::FileError error = platform::FileError::None;
  // A folder that holds other files stays, without its point file, and lists with 0 points.
  const bool point_file_gone = files.Delete(point_file, &error) || error == platform::FileError::NotFound;
  files.RemoveFolder(card::FavFolderPath(w_.m_szFavPath, name));
  if (!point_file_gone) ShowNotice(box, kFavDeleteFailed);
  FavFolderDraw();
}

void FavoritesPage::pEdFavFolderNameExit(ui::Edit& field) {
  if (!w_.m_bTextChanged) return;
  platform::MessageBox& box = w_.m_Services.message_box;
  const int row = field.Tag();
  const std::string* found = FolderName(row);
  if (row <= 0 || found == nullptr) {
    w_.m_bTextChanged = 0;
    return;
  }
  const std::string old_name = *found;
  const std::u16string current = platform::AnsiToWide(old_name);
  const std::u16string typed = field.Text();
  auto refuse = [&](std::u16string_view message) {
    ShowNotice(box, message);
    field.SetText(current);
  };

  if (typed.size() <= kTypedNameMaxCharacters) {
    const std::string new_name = platform::WideToAnsi(typed);
    platform::FileSystem& files = w_.m_Services.files;
    const std::string old_folder = card::FavFolderPath(w_.m_szFavPath, old_name);
    const std::string new_folder = card::FavFolderPath(w_.m_szFavPath, new_name);
    if (typed == current) {
      // Nothing to rename.
    } else if (typed.empty()) {
      refuse(kFolderNameEmpty);
    } else if (!FolderNameAllowed(typed)) {
      refuse(kFolderNameBadCharacter);
    } else if (files.Attributes(new_folder) && files.Resolve(new_folder) != files.Resolve(old_folder)) {
      refuse(kFolderNameExists);
    } else if (!AskYesNo(box, kAskRenameFolder, kFolderQuestionCaption)) {
      field.SetText(current);
    } else {
      // old\old.txt becomes old\new.txt, then the folder old becomes new; a failed folder
      // rename takes the point file's name back, so its points stay found.
      const std::string old_file = card::FavFolderPointFilePath(w_.m_szFavPath, old_name);
      const std::string moved_file = old_folder + "\\" + new_name + ".txt";
      const bool had_file = files.Attributes(old_file).has_value();
      bool renamed = !had_file || files.Rename(old_file, moved_file);
      if (renamed && !files.Rename(old_folder, new_folder)) {
        if (had_file) files.Rename(moved_file, old_file);
        renamed = false;
      }
      if (!renamed) refuse(kFolderRenameFailed);
      FavFolderDraw();
      w_.lvFavList->ClearItems();
      FavListDraw(row);
    }
  } else if (!w_.m_nWarned) {
    ShowNotice(box, kNameTooLong);
    field.SetText(current);
    w_.m_nWarned = 1;
  }
  w_.m_bTextChanged = 0;
}

}  // namespace pages
