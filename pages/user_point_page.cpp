#include "pages/user_point_page.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "card/card_paths.h"
#include "card/orbis.h"
#include "geo/boundary.h"
#include "geo/datum.h"
#include "geo/dms.h"
#include "log/log.h"
#include "pages/messages.h"
#include "platform/text.h"

namespace pages {
namespace {

// Rows the list shows at once; controls of the rows outside them are parked.
constexpr int kRowsInView = 21;
constexpr int kParked = -1000;
constexpr int kBoundaryNameLimit = 10;

constexpr char16_t kOrdinaryRoad[] = u"一般道路";
constexpr char16_t kExpressway[] = u"高速道路";
constexpr char16_t kAnyRoad[] = u"All";

// The page has row controls for 100 points; the rest stay on the card untouched.
constexpr char16_t kMoreThanShown[] =
    u"ユーザーポイントが100件を超えています。最初の100件だけを表示します。"
    u"表示されないポイントはそのまま残ります。";
constexpr char16_t kUserNotWritten[] =
    u"ユーザーポイントのファイルに書き込めませんでした。変更は保存されていない可能性があります。";

class UserPointPage {
 public:
  explicit UserPointPage(TFNaviEdit& w) : w_(w) {}

  void ReadORBIS() {
    w_.m_Log.Trace("ReadORBIS.....\n");
    w_.m_Orbis.Load(card::OrbisPath(w_.m_szDrive), card::UserOrbPath(w_.m_szDrive));
    w_.m_Orbis.LoadNames(card::UserNameOrbPath(w_.m_szDrive));
    OrbisDraw();
  }

  void OrbisDraw() {
    w_.m_Log.Trace("OrbisDraw.....\n");
    card::COrbis& orbis = w_.m_Orbis;
    w_.lvUser->ClearItems();
    shown_names_.fill(u"");
    const int points = orbis.TypeCount(card::kUserPointType);
    const int rows = std::min(points, kInPlaceRows);
    for (int i = 0; i < rows; ++i) {
      orbis.SetActive(1);
      w_.m_nUserFirst = orbis.CountBefore(card::kUserPointType);
      const card::OrbisRecord* record = orbis.GetRecord(w_.m_nUserFirst + i);
      if (record == nullptr) break;
      const card::OrbisPoint pos = PositionOf(*record, i);

      float lon = 0, lat = 0;
      geo::Bessel2WGS(pos.x * 1.25e-5f, pos.y / 120000.0f, lon, lat);
      const geo::Dms e = geo::SplitDms(lon);
      const geo::Dms n = geo::SplitDms(lat);

      w_.lvUser->AddItem(platform::AnsiToWide(std::to_string(i + 1)));

      std::u16string name = orbis.GetName(record->SerialHigh(), record->SerialLow(), record->Type());
      if (name.empty()) {
        std::string place;
        if (w_.m_Boundary.Lookup(pos.x, pos.y, &place, nullptr, kBoundaryNameLimit))
          name = platform::AnsiToWide(place);
      }
      w_.lvUser->AddSubItem(i, name);
      shown_names_[i] = name;
      ui::Edit* editor = w_.pEdUserPointName[i];
      editor->SetText(name);
      editor->Show();
      editor->OnExit = [this](ui::Control& s) { NameExit(s); };
      editor->OnChange = [this](ui::Control&) {
        w_.m_bTextChanged = 1;
        w_.m_nWarned = 0;
      };
      editor->OnKeyPress = [this](ui::Control& s, char16_t& key) {
        if (key == u'\r') NameExit(s);
      };

      const std::string position = "E" + std::to_string(e.degrees) + "," + std::to_string(e.minutes) + "," +
                                   std::to_string(static_cast<int>(e.seconds)) + " N" +
                                   std::to_string(n.degrees) + "," + std::to_string(n.minutes) + "," +
                                   std::to_string(static_cast<int>(n.seconds));
      w_.lvUser->AddSubItem(i, platform::AnsiToWide(position));

      ui::ComboBox* road = w_.pCbRoad[i];
      road->ClearItems();
      road->AddItem(kOrdinaryRoad);
      road->AddItem(kExpressway);
      road->Show();
      road->SetTag(i);
      const int type = record->Road();
      road->SetText(type == 0 ? kOrdinaryRoad : type == 1 ? kExpressway : kAnyRoad);

      ui::SpeedButton* del = w_.BtnUserDelete[i];
      del->Show();
      del->SetFontSize(10);
      del->SetCaption(u"削除");
    }
    if (points > kInPlaceRows) ShowNotice(w_.m_Services.message_box, kMoreThanShown);
  }

