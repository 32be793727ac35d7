// The in-place controls laid over list rows: 15 arrays of 100, created once at start-up and
// only moved afterwards; and the delete buttons of the destination and the waypoint.
#include "app/main_window.h"

namespace {

// Hooks are read when the event runs, so pages/ may install them at any time.
void CallHook(const ui::Control::Handler& hook, ui::Control& sender) {
  if (!hook) return;
  ui::Control::Handler copy = hook;
  copy(sender);
}

template <class T>
T* CreateHidden(ui::Form& form, const char* base, int row, ui::Control* parent) {
  T* control = form.Create<T>(std::string(base) + "[" + std::to_string(row) + "]", parent);
  control->Hide();
  return control;
}

}  // namespace

void TFNaviEdit::CreateRowControls() {
  if (pEdFavListName[0] != nullptr) return;  // once only
  ui::Form& f = m_Form;
  // Column widths of the point list and of the user point list.
  auto w = [this](int c) { return lvFavList->ColumnWidth(c); };
  auto u = [this](int c) { return lvUser->ColumnWidth(c); };
  for (int i = 0; i < kInPlaceRows; ++i) {
    pEdFavFolderName[i] = CreateHidden<ui::Edit>(f, "pEdFavFolderName", i, lvFav);
    btnFavFolderDelete[i] = CreateHidden<ui::SpeedButton>(f, "btnFavFolderDelete", i, lvFav);

    lvFavList->AddItem();
    pEdFavListName[i] = CreateHidden<ui::Edit>(f, "pEdFavListName", i, lvFavList);
    pEdNDeg[i] = CreateHidden<ui::Edit>(f, "pEdNDeg", i, lvFavList);
    pEdNMin[i] = CreateHidden<ui::Edit>(f, "pEdNMin", i, lvFavList);
    pEdNSec[i] = CreateHidden<ui::Edit>(f, "pEdNSec", i, lvFavList);
    pEdEDeg[i] = CreateHidden<ui::Edit>(f, "pEdEDeg", i, lvFavList);
    pEdEMin[i] = CreateHidden<ui::Edit>(f, "pEdEMin", i, lvFavList);
    pEdESec[i] = CreateHidden<ui::Edit>(f, "pEdESec", i, lvFavList);
    pMapCode[i] = CreateHidden<ui::Edit>(f, "pMapCode", i, lvFavList);
    btnFavListDelete[i] = CreateHidden<ui::SpeedButton>(f, "btnFavListDelete", i, lvFavList);
    pCbFolder[i] = CreateHidden<ui::ComboBox>(f, "pCbFolder", i, lvFavList);
    pCbFolder[i]->OnSelect = [this](ui::Control& s) { pCbFolderSelect(s); };
    pCbFolder[i]->OnKeyPress = [this](ui::Control& s, char16_t& key) { pCbFolderKeyPress(s, key); };

    // Over the new row: no height is set, the fields keep their own.
    const int t = lvFavList->ItemRect(i).top;
    const int lat = w(0) + w(1) + w(2);
    auto place = [t](ui::Control* c, int left, int width) { c->SetBounds(left, t, width, c->Height()); };
    place(pEdFavListName[i], w(0), w(1));
    place(pEdNDeg[i], w(0) + w(1), w(2) / 3);
    place(pEdNMin[i], w(0) + w(1) + w(2) / 3 + 1, w(2) / 3);
    place(pEdNSec[i], w(0) + w(1) + 2 * (w(2) / 3) + 1, w(2) / 3);
    place(pEdEDeg[i], lat, w(2) / 3);
    place(pEdEMin[i], lat + w(3) / 3 + 1, w(2) / 3);
    place(pEdESec[i], lat + 2 * (w(3) / 3) + 1, w(2) / 3);
    place(pMapCode[i], lat + w(3), w(4));
    place(pCbFolder[i], lat + w(3) + w(4), w(5));
    place(btnFavListDelete[i], lat + w(3) + w(4) + w(5), w(6));

    pEdUserPointName[i] = CreateHidden<ui::Edit>(f, "pEdUserPointName", i, lvUser);
    pCbRoad[i] = CreateHidden<ui::ComboBox>(f, "pCbRoad", i, lvUser);
    BtnUserDelete[i] = CreateHidden<ui::SpeedButton>(f, "BtnUserDelete", i, lvUser);
    pCbRoad[i]->OnKeyPress = [this](ui::Control& s, char16_t& key) { pCbRoadKeyPress(s, key); };
    pCbRoad[i]->OnEnter = [this](ui::Control& s) { CallHook(m_Hooks.pEdUserEnter, s); };
    pEdUserPointName[i]->OnEnter = [this](ui::Control& s) { CallHook(m_Hooks.pEdUserEnter, s); };
    BtnUserDelete[i]->OnClick = [this](ui::Control& s) { CallHook(m_Hooks.BtnUserDeleteClick, s); };
    pEdUserPointName[i]->SetBounds(u(0), t, u(1), 18);
    pEdUserPointName[i]->SetTag(i);
    pCbRoad[i]->SetBounds(u(0) + u(1) + u(2), t, u(3), 18);
    BtnUserDelete[i]->SetBounds(u(0) + u(1) + u(2) + u(3), t, u(4), 17);
    BtnUserDelete[i]->SetTag(i);
  }
}

void TFNaviEdit::CreateRouteDeleteButtons() {
  if (btnDesDelete != nullptr) return;
  lvDes->AddItem();
  const int top = lvDes->ItemRect(0).top;
  auto make = [&](const char* name, ui::ListView* list, ui::Control::Handler* hook) {
    auto* button = m_Form.Create<ui::SpeedButton>(name, list);
    button->SetBounds(list->ColumnLeft(5), top, list->ColumnWidth(5), 17);
    button->SetCursor(ui::Cursor::HandPoint);
    button->SetTag(0);
    button->SetFontSize(10);
    button->SetCaption(u"削除");
    button->OnClick = [hook](ui::Control& s) { CallHook(*hook, s); };
    return button;
  };
  btnDesDelete = make("btnDesDelete", lvDes, &m_Hooks.btnDesDeleteClick);
  btnPassDelete = make("btnPassDelete", lvPass, &m_Hooks.btnPassDeleteClick);
}

void TFNaviEdit::DestroyRowControls() {
  for (auto* rows : {&btnFavFolderDelete, &btnFavListDelete, &BtnUserDelete}) {
    for (auto*& c : *rows) {
      m_Form.Destroy(c);
      c = nullptr;
    }
  }
  for (auto* rows : {&pCbRoad, &pCbFolder}) {
    for (auto*& c : *rows) {
      m_Form.Destroy(c);
      c = nullptr;
    }
  }
  for (auto* rows : {&pEdFavFolderName, &pEdFavListName, &pEdUserPointName, &pEdNDeg, &pEdNMin, &pEdNSec,
                     &pEdEDeg, &pEdEMin, &pEdESec, &pMapCode}) {
    for (auto*& c : *rows) {
      m_Form.Destroy(c);
      c = nullptr;
    }
  }
}
