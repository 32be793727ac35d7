// A main window with its pages installed, on a card built in a temporary folder,
// and readers of the two files the page writes that do not go through the store.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "card/orbis.h"
#include "card/route_file.h"
#include "geo/boundary.h"
#include "log/log.h"
#include "pages/user_point_page.h"
#include "tests/pages/page_fixture.h"
#include "tests/support/card_builder.h"
#include "tests/support/fake_services.h"
#include "tests/support/headless_driver.h"
#include "tests/support/orbis_builder.h"

namespace user_point_test {

inline constexpr char kOrbisFile[] = "Navi/Data/orbis.orb";
inline constexpr char kUserFile[] = "Navi/User/user.orb";
inline constexpr char kNamesFile[] = "Navi/User/UserName.orb";

struct StoredPoint {
  int type = 0;
  int road = 0;
  uint32_t serial = 0;
};

struct StoredName {
  int32_t high = 0, low = 0, type = 0;
  std::u16string text;
};

inline int32_t Int32At(const std::string& bytes, size_t at) {
  int32_t v = 0;
  std::memcpy(&v, bytes.data() + at, 4);
  return v;
}

// The records of user.orb in file order; none when the file is missing or cut.
inline std::optional<std::vector<StoredPoint>> ParseUserFile(const std::optional<std::string>& bytes) {
  if (!bytes || bytes->size() < 156) return std::nullopt;
  const int32_t count = Int32At(*bytes, 40);
  if (count < 0 || bytes->size() < 156 + 20 * static_cast<size_t>(count)) return std::nullopt;
  std::vector<StoredPoint> points;
  for (int32_t i = 0; i < count; ++i) {
    const auto* r = reinterpret_cast<const uint8_t*>(bytes->data() + 156 + 20 * i);
    const uint32_t high = static_cast<uint32_t>(r[14] | (r[15] << 8)) >> 6;
    const uint32_t low = static_cast<uint32_t>(r[18] | (r[19] << 8)) >> 6;
    points.push_back({r[0] & 0x3F, r[1] & 0x03, high * 1024 + low});
  }
  return points;
}

// The name records of UserName.orb, as many as its header counts.
inline std::optional<std::vector<StoredName>> ParseNamesFile(const std::optional<std::string>& bytes) {
  if (!bytes || bytes->size() < 28) return std::nullopt;
  const int32_t count = Int32At(*bytes, 8);
  if (count < 0 || bytes->size() < 28 + 112 * static_cast<size_t>(count)) return std::nullopt;
  std::vector<StoredName> names;
  for (int32_t i = 0; i < count; ++i) {
    const size_t at = 28 + 112 * static_cast<size_t>(i);
    StoredName n{Int32At(*bytes, at), Int32At(*bytes, at + 4), Int32At(*bytes, at + 8), {}};
    for (size_t u = 0; u < 50; ++u) {
      char16_t c = static_cast<char16_t>(static_cast<uint8_t>((*bytes)[at + 12 + 2 * u]) |
                                         (static_cast<uint8_t>((*bytes)[at + 13 + 2 * u]) << 8));
      if (c == 0) break;
      n.text.push_back(c);
    }
    names.push_back(n);
  }
  return names;
}

class UserPointPageTest : public pages::PageTest {
 protected:
  // A card with orbis.orb (two device points) and the given user.orb and UserName.orb.
  void WriteCard(const testing_support::OrbisFileBuilder& user,
                 std::optional<testing_support::UserNameFileBuilder> names = std::nullopt) {
    card.WriteFile(kOrbisFile,
                   testing_support::OrbisFileBuilder().Point(3, 0, 100, 200).Point(7, 1, 5, 9).Bytes());
    card.WriteFile(kUserFile, user.Bytes());
    if (names) card.WriteFile(kNamesFile, names->Bytes());
  }

  // Starts the window on the card and opens the user point page.
  void Open() {
    Start();
    ASSERT_EQ(window->m_nCardFound, 1);
    driver->Click(*window->btnEditUserPoint);
    ASSERT_EQ(window->nbMainMenu->PageIndex(), TFNaviEdit::kUserPointPage);
    driver->Paint(*window->lvUser);
  }

  ui::ListView& List() { return *window->lvUser; }
  ui::Edit& NameEditor(int row) { return *window->pEdUserPointName[row]; }
  ui::ComboBox& Road(int row) { return *window->pCbRoad[row]; }
  std::u16string Cell(int row, int sub) { return List().Item(row)->sub_items.at(sub); }

  std::optional<std::vector<StoredPoint>> UserFile() { return ParseUserFile(card.ReadFile(kUserFile)); }
  std::optional<std::vector<StoredName>> NamesFile() { return ParseNamesFile(card.ReadFile(kNamesFile)); }
};

}  // namespace user_point_test
