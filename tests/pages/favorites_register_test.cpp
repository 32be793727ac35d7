// Register on the favorites page: changed rows rewritten, points moved into other
// folders, the full and unwritable targets, and texts that cannot be written.
#include <filesystem>

#include "pages/favorites_messages.h"
#include "pages/messages.h"
#include "tests/pages/favorites_fixture.h"

namespace pages {
namespace {

using platform::MessageAnswer;

std::vector<std::string> Names(const std::vector<std::string>& lines) {
  std::vector<std::string> names;
  for (const std::string& line : lines) names.push_back(line.substr(0, line.find(',')));
  return names;
}

// The date and the last number of a written line: its last two fields.
std::string Tail(const std::string& line) {
  const size_t last = line.rfind(',');
  const size_t date = line.rfind(',', last - 1);
  return line.substr(date + 1);
}

TEST_F(FavoritesTest, RegisterWithoutASelectedFolderDoesNothing) {
  card.FavList(NumberedPoints(2));
  StartOnFavoritesPage();
  RegisterFavorites();
  EXPECT_EQ(driver->MessageCount(), 0u);
  EXPECT_TRUE(platform.clock.pauses.empty());
}

TEST_F(FavoritesTest, RegisterWithNothingChangedWritesNothingButShowsItsMessages) {
  card.FavList(NumberedPoints(3));
  const std::string before = card.ReadFile(FavListFile()).value();
  StartOnFavoritesPage();
  SelectFolder(u"お気に入りフォルダ");
  RegisterFavorites();
  EXPECT_EQ(driver->LastMessage(), kAskRegister);
  EXPECT_EQ(platform.message_box.shown.back().caption, "");
  EXPECT_EQ(card.ReadFile(FavListFile()).value(), before);
  EXPECT_EQ(Pauses(100), 0u);
  EXPECT_EQ(Pauses(1000), 1u);
  EXPECT_EQ(window->stMessage2->Caption(), kWritingDone);
  EXPECT_FALSE(window->PanelMessage2->Visible());
  EXPECT_EQ(window->lvFav->Selected(), 0);
  EXPECT_EQ(window->lvFavList->Count(), 3);
}

TEST_F(FavoritesTest, AnsweringNoToRegisterWritesNothing) {
  card.FavList(NumberedPoints(3));
  const std::string before = card.ReadFile(FavListFile()).value();
  StartOnFavoritesPage();
  SelectFolder(u"お気に入りフォルダ");
  driver->Enter(*window->pEdFavListName[1], u"変更");
  RegisterFavorites(MessageAnswer::No);
  EXPECT_EQ(card.ReadFile(FavListFile()).value(), before);
  EXPECT_TRUE(platform.clock.pauses.empty());
  EXPECT_EQ(window->pEdFavListName[1]->Text(), u"変更");
}

TEST_F(FavoritesTest, AChangedRowIsWrittenWithTheRegisterTimeAndLastNumberZero) {
  card.FavList({FavLine("A", "35.5", "139.5", 5), FavLine("B", "35.681236", "139.767120", 9, "12")});
  StartOnFavoritesPage();
  SelectFolder(u"お気に入りフォルダ");
  driver->Enter(*window->pEdFavListName[1], u"温泉宿");
  driver->Enter(*window->pEdEMin[1], u"41");
  RegisterFavorites();
  const std::vector<std::string> lines = Lines(FavListFile());
  ASSERT_EQ(lines.size(), 2u);
  // Modify keeps the order; the untouched row keeps its line as it was.
  EXPECT_EQ(lines[0], "A,35.500000,139.500000,0,2009/4/1 9:5:0,5");
  EXPECT_EQ(lines[1].substr(0, lines[1].find(',')), "温泉宿");
  EXPECT_EQ(Tail(lines[1]), "2009/7/3 9:5:7,0");
  // The fourth value is carried; the minutes moved the latitude by about a minute.
  EXPECT_NE(lines[1].find(",12,"), std::string::npos);
  const double latitude = std::stod(lines[1].substr(lines[1].find(',') + 1));
  EXPECT_NEAR(latitude, 35.681236 + 1.0 / 60, 0.0002);
  EXPECT_EQ(Pauses(100), 1u);
  EXPECT_EQ(Pauses(1000), 1u);
  // The lists are refilled from the card; the row flags stay as they were.
  EXPECT_EQ(window->pEdFavListName[1]->Text(), u"温泉宿");
  EXPECT_EQ(window->lvFav->Selected(), 0);
}

TEST_F(FavoritesTest, PickingTheShownFolderIsNoMove) {
  card.FavList({});
  card.FavFolder("旅行", NumberedPoints(2));
  const std::string before = card.ReadFile(FavFolderFile("旅行")).value();
  StartOnFavoritesPage();
  SelectFolder(u"旅行");
  PickTarget(0, u"旅行");
  RegisterFavorites();
  EXPECT_EQ(card.ReadFile(FavFolderFile("旅行")).value(), before);
  EXPECT_EQ(Lines(FavListFile()).size(), 0u);
}

TEST_F(FavoritesTest, OnlyAPickFromTheListMakesAMove) {
  card.FavList({});
  card.FavFolder("旅行", NumberedPoints(2));
  const std::string before = card.ReadFile(FavFolderFile("旅行")).value();
  StartOnFavoritesPage();
  SelectFolder(u"旅行");
  ui::ComboBox& typed_into = *window->pCbFolder[0];
  driver->Type(typed_into, u"1");
  EXPECT_EQ(typed_into.Text(), window->lvFav->Item(FolderRow(u"旅行"))->caption);
  driver->Paste(*window->pCbFolder[1], u"1");
  RegisterFavorites();
  EXPECT_EQ(card.ReadFile(FavFolderFile("旅行")).value(), before);
  EXPECT_TRUE(Lines(FavListFile()).empty());

  // A pick and then a paste over it: the paste undoes the pick.
  PickTarget(0, u"お気に入りフォルダ");
  driver->Paste(*window->pCbFolder[0], u"x");
  RegisterFavorites();
  EXPECT_EQ(card.ReadFile(FavFolderFile("旅行")).value(), before);
}

TEST_F(FavoritesTest, MovingRowsTwoAndFiveAddsBothAndRemovesThemFromTheShownFolder) {
  card.FavList({FavLine("Z", "35.5", "139.5")});
  card.FavFolder("旅行", NumberedPoints(7));
  StartOnFavoritesPage();
  SelectFolder(u"旅行");
  PickTarget(2, u"お気に入りフォルダ");
  PickTarget(5, u"お気に入りフォルダ");
  driver->Enter(*window->pEdFavListName[3], u"P03x");
  RegisterFavorites();
  EXPECT_EQ(Names(Lines(FavFolderFile("旅行"))),
            (std::vector<std::string>{"P00", "P01", "P03x", "P04", "P06"}));
  const std::vector<std::string> target = Lines(FavListFile());
  EXPECT_EQ(Names(target), (std::vector<std::string>{"P02", "P05", "Z"}));
  EXPECT_EQ(Tail(target[0]), "2009/7/3 9:5:7,0");
  EXPECT_EQ(Tail(target[2]), "2009/4/1 9:5:0,7");
  // Two adds to the target, one modify and two deletes in the shown folder.
  EXPECT_EQ(Pauses(100), 5u);
  EXPECT_EQ(Count(u"お気に入りフォルダ"), u"3");
  EXPECT_EQ(window->lvFavList->Count(), 5);
}

TEST_F(FavoritesTest, MoreThanFiftyMovesRemoveExactlyTheMovedPoints) {
  card.FavList({});
  card.FavFolder("多い", NumberedPoints(60));
  card.FavFolder("移動先", {});
  StartOnFavoritesPage();
  SelectFolder(u"多い");
  for (int r = 0; r < 60; ++r)
    if (r != 30) PickTarget(r, u"移動先");
  RegisterFavorites();
  EXPECT_EQ(Names(Lines(FavFolderFile("多い"))), (std::vector<std::string>{"P30"}));
  EXPECT_EQ(Lines(FavFolderFile("移動先")).size(), 59u);
}

TEST_F(FavoritesTest, AFullTargetStopsRegisterAtThatRow) {
  card.FavList({});
  card.FavFolder("満杯", NumberedPoints(100));
  card.FavFolder("旅行", NumberedPoints(4));
  StartOnFavoritesPage();
  SelectFolder(u"旅行");
  driver->Enter(*window->pEdFavListName[0], u"先");
  PickTarget(1, u"満杯");
  driver->Enter(*window->pEdFavListName[2], u"後");
  RegisterFavorites();
  EXPECT_EQ(driver->LastMessage(), kCannotMove);
  EXPECT_EQ(Names(Lines(FavFolderFile("旅行"))), (std::vector<std::string>{"先", "P01", "P02", "P03"}));
  EXPECT_EQ(Lines(FavFolderFile("満杯")).size(), 100u);
  EXPECT_FALSE(window->PanelMessage2->Visible());
  EXPECT_EQ(Pauses(1000), 0u);
  // The refill drops the edit that was not written.
  for (const ui::ListItem& item : window->lvFavList->Items()) EXPECT_NE(item.sub_items[0], u"後");
}

TEST_F(FavoritesTest, AMoveIntoAFolderThatCannotTakeItKeepsThePoint) {
  card.FavList({});
  card.FavFolder("旅行", NumberedPoints(3));
  // A point file that cannot be read, and one of more points than a folder holds.
  card.MakeFolder(std::string(testing_support::kFavoritesHostPath) + "/壊れ/壊れ.txt");
  card.FavFolder("過多", NumberedPoints(101));
  const std::string overfull = card.ReadFile(FavFolderFile("過多")).value();
  StartOnFavoritesPage();
  SelectFolder(u"旅行");
  PickTarget(0, u"壊れ");
  driver->Enter(*window->pEdFavListName[2], u"変更");
  RegisterFavorites();
  EXPECT_EQ(driver->LastMessage(), kFavNotAllWritten);
  EXPECT_EQ(Names(Lines(FavFolderFile("旅行"))), (std::vector<std::string>{"P00", "P01", "変更"}));
  EXPECT_FALSE(window->PanelMessage2->Visible());
  EXPECT_EQ(Pauses(1000), 0u);

  SelectFolder(u"旅行");
  PickTarget(1, u"過多");
  RegisterFavorites();
  EXPECT_EQ(driver->LastMessage(), kCannotMove);
  EXPECT_EQ(card.ReadFile(FavFolderFile("過多")).value(), overfull);
  EXPECT_EQ(Names(Lines(FavFolderFile("旅行"))), (std::vector<std::string>{"P00", "P01", "変更"}));
}

TEST_F(FavoritesTest, ADegreeThatIsNoWholeNumberStopsRegisterBeforeAnyWrite) {
  card.FavList(NumberedPoints(3));
  const std::string before = card.ReadFile(FavListFile()).value();
  StartOnFavoritesPage();
  SelectFolder(u"お気に入りフォルダ");
  driver->Enter(*window->pEdFavListName[0], u"先");
  driver->Paste(*window->pEdEDeg[2], u"35.5");
  driver->Leave();
  RegisterFavorites();
  EXPECT_EQ(driver->LastMessage(), kNotWholeNumber);
  EXPECT_EQ(card.ReadFile(FavListFile()).value(), before);
  EXPECT_FALSE(window->PanelMessage2->Visible());
  EXPECT_TRUE(platform.clock.pauses.empty());
}

TEST_F(FavoritesTest, AWriteThatFailsIsReportedAndTheFileKeepsItsPoints) {
  card.FavList(NumberedPoints(3));
  const std::string before = card.ReadFile(FavListFile()).value();
  StartOnFavoritesPage();
  SelectFolder(u"お気に入りフォルダ");
  driver->Enter(*window->pEdFavListName[1], u"変更");
  // Held without sharing by someone else, the file cannot be replaced.
  platform::File held =
      platform.files.Open(window->m_szFavPath + "\\FavList.txt", platform::Access::ReadWrite,
                          platform::Share::None, platform::Disposition::OpenExisting);
  ASSERT_TRUE(held.IsOpen());
  RegisterFavorites();
  held.Close();
  EXPECT_EQ(driver->LastMessage(), kFavNotAllWritten);
  EXPECT_EQ(card.ReadFile(FavListFile()).value(), before);
  EXPECT_FALSE(window->PanelMessage2->Visible());
}

TEST_F(FavoritesTest, PointDeleteAsksAndRewritesTheShownFolder) {
  card.FavList(NumberedPoints(3));
  const std::string before = card.ReadFile(FavListFile()).value();
  StartOnFavoritesPage();
  SelectFolder(u"お気に入りフォルダ");
  driver->Enter(*window->pEdFavListName[2], u"未登録");

  driver->AnswerNext(MessageAnswer::No);
  driver->Click(*window->btnFavListDelete[1]);
  EXPECT_EQ(driver->LastMessage(), kAskDelete);
  EXPECT_EQ(platform.message_box.shown.back().caption, " ");
  EXPECT_EQ(card.ReadFile(FavListFile()).value(), before);

  driver->Click(*window->btnFavListDelete[1]);
  EXPECT_EQ(Names(Lines(FavListFile())), (std::vector<std::string>{"P00", "P02"}));
  // The refill puts back the stored name of the edit that was not registered.
  EXPECT_EQ(window->lvFavList->Count(), 2);
  EXPECT_EQ(window->pEdFavListName[1]->Text(), u"P02");
  EXPECT_EQ(Count(u"お気に入りフォルダ"), u"2");
}

}  // namespace
}  // namespace pages

namespace pages {
namespace {

TEST_F(FavoritesTest, AFolderOfMoreThanAHundredPointsIsShownButNeverRewritten) {
  card.FavList({});
  card.FavFolder("過多", NumberedPoints(101));
  const std::string before = card.ReadFile(FavFolderFile("過多")).value();
  StartOnFavoritesPage();
  SelectFolder(u"過多");
  EXPECT_EQ(window->lvFavList->Count(), 100);
  driver->Enter(*window->pEdFavListName[0], u"変更");
  RegisterFavorites();
  EXPECT_EQ(driver->LastMessage(), kFavNotAllWritten);
  EXPECT_EQ(Pauses(1000), 0u);
  driver->Click(*window->btnFavListDelete[1]);
  EXPECT_EQ(driver->LastMessage(), kFavDeleteFailed);
  EXPECT_EQ(card.ReadFile(FavFolderFile("過多")).value(), before);
}

}  // namespace
}  // namespace pages
