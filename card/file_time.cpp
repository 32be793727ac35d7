#include "card/file_time.h"

namespace card {

namespace {

constexpr uint64_t kTicksPerMillisecond = 10'000;
constexpr uint64_t kTicksPerSecond = 1000 * kTicksPerMillisecond;
constexpr uint64_t kTicksPerDay = 86'400 * kTicksPerSecond;

bool IsLeapYear(int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int64_t year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date (the well-known era algorithm:
// 400-year eras of 146097 days, years counted from March).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t year_of_era = year - era * 400;
  const int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

void CivilFromDays(int64_t days, CivilTime* time) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t day_of_era = days - era * 146097;
  const int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const int64_t month_index = (5 * day_of_year + 2) / 153;
  const int64_t day = day_of_year - (153 * month_index + 2) / 5 + 1;
  const int64_t month = month_index < 10 ? month_index + 3 : month_index - 9;
  time->year = static_cast<int>(year_of_era + era * 400 + (month <= 2));
  time->month = static_cast<int>(month);
  time->day = static_cast<int>(day);
}

const int64_t kEpochDays = DaysFromCivil(1601, 1, 1);

}  // namespace

std::optional<uint64_t> CivilToFileTime(const CivilTime& time) {
  if (time.year < 1601 || time.year > 30827 || time.month < 1 || time.month > 12 || time.day < 1 ||
      time.day > DaysInMonth(time.year, time.month) || time.hour < 0 || time.hour > 23 || time.minute < 0 ||
      time.minute > 59 || time.second < 0 || time.second > 59 || time.milliseconds < 0 ||
      time.milliseconds > 999) {
    return std::nullopt;
  }
  const auto days = static_cast<uint64_t>(DaysFromCivil(time.year, time.month, time.day) - kEpochDays);
  const uint64_t seconds = uint64_t(time.hour) * 3600 + uint64_t(time.minute) * 60 + uint64_t(time.second);
  return days * kTicksPerDay + seconds * kTicksPerSecond + uint64_t(time.milliseconds) * kTicksPerMillisecond;
}

CivilTime FileTimeToCivil(uint64_t time) {
  CivilTime civil;
  CivilFromDays(static_cast<int64_t>(time / kTicksPerDay) + kEpochDays, &civil);
  uint64_t rest = time % kTicksPerDay;
  civil.hour = static_cast<int>(rest / (3600 * kTicksPerSecond));
  rest %= 3600 * kTicksPerSecond;
  civil.minute = static_cast<int>(rest / (60 * kTicksPerSecond));
  rest %= 60 * kTicksPerSecond;
  civil.second = static_cast<int>(rest / kTicksPerSecond);
  civil.milliseconds = static_cast<int>(rest % kTicksPerSecond / kTicksPerMillisecond);
  return civil;
}

}  // namespace card