  void DrawItem(ui::ListView& list, int item, const ui::Rect& rect, ui::ItemState state, ui::Canvas& canvas) {
    w_.m_bTextChanged = 0;
    const int count = list.Count();
    const int top = list.TopIndex();
    if (count > kRowsInView) {
      for (int r = 0; r < count && r < kInPlaceRows; ++r) {
        if (r >= top && r < top + kRowsInView) continue;
        for (ui::Control* c : RowOf(r))
          if (c->Visible()) c->SetLeft(kParked);
      }
    }
    for (int r = count; r < kInPlaceRows; ++r) {
      if (!w_.pEdUserPointName[r]->Visible()) continue;
      for (ui::Control* c : RowOf(r)) c->SetLeft(kParked);
    }

    if (item >= 0 && item < kInPlaceRows && w_.BtnUserDelete[item]->Visible()) {
      const int u0 = list.ColumnWidth(0), u1 = list.ColumnWidth(1), u2 = list.ColumnWidth(2);
      const int u3 = list.ColumnWidth(3), u4 = list.ColumnWidth(4);
      ui::Control* editor = w_.pEdUserPointName[item];
      ui::Control* road = w_.pCbRoad[item];
      ui::Control* del = w_.BtnUserDelete[item];
      editor->SetBounds(u0, rect.top, u1, editor->Height());
      road->SetBounds(u0 + u1 + u2, rect.top, u3, road->Height());
      del->SetBounds(u0 + u1 + u2 + u3, rect.top, u4, del->Height());
    }

    if (state.selected) {
      canvas.SetBrushColor(ui::kHighlight);
      canvas.SetFontColor(ui::kHighlightText);
    }
    canvas.FillRect(rect);
    const ui::ListItem* row = list.Item(item);
    if (row == nullptr) return;
    auto cell = [&](int column) {
      const int left = rect.left + list.ColumnLeft(column);
      return ui::Rect{left, rect.top, left + list.ColumnWidth(column), rect.top + ui::ListView::kRowHeight};
    };
    canvas.TextRect(cell(0), rect.left + 8, rect.top + 2, row->caption);
    for (int sub = 0; sub < 2 && sub < static_cast<int>(row->sub_items.size()); ++sub) {
      const ui::Rect clip = cell(sub + 1);
      canvas.TextRect(clip, clip.left + 4, rect.top + 2, row->sub_items[sub]);
    }
  }

  void Enter(ui::Control& sender) {
    const int top = w_.lvUser->TopIndex();
    const int end = std::min(top + kRowsInView, w_.lvUser->Count());
    for (int r = top; r < end; ++r) {
      if (w_.lvUser->ItemRect(r).top == sender.Top()) {
        w_.lvUser->SetSelected(r);
        return;
      }
    }
  }

  void NameExit(ui::Control& sender) {
    // Drawing a row clears the change flag, so a long name typed and then scrolled would
    // slip past it: any text that is not the one shown by the loader is checked as well.
    const int row = sender.Tag();
    const bool edited = row >= 0 && row < kInPlaceRows && sender.Text() != shown_names_[row];
    if (w_.m_bTextChanged != 0 || edited) {
      if (sender.Text().size() > kTypedNameMaxCharacters && w_.m_nWarned == 0 && edited) {
        ShowNotice(w_.m_Services.message_box, kNameTooLong);
        sender.SetText(StoredName(row));
        w_.m_nWarned = 1;
      }
    }
    w_.m_bTextChanged = 0;
  }

