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
#include "geo/map_code.h"
#include "log/log.h"
#include "tests/support/fake_services.h"
#include "tests/support/headless_driver.h"

#if __has_include("geo/boundary.h")
#include "geo/boundary.h"
#define WINDOW_FIXTURE_REAL_BOUNDARY 1
#endif
#if __has_include("card/orbis.h")
#include "card/orbis.h"
#define WINDOW_FIXTURE_REAL_ORBIS 1
#endif
#if __has_include("card/route_file.h")
#include "card/route_file.h"
#define WINDOW_FIXTURE_REAL_ROUTE 1
#endif

namespace window_test {

// The process-wide objects a window is given. A class that has not landed yet is given as
// storage the window never touches.
struct ProcessObjects {
  explicit ProcessObjects(testing_support::TestPlatform& platform)
#ifdef WINDOW_FIXTURE_REAL_ORBIS
      : orbis_object(platform.files, platform.clock, platform.message_box)
#endif
  {
    (void)platform;
  }
#ifdef WINDOW_FIXTURE_REAL_BOUNDARY
  geo::CBoundary boundary_object;
  geo::CBoundary& boundary() {
    return boundary_object;
  }
#else
  alignas(std::max_align_t) unsigned char boundary_storage[64] = {};
  geo::CBoundary& boundary() {
    return *reinterpret_cast<geo::CBoundary*>(boundary_storage);
  }
#endif
#ifdef WINDOW_FIXTURE_REAL_ORBIS
  card::COrbis orbis_object;
  card::COrbis& orbis() {
    return orbis_object;
  }
#else
  alignas(std::max_align_t) unsigned char orbis_storage[64] = {};
  card::COrbis& orbis() {
    return *reinterpret_cast<card::COrbis*>(orbis_storage);
  }
#endif
#ifdef WINDOW_FIXTURE_REAL_ROUTE
  card::AdbImage route_object;
  card::AdbImage& route() {
    return route_object;
  }
#else
  alignas(std::max_align_t) unsigned char route_storage[64] = {};
  card::AdbImage& route() {
    return *reinterpret_cast<card::AdbImage*>(route_storage);
  }
#endif
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
    std::filesystem::create_directories(root / "Navi");
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
    window = std::make_unique<TFNaviEdit>(platform.services(), log, objects.boundary(), objects.orbis(),
                                          objects.route());
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
