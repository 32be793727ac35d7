// Page 2, the favorites: the folder list, the points of the selected folder with their
// in-place editors, and the commands that write the card (register, point delete, folder
// delete, folder rename).
#pragma once

#include <array>
#include <memory>

#include "ui/ui.h"

class TFNaviEdit;

namespace pages {

// Plugs the page into the window: its loader into the hooks, its handlers onto the page's
// controls. The row editors get theirs when the lists are filled.
void InstallFavoritesPage(TFNaviEdit& window);

// The page's logic, shared by its source files.
class FavoritesPage : public std::enable_shared_from_this<FavoritesPage> {
 public:
  explicit FavoritesPage(TFNaviEdit& window) : w_(window) { picked_.fill(-1); }

  void Install();

  // Filling the lists.
  void FavFolderDraw();
  void FavListDraw(int item);
  void lvFavDrawItem(ui::ListView& list, int item, const ui::Rect& rect, ui::ItemState state,
                     ui::Canvas& canvas);
  void lvFavListDrawItem(ui::ListView& list, int item, const ui::Rect& rect, ui::ItemState state,
                         ui::Canvas& canvas);

  // Selection.
  void lvFavClick();
  void SelectFolderRowOf(const ui::Control& control);  // folder name enter, the two static texts
  void pEdFavListNameEnter(const ui::Control& control);

  // Commands that change the card.
  void TntButton3Click();
  void btnFavListDeleteClick(int row);
  void btnFavFolderDeleteClick(ui::Control& button);
  void pEdFavFolderNameExit(ui::Edit& field);

 private:
  void InstallFolderRow(int row);
  void InstallPointRow(int row);
  // Takes the controls of every point row in use out of view.
  void ParkAllPointRows();
  void ParkPointRow(int row);
  void ParkFolderRow(int row);
  void Refill(int folder_row);
  const std::string* FolderName(int row) const;
  // The folder row `row` is to move into, or -1 when it stays.
  int MoveTarget(int row, int shown) const;

  TFNaviEdit& w_;
  // The entry picked from each row's move-target list since the list was filled; a text
  // that arrives otherwise (pasted) picks nothing.
  std::array<int, 100> picked_{};
};

}  // namespace pages
