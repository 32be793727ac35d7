// Renaming and deleting favorites folders from the folder list.
#include "pages/favorites_messages.h"
#include "pages/messages.h"
#include "tests/pages/favorites_fixture.h"

namespace pages {
namespace {

using platform::MessageAnswer;

class FavoriteFoldersTest : public FavoritesTest {
 protected:
  FavoriteFoldersTest() {
    card.FavList({FavLine("自宅", "35.5", "139.5")});
    card.FavFolder("旅行", NumberedPoints(2));
    card.FavFolder("既存", {FavLine("写真", "35.5", "139.5")});
  }
  ui::Edit& NameField(const std::u16string& folder) { return *window->pEdFavFolderName[FolderRow(folder)]; }
  void Rename(const std::u16string& folder, std::u16string_view typed) {
    ui::Edit& field = NameField(folder);
    driver->Focus(field);
    field.SelectAll();
    if (typed.empty()) driver->TypeKey(8);
    for (char16_t c : typed) driver->TypeKey(c);
    driver->Leave();
    driver->PaintShowing();
  }
  std::string Root() const { return std::string(testing_support::kFavoritesHostPath) + "/"; }
};

TEST_F(FavoriteFoldersTest, RenamingTurnsTheFolderAndItsPointFileIntoTheNewName) {
  StartOnFavoritesPage();
  const int row = FolderRow(u"旅行");
  Rename(u"旅行", u"温泉");
  EXPECT_EQ(driver->LastMessage(), kAskRenameFolder);
  EXPECT_EQ(platform.message_box.shown.back().caption, " ");
  EXPECT_TRUE(card.Exists(Root() + "温泉/温泉.txt"));
  EXPECT_FALSE(card.Exists(Root() + "旅行"));
  EXPECT_EQ(Lines(FavFolderFile("温泉")).size(), 2u);
  EXPECT_GE(FolderRow(u"温泉"), 1);
  EXPECT_EQ(FolderRow(u"旅行"), -1);
  EXPECT_EQ(Count(u"温泉"), u"2");
  // No folder is selected afterwards; the list shows the folder now at the former row.
  EXPECT_EQ(window->lvFav->Selected(), -1);
  EXPECT_EQ(platform::Utf8ToWide(std::to_string(window->lvFavList->Count())),
            window->lvFav->Item(row)->sub_items[1]);
  ASSERT_GT(window->lvFavList->Count(), 0);

  // Without a selected folder, register and point delete change nothing.
  const std::string before = card.ReadFile(FavFolderFile("温泉")).value();
  const size_t messages = driver->MessageCount();
  RegisterFavorites();
  EXPECT_EQ(driver->MessageCount(), messages);
  const std::string other = card.ReadFile(FavFolderFile("既存")).value();
  driver->Click(*window->btnFavListDelete[0]);
  EXPECT_EQ(driver->LastMessage(), kAskDelete);
  EXPECT_EQ(card.ReadFile(FavFolderFile("温泉")).value(), before);
  EXPECT_EQ(card.ReadFile(FavFolderFile("既存")).value(), other);
}

TEST_F(FavoriteFoldersTest, RenamesTheCardCannotCarryAreRefusedAndTheNameComesBack) {
  StartOnFavoritesPage();
  struct Case {
    const char16_t* typed;
    const char16_t* message;
  };
  const Case cases[] = {
      {u"一二三四五六七八九十一二三四五六七八九十一", kNameTooLong},
      {u"", kFolderNameEmpty},
      {u"旅/行", kFolderNameBadCharacter},
      {u"旅行?", kFolderNameBadCharacter},
      {u".隠し", kFolderNameBadCharacter},
      {u"旅行 ", kFolderNameBadCharacter},
      {u"旅行😀", kFolderNameBadCharacter},
      {u"既存", kFolderNameExists},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(platform::WideToUtf8(c.typed));
    const size_t before = driver->MessageCount();
    Rename(u"旅行", c.typed);
    EXPECT_EQ(driver->MessageCount(), before + 1);
    EXPECT_EQ(driver->LastMessage(), c.message);
    EXPECT_EQ(NameField(u"旅行").Text(), u"旅行");
    EXPECT_TRUE(card.Exists(Root() + "旅行/旅行.txt"));
  }
  EXPECT_EQ(window->lvFav->Count(), 3);
}

TEST_F(FavoriteFoldersTest, AnsweringNoToARenameRestoresTheName) {
  StartOnFavoritesPage();
  driver->AnswerNext(MessageAnswer::No);
  Rename(u"旅行", u"温泉");
  EXPECT_EQ(driver->LastMessage(), kAskRenameFolder);
  EXPECT_EQ(NameField(u"旅行").Text(), u"旅行");
  EXPECT_TRUE(card.Exists(Root() + "旅行/旅行.txt"));
  EXPECT_FALSE(card.Exists(Root() + "温泉"));
}

TEST_F(FavoriteFoldersTest, EnterInAFolderNameRenamesAtOnce) {
  StartOnFavoritesPage();
  ui::Edit& field = NameField(u"旅行");
  driver->Type(field, u"温泉");
  driver->PressEnter();
  EXPECT_EQ(driver->LastMessage(), kAskRenameFolder);
  EXPECT_TRUE(card.Exists(Root() + "温泉/温泉.txt"));
}

TEST_F(FavoriteFoldersTest, DeletingAFolderRemovesItsPointFileAndTheEmptyFolder) {
  card.WriteFile(Root() + "既存/photo.jpg", "JPEG");
  StartOnFavoritesPage();
  SelectFolder(u"旅行");
  driver->AnswerNext(MessageAnswer::No);
  driver->Click(*window->btnFavFolderDelete[FolderRow(u"旅行")]);
  EXPECT_EQ(driver->LastMessage(), kAskDelete);
  EXPECT_EQ(platform.message_box.shown.back().caption, " ");
  EXPECT_TRUE(card.Exists(Root() + "旅行/旅行.txt"));

  driver->Click(*window->btnFavFolderDelete[FolderRow(u"旅行")]);
  driver->PaintShowing();
  EXPECT_FALSE(card.Exists(Root() + "旅行"));
  EXPECT_EQ(FolderRow(u"旅行"), -1);
  EXPECT_EQ(window->lvFav->Selected(), -1);
  EXPECT_EQ(window->lvFavList->Count(), 0);
  EXPECT_EQ(RowsInView(), 0);

  // A folder that also holds a picture keeps it and lists again with 0 points.
  const size_t messages = driver->MessageCount();
  driver->Click(*window->btnFavFolderDelete[FolderRow(u"既存")]);
  EXPECT_EQ(driver->MessageCount(), messages + 1);
  EXPECT_FALSE(card.Exists(Root() + "既存/既存.txt"));
  EXPECT_TRUE(card.Exists(Root() + "既存/photo.jpg"));
  EXPECT_EQ(Count(u"既存"), u"0");
}

TEST_F(FavoriteFoldersTest, AFolderWhosePointFileCannotBeDeletedIsReportedAndKept) {
  StartOnFavoritesPage();
  platform::File held = platform.files.Open(
      window->m_szFavPath + "\\" + testing_support::Sjis("旅行\\旅行.txt"), platform::Access::ReadWrite,
      platform::Share::None, platform::Disposition::OpenExisting);
  ASSERT_TRUE(held.IsOpen());
  driver->Click(*window->btnFavFolderDelete[FolderRow(u"旅行")]);
  held.Close();
  EXPECT_EQ(driver->LastMessage(), kFavDeleteFailed);
  EXPECT_EQ(Lines(FavFolderFile("旅行")).size(), 2u);
  // Opened again once the file is free, the folder shows its points.
  driver->Click(*window->btnGoMenu1);
  driver->Click(*window->btnEditBookmark);
  EXPECT_EQ(Count(u"旅行"), u"2");
}

}  // namespace
}  // namespace pages
