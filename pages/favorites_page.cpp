#include "pages/favorites_page.h"

#include <algorithm>
#include <string>

#include "app/main_window.h"
#include "card/card_paths.h"
#include "geo/dms.h"
#include "log/log.h"
#include "pages/favorite_fields.h"
#include "pages/number_text.h"
#include "pages/point_texts.h"
#include "platform/text.h"

namespace pages {
namespace {

constexpr int kParked = -1000;
constexpr int kRowHeight = 18;
constexpr int kButtonHeight = 17;
constexpr int kFolderRowsInView = 5;
constexpr int kPointRowsInView = 9;

std::u16string Decimal(int value) {
  return platform::Utf8ToWide(std::to_string(value));
}

void Park(ui::Control* control) {
  if (control != nullptr && control->Visible()) control->SetLeft(kParked);
}

void PlaceAt(ui::Control* control, int left, int top, int width) {
  control->SetBounds(left, top, width, control->Height());
}

// The row whose top edge is the control's, among the rows in view.
int RowAtTop(const ui::ListView& list, const ui::Control& control, int rows_in_view) {
  const int top = list.TopIndex();
  const int end = std::min(top + rows_in_view, list.Count());
  for (int row = top; row < end; ++row) {
    if (list.ItemRect(row).top == control.Top()) return row;
  }
  return -1;
}

void PaintRowText(ui::Canvas& canvas, const ui::Rect& rect, ui::ItemState state, int first_width,
                  const ui::ListItem* item, int sub_item_x, size_t sub_item) {
  canvas.SetBrushColor(state.selected ? ui::kHighlight : ui::kWhite);
  canvas.SetFontColor(state.selected ? ui::kHighlightText : ui::kWindowText);
  canvas.FillRect(rect);
  if (item == nullptr) return;
  canvas.TextRect({rect.left, rect.top, rect.left + first_width, rect.top + kRowHeight}, rect.left + 8,
                  rect.top + 2, item->caption);
  if (item->sub_items.size() > sub_item) canvas.TextOut(sub_item_x, rect.top + 2, item->sub_items[sub_item]);
}

}  // namespace

void InstallFavoritesPage(TFNaviEdit& window) {
  auto page = std::make_shared<FavoritesPage>(window);
  page->Install();
}

void FavoritesPage::Install() {
  std::shared_ptr<FavoritesPage> self = shared_from_this();
  w_.m_Hooks.FavFolderDraw = [self] { self->FavFolderDraw(); };
  w_.lvFav->OnClick = [self](ui::Control&) { self->lvFavClick(); };
  w_.lvFav->OnDrawItem = [self](ui::ListView& l, int i, const ui::Rect& r, ui::ItemState s, ui::Canvas& c) {
    self->lvFavDrawItem(l, i, r, s, c);
  };
  // lvFavCustomDraw: the rows are drawn in size 10.
  w_.lvFav->OnCustomDraw = [](ui::ListView&, ui::Canvas& canvas) { canvas.SetFontSize(10); };
  w_.lvFavList->OnDrawItem = [self](ui::ListView& l, int i, const ui::Rect& r, ui::ItemState s,
                                    ui::Canvas& c) { self->lvFavListDrawItem(l, i, r, s, c); };
  w_.stFileName->OnClick = [self](ui::Control& s) { self->SelectFolderRowOf(s); };
  w_.stDontDelete->OnClick = [self](ui::Control& s) { self->SelectFolderRowOf(s); };
  w_.TntButton3->OnClick = [self](ui::Control&) { self->TntButton3Click(); };
}

const std::string* FavoritesPage::FolderName(int row) const {
  return w_.m_FavFolder->GetItem(row);
}

void FavoritesPage::ParkPointRow(int row) {
  ui::Control* controls[] = {
      w_.pEdFavListName[row], w_.pEdNDeg[row], w_.pEdNMin[row],  w_.pEdNSec[row],   w_.pEdEDeg[row],
      w_.pEdEMin[row],        w_.pEdESec[row], w_.pMapCode[row], w_.pCbFolder[row], w_.btnFavListDelete[row]};
  for (ui::Control* c : controls) Park(c);
}

void FavoritesPage::ParkAllPointRows() {
  for (int row = 0; row < kInPlaceRows; ++row) ParkPointRow(row);
}

void FavoritesPage::ParkFolderRow(int row) {
  Park(w_.pEdFavFolderName[row]);
  Park(w_.btnFavFolderDelete[row]);
}

void FavoritesPage::InstallFolderRow(int row) {
  std::shared_ptr<FavoritesPage> self = shared_from_this();
  ui::Edit& name = *w_.pEdFavFolderName[row];
  TFNaviEdit* w = &w_;
  name.OnEnter = [self](ui::Control& s) { self->SelectFolderRowOf(s); };
  name.OnExit = [self, &name](ui::Control&) { self->pEdFavFolderNameExit(name); };
  name.OnChange = [w](ui::Control&) {
    w->m_bTextChanged = 1;
    w->m_nWarned = 0;
  };
  // pEdFavFolderNameKeyPass: Enter renames as leaving the field does.
  name.OnKeyPress = [self, &name](ui::Control&, char16_t& key) {
    if (key == u'\r') self->pEdFavFolderNameExit(name);
  };
  w_.btnFavFolderDelete[row]->OnClick = [self](ui::Control& s) { self->btnFavFolderDeleteClick(s); };
}

void FavoritesPage::InstallPointRow(int row) {
  std::shared_ptr<FavoritesPage> self = shared_from_this();
  InstallFavoriteRowFields(w_, row);
  ui::Control* controls[] = {w_.pEdFavListName[row], w_.pEdNDeg[row],  w_.pEdNMin[row],
                             w_.pEdNSec[row],        w_.pEdEDeg[row],  w_.pEdEMin[row],
                             w_.pEdESec[row],        w_.pMapCode[row], w_.pCbFolder[row]};
  for (ui::Control* c : controls) c->OnEnter = [self](ui::Control& s) { self->pEdFavListNameEnter(s); };
  TFNaviEdit* w = &w_;
  ui::ComboBox& target = *w_.pCbFolder[row];
  target.OnChange = [self, row](ui::Control&) { self->picked_[row] = -1; };
  target.OnSelect = [self, w, row, &target](ui::Control& s) {
    self->picked_[row] = target.ItemIndex();
    w->pCbFolderSelect(s);
  };
  w_.btnFavListDelete[row]->OnClick = [self](ui::Control& s) { self->btnFavListDeleteClick(s.Tag()); };
}

void FavoritesPage::FavFolderDraw() {
  w_.m_Log.Trace("FavFolderDraw.....\n");
  w_.m_FavFolder->Open(w_.m_szFavPath);
  w_.lvFav->ClearItems();
  w_.lvFavList->ClearItems();
  // The point rows of the emptied list are not drawn any more, so they leave the view here.
  ParkAllPointRows();
  w_.m_nFavListShown = 0;

  ui::ListView& list = *w_.lvFav;
  const int count = std::min(w_.m_FavFolder->GetCount(), kInPlaceRows);
  for (int i = 0; i < count; ++i) {
    const std::string& name = *FolderName(i);
    const std::u16string wide_name = platform::AnsiToWide(name);
    const int item = list.AddItem(Decimal(i + 1));
    list.AddSubItem(item, wide_name);
    const std::string path =
        i == 0 ? card::FavListPath(w_.m_szDrive) : card::FavFolderPointFilePath(w_.m_szFavPath, name);
    w_.m_pFav->Open(path, true, true);
    list.AddSubItem(item, Decimal(w_.m_pFav->Count()));
    if (i == 0) {
      list.AddSubItem(item, u"");
      continue;
    }
    const int y = list.ItemRect(i).top;
    ui::Edit& field = *w_.pEdFavFolderName[i];
    field.SetBounds(list.ColumnLeft(1), y, list.ColumnWidth(1), kRowHeight);
    field.Show();
    field.SetTag(i);
    field.SetText(wide_name);
    InstallFolderRow(i);
    ui::SpeedButton& button = *w_.btnFavFolderDelete[i];
    button.SetCursor(ui::Cursor::HandPoint);
    button.SetBounds(list.ColumnLeft(3), y, list.ColumnWidth(3), kButtonHeight);
    button.Show();
    button.SetTag(i);
    button.SetFontSize(10);
    button.SetCaption(u"削除");
  }
  w_.stFileName->SetBounds(w_.stFileName->Left(), w_.stFileName->Top(), list.ColumnWidth(1), kRowHeight);
  w_.stDontDelete->SetBounds(w_.stDontDelete->Left(), w_.stDontDelete->Top(), list.ColumnWidth(3) - 4,
                             kRowHeight);
  w_.stFileName->Show();
  w_.stDontDelete->Show();
}

void FavoritesPage::FavListDraw(int item) {
  w_.m_Log.Trace("FavListDraw.....\n");
  ui::ListView& list = *w_.lvFavList;
  list.ClearItems();
  const ui::ListItem* folder_item = w_.lvFav->Item(item);
  if (folder_item == nullptr) return;
  const int number = ReadWholeNumber(folder_item->caption).value_or(0);
  const std::string* name = FolderName(number - 1);
  if (number < 1 || name == nullptr) return;
  std::string path;
  if (number == 1) {
    path = card::FavListPath(w_.m_szDrive);
    w_.m_Log.Trace("%s ------ Fix FavFolder\n", path.c_str());
  } else {
    path = card::FavFolderPointFilePath(w_.m_szFavPath, *name);
    w_.m_Log.Trace("%s ------ FavFolder\n", path.c_str());
  }
  card::CMapFavorites& store = *w_.m_pFav;
  store.Open(path, true, true);
  w_.m_Log.Trace("%d ------ m_pFav.Count()", store.Count());

  std::vector<std::u16string> folder_numbers;
  for (const ui::ListItem& folder : w_.lvFav->Items()) folder_numbers.push_back(folder.caption);

  list.BeginUpdate();
  const int count = std::min(store.Count(), kInPlaceRows);
  for (int i = 0; i < count; ++i) {
    const card::FavItem& point = *store.GetItem(i);
    const DmsTexts longitude = TextsOfDms(geo::SplitDms(point.longitude));
    const DmsTexts latitude = TextsOfDms(geo::SplitDms(point.latitude));
    const std::u16string point_name = platform::AnsiToWide(point.name);
    const int row = list.AddItem(Decimal(i + 1));
    list.AddSubItem(row, point_name);

    ui::Control* controls[] = {w_.pEdFavListName[i], w_.pEdNDeg[i],         w_.pEdNMin[i], w_.pEdNSec[i],
                               w_.pEdEDeg[i],        w_.pEdEMin[i],         w_.pEdESec[i], w_.pMapCode[i],
                               w_.pCbFolder[i],      w_.btnFavListDelete[i]};
    for (ui::Control* c : controls) {
      c->SetTag(i);
      c->Show();
    }
    InstallPointRow(i);
    w_.pEdFavListName[i]->SetText(point_name);
    w_.pEdNDeg[i]->SetText(longitude.degrees);
    w_.pEdNMin[i]->SetText(longitude.minutes);
    w_.pEdNSec[i]->SetText(longitude.seconds);
    w_.pEdEDeg[i]->SetText(latitude.degrees);
    w_.pEdEMin[i]->SetText(latitude.minutes);
    w_.pEdESec[i]->SetText(latitude.seconds);
    w_.pMapCode[i]->SetText(u"");
    ui::ComboBox& target = *w_.pCbFolder[i];
    target.SetItems(folder_numbers);
    target.SetText(folder_item->caption);
    picked_[i] = -1;
    ui::SpeedButton& button = *w_.btnFavListDelete[i];
    button.SetHeight(kButtonHeight);
    button.SetCaption(u"削除");
  }
  if (count > 0) {
    w_.m_nFavListShown = 1;
  } else {
    ParkAllPointRows();
  }
  list.EndUpdate();
}

void FavoritesPage::lvFavListDrawItem(ui::ListView& list, int item, const ui::Rect& rect, ui::ItemState state,
                                      ui::Canvas& canvas) {
  w_.m_bTextChanged = 0;
  const int count = list.Count();
  const int top = list.TopIndex();
  for (int row = 0; row < kInPlaceRows; ++row) {
    const bool out_of_view = row >= count || (count >= 10 && (row < top || row >= top + kPointRowsInView));
    if (out_of_view && w_.btnFavListDelete[row]->Visible()) ParkPointRow(row);
  }
  auto w = [&list](int c) { return list.ColumnWidth(c); };
  if (item >= 0 && item < kInPlaceRows && w_.btnFavListDelete[item]->Visible()) {
    const int y = rect.top;
    const int x = rect.left;
    const int lat = x + w(0) + w(1) + w(2);
    PlaceAt(w_.pEdFavListName[item], x + w(0), y, w(1));
    PlaceAt(w_.pEdNDeg[item], x + w(0) + w(1), y, w(2));
    PlaceAt(w_.pEdNMin[item], x + w(0) + w(1) + w(2) / 3 + 1, y, w(2) / 3);
    PlaceAt(w_.pEdNSec[item], x + w(0) + w(1) + 2 * (w(2) / 3) + 1, y, w(2) / 3);
    PlaceAt(w_.pEdEDeg[item], lat, y, w(2) / 3);
    PlaceAt(w_.pEdEMin[item], lat + w(3) / 3 + 1, y, w(2) / 3);
    PlaceAt(w_.pEdESec[item], lat + 2 * (w(3) / 3) + 1, y, w(2) / 3);
    PlaceAt(w_.pMapCode[item], lat + w(3), y, w(4));
    PlaceAt(w_.pCbFolder[item], lat + w(3) + w(4), y, w(5));
    PlaceAt(w_.btnFavListDelete[item], lat + w(3) + w(4) + w(5), y, w(6));
  }
  PaintRowText(canvas, rect, state, w(0), list.Item(item), rect.left + w(0) + 4, 0);
}

void FavoritesPage::lvFavDrawItem(ui::ListView& list, int item, const ui::Rect& rect, ui::ItemState state,
                                  ui::Canvas& canvas) {
  w_.m_bTextChanged = 0;
  auto w = [&list](int c) { return list.ColumnWidth(c); };
  const int top = list.TopIndex();
  if (top != 0) {
    Park(w_.stFileName);
    Park(w_.stDontDelete);
  } else if (item == 0) {
    w_.stFileName->SetBounds(rect.left + w(0) + 2, rect.top, w(1) - 4, w_.stFileName->Height());
    w_.stDontDelete->SetBounds(rect.left + w(0) + w(1) + w(2) + 2, rect.top, w_.stDontDelete->Width(),
                               w_.stDontDelete->Height());
  }
  const int count = list.Count();
  for (int row = 1; row < card::kFavFolderCapacity; ++row) {
    const bool out_of_view = row >= count || (count >= 6 && (row < top || row >= top + kFolderRowsInView));
    if (out_of_view && w_.btnFavFolderDelete[row]->Visible()) ParkFolderRow(row);
  }
  if (item >= 1 && item < card::kFavFolderCapacity && w_.btnFavFolderDelete[item]->Visible()) {
    PlaceAt(w_.pEdFavFolderName[item], rect.left + w(0), rect.top, w_.pEdFavFolderName[item]->Width());
    PlaceAt(w_.btnFavFolderDelete[item], rect.left + w(0) + w(1) + w(2), rect.top,
            w_.btnFavFolderDelete[item]->Width());
  }
  const ui::Color label_colour = list.Selected() == 0 ? ui::kHighlight : ui::kWhite;
  w_.stFileName->SetColor(label_colour);
  w_.stDontDelete->SetColor(label_colour);
  PaintRowText(canvas, rect, state, w(0), list.Item(item), rect.left + w(0) + w(1) + 4, 1);
}

void FavoritesPage::lvFavClick() {
  const int selected = w_.lvFav->Selected();
  if (selected < 0) return;
  w_.lvFavList->ClearItems();
  w_.m_nFavListShown = 0;
  FavListDraw(selected);
  w_.m_nRowChanged.fill(0);
}

void FavoritesPage::SelectFolderRowOf(const ui::Control& control) {
  const int row = RowAtTop(*w_.lvFav, control, kFolderRowsInView);
  if (row >= 0) w_.lvFav->SetSelected(row);
  lvFavClick();
}

void FavoritesPage::pEdFavListNameEnter(const ui::Control& control) {
  const int row = RowAtTop(*w_.lvFavList, control, kPointRowsInView);
  if (row >= 0) w_.lvFavList->SetSelected(row);
}

}  // namespace pages
