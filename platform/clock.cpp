#include "platform/clock.h"

#include <errno.h>
#include <time.h>

namespace platform {

LocalTime SystemClock::Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  time_t seconds = now.tv_sec;
  LocalTime result;
  if (localtime_r(&seconds, &local) == nullptr) return result;
  result.year = local.tm_year + 1900;
  result.month = local.tm_mon + 1;
  result.day = local.tm_mday;
  result.hour = local.tm_hour;
  result.minute = local.tm_min;
  result.second = local.tm_sec > 59 ? 59 : local.tm_sec;  // a leap second stays in its minute
  result.milliseconds = static_cast<int>(now.tv_nsec / 1000000);
  result.day_of_week = local.tm_wday;
  return result;
}

void SystemClock::Sleep(unsigned milliseconds) {
  timespec remaining{static_cast<time_t>(milliseconds / 1000),
                     static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
  }
}

}  // namespace platform
