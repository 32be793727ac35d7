#include "pages/destination_page.h"

#include <memory>
#include <optional>

#include "app/main_window.h"
#include "card/card_paths.h"
#include "card/route_file.h"
#include "geo/boundary.h"
#include "geo/map_code.h"
#include "log/log.h"
#include "pages/coordinate_fields.h"
#include "pages/map_code_fields.h"
#include "pages/messages.h"
#include "pages/route_points.h"
#include "platform/text.h"

namespace pages {
namespace {

using card::RoutePoint;

// The blocks that register and delete write back; only block 0 ever changes.
constexpr int kWrittenBlocks[] = {0, 1, 4, 5, 7, 10};

bool IsWrittenBlock(int n) {
  for (int written : kWrittenBlocks) {
    if (written == n) return true;
  }
  return false;
}
constexpr int kPlaceNameLimit = 10;

class DestinationPage {
 public:
  explicit DestinationPage(TFNaviEdit& w) : w_(w) {}

  FixedPointControls Controls(RoutePoint point) const {
    if (point == RoutePoint::Destination) {
      return {{{{w_.edDesNDeg, w_.edDesNMin, w_.edDesNSec}, {w_.edDesEDeg, w_.edDesEMin, w_.edDesESec}}},
              w_.edDesMapCode};
    }
    return {{{{w_.edPassNDeg, w_.edPassNMin, w_.edPassNSec}, {w_.edPassEDeg, w_.edPassEMin, w_.edPassESec}}},
            w_.edPassMapCode};
  }
  ui::Edit& NameEdit(RoutePoint point) const {
    return *(point == RoutePoint::Destination ? w_.edDesName : w_.edPassName);
  }
  FloatPoint& Stored(RoutePoint point) const {
    return point == RoutePoint::Destination ? w_.m_pntDes : w_.m_pntPass;
  }
  FieldFlags Flags() const { return {w_.m_bTextChanged, w_.m_nWarned}; }
  platform::MessageBox& Box() const { return w_.m_Services.message_box; }

  void ReadAdb();
  void Register();
  void Delete(RoutePoint point);
  void NameExit(RoutePoint point);

 private:
  void OpenRouteFile();
  bool WriteRouteBlocks();
  bool CloseWriteReopen();
  std::u16string ShownName(RoutePoint point) const;
  void ShowPoint(RoutePoint point, CLog* trace);

