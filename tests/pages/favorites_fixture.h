// The favorites page on a card built for each test: helpers to open the page, pick a
// folder by name, read and edit a point row, and read the point files back.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "tests/pages/page_fixture.h"

namespace pages {

// A point file line as the device writes it (name in UTF-8, turned into code page 932).
inline std::string FavLine(const std::string& name, const std::string& latitude, const std::string& longitude,
                           int last_number = 7, const std::string& fourth = "0") {
  return testing_support::Sjis(name) + "," + latitude + "," + longitude + "," + fourth + ",2009/4/1 9:5:0," +
         std::to_string(last_number);
}

// `count` points named P00, P01, ... at distinct positions.
inline std::vector<std::string> NumberedPoints(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "P%02d", i);
    lines.push_back(FavLine(name, std::to_string(35 + i % 10) + ".500000", "139.250000"));
  }
  return lines;
}

inline std::string FavFolderFile(const std::string& folder) {
  return std::string(testing_support::kFavoritesHostPath) + "/" + folder + "/" + folder + ".txt";
}
inline std::string FavListFile() {
  return std::string(testing_support::kFavoritesHostPath) + "/FavList.txt";
}

// The lines of a point file, without their line ends, names back in UTF-8.
inline std::vector<std::string> FileLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(platform::AnsiToUtf8(bytes.substr(start, end - start)));
  return lines;
}

class FavoritesTest : public PageTest {
 protected:
  void StartOnFavoritesPage() {
    Start();
    driver->Click(*window->btnEditBookmark);
    driver->PaintShowing();
  }
  // The lvFav row that shows this folder; -1 when none does.
  int FolderRow(const std::u16string& name) const {
    const auto& items = window->lvFav->Items();
    for (size_t i = 0; i < items.size(); ++i)
      if (!items[i].sub_items.empty() && items[i].sub_items[0] == name) return static_cast<int>(i);
    return -1;
  }
  void SelectFolder(const std::u16string& name) {
    const int row = FolderRow(name);
    ASSERT_GE(row, 0);
    driver->ClickRow(*window->lvFav, row);
    driver->PaintShowing();
  }
  std::u16string Count(const std::u16string& folder) const {
    const ui::ListItem* item = window->lvFav->Item(FolderRow(folder));
    return item && item->sub_items.size() > 1 ? item->sub_items[1] : u"?";
  }
  // The texts of point row r: name, then the six position fields.
  std::vector<std::u16string> Row(int r) const {
    const TFNaviEdit& w = *window;
    return {w.pEdFavListName[r]->Text(), w.pEdNDeg[r]->Text(), w.pEdNMin[r]->Text(), w.pEdNSec[r]->Text(),
            w.pEdEDeg[r]->Text(),        w.pEdEMin[r]->Text(), w.pEdESec[r]->Text()};
  }
  // Whether row r's controls lie in view (not parked).
  bool RowInView(int r) const {
    return window->btnFavListDelete[r]->Visible() && window->btnFavListDelete[r]->Left() != -1000 &&
           window->pEdFavListName[r]->Left() != -1000;
  }
  int RowsInView() const {
    int n = 0;
    for (int r = 0; r < kInPlaceRows; ++r) n += RowInView(r) ? 1 : 0;
    return n;
  }
  void RegisterFavorites(platform::MessageAnswer answer = platform::MessageAnswer::Yes) {
    driver->AnswerNext(answer);
    driver->Click(*window->TntButton3);
    driver->PaintShowing();
  }
  // Picks folder row `folder` of lvFav as row r's move target.
  void PickTarget(int r, const std::u16string& folder) {
    ASSERT_TRUE(driver->Pick(*window->pCbFolder[r], FolderRow(folder)));
  }
  std::vector<std::string> Lines(const std::string& relative) const {
    return FileLines(card.ReadFile(relative).value_or(""));
  }
  size_t Pauses(unsigned milliseconds) const {
    size_t n = 0;
    for (unsigned p : platform.clock.pauses) n += p == milliseconds ? 1 : 0;
    return n;
  }
};

}  // namespace pages
