// The user point page end to end: what it shows of a card, the register, the delete,
// the name rule and the row controls over a scrolled list.
#include <string>

#include "pages/messages.h"
#include "platform/text.h"
#include "tests/pages/user_point_fixture.h"
#include "tests/support/boundary_builder.h"

namespace user_point_test {
namespace {

using platform::MessageAnswer;
using testing_support::BoundaryFileBuilder;
using testing_support::OrbisFileBuilder;
using testing_support::UserNameFileBuilder;

// One town around Tokyo-datum 139.5 E, 35.6 N.
void WriteTown(testing_support::CardBuilder& card) {
  BoundaryFileBuilder file;
  file.origin_x = 9760000;
  file.origin_y = 2400000;
  file.prefectures = {
      {u"東京都",
       {{u"千代田区", testing_support::RectangleOutline(11150000, 4260000, 11170000, 4280000)}},
       13}};
  card.WriteFile("Navi/Data/prefecture.mzb", file.Bytes());
}

TEST_F(UserPointPageTest, ShowsEachPointWithNameOrPlacePositionAndRoad) {
  WriteTown(card);
  WriteCard(OrbisFileBuilder()
                .PointAt(22, 1, 139.5, 35.6, /*road=*/1)   // named
                .PointAt(22, 2, 139.5, 35.6, /*road=*/0)   // in the town, no name
                .PointAt(22, 3, 130.0, 33.0, /*road=*/2)   // nowhere, no name
                .PointAt(22, 4, 130.0, 33.0, /*road=*/3),  // nowhere
            UserNameFileBuilder().Name(22, 1, u"自宅"));
  Open();
  ASSERT_EQ(List().Count(), 4);
  struct Row {
    std::u16string caption, name, road;
    int road_index;
  };
  const Row rows[] = {{u"1", u"自宅", u"高速道路", 1},
                      {u"2", u"東京都千代田区", u"一般道路", 0},
                      {u"3", u"", u"All", -1},
                      {u"4", u"", u"All", -1}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(List().Item(i)->caption, rows[i].caption);
    EXPECT_EQ(Cell(i, 0), rows[i].name);
    EXPECT_EQ(NameEditor(i).Text(), rows[i].name);
    EXPECT_EQ(Road(i).Text(), rows[i].road);
    EXPECT_EQ(Road(i).ItemIndex(), rows[i].road_index);
    EXPECT_EQ(Road(i).Items(), (std::vector<std::u16string>{u"一般道路", u"高速道路"}));
    EXPECT_EQ(window->BtnUserDelete[i]->Caption(), u"削除");
    EXPECT_TRUE(NameEditor(i).Visible());
  }
  // Tokyo 139°30'00" E 35°36'00" N lies 12 seconds west and 11 north in WGS84; whole
  // seconds, cut toward zero.
  EXPECT_EQ(Cell(0, 1), u"E139,29,48 N35,36,11");
  EXPECT_EQ(Cell(2, 1).substr(0, 5), u"E129,");
  EXPECT_FALSE(NameEditor(4).Visible());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(UserPointPageTest, RegisterStoresNamesAndRoadsThatWereShownOrPicked) {
  WriteTown(card);
  WriteCard(OrbisFileBuilder()
                .PointAt(22, 1, 139.5, 35.6, 1)
                .PointAt(22, 2, 139.5, 35.6, 3)
                .PointAt(22, 3, 130.0, 33.0, 2)
                .PointAt(23, 9, 131.0, 34.0, 0),
            UserNameFileBuilder().Name(22, 1, u"自宅"));
  Open();
  driver->Enter(NameEditor(0), u"実家");
  ASSERT_TRUE(driver->Pick(Road(2), u"一般道路"));
  driver->Click(*window->TntButton15);

  EXPECT_EQ(Messages(), std::vector<std::u16string>{pages::kAskRegister});
  EXPECT_EQ(window->stMessage3->Caption(), pages::kWritingDone);
  EXPECT_FALSE(window->PanelMessage3->Visible());
  EXPECT_EQ(platform.clock.pauses.back(), 1000u);

  auto names = NamesFile();
  ASSERT_TRUE(names);
  ASSERT_EQ(names->size(), 3u);
  EXPECT_EQ((*names)[0].text, u"実家");
  EXPECT_EQ((*names)[1].text, u"東京都千代田区");  // the place shown becomes the name
  EXPECT_EQ((*names)[2].text, u"");                // nowhere: an empty name record
  EXPECT_EQ((*names)[2].low, 3);

  auto points = UserFile();
  ASSERT_TRUE(points);
  ASSERT_EQ(points->size(), 4u);
  for (const StoredPoint& p : *points) {
    SCOPED_TRACE(p.serial);
    const int expected = p.type == 23 ? 0 : p.serial == 1 ? 1 : p.serial == 2 ? 3 : 0;  // "All" untouched
    EXPECT_EQ(p.road, expected);
  }
}

TEST_F(UserPointPageTest, RegisterAnsweredNoWritesNothing) {
  WriteCard(OrbisFileBuilder().Point(22, 1, 10, 10, 1), UserNameFileBuilder().Name(22, 1, u"a"));
  const auto before_user = card.ReadFile(kUserFile);
  const auto before_names = card.ReadFile(kNamesFile);
  Open();
  driver->Enter(NameEditor(0), u"b");
  driver->Pick(Road(0), 0);
  driver->AnswerNext(MessageAnswer::No);
  driver->Click(*window->TntButton15);
  EXPECT_EQ(card.ReadFile(kUserFile), before_user);
  EXPECT_EQ(card.ReadFile(kNamesFile), before_names);
  EXPECT_FALSE(window->PanelMessage3->Visible());
}

TEST_F(UserPointPageTest, NamesOverTwentyCharactersAreRefusedEvenAfterScrolling) {
  const std::u16string twenty(20, u'あ');
  const std::u16string twenty_one(21, u'あ');
  const std::u16string device_name(30, u'い');  // the device may store up to 49
  struct Case {
    const char* what;
    std::u16string typed;
    bool paint_before_leaving;
    bool refused;
  };
  const Case cases[] = {
      {"twenty pass", twenty, false, false},
      {"twenty-one refused", twenty_one, false, true},
      {"scrolled before leaving", twenty_one, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform.message_box.shown.clear();
    WriteCard(OrbisFileBuilder().Point(22, 1, 10, 10).Point(22, 2, 20, 20),
              UserNameFileBuilder().Name(22, 1, u"元").Name(22, 2, device_name));
    Open();
    driver->Type(NameEditor(0), c.typed);
    if (c.paint_before_leaving) driver->Paint(List());
    driver->Leave();
    // The device's long name is left alone when its editor is only passed through.
    driver->Focus(NameEditor(1));
    driver->Leave();
    if (c.refused) {
      EXPECT_EQ(Messages(), std::vector<std::u16string>{pages::kNameTooLong});
      EXPECT_EQ(NameEditor(0).Text(), u"元");
    } else {
      EXPECT_TRUE(Messages().empty());
      EXPECT_EQ(NameEditor(0).Text(), c.typed);
    }
    driver->Click(*window->TntButton15);
    auto names = NamesFile();
    ASSERT_TRUE(names);
    ASSERT_EQ(names->size(), 2u);
    EXPECT_EQ((*names)[0].text, c.refused ? u"元" : c.typed);
    EXPECT_EQ((*names)[1].text, device_name);
  }
}

TEST_F(UserPointPageTest, EnterKeyChecksTheNameAndAWarningIsNotRepeatedUntilTheNextChange) {
  WriteCard(OrbisFileBuilder().Point(22, 1, 10, 10), UserNameFileBuilder().Name(22, 1, u"元"));
  Open();
  driver->Type(NameEditor(0), std::u16string(25, u'x'));
  driver->PressEnter();
  EXPECT_EQ(Messages(), std::vector<std::u16string>{pages::kNameTooLong});
  EXPECT_EQ(NameEditor(0).Text(), u"元");
  driver->Leave();
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(UserPointPageTest, DeleteRemovesThePointAndItsNameAndReloads) {
  WriteCard(
      OrbisFileBuilder().Point(22, 1, 10, 10).Point(22, 2, 20, 20).Point(22, 3, 30, 30).Point(24, 7, 5, 5),
      UserNameFileBuilder().Name(22, 1, u"一").Name(22, 2, u"二").Name(22, 3, u"三"));
  Open();
  driver->Enter(NameEditor(0), u"未登録");  // dropped by the reload
  driver->Click(*window->BtnUserDelete[1]);
  EXPECT_EQ(Messages(), std::vector<std::u16string>{pages::kAskDelete});
  EXPECT_EQ(platform.message_box.shown.back().caption, " ");

  auto points = UserFile();
  ASSERT_TRUE(points);
  ASSERT_EQ(points->size(), 3u);
  for (const StoredPoint& p : *points) EXPECT_NE(p.serial, 2u);
  auto names = NamesFile();
  ASSERT_TRUE(names);
  ASSERT_EQ(names->size(), 2u);
  EXPECT_EQ((*names)[0].text, u"一");
  EXPECT_EQ((*names)[1].text, u"三");

  ASSERT_EQ(List().Count(), 2);
  EXPECT_EQ(Cell(0, 0), u"一");
  EXPECT_EQ(Cell(1, 0), u"三");
  EXPECT_EQ(NameEditor(0).Text(), u"一");
  driver->Paint(List());
  EXPECT_EQ(NameEditor(2).Left(), -1000);
}

TEST_F(UserPointPageTest, DeletingTheLastPointDeletesBothFiles) {
  WriteCard(OrbisFileBuilder().Point(22, 1, 10, 10), UserNameFileBuilder().Name(22, 1, u"一"));
  Open();
  driver->AnswerNext(MessageAnswer::No);
  driver->Click(*window->BtnUserDelete[0]);
  EXPECT_TRUE(card.Exists(kUserFile));
  driver->Click(*window->BtnUserDelete[0]);
  EXPECT_FALSE(card.Exists(kUserFile));
  EXPECT_FALSE(card.Exists(kNamesFile));
  EXPECT_EQ(List().Count(), 0);
}

TEST_F(UserPointPageTest, RowControlsFollowTheScrolledRows) {
  struct Case {
    int points, top;
  };
  for (const Case c : {Case{21, 0}, Case{30, 5}, Case{30, 9}}) {
    SCOPED_TRACE(testing::Message() << c.points << " points, top " << c.top);
    OrbisFileBuilder user;
    for (int i = 0; i < c.points; ++i) user.Point(22, i + 1, 10 + i, 10);
    WriteCard(user);
    Open();
    driver->ScrollTo(List(), c.top);
    for (int r = 0; r < c.points; ++r) {
      SCOPED_TRACE(r);
      const bool in_view = r >= c.top && r < c.top + 21;
      ui::Control* row[] = {&NameEditor(r), &Road(r), window->BtnUserDelete[r]};
      for (ui::Control* ctl : row) {
        if (in_view) {
          EXPECT_EQ(ctl->Top(), List().ItemRect(r).top);
          EXPECT_GE(ctl->Left(), 0);
        } else {
          EXPECT_EQ(ctl->Left(), -1000);
        }
      }
    }
    const int u0 = List().ColumnWidth(0), u1 = List().ColumnWidth(1), u2 = List().ColumnWidth(2);
    EXPECT_EQ(NameEditor(c.top).Left(), u0);
    EXPECT_EQ(NameEditor(c.top).Width(), u1);
    EXPECT_EQ(Road(c.top).Left(), u0 + u1 + u2);
    EXPECT_EQ(window->BtnUserDelete[c.top]->Left(), u0 + u1 + u2 + List().ColumnWidth(3));
  }
}

TEST_F(UserPointPageTest, EnteringARowControlSelectsItsRow) {
  OrbisFileBuilder user;
  for (int i = 0; i < 30; ++i) user.Point(22, i + 1, 10 + i, 10);
  WriteCard(user);
  Open();
  driver->ScrollTo(List(), 6);
  driver->Focus(NameEditor(8));
  EXPECT_EQ(List().Selected(), 8);
  driver->Focus(Road(20));
  EXPECT_EQ(List().Selected(), 20);
}

TEST_F(UserPointPageTest, DrawingPaintsCaptionAndTwoSubItemsHighlightedWhenSelected) {
  WriteCard(OrbisFileBuilder().Point(22, 1, 10, 10).Point(22, 2, 20, 20),
            UserNameFileBuilder().Name(22, 1, u"一"));
  Open();
  List().SetSelected(1);
  driver->Paint(List());
  const auto& ops = List().LastPaint().Ops();
  std::vector<std::u16string> texts;
  int highlighted_fills = 0;
  for (const ui::DrawOp& op : ops) {
    if (op.kind == ui::DrawOp::Kind::Text) texts.push_back(op.text);
    if (op.kind == ui::DrawOp::Kind::FillRect && op.brush == ui::kHighlight) ++highlighted_fills;
  }
  ASSERT_EQ(texts.size(), 6u);  // row 2's empty name is drawn as well
  EXPECT_EQ(texts[0], u"1");
  EXPECT_EQ(texts[1], u"一");
  EXPECT_EQ(texts[2], Cell(0, 1));
  EXPECT_EQ(texts[3], u"2");
  EXPECT_EQ(texts[4], u"");
  EXPECT_EQ(highlighted_fills, 1);
}

TEST_F(UserPointPageTest, MoreThanAHundredPointsShowTheFirstHundredAndLoseNone) {
  OrbisFileBuilder user;
  UserNameFileBuilder names;
  for (int i = 1; i <= 105; ++i) {
    user.Point(22, i, 10, 10);
    names.Name(22, i, u"p" + platform::AnsiToWide(std::to_string(i)));
  }
  WriteCard(user, names);
  Open();
  ASSERT_EQ(List().Count(), 100);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find(u"100"), std::u16string::npos);

  driver->Enter(NameEditor(99), u"百");
  driver->Click(*window->TntButton15);
  driver->Click(*window->BtnUserDelete[98]);  // p99

  auto points = UserFile();
  ASSERT_TRUE(points);
  EXPECT_EQ(points->size(), 104u);
  for (const StoredPoint& p : *points) EXPECT_NE(p.serial, 99u);
  auto stored = NamesFile();
  ASSERT_TRUE(stored);
  ASSERT_EQ(stored->size(), 104u);
  for (const StoredName& n : *stored) {
    const int serial = n.high * 1024 + n.low;
    EXPECT_NE(serial, 99);
    const std::u16string expected =
        serial == 100 ? u"百" : u"p" + platform::AnsiToWide(std::to_string(serial));
    EXPECT_EQ(n.text, expected) << serial;
  }
}

TEST_F(UserPointPageTest, AWriteThatFailsIsReportedInsteadOfWritingDone) {
  WriteCard(OrbisFileBuilder().Point(22, 1, 10, 10), UserNameFileBuilder().Name(22, 1, u"一"));
  Open();
  // Another program holds the names file without sharing.
  platform::File held = platform.files.Open("E:\\Navi\\User\\UserName.orb", platform::Access::Read,
                                            platform::Share::None, platform::Disposition::OpenExisting);
  ASSERT_TRUE(held.IsOpen());
  driver->Enter(NameEditor(0), u"二");
  driver->Click(*window->TntButton15);
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_NE(Messages()[1], pages::kWritingDone);
  EXPECT_NE(window->stMessage3->Caption(), pages::kWritingDone);
  EXPECT_FALSE(window->PanelMessage3->Visible());
  held.Close();
  auto names = NamesFile();
  ASSERT_TRUE(names);
  EXPECT_EQ((*names)[0].text, u"一");
}

TEST_F(UserPointPageTest, NoRowsWithoutAValidPointDatabase) {
  card.NaviExe();
  card.WriteFile(kOrbisFile, OrbisFileBuilder().Version(106).Point(3, 0, 1, 1).Bytes());
  card.WriteFile(kUserFile, OrbisFileBuilder().Point(22, 1, 10, 10).Bytes());
  Open();
  EXPECT_EQ(List().Count(), 0);
  EXPECT_FALSE(NameEditor(0).Visible());
}

}  // namespace
}  // namespace user_point_test

namespace user_point_test {
namespace {

TEST_F(UserPointPageTest, ADeleteThatCannotWriteThePointsKeepsThePointAndItsName) {
  WriteCard(OrbisFileBuilder().Point(22, 1, 10, 10).Point(22, 2, 20, 20),
            UserNameFileBuilder().Name(22, 1, u"一").Name(22, 2, u"二"));
  Open();
  const auto names_before = card.ReadFile(kNamesFile);
  platform::File held = platform.files.Open("E:\\Navi\\User\\user.orb", platform::Access::Read,
                                            platform::Share::None, platform::Disposition::OpenExisting);
  ASSERT_TRUE(held.IsOpen());
  driver->Click(*window->BtnUserDelete[0]);
  held.Close();
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[0], pages::kAskDelete);
  EXPECT_EQ(card.ReadFile(kNamesFile), names_before);
  auto points = UserFile();
  ASSERT_TRUE(points);
  EXPECT_EQ(points->size(), 2u);
  driver->Click(*window->btnGoMenu2);
  driver->Click(*window->btnEditUserPoint);
  ASSERT_EQ(List().Count(), 2);
  EXPECT_EQ(Cell(0, 0), u"一");
}

}  // namespace
}  // namespace user_point_test