  TFNaviEdit& w_;
  // The handle is open and every block that is written back was read from it, so a write
  // can only put back what this file held.
  bool writable_ = false;
};

std::u16string DestinationPage::ShownName(RoutePoint point) const {
  if (!RoutePointPresent(w_.m_AdbImage, point)) return u"";
  return platform::AnsiToWide(card::RouteName(w_.m_AdbImage, point));
}

void DestinationPage::OpenRouteFile() {
  card::AdbOpenResult opened = card::AdbOpen(w_.m_Services.files, w_.m_AdbImage,
                                             card::RouteFilePath(w_.m_szDrive), card::kAdbIdentityName);
  w_.m_hAdb = std::move(opened.file);
}

void DestinationPage::ShowPoint(RoutePoint point, CLog* trace) {
  const card::AdbImage& image = w_.m_AdbImage;
  SetPointTexts(Controls(point), StoredPointTexts(image, point, trace));
}

void DestinationPage::ReadAdb() {
  w_.m_Log.Trace("ReadAdb.....\n");
  w_.lvDes->ClearItems();
  w_.lvPass->ClearItems();
  for (RoutePoint point : {RoutePoint::Destination, RoutePoint::Waypoint}) {
    NameEdit(point).SetText(u"");
    SetPointTexts(Controls(point), PointTexts{});
  }
  w_.edPassMapCode->SetText(u"");
  w_.edDesMapCode->SetText(u"");
  writable_ = false;

  if (w_.m_nCardFound == 0) {
    SetPointTexts(Controls(RoutePoint::Destination), AbsentPointTexts());
    SetPointTexts(Controls(RoutePoint::Waypoint), AbsentPointTexts());
  } else {
    if (w_.m_hAdb.IsOpen()) w_.m_hAdb.Close();
    OpenRouteFile();
    bool written_blocks_read = w_.m_hAdb.IsOpen();
    for (int n = 0; n < card::kAdbBlockCount; ++n) {
      const bool read = card::AdbReadBlock(w_.m_hAdb, w_.m_AdbImage, n);
      if (!read && IsWrittenBlock(n)) written_blocks_read = false;
    }
    writable_ = written_blocks_read;

    for (RoutePoint point : {RoutePoint::Destination, RoutePoint::Waypoint}) {
      Stored(point) = {static_cast<float>(card::RouteX(w_.m_AdbImage, point)),
                       static_cast<float>(card::RouteY(w_.m_AdbImage, point))};
    }
    w_.lvDes->AddItem(u"1");
    w_.edDesName->SetText(ShownName(RoutePoint::Destination));
    w_.lvPass->AddItem(u"1");
    w_.edPassName->SetText(ShownName(RoutePoint::Waypoint));
    ShowPoint(RoutePoint::Destination, &w_.m_Log);
    ShowPoint(RoutePoint::Waypoint, nullptr);
  }
  // The texts above were set by the program, not typed: leaving a field untouched must
  // not check it.
  w_.m_bTextChanged = 0;
  w_.m_nWarned = 0;
}

bool DestinationPage::WriteRouteBlocks() {
  for (int n : kWrittenBlocks) {
    if (!card::AdbWriteBlock(w_.m_hAdb, w_.m_AdbImage, n, w_.m_Services.clock)) return false;
  }
  return true;
}

// Writes the six blocks, closes the file and opens it again. After a failed write the
// file no longer matches the image, so nothing more is written until the page is reloaded.
bool DestinationPage::CloseWriteReopen() {
  const bool written = writable_ && WriteRouteBlocks();
  w_.m_hAdb.Close();
  OpenRouteFile();
  writable_ = written && w_.m_hAdb.IsOpen();
  return written;
}

void DestinationPage::Register() {
  if (!AskYesNo(Box(), kAskRegister, kRegisterCaption)) return;
  w_.stMessage1->SetCaption(kWriting);
  w_.PanelMessage1->Show();
  w_.m_Form.Repaint();

  const std::optional<ComposedPoint> destination =
      ComposePointTexts(GetPointTexts(Controls(RoutePoint::Destination)), &w_.m_Log);
  const std::optional<ComposedPoint> waypoint =
      ComposePointTexts(GetPointTexts(Controls(RoutePoint::Waypoint)), nullptr);
  if (!destination || !waypoint) {
    w_.PanelMessage1->Hide();
    ShowNotice(Box(), kNotWholeNumber);
    return;
  }
  if (!writable_) {
    w_.PanelMessage1->Hide();
    ShowNotice(Box(), kRouteNotWritten);
    return;
  }

  const PlaceNamer place_name = [this](float x, float y) {
    std::string name;
    w_.m_Boundary.Lookup(x, y, &name, nullptr, kPlaceNameLimit);
    return name;
  };
  const std::pair<RoutePoint, const ComposedPoint*> points[] = {{RoutePoint::Destination, &*destination},
                                                                {RoutePoint::Waypoint, &*waypoint}};
  for (const auto& [point, composed] : points) {
    const PointToStore stored = PreparePointToStore(*composed, NameEdit(point).Text(), place_name);
    StorePoint(w_.m_AdbImage, point, stored);
    if (stored.in_area) Stored(point) = {static_cast<float>(stored.x), static_cast<float>(stored.y)};
  }

  if (CloseWriteReopen()) {
    w_.stMessage1->SetCaption(kWritingDone);
    w_.m_Form.Repaint();
    w_.m_Services.clock.Sleep(1000);
    w_.PanelMessage1->Hide();
  } else {
    w_.PanelMessage1->Hide();
    ShowNotice(Box(), kRouteNotWritten);
  }
}

void DestinationPage::Delete(RoutePoint point) {
  if (!AskYesNo(Box(), kAskDelete, kDeleteCaption)) return;
  if (!writable_) {
    // Nothing could be written: leave the page as it is, so that what it shows is still
    // what the card holds.
    ShowNotice(Box(), kRouteNotWritten);
    return;
  }
  const FixedPointControls controls = Controls(point);
  SetPointTexts(controls, AbsentPointTexts());
  controls.map_code->SetText(u"");
  NameEdit(point).SetText(u"");
  Stored(point) = {0, 0};
  ClearPoint(w_.m_AdbImage, point);

  const bool written = CloseWriteReopen();
  w_.m_bTextChanged = 0;
  w_.m_nWarned = 0;
  if (!written) ShowNotice(Box(), kRouteNotWritten);
}

void DestinationPage::NameExit(RoutePoint point) {
  if (!w_.m_bTextChanged) return;
  ui::Edit& name = NameEdit(point);
  if (name.Text().size() > kTypedNameMaxCharacters && !w_.m_nWarned) {
    ShowNotice(Box(), kNameTooLong);
    name.SetText(ShownName(point));
    w_.m_nWarned = 1;
  }
  w_.m_bTextChanged = 0;
}

}  // namespace

void InstallDestinationPage(TFNaviEdit& w) {
  auto page = std::make_shared<DestinationPage>(w);
  w.m_Hooks.ReadAdb = [page] { page->ReadAdb(); };
  w.TntButton13->OnClick = [page](ui::Control&) { page->Register(); };
  w.m_Hooks.btnDesDeleteClick = [page](ui::Control&) { page->Delete(RoutePoint::Destination); };
  w.m_Hooks.btnPassDeleteClick = [page](ui::Control&) { page->Delete(RoutePoint::Waypoint); };

  // The lists only carry the edits laid over their row; they draw nothing themselves.
  w.lvDes->OnDrawItem = [](ui::ListView&, int, const ui::Rect&, ui::ItemState, ui::Canvas&) {};
  w.lvPass->OnDrawItem = [](ui::ListView&, int, const ui::Rect&, ui::ItemState, ui::Canvas&) {};

  for (RoutePoint point : {RoutePoint::Destination, RoutePoint::Waypoint}) {
    ui::Edit& name = page->NameEdit(point);
    const FieldFlags flags = page->Flags();
    name.OnChange = [flags](ui::Control&) { MarkTextChanged(flags); };
    name.OnExit = [page, point](ui::Control&) { page->NameExit(point); };
    name.OnKeyPress = [page, point](ui::Control&, char16_t& key) {
      if (key == kKeyEnter) page->NameExit(point);
    };

    const FixedPointControls controls = page->Controls(point);
    InstallFixedCoordinateFields(
        controls,
        [&w, point] {
          const FloatPoint& stored = point == RoutePoint::Destination ? w.m_pntDes : w.m_pntPass;
          return StoredPosition{card::RouteSetFlag(w.m_AdbImage, point) != 0, stored.x, stored.y};
        },
        flags, page->Box());
    InstallMapCodeField(controls, *w.m_MapCode, flags, page->Box());
  }
}

}  // namespace pages
