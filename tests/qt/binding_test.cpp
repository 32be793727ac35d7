#include "ui/qt/binding.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "ui/qt/list_widget.h"
#include "ui/qt/shell_services.h"
#include "ui/qt/widgets.h"

namespace ui_qt {
namespace {

// A small form of the kinds the window uses: two edits, a push button, a drive selector
// that discards every typed key, and a list with an editor laid over each visible row.
struct SmallForm {
  ui::Form form{"FSmall"};
  ui::Edit* digits = nullptr;
  ui::Edit* name = nullptr;
  ui::Button* apply = nullptr;
  ui::ComboBox* drive = nullptr;
  ui::ListView* list = nullptr;
  std::vector<ui::Edit*> row_editors;
  std::vector<std::string> events;

  SmallForm() {
    form.SetClientSize(400, 300);
    form.SetText(u"TARNIX MANEGER");
    digits = form.Create<ui::Edit>("edDigits", nullptr);
    digits->SetBounds(10, 10, 100, 20);
    name = form.Create<ui::Edit>("edName", nullptr);
    name->SetBounds(10, 40, 100, 20);
    apply = form.Create<ui::Button>("btnApply", nullptr);
    apply->SetBounds(120, 10, 80, 24);
    apply->SetText(u"登録");
    drive = form.Create<ui::ComboBox>("ComboBoxDrive", nullptr);
    drive->SetBounds(210, 10, 60, 20);
    drive->SetItems({u"E:", u"G:"});
    drive->SetItemIndex(1);
    list = form.Create<ui::ListView>("lvRows", nullptr);
    list->SetBounds(10, 80, 300, 2 * ui::ListView::kBorder + ui::ListView::kHeaderHeight + 5 * 18);
    list->AddColumn(u"No.", 40);
    list->AddColumn(u"名称", 140);
    for (int row = 0; row < 20; ++row) list->AddItem(std::u16string(u"行") + char16_t(u'0' + row % 10));
    for (int row = 0; row < 20; ++row) {
      ui::Edit* editor = form.Create<ui::Edit>("pEdRow_" + std::to_string(row), list);
      editor->SetBounds(-1000, 0, 140, 18);
      editor->SetTag(row);
      row_editors.push_back(editor);
    }
    digits->OnKeyPress = [this](ui::Control&, char16_t& key) {
      if (!(key >= u'0' && key <= u'9') && key != 8) key = 0;
    };
    digits->OnChange = [this](ui::Control&) { events.push_back("digits change"); };
    digits->OnExit = [this](ui::Control&) { events.push_back("digits exit"); };
    digits->OnEnter = [this](ui::Control&) { events.push_back("digits enter"); };
    apply->OnClick = [this](ui::Control&) { events.push_back("apply click"); };
    drive->OnKeyPress = [](ui::Control&, char16_t& key) { key = 0; };
    // The rows' editors follow their rows whenever the list paints, parked when out of view.
    list->OnDrawItem = [this](ui::ListView& sender, int item, const ui::Rect& rect, ui::ItemState,
                              ui::Canvas& canvas) {
      canvas.SetBrushColor(ui::kWhite);
      canvas.TextRect(rect, rect.left + 2, rect.top + 2, sender.Item(item)->caption);
      for (int row = 0; row < 20; ++row) {
        const bool in_view = row >= sender.TopIndex() && row < sender.TopIndex() + sender.VisibleRowCount();
        row_editors[row]->SetLeft(in_view ? sender.ColumnLeft(1) : -1000);
        if (in_view) row_editors[row]->SetTop(sender.ItemRect(row).top);
      }
    };
    list->LockHeader();
  }
};

class BindingTest : public ::testing::Test {
 protected:
  SmallForm small;
  Binding binding{small.form};

  void SetUp() override {
    binding.Window().ShowCentred();
    binding.Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&binding.Window()));
  }
  template <class T>
  T* Widget(const char* name) {
    return qobject_cast<T*>(binding.WidgetNamed(name));
  }
};

