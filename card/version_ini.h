// The card's Version.ini: section "Version" with the versions of the GPS data, the
// firmware and the navigation software.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace card {

inline constexpr char kVersionSection[] = "Version";
inline constexpr char kGpsVersionKey[] = "GPS Version";
inline constexpr char kFirmVersionKey[] = "Firm Version";
inline constexpr char kNaviVersionKey[] = "Navi Version";
inline constexpr char kDefaultVersion[] = "1.0.0";

// A version member holds at most this many bytes (the member's buffer is one more).
constexpr size_t kVersionLength = 19;
// The buffer the card's values are read with.
constexpr size_t kVersionReadBuffer = 255;

// The three versions recorded on a card, each at most kVersionLength bytes.
struct CardVersions {
  std::string gps = kDefaultVersion;
  std::string firm = kDefaultVersion;
  std::string navi = kDefaultVersion;
};

// One value as read with the 255-byte buffer ("1.0.0" when the file, section or key is
// missing), not yet fitted to a member.
std::string ReadVersionValue(platform::FileSystem& files, std::string_view ini_path, std::string_view key);

// Cuts a version to the kVersionLength bytes a member holds. Releases are read with a
// 20-byte buffer, which cuts them at the same length, so the two compare alike.
std::string FitVersion(std::string_view version);

// The three versions from drive + "\Navi\Version.ini", in the order GPS, firmware,
// navigation software, each fitted to its member.
CardVersions ReadCardVersions(platform::FileSystem& files, std::string_view drive);

}  // namespace card