  void Register() {
    if (!AskYesNo(w_.m_Services.message_box, kAskRegister, kRegisterCaption)) return;
    card::COrbis& orbis = w_.m_Orbis;
    const int rows = std::min(orbis.TypeCount(card::kUserPointType), w_.lvUser->Count());
    // A name over the limit is never stored: it is refused, as leaving its editor would.
    for (int i = 0; i < rows; ++i) {
      ui::Edit* editor = w_.pEdUserPointName[i];
      if (editor->Text().size() > kTypedNameMaxCharacters && editor->Text() != shown_names_[i]) {
        ShowNotice(w_.m_Services.message_box, kNameTooLong);
        editor->SetText(StoredName(i));
        w_.m_nWarned = 1;
        return;
      }
    }
    w_.PanelMessage3->Show();
    w_.stMessage3->SetCaption(kWriting);
    w_.Form().Repaint();
    const std::string names_path = card::UserNameOrbPath(w_.m_szDrive);
    bool written = true;
    for (int i = 0; i < rows; ++i) {
      card::OrbisRecord* record = orbis.GetRecord(w_.m_nUserFirst + i);
      if (record == nullptr) break;
      if (orbis.SetName(w_.pEdUserPointName[i]->Text(), record->Type(), record->SerialHigh(),
                        record->SerialLow()) == 0)
        written = false;
      if (orbis.SaveNames(names_path) == 0) written = false;
      const int road = w_.pCbRoad[i]->ItemIndex();
      if (road == 0 || road == 1) record->SetRoad(road);
      if (orbis.SaveUser() == 0) written = false;
    }
    if (!written) {
      w_.PanelMessage3->Hide();
      ShowNotice(w_.m_Services.message_box, kUserNotWritten);
      return;
    }
    w_.stMessage3->SetCaption(kWritingDone);
    w_.Form().Repaint();
    w_.m_Services.clock.Sleep(1000);
    w_.PanelMessage3->Hide();
  }

  void Delete(ui::Control& sender) {
    const int row = sender.Tag();
    if (row < 0 || row >= w_.lvUser->Count()) return;
    if (!AskYesNo(w_.m_Services.message_box, kAskDelete, kDeleteCaption)) return;
    card::COrbis& orbis = w_.m_Orbis;
    const card::OrbisRecord* record = orbis.GetRecord(w_.m_nUserFirst + row);
    if (record == nullptr) return;
    const int high = record->SerialHigh(), low = record->SerialLow(), type = record->Type();
    // The point goes first: when user.orb cannot be written its name stays with it.
    bool written = orbis.DeleteUser(UserIndexOf(row)) != 0;
    if (written) {
      orbis.DeleteName(high, low, type);  // a point without a name is no error
      written = orbis.SaveNames(card::UserNameOrbPath(w_.m_szDrive)) != 0 || orbis.NameCount() == 0;
    }
    for (ui::Control* c : RowOf(row)) c->SetLeft(kParked);
    if (!written) ShowNotice(w_.m_Services.message_box, kUserNotWritten);
    ReadORBIS();
  }

 private:
  std::array<ui::Control*, 3> RowOf(int r) {
    return {w_.pEdUserPointName[r], w_.pCbRoad[r], w_.BtnUserDelete[r]};
  }

  // Row r's record among the user records, counted as DeleteUser and GetUserPos count them.
  int UserIndexOf(int row) const {
    return w_.m_nUserFirst + row - (w_.m_Orbis.TotalCount() - w_.m_Orbis.UserCount());
  }

  card::OrbisPoint PositionOf(const card::OrbisRecord& record, int row) const {
    if (auto pos = w_.m_Orbis.GetUserPos(UserIndexOf(row))) return *pos;
    const card::OrbisBase& base = w_.m_Orbis.Base();
    return {static_cast<float>(base[0] + 4.0 * record.XField()),
            static_cast<float>(base[1] + 4.0 * record.YField())};
  }

  std::u16string StoredName(int row) const {
    const card::OrbisRecord* record = w_.m_Orbis.GetRecord(w_.m_nUserFirst + row);
    if (record == nullptr) return u"";
    return w_.m_Orbis.GetName(record->SerialHigh(), record->SerialLow(), record->Type());
  }

  TFNaviEdit& w_;
  // What the loader put into each name editor: a name the user did not type.
  std::array<std::u16string, kInPlaceRows> shown_names_;
};

}  // namespace

void InstallUserPointPage(TFNaviEdit& w) {
  auto page = std::make_shared<UserPointPage>(w);
  w.m_Hooks.ReadORBIS = [page] { page->ReadORBIS(); };
  w.m_Hooks.BtnUserDeleteClick = [page](ui::Control& s) { page->Delete(s); };
  w.m_Hooks.pEdUserEnter = [page](ui::Control& s) { page->Enter(s); };
  w.TntButton15->OnClick = [page](ui::Control&) { page->Register(); };
  w.lvUser->OnDrawItem = [page](ui::ListView& list, int item, const ui::Rect& rect, ui::ItemState state,
                                ui::Canvas& canvas) { page->DrawItem(list, item, rect, state, canvas); };
}

}  // namespace pages