TEST_F(BindingTest, WindowAndWidgetsCarryTheModelsNamesSizeAndTexts) {
  EXPECT_EQ(binding.Window().windowTitle(), QStringLiteral("TARNIX MANEGER"));
  EXPECT_EQ(binding.Window().size(), QSize(400, 300));
  EXPECT_EQ(binding.Window().minimumSize(), binding.Window().maximumSize());  // not resizable
  const Qt::WindowFlags flags = binding.Window().windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));

  for (const char* name : {"edDigits", "btnApply", "ComboBoxDrive", "lvRows", "pEdRow_3"}) {
    QWidget* widget = binding.WidgetNamed(name);
    ASSERT_NE(widget, nullptr) << name;
    EXPECT_EQ(widget->objectName(), QString::fromUtf8(name));
    EXPECT_EQ(widget->accessibleName(), QString::fromUtf8(name));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    ASSERT_NE(accessible, nullptr) << name;
    // Combo boxes announce their value as their name on this desktop; every other control its name.
    if (!qobject_cast<QComboBox*>(widget)) {
      EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8(name));
    }
  }
  small.name->SetText(u"東京タワー");
  QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(binding.WidgetNamed("edName"));
  EXPECT_EQ(edit->text(QAccessible::Value), QStringLiteral("東京タワー"));
  QAccessibleInterface* button = QAccessible::queryAccessibleInterface(binding.WidgetNamed("btnApply"));
  EXPECT_EQ(button->text(QAccessible::Description), QStringLiteral("登録"));
  EXPECT_EQ(Widget<QComboBox>("ComboBoxDrive")->currentText(), QStringLiteral("G:"));
  EXPECT_EQ(Widget<QComboBox>("ComboBoxDrive")->count(), 2);
}

TEST_F(BindingTest, KeysReachOnKeyPressFirstAndDiscardedOnesNeverShow) {
  auto* digits = Widget<QLineEdit>("edDigits");
  QTest::mouseClick(digits, Qt::LeftButton);
  QTest::keyClicks(digits, "1a2b3");
  EXPECT_EQ(digits->text(), QStringLiteral("123"));
  EXPECT_EQ(small.digits->Text(), u"123");
  QTest::keyClick(digits, Qt::Key_Backspace);
  EXPECT_EQ(small.digits->Text(), u"12");

  auto* drive = Widget<QComboBox>("ComboBoxDrive");
  QTest::mouseClick(drive->lineEdit(), Qt::LeftButton);
  QTest::keyClicks(drive->lineEdit(), "X:");
  QTest::keyClick(drive->lineEdit(), Qt::Key_Backspace);
  EXPECT_EQ(drive->currentText(), QStringLiteral("G:"));
  EXPECT_EQ(small.drive->Text(), u"G:");

  // Text committed by the input method goes through OnKeyPress character by character.
  auto commit = [](QWidget* target, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(target, &event);
  };
  commit(digits, QStringLiteral("東4京"));
  EXPECT_EQ(small.digits->Text(), u"124");
  commit(drive->lineEdit(), QStringLiteral("東京"));
  EXPECT_EQ(drive->currentText(), QStringLiteral("G:"));

  // An edit without a key handler edits as usual, and the model follows.
  auto* name = Widget<QLineEdit>("edName");
  QTest::mouseClick(name, Qt::LeftButton);
  QTest::keyClicks(name, "ab");
  QTest::keyClick(name, Qt::Key_Home);
  QTest::keyClicks(name, "x");
  EXPECT_EQ(small.name->Text(), u"xab");
  commit(name, QStringLiteral("東京"));
  EXPECT_EQ(small.name->Text(), u"x東京ab");  // at the cursor
}

TEST_F(BindingTest, AClickedButtonTakesTheFocusSoTheFieldsExitRunsFirst) {
  QTest::mouseClick(Widget<QLineEdit>("edDigits"), Qt::LeftButton);
  EXPECT_EQ(small.form.FocusedControl(), small.digits);
  small.events.clear();
  QTest::mouseClick(Widget<QPushButton>("btnApply"), Qt::LeftButton);
  EXPECT_EQ(small.events, (std::vector<std::string>{"digits exit", "apply click"}));
  EXPECT_EQ(small.form.FocusedControl(), small.apply);
}

