// The destination page in the real window: a position typed into the widgets and
// registered reaches the route file on the card.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "app/main_window.h"
#include "card/orbis.h"
#include "card/route_file.h"
#include "geo/boundary.h"
#include "geo/datum.h"
#include "geo/dms.h"
#include "geo/map_units.h"
#include "log/log.h"
#include "pages/install_pages.h"
#include "tests/support/card_builder.h"
#include "tests/support/fake_services.h"
#include "ui/qt/binding.h"
#include "ui/qt/widgets.h"

namespace ui_qt {
namespace {

int32_t Int32At(const std::string& bytes, size_t offset) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes.at(offset + i));
  return static_cast<int32_t>(value);
}

TEST(DestinationPageQt, PositionTypedIntoTheWidgetsIsRegisteredOnTheCard) {
  testing_support::TestPlatform platform;
  CLog log;
  geo::CBoundary boundary;
  card::COrbis orbis{platform.files, platform.clock, platform.message_box};
  card::AdbImage route;
  testing_support::CardBuilder card(platform);
  card.NaviExe().RouteFile();
  const std::string before = card.ReadFile("Navi/Pelmo.adb").value();

  auto window = std::make_unique<TFNaviEdit>(platform.services(), log, boundary, orbis, route);
  pages::InstallPages(*window);
  window->FormCreate();
  auto binding = std::make_unique<Binding>(window->Form());
  binding->Window().ShowCentred();
  binding->Window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&binding->Window()));

  QWidget* menu_button = binding->WidgetNamed("btnDestination");
  ASSERT_NE(menu_button, nullptr);
  QTest::mouseClick(menu_button, Qt::LeftButton);
  ASSERT_EQ(window->nbMainMenu->PageIndex(), TFNaviEdit::kDestinationPage);

  const std::pair<const char*, const char*> typed[] = {
      {"edDesName", "Home"}, {"edDesNDeg", "139"}, {"edDesNMin", "45"}, {"edDesNSec", "30.0"},
      {"edDesEDeg", "35"},   {"edDesEMin", "40"},  {"edDesESec", "0.0"}};
  for (const auto& [name, text] : typed) {
    auto* edit = qobject_cast<QLineEdit*>(binding->WidgetNamed(name));
    ASSERT_NE(edit, nullptr) << name;
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromUtf8(text));
  }
  // A letter is refused by the degree field's key filter.
  auto* degrees = qobject_cast<QLineEdit*>(binding->WidgetNamed("edDesEDeg"));
  QTest::keyClicks(degrees, "x");
  EXPECT_EQ(degrees->text(), QStringLiteral("35"));

  QTest::mouseClick(binding->WidgetNamed("TntButton13"), Qt::LeftButton);

  const std::string after = card.ReadFile("Navi/Pelmo.adb").value();
  ASSERT_EQ(after.size(), before.size());
  EXPECT_NE(after, before);
  float tokyo_lon = 0, tokyo_lat = 0;
  geo::WGS2Bessel(geo::ComposeDms(139, 45, 30.0), geo::ComposeDms(35, 40, 0.0), tokyo_lon, tokyo_lat);
  EXPECT_EQ(static_cast<uint8_t>(after[512 + 7]), 1);
  EXPECT_EQ(Int32At(after, 512 + 24), geo::LongitudeToUnits(tokyo_lon));
  EXPECT_EQ(Int32At(after, 512 + 64), geo::LatitudeToUnits(tokyo_lat));
  EXPECT_EQ(after.substr(512 + 136, 5), std::string("Home\0", 5));
  EXPECT_FALSE(window->PanelMessage1->Visible());

  binding.reset();
  window.reset();
}

}  // namespace
}  // namespace ui_qt
