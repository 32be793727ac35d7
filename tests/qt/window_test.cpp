// The real main window through its widgets: navigation, the drive selector, the header
// lock, the window's size and fonts, and the pictures of its pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRawFont>
#include <QTest>
#include <memory>

#include "app/main_window.h"
#include "card/orbis.h"
#include "card/route_file.h"
#include "geo/boundary.h"
#include "log/log.h"
#include "pages/install_pages.h"
#include "tests/support/card_builder.h"
#include "tests/support/fake_services.h"
#include "ui/qt/binding.h"
#include "ui/qt/fonts.h"
#include "ui/qt/list_widget.h"
#include "ui/qt/widgets.h"

namespace ui_qt {
namespace {

class WindowTest : public ::testing::Test {
 protected:
  testing_support::TestPlatform platform;
  CLog log;
  geo::CBoundary boundary;
  card::COrbis orbis{platform.files, platform.clock, platform.message_box};
  card::AdbImage route;
  std::unique_ptr<testing_support::CardBuilder> card;
  std::unique_ptr<TFNaviEdit> window;
  std::unique_ptr<Binding> binding;

  void InsertCard() {
    card = std::make_unique<testing_support::CardBuilder>(platform);
    card->NaviExe().RouteFile().VersionIni("[Version]\r\nGPS Version=1.0.1\r\n");
  }
  void Start() {
    window = std::make_unique<TFNaviEdit>(platform.services(), log, boundary, orbis, route);
    pages::InstallPages(*window);
    window->FormCreate();
    binding = std::make_unique<Binding>(window->Form());
    binding->Window().ShowCentred();
    binding->Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&binding->Window()));
  }
  void TearDown() override {
    binding.reset();
    window.reset();
  }
  QWidget* Widget(const char* name) {
    QWidget* widget = binding->WidgetNamed(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  bool PageShown(const char* page) { return Widget(page)->isVisible(); }
};

TEST_F(WindowTest, TheWindowHasItsCaptionFixedClientSizeAndGothicFont) {
  Start();
  FormWindow& shown = binding->Window();
  EXPECT_EQ(shown.windowTitle(), QStringLiteral("TARNIX MANEGER"));
  EXPECT_EQ(shown.size(), QSize(798, 564));
  EXPECT_EQ(shown.minimumSize(), QSize(798, 564));
  EXPECT_EQ(shown.maximumSize(), QSize(798, 564));
  EXPECT_FALSE(shown.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  const QFont font = Widget("lblVer")->font();
  EXPECT_EQ(font.families().value(0), QStringLiteral("MS Gothic"));
  EXPECT_TRUE(font.families().contains(QStringLiteral("IPAGothic")));
  EXPECT_EQ(font.pixelSize(), 13);
  EXPECT_TRUE(HasJapaneseFont());
}

TEST_F(WindowTest, MenuButtonsWithoutACardShowTheNoticeAndStay) {
  Start();
  for (const char* button :
       {"btnDestination", "btnEditBookmark", "btnEditUserPoint", "btnSetGPS", "btnSetFirm", "btnSetNavi"}) {
    platform.message_box.shown.clear();
    QTest::mouseClick(Widget(button), Qt::LeftButton);
    ASSERT_EQ(platform.message_box.shown.size(), 1u) << button;
    EXPECT_EQ(platform.message_box.shown[0].Text(), u"SDカードを挿入してください。");
    EXPECT_EQ(platform.message_box.shown[0].caption, "");
    EXPECT_EQ(platform.message_box.shown[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(window->nbMainMenu->PageIndex(), 0) << button;
    EXPECT_TRUE(PageShown("Default"));
  }
}

TEST_F(WindowTest, WithACardAMenuButtonOpensItsPageAndTheReturnButtonComesBack) {
  InsertCard();
  Start();
  QTest::mouseClick(Widget("btnDestination"), Qt::LeftButton);
  EXPECT_TRUE(platform.message_box.shown.empty());
  EXPECT_EQ(window->nbMainMenu->PageIndex(), 1);
  EXPECT_TRUE(PageShown("nbDestination"));
  EXPECT_FALSE(PageShown("Default"));
  QTest::mouseClick(Widget("btnGoManu"), Qt::LeftButton);
  EXPECT_TRUE(PageShown("Default"));
  EXPECT_FALSE(PageShown("nbDestination"));
}

TEST_F(WindowTest, ACharacterTypedIntoTheDriveSelectorNeverAppears) {
  InsertCard();
  Start();
  auto* drive = qobject_cast<QComboBox*>(Widget("ComboBoxDrive"));
  ASSERT_NE(drive, nullptr);
  EXPECT_EQ(drive->currentText(), QStringLiteral("E:"));
  QTest::mouseClick(drive->lineEdit(), Qt::LeftButton);
  QTest::keyClicks(drive->lineEdit(), "G");
  QTest::keyClick(drive->lineEdit(), Qt::Key_Backspace);
  EXPECT_EQ(drive->currentText(), QStringLiteral("E:"));
  EXPECT_EQ(window->ComboBoxDrive->Text(), u"E:");
}

TEST_F(WindowTest, ClicksAndDragsOnEveryListHeaderChangeNothing) {
  InsertCard();
  Start();
  struct Case {
    const char* list;
    const char* open;
  } cases[] = {{"lvDes", "btnDestination"},
               {"lvPass", nullptr},
               {"lvFav", "btnEditBookmark"},
               {"lvFavList", nullptr},
               {"lvUser", "btnEditUserPoint"}};
  for (const Case& c : cases) {
    if (c.open != nullptr) {
      window->nbMainMenu->SetPageIndex(0);
      QTest::mouseClick(Widget(c.open), Qt::LeftButton);
    }
    auto* list = qobject_cast<ListWidget*>(Widget(c.list));
    ASSERT_NE(list, nullptr) << c.list;
    ui::ListView& model = list->Model();
    ASSERT_GT(model.ColumnCount(), 1) << c.list;
    std::vector<int> widths;
    for (int column = 0; column < model.ColumnCount(); ++column) widths.push_back(model.ColumnWidth(column));
    QWidget* client = list->Client();
    const QPoint border(model.ColumnLeft(1), 8);
    QTest::mousePress(client, Qt::LeftButton, {}, border);
    QMouseEvent drag(QEvent::MouseMove, QPointF(border + QPoint(25, 0)),
                     client->mapToGlobal(QPointF(border + QPoint(25, 0))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(client, &drag);
    QTest::mouseRelease(client, Qt::LeftButton, {}, border + QPoint(25, 0));
    QMouseEvent hover(QEvent::MouseMove, QPointF(border), client->mapToGlobal(QPointF(border)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(client, &hover);
    EXPECT_NE(client->cursor().shape(), Qt::SplitHCursor) << c.list;
    for (int column = 0; column < model.ColumnCount(); ++column) {
      EXPECT_EQ(model.ColumnWidth(column), widths[column]) << c.list << " column " << column;
    }
  }
}

// Pixels that differ clearly between two pictures of the same size.
int DifferentPixels(const QImage& a, const QImage& b) {
  int different = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 96) ++different;
    }
  }
  return different;
}

int InkPixels(const QImage& image) {
  int ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
  }
  return ink;
}

// The caption of a title label must be drawn in a face that holds its characters and look
// like that text drawn by hand: a blank label or boxes instead of glyphs fail.
void ExpectJapaneseCaption(QWidget* widget, const QString& caption) {
  auto* label = qobject_cast<QLabel*>(widget);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), caption);
  const QRawFont face = QRawFont::fromFont(label->font());
  for (QChar c : caption)
    EXPECT_TRUE(face.supportsCharacter(c)) << "no glyph for U+" << std::hex << int(c.unicode());
  const QImage shown = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QImage expected(shown.size(), QImage::Format_RGB32);
  expected.fill(shown.pixel(shown.width() - 1, shown.height() - 1));
  {
    QPainter painter(&expected);
    painter.setFont(label->font());
    painter.setPen(Qt::black);
    painter.drawText(expected.rect(), int(label->alignment()), caption);
  }
  EXPECT_GT(InkPixels(shown), 40);
  EXPECT_LT(DifferentPixels(shown, expected), shown.width() * shown.height() / 50);
  QImage boxes(shown.size(), QImage::Format_RGB32);
  boxes.fill(Qt::white);
  {
    QPainter painter(&boxes);
    painter.setPen(Qt::black);
    const int height = QFontMetrics(label->font()).height();
    for (int i = 0; i < caption.size(); ++i) painter.drawRect(1 + i * height, 2, height - 4, height - 4);
  }
  EXPECT_GT(DifferentPixels(shown, boxes), InkPixels(shown) / 4);
}

TEST_F(WindowTest, RenderedPagesAreNotBlankAndShowTheirJapaneseCaptions) {
  InsertCard();
  Start();
  QApplication::processEvents();
  const QImage menu = binding->Window().grab().toImage();
  ASSERT_EQ(menu.size(), QSize(798, 564));
  EXPECT_EQ(QColor(menu.pixel(5, 5)), QColor(0, 0, 128));      // the navy bar
  EXPECT_EQ(QColor(menu.pixel(400, 100)), QColor(Qt::white));  // the page
  const QRect picture = Widget("btnDestination")->geometry();
  EXPECT_NE(QColor(menu.pixel(picture.center())), QColor(Qt::white));  // the menu picture is drawn
  ExpectJapaneseCaption(Widget("lblMenu"), QStringLiteral("メインメニュー"));

  QTest::mouseClick(Widget("btnDestination"), Qt::LeftButton);
  QApplication::processEvents();
  const QImage destination = binding->Window().grab().toImage();
  EXPECT_EQ(QColor(destination.pixel(5, 5)), QColor(0, 0, 128));
  EXPECT_GT(DifferentPixels(menu, destination), 1000);
  ExpectJapaneseCaption(Widget("lblDes"), QStringLiteral("目的地、経由地の設定"));
}

}  // namespace
}  // namespace ui_qt
