// A main window with its pages installed, a card at E: and a release unpacked on
// a fixed drive C:, copied for real by the plain copier behind the recording fake.
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
#include "log/log.h"
#include "pages/update_page.h"
#include "tests/pages/page_fixture.h"
#include "tests/support/card_builder.h"
#include "tests/support/fake_services.h"
#include "tests/support/headless_driver.h"
#include "tests/support/plain_folder_copier.h"

namespace update_test {

inline std::string Ini(const std::string& lines) {
  return "[Version]\r\n" + lines;
}

class UpdatePageTest : public pages::PageTest {
 protected:
  testing_support::TempFolder release_root;
  testing_support::PlainFolderCopier copier{platform.files};

  void SetUp() override {
    platform::Volume volume;
    volume.host_root = release_root.path();
    volume.type = platform::DriveType::Fixed;
    volume.file_system = "NTFS";
    ASSERT_TRUE(platform.volumes.Attach('C', volume));
    platform.folder_copier.then = &copier;
  }

  // A file of the release below C:\ (relative path in UTF-8 with "/").
  void ReleaseFile(const std::string& relative, const std::string& bytes) {
    const std::filesystem::path path = std::filesystem::path(release_root.path()) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  void ReleaseFolder(const std::string& relative) {
    std::filesystem::create_directories(std::filesystem::path(release_root.path()) / relative);
  }

  void Start() {
    PageTest::Start();
    ASSERT_EQ(window->m_nCardFound, 1);
  }

  // The folder picker answers `path` (none: the user cancels) to the next folder button.
  void PickNext(std::optional<std::string> path) { platform.folder_picker.next = std::move(path); }

  std::optional<std::string> CardVersion(const char* key) {
    auto bytes = card.ReadFile("Navi/Version.ini");
    if (!bytes) return std::nullopt;
    const std::string needle = std::string(key) + "=";
    const size_t at = bytes->find(needle);
    if (at == std::string::npos) return std::nullopt;
    const size_t end = bytes->find_first_of("\r\n", at);
    return bytes->substr(at + needle.size(), end - at - needle.size());
  }
};

}  // namespace update_test
