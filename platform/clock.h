// Local time and pauses, behind one interface so that tests never wait.
#pragma once

namespace platform {

struct LocalTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
  int day_of_week = 0;  // 0 = Sunday
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  virtual void Sleep(unsigned milliseconds) = 0;
};

// The real clock: the host's local time and a real pause.
class SystemClock : public Clock {
 public:
  LocalTime Now() override;
  void Sleep(unsigned milliseconds) override;
};

}  // namespace platform
