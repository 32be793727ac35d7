// A temporary host folder attached as drive E:, with helpers that reach it directly on
// the host (UTF-8 names) so tests can check what the file API did.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/files.h"
#include "platform/volumes.h"
#include "tests/support/fake_services.h"

namespace platform_tests {

class CardFolder : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(volumes.AttachFolder(folder.path(), 'E'), 'E'); }

  std::string Host(const std::string& relative) const { return folder.path() + "/" + relative; }

  void PutHostFile(const std::string& relative, const std::string& bytes) const {
    std::ofstream out(Host(relative), std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good()) << relative;
  }

  std::string HostFile(const std::string& relative) const {
    std::ifstream in(Host(relative), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  void MakeHostFolder(const std::string& relative) const;
  bool HostExists(const std::string& relative) const;
  // Names of the folder on the host, sorted.
  std::vector<std::string> HostNames(const std::string& relative) const;

  testing_support::TempFolder folder;
  platform::VolumeTable volumes;
  platform::FileSystem files{volumes};
};

}  // namespace platform_tests
