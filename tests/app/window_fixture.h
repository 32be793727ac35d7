// A main window on a fake platform, with cards made of temporary folders.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "card/orbis.h"
#include "card/route_file.h"
#include "geo/boundary.h"
#include "geo/map_code.h"
#include "log/log.h"
#include "tests/support/fake_services.h"
#include "tests/support/headless_driver.h"

namespace window_test {

// The process-wide objects a window is given.
struct ProcessObjects {
  explicit ProcessObjects(testing_support::TestPlatform& platform)
      : orbis(platform.files, platform.clock, platform.message_box) {}
  geo::CBoundary boundary;
  card::COrbis orbis;
  card::AdbImage route;
};

// What a test card holds.
struct CardSpec {
  bool program = true;                     // Navi\Navi.exe
  std::optional<std::string> version_ini;  // Navi\Version.ini, as bytes; none for no file
  std::string file_system = "FAT32";
  platform::DriveType type = platform::DriveType::Removable;

  CardSpec& Ini(std::optional<std::string> bytes) {
    version_ini = std::move(bytes);
    return *this;
  }
  CardSpec& NoProgram() {
    program = false;
    return *this;
  }
  CardSpec& FileSystem(std::string name) {
    file_system = std::move(name);
    return *this;
  }
  CardSpec& Type(platform::DriveType drive_type) {
    type = drive_type;
    return *this;
  }
};

inline std::string VersionIni(const std::string& gps, const std::string& firm, const std::string& navi) {
  return "[Version]\r\nGPS Version=" + gps + "\r\nFirm Version=" + firm + "\r\nNavi Version=" + navi + "\r\n";
}

class WindowTest : public ::testing::Test {
 protected:
  testing_support::TestPlatform platform;
  CLog log;
  ScopedLog scoped_log{log};
  ProcessObjects objects{platform};
  std::vector<std::unique_ptr<testing_support::TempFolder>> folders;
  std::unique_ptr<TFNaviEdit> window;
  std::unique_ptr<testing_support::HeadlessDriver> driver;

  // Writes a card into a new temporary folder and puts it at `letter`.
  void AddCard(char letter, const CardSpec& spec = {}) {
    folders.push_back(std::make_unique<testing_support::TempFolder>());
    const std::filesystem::path root = folders.back()->path();
    std::filesystem::create_directories(root / "Navi" / "Data");
    if (spec.program) std::ofstream(root / "Navi" / "Navi.exe") << "MZ";
    if (spec.version_ini) std::ofstream(root / "Navi" / "Version.ini", std::ios::binary) << *spec.version_ini;
    platform::Volume volume;
    volume.host_root = root.string();
    volume.type = spec.type;
    volume.file_system = spec.file_system;
    volume.label = "CARD";
    ASSERT_TRUE(platform.volumes.Attach(letter, volume)) << letter;
  }
  std::string HostRoot(char letter) const { return platform.volumes.Find(letter)->host_root; }

  // Constructs the window and runs FormCreate, as the program's start does.
  void Start() {
    window = std::make_unique<TFNaviEdit>(platform.services(), log, objects.boundary, objects.orbis,
                                          objects.route);
    window->FormCreate();
    driver = std::make_unique<testing_support::HeadlessDriver>(window->Form(), platform.message_box);
  }

  std::vector<std::u16string> DriveItems() const { return window->ComboBoxDrive->Items(); }
  int Page() const { return window->nbMainMenu->PageIndex(); }
  // The texts of every message box shown so far.
  std::vector<std::u16string> Messages() const {
    std::vector<std::u16string> texts;
    for (const auto& shown : platform.message_box.shown) texts.push_back(shown.Text());
    return texts;
  }
};

}  // namespace window_test
