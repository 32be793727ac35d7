// A main window with every page installed, on a fake platform with one device card at
// E:, driven through the headless driver.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "card/orbis.h"
#include "card/route_file.h"
#include "geo/boundary.h"
#include "log/log.h"
#include "pages/install_pages.h"
#include "tests/support/card_builder.h"
#include "tests/support/fake_services.h"
#include "tests/support/headless_driver.h"

namespace pages {

inline constexpr char kRouteFile[] = "Navi/Pelmo.adb";

// A route file with only a destination (the waypoint absent, at 0, 0).
inline testing_support::RouteFileContent DestinationOnly(uint8_t flag, int32_t x, int32_t y,
                                                         std::string name) {
  testing_support::RouteFileContent content;
  content.destination_flag = flag;
  content.destination_x = x;
  content.destination_y = y;
  content.destination_name = std::move(name);
  return content;
}

class PageTest : public ::testing::Test {
 protected:
  testing_support::TestPlatform platform;
  CLog log;
  ScopedLog scoped_log{log};
  geo::CBoundary boundary;
  card::COrbis orbis{platform.files, platform.clock, platform.message_box};
  card::AdbImage route;
  testing_support::CardBuilder card{platform};
  std::unique_ptr<TFNaviEdit> window;
  std::unique_ptr<testing_support::HeadlessDriver> driver;

  PageTest() { card.NaviExe(); }

  // Constructs the window with its pages and runs FormCreate, as the program's start does.
  void Start() {
    driver.reset();
    window.reset();  // a window of an earlier step lets go of the route file first
    window = std::make_unique<TFNaviEdit>(platform.services(), log, boundary, orbis, route);
    InstallPages(*window);
    window->FormCreate();
    driver = std::make_unique<testing_support::HeadlessDriver>(window->Form(), platform.message_box);
  }
  void OpenDestinationPage() { driver->Click(*window->btnDestination); }
  void StartOnDestinationPage() {
    Start();
    OpenDestinationPage();
  }

  std::string RouteBytes() const { return card.ReadFile(kRouteFile).value_or(""); }
  // Block 0 of the route file on the card, read from its bytes (the window holds the file).
  card::AdbImage ReadBackRoute() const {
    card::AdbImage image;
    const std::string bytes = RouteBytes();
    std::vector<uint8_t>& block0 = image.blocks[0];
    EXPECT_GE(bytes.size(), 512 + block0.size());
    for (size_t i = 0; i < block0.size() && 512 + i < bytes.size(); ++i) block0[i] = bytes[512 + i];
    return image;
  }

  // The six fields of a point, longitude first: deg, min, sec, deg, min, sec.
  std::vector<std::u16string> Fields(const std::string& prefix) const {
    std::vector<std::u16string> texts;
    for (const char* part : {"NDeg", "NMin", "NSec", "EDeg", "EMin", "ESec"}) {
      texts.push_back(driver->TextOf(prefix + part));
    }
    return texts;
  }
  void TypeFields(const std::string& prefix, const std::vector<std::u16string>& texts) {
    const char* parts[] = {"NDeg", "NMin", "NSec", "EDeg", "EMin", "ESec"};
    for (size_t i = 0; i < texts.size(); ++i) driver->Enter(*driver->Find(prefix + parts[i]), texts[i]);
  }
  void Register(platform::MessageAnswer answer = platform::MessageAnswer::Yes) {
    driver->AnswerNext(answer);
    driver->Click(*window->TntButton13);
  }
  void Delete(ui::Control& button, platform::MessageAnswer answer = platform::MessageAnswer::Yes) {
    driver->AnswerNext(answer);
    driver->Click(button);
  }
  std::vector<std::u16string> Messages() const {
    std::vector<std::u16string> texts;
    for (const auto& shown : platform.message_box.shown) texts.push_back(shown.Text());
    return texts;
  }
};

}  // namespace pages
