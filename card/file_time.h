// Local date and time as a 64-bit count of 100-nanosecond intervals since 1601-01-01,
// without any time zone: the clock's broken-down time and the count convert both ways.
#pragma once

#include <cstdint>
#include <optional>

namespace card {

struct CivilTime {
  int year = 1601;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

// None for a time outside the calendar: a year before 1601 or after 30827, a month
// outside 1..12, a day beyond its month (leap years counted), hour 24, minute or second
// 60, milliseconds 1000 or more.
std::optional<uint64_t> CivilToFileTime(const CivilTime& time);

// The broken-down form of any count.
CivilTime FileTimeToCivil(uint64_t time);

}  // namespace card