TEST_F(BindingTest, MessageBoxesAndOtherWindowsMoveNoModelFocus) {
  // Activating the window made Qt focus its first edit; the model's focus stays on the form.
  QApplication::processEvents();
  EXPECT_EQ(small.form.FocusedControl(), nullptr);
  EXPECT_TRUE(small.events.empty());

  QTest::mouseClick(Widget<QLineEdit>("edDigits"), Qt::LeftButton);
  small.events.clear();
  QtMessageBox boxes;
  boxes.SetOwner(&binding.Window());
  QTimer::singleShot(0, []() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
  });
  boxes.Show("text", "", platform::MessageButtons::Ok);
  QApplication::processEvents();

  QWidget other;
  other.resize(100, 100);
  other.show();
  QApplication::setActiveWindow(&other);
  QApplication::processEvents();
  QApplication::setActiveWindow(&binding.Window());
  QApplication::processEvents();
  EXPECT_TRUE(small.events.empty()) << small.events.front();
  EXPECT_EQ(small.form.FocusedControl(), small.digits);
}

TEST_F(BindingTest, ListRowsPaintThroughTheHandlerAndEditorsStayOverTheirRows) {
  auto* list = Widget<ListWidget>("lvRows");
  ASSERT_NE(list, nullptr);
  const size_t paints = small.list->PaintCount();
  list->Client()->repaint();
  EXPECT_GT(small.list->PaintCount(), paints);
  QWidget* row2 = binding.WidgetNamed("pEdRow_2");
  EXPECT_EQ(row2->parentWidget(), list->Client());
  EXPECT_EQ(row2->geometry(), QRect(40, ui::ListView::kHeaderHeight + 2 * 18, 140, 18));

  // Scrolling by the scroll bar moves the top row; the next paint lays the editors anew.
  auto* bar = list->findChild<QScrollBar*>();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(bar->isVisible());
  bar->setValue(2);
  EXPECT_EQ(small.list->TopIndex(), 2);
  list->Client()->repaint();
  EXPECT_EQ(row2->geometry().top(), ui::ListView::kHeaderHeight);
  EXPECT_EQ(binding.WidgetNamed("pEdRow_6")->geometry().top(), ui::ListView::kHeaderHeight + 4 * 18);
  EXPECT_EQ(binding.WidgetNamed("pEdRow_0")->geometry().left(), -1000);
}

TEST_F(BindingTest, ALockedHeaderRefusesClicksDragsAndTheResizeCursor) {
  auto* list = Widget<ListWidget>("lvRows");
  QWidget* client = list->Client();
  int clicks = 0;
  small.list->OnColumnClick = [&](ui::ListView&, int) { ++clicks; };
  const QPoint border(40, 10);  // between column 0 and 1, in the header
  auto drag = [&]() {
    QTest::mousePress(client, Qt::LeftButton, {}, border);
    QMouseEvent move(QEvent::MouseMove, QPointF(border + QPoint(30, 0)),
                     client->mapToGlobal(QPointF(border + QPoint(30, 0))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(client, &move);
    QTest::mouseRelease(client, Qt::LeftButton, {}, border + QPoint(30, 0));
    QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(100, 10));
  };
  auto hover_cursor = [&]() {
    QMouseEvent move(QEvent::MouseMove, QPointF(border), client->mapToGlobal(QPointF(border)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(client, &move);
    return client->cursor().shape();
  };
  drag();
  EXPECT_EQ(small.list->ColumnWidth(0), 40);
  EXPECT_EQ(clicks, 0);
  EXPECT_NE(hover_cursor(), Qt::SplitHCursor);

  // The same gestures on an unlocked header do change it: the test sees what a lock prevents.
  small.list->SetHeaderLocked(false);
  EXPECT_EQ(hover_cursor(), Qt::SplitHCursor);
  drag();
  EXPECT_EQ(small.list->ColumnWidth(0), 70);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace ui_qt
