// A card folder attached as drive E: with the three ORBIS files written by the builders,
// and a store over the test platform.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "card/orbis.h"
#include "tests/support/fake_services.h"
#include "tests/support/orbis_builder.h"

namespace orbis_test {

inline constexpr const char* kOrbisPath = "E:\\Navi\\Data\\orbis.orb";
inline constexpr const char* kUserPath = "E:\\Navi\\User\\user.orb";
inline constexpr const char* kNamesPath = "E:\\Navi\\User\\UserName.orb";
inline constexpr const char* kOrbisFile = "Navi/Data/orbis.orb";
inline constexpr const char* kUserFile = "Navi/User/user.orb";
inline constexpr const char* kNamesFile = "Navi/User/UserName.orb";

class OrbisTest : public ::testing::Test {
 protected:
  OrbisTest() {
    platform_.volumes.AttachFolder(temp_.path(), 'E');
    std::filesystem::create_directories(Host("Navi/Data"));
    std::filesystem::create_directories(Host("Navi/User"));
  }

  std::string Host(const std::string& relative) const { return temp_.path() + "/" + relative; }

  void Write(const std::string& relative, const std::string& bytes) const {
    std::ofstream out(Host(relative), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  std::optional<std::string> Read(const std::string& relative) const {
    std::ifstream in(Host(relative), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
  }

  bool Exists(const std::string& relative) const { return std::filesystem::exists(Host(relative)); }

  // One orbis.orb point of type 0, enough for the user files to be read.
  static std::string MinimalOrbis() { return testing_support::OrbisFileBuilder().Point(0, 0, 0, 0).Bytes(); }

  int Load() { return orbis_.Load(kOrbisPath, kUserPath); }
  int LoadAll() {
    int loaded = Load();
    orbis_.LoadNames(kNamesPath);
    return loaded;
  }

  testing_support::TempFolder temp_;
  testing_support::TestPlatform platform_;
  card::COrbis orbis_{platform_.files, platform_.clock, platform_.message_box};
};

}  // namespace orbis_test
