// Widgets stack as the model's controls do: in creation order, a re-parented control on
// top. Moving or resizing a control must not lift it over the controls created after it
// (the favorites rows lay their minute and second fields over a wider degree field).
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "ui/qt/binding.h"
#include "ui/qt/widgets.h"
#include "ui/ui.h"

namespace ui_qt {
namespace {

TEST(StackingTest, AWidenedControlStaysBelowTheControlsCreatedAfterIt) {
  ui::Form form{"FStack"};
  form.SetClientSize(300, 100);
  ui::Edit* degrees = form.Create<ui::Edit>("edDeg", nullptr);
  degrees->SetBounds(10, 10, 30, 20);
  ui::Edit* minutes = form.Create<ui::Edit>("edMin", nullptr);
  minutes->SetBounds(41, 10, 30, 20);
  ui::Edit* later = form.Create<ui::Edit>("edLater", nullptr);
  later->SetBounds(200, 60, 30, 20);
  Binding binding{form};
  binding.Window().ShowCentred();
  QApplication::processEvents();

  degrees->SetBounds(10, 10, 90, 20);  // now spans the minute field too
  QApplication::processEvents();
  QWidget* parent = binding.WidgetOf(minutes)->parentWidget();
  ASSERT_NE(parent, nullptr);
  EXPECT_EQ(parent->childAt(50, 15), binding.WidgetOf(minutes));
  EXPECT_EQ(parent->childAt(20, 15), binding.WidgetOf(degrees));

  // A control moved to a new parent goes on top of it.
  later->SetParent(&form);
  later->SetBounds(45, 10, 30, 20);
  QApplication::processEvents();
  EXPECT_EQ(parent->childAt(50, 15), binding.WidgetOf(later));
}

}  // namespace
}  // namespace ui_qt
