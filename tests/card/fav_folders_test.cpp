#include "card/fav_folders.h"

#include <gtest/gtest.h>

#include <set>

#include "card/card_paths.h"
#include "tests/support/card_builder.h"

namespace {

using testing_support::CardBuilder;
using testing_support::Sjis;
using testing_support::TestPlatform;

TEST(FavFoldersTest, FixedFolderAloneWhenThereAreNoSubfolders) {
  TestPlatform platform;
  CardBuilder card(platform);
  card.FavList({"a,1,2,3,2009/4/1 9:5:0,7"})
      .WriteFile(std::string(testing_support::kFavoritesHostPath) + "/x.jpg", "x");
  card::CFavFolderOpen folders(platform.files);
  folders.Open(card::FavoritesRoot(card.drive()));
  ASSERT_EQ(folders.GetCount(), 1);
  EXPECT_EQ(*folders.GetItem(0), Sjis("お気に入りフォルダ"));
  EXPECT_EQ(folders.GetItem(1), nullptr);
  EXPECT_EQ(folders.GetItem(-1), nullptr);
}

TEST(FavFoldersTest, RootThatCannotBeListedGivesTheFixedFolder) {
  TestPlatform platform;
  CardBuilder card(platform);
  card::CFavFolderOpen folders(platform.files);
  folders.Open(card::FavoritesRoot(card.drive()));
  ASSERT_EQ(folders.GetCount(), 1);
  EXPECT_EQ(*folders.GetItem(0), Sjis("お気に入りフォルダ"));
  folders.Open("plain");  // no backslash: the whole text
  ASSERT_EQ(folders.GetCount(), 1);
  EXPECT_EQ(*folders.GetItem(0), "plain");
}

TEST(FavFoldersTest, ListsAtMostFiftyInListingOrderSkippingDotNamesAndFiles) {
  TestPlatform platform;
  CardBuilder card(platform);
  std::set<std::string> created;
  for (int i = 0; i < 60; ++i) {
    const std::string name = (i % 3 == 0 ? "旅行" : "folder") + std::to_string(i);
    card.FavFolder(name, {});
    created.insert(Sjis(name));
  }
  const std::string root = std::string(testing_support::kFavoritesHostPath);
  card.MakeFolder(root + "/.old").MakeFolder(root + "/.Trash").WriteFile(root + "/notes.txt", "n");

  card::CFavFolderOpen folders(platform.files);
  const std::string fav_root = card::FavoritesRoot(card.drive());
  folders.Open(fav_root);
  ASSERT_EQ(folders.GetCount(), 50);
  EXPECT_EQ(*folders.GetItem(0), Sjis("お気に入りフォルダ"));

  // Entries 1 to 49 are the first 49 subfolders as the file system lists them.
  std::vector<std::string> listed;
  const auto entries = platform.files.List(fav_root);
  ASSERT_TRUE(entries);
  for (const platform::FolderEntry& entry : *entries)
    if (entry.is_folder && entry.name[0] != '.') listed.push_back(entry.name);
  for (int i = 1; i < 50; ++i) {
    const std::string& name = *folders.GetItem(i);
    EXPECT_EQ(name, listed[i - 1]);
    EXPECT_TRUE(created.count(name)) << name;
  }
  EXPECT_EQ(folders.GetItem(50), nullptr);

  // A second open rebuilds the list from the card.
  card.FavFolder("late", {});
  folders.Open(fav_root + "\\" + *folders.GetItem(1));
  EXPECT_EQ(folders.GetCount(), 1);
}

}  // namespace
