#include "ui/qt/shell_services.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/text.h"
#include "tests/support/fake_services.h"

namespace ui_qt {
namespace {

namespace fs = std::filesystem;

std::string Ansi(std::u16string_view text) {
  return platform::WideToAnsi(text);
}

struct SeenBox {
  QString title, text;
  QStringList buttons;
  bool has_icon = true;
};

// Looks at the box once it runs and presses the button with the given role.
void AnswerNextBox(SeenBox* seen, QMessageBox::StandardButton press) {
  QTimer::singleShot(0, [seen, press]() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->has_icon = box->icon() != QMessageBox::NoIcon;
    for (QAbstractButton* button : box->buttons()) seen->buttons << button->text();
    box->button(press)->click();
  });
}

TEST(QtMessageBox, ShowsExactlyTheCaptionTextAndButtonsAndReturnsTheAnswer) {
  struct Case {
    std::u16string text, caption;
    platform::MessageButtons buttons;
    QMessageBox::StandardButton press;
    platform::MessageAnswer expected;
    QStringList labels;
  } cases[] = {
      {u"SDカードを挿入してください。",
       u"",
       platform::MessageButtons::Ok,
       QMessageBox::Ok,
       platform::MessageAnswer::Ok,
       {QStringLiteral("OK")}},
      {u"登録しますか？",
       u"",
       platform::MessageButtons::YesNo,
       QMessageBox::Yes,
       platform::MessageAnswer::Yes,
       {QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")}},
      {u"削除しますか?",
       u" ",
       platform::MessageButtons::YesNo,
       QMessageBox::No,
       platform::MessageAnswer::No,
       {QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")}},
  };
  QWidget owner;
  QtMessageBox boxes;
  boxes.SetOwner(&owner);
  for (const Case& c : cases) {
    SeenBox seen;
    AnswerNextBox(&seen, c.press);
    EXPECT_EQ(boxes.Show(Ansi(c.text), Ansi(c.caption), c.buttons), c.expected);
    EXPECT_EQ(seen.title, QString::fromStdU16String(c.caption));
    EXPECT_EQ(seen.text, QString::fromStdU16String(c.text));
    EXPECT_FALSE(seen.has_icon);
    seen.buttons.sort();
    QStringList labels = c.labels;
    labels.sort();
    EXPECT_EQ(seen.buttons, labels);
  }
}

void Write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class CopyFixture : public ::testing::Test {
 protected:
  testing_support::TempFolder release, card;
  platform::VolumeTable volumes;
  platform::FileSystem files{volumes};
  QtFolderCopier copier{files};

  void SetUp() override {
    ASSERT_EQ(volumes.AttachFolder(release.path(), 'D'), 'D');
    ASSERT_EQ(volumes.AttachFolder(card.path(), 'E'), 'E');
    const fs::path data = fs::path(release.path()) / "rel" / "Data";
    Write(data / "MapCode.bin", std::string(3 << 20, 'm'));  // more than one chunk
    Write(data / "prefecture.mzb", "boundaries");
    Write(data / "Sub" / "Deep" / "a.txt", "deep");
    Write(data / "Sub" / "b.txt", "bee");
    Write(fs::path(card.path()) / "Navi" / "data" / "prefecture.mzb", "old and longer contents");
    Write(fs::path(card.path()) / "Navi" / "data" / "keep.txt", "kept");
  }
};

TEST_F(CopyFixture, CopiesFilesAndFoldersReplacingWhatIsThere) {
  ASSERT_EQ(copier.Copy("D:\\rel\\Data\\*.*", "E:\\Navi\\data"), 0);
  const fs::path target = fs::path(card.path()) / "Navi" / "data";
  EXPECT_EQ(Read(target / "MapCode.bin"), std::string(3 << 20, 'm'));
  EXPECT_EQ(Read(target / "prefecture.mzb"), "boundaries");
  EXPECT_EQ(Read(target / "Sub" / "Deep" / "a.txt"), "deep");
  EXPECT_EQ(Read(target / "Sub" / "b.txt"), "bee");
  EXPECT_EQ(Read(target / "keep.txt"), "kept");

  // A destination that does not exist yet is made; a pattern picks what it matches.
  ASSERT_EQ(copier.Copy("D:\\rel\\Data\\*.mzb", "E:\\FwUpdate"), 0);
  EXPECT_EQ(Read(fs::path(card.path()) / "FwUpdate" / "prefecture.mzb"), "boundaries");
  EXPECT_FALSE(fs::exists(fs::path(card.path()) / "FwUpdate" / "MapCode.bin"));
}

TEST_F(CopyFixture, FailuresAndCancelAreReported) {
  EXPECT_NE(copier.Copy("D:\\missing\\*.*", "E:\\Navi\\data"), 0);
  EXPECT_NE(copier.Copy("Q:\\rel\\Data\\*.*", "E:\\Navi\\data"), 0);
  EXPECT_NE(copier.Copy("no pattern", "E:\\Navi\\data"), 0);
  Write(fs::path(card.path()) / "blocked", "a file where a folder should be");
  EXPECT_NE(copier.Copy("D:\\rel\\Data\\*.*", "E:\\blocked"), 0);

  int steps = 0;
  bool shown_cancel_button = false;
  copier.on_progress = [&](QProgressDialog& progress) {
    shown_cancel_button = progress.findChild<QPushButton*>() != nullptr;
    if (++steps == 1) progress.cancel();
  };
  EXPECT_EQ(copier.Copy("D:\\rel\\Data\\*.*", "E:\\Other"), QtFolderCopier::kCancelled);
  EXPECT_EQ(steps, 1);
  EXPECT_TRUE(shown_cancel_button);
}

TEST(QtFolderPicker, NamesHostFoldersByTheirDrive) {
  testing_support::TempFolder outer, outside;
  const std::string inner = outer.path() + "/card";
  fs::create_directories(inner + "/リリース/Data");
  platform::VolumeTable volumes;
  volumes.AttachFolder(outer.path(), 'D');
  volumes.AttachFolder(inner, 'F');
  QtFolderPicker picker(volumes);
  EXPECT_EQ(picker.ProgramPathOf(outer.path()), "D:\\");
  EXPECT_EQ(picker.ProgramPathOf(outer.path() + "/other/x/"), "D:\\other\\x");
  EXPECT_EQ(picker.ProgramPathOf(inner + "/リリース/Data"),
            Ansi(u"F:\\リリース\\Data"));  // the closest drive
  // A folder on no drive gets a fixed drive of its own, which is never taken for a card.
  const std::optional<std::string> own = picker.ProgramPathOf(outside.path());
  ASSERT_TRUE(own);
  ASSERT_EQ(own->size(), 3u);
  const platform::Volume* volume = volumes.Find((*own)[0]);
  ASSERT_NE(volume, nullptr);
  EXPECT_EQ(volume->type, platform::DriveType::Fixed);
  EXPECT_EQ(picker.ProgramPathOf(outside.path() + "/sub"), own->substr(0, 3) + "sub");

  QString asked;
  picker.choose = [&](const QString& title) -> std::optional<std::string> {
    asked = title;
    return std::nullopt;
  };
  EXPECT_FALSE(picker.Pick(Ansi(u"フォルダーを選択してください。")));
  EXPECT_EQ(asked, QStringLiteral("フォルダーを選択してください。"));
}

TEST(MatchesPattern, WildcardsIgnoreLetterCase) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {{"Navi.exe", "*.*", true}, {"README", "*.*", true},       {"navi.EXE", "NAVI.exe", true},
               {"a.mzb", "*.mzb", true},  {"a.mzb.bak", "*.mzb", false}, {"ab", "a?", true},
               {"a", "a?", false},        {"x.bin", "*.mzb", false}};
  for (const Case& c : cases)
    EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

}  // namespace
}  // namespace ui_qt
