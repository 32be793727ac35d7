#include "log/log.h"

#include <cstdarg>
#include <cstring>

namespace {

CLog* installed_log = nullptr;

platform::Clock& SystemClock() {
  static platform::SystemClock clock;
  return clock;
}

platform::DebugOutput& SystemDebugOutput() {
  static platform::StderrDebugOutput output;
  return output;
}

// vsnprintf's result is the length it wanted; the buffer holds at most size - 1 bytes.
size_t StoredLength(int wanted, size_t size) {
  if (wanted < 0) return 0;
  return static_cast<size_t>(wanted) < size ? static_cast<size_t>(wanted) : size - 1;
}

}  // namespace

CLog::CLog() = default;

// The first handle closes itself (platform::File); the second is the caller's.
CLog::~CLog() = default;

void CLog::SetClock(platform::Clock* clock) {
  clock_ = clock;
}

void CLog::SetDebugOutput(platform::DebugOutput* debug_output) {
  debug_output_ = debug_output;
}

void CLog::Trace(const char* format, ...) {
  if (mask_ == 0) return;

  if (prefix_mode_ == kPrefixLineNumber || prefix_mode_ == kPrefixTimeStamp) {
    int wanted;
    if (prefix_mode_ == kPrefixLineNumber) {
      wanted = std::snprintf(buffer_, kBufferSize, "%d:\t", line_counter_);
      ++line_counter_;
    } else {
      platform::LocalTime now = (clock_ != nullptr ? *clock_ : SystemClock()).Now();
      wanted = std::snprintf(buffer_, kBufferSize, "[%4d/%02d/%02d_%02d:%02d:%02d] ", now.year, now.month,
                             now.day, now.hour, now.minute, now.second);
    }
    size_t length = StoredLength(wanted, kBufferSize);
    Emit(buffer_, length, false);
    std::memset(buffer_, 0, length);
  }

  va_list arguments;
  va_start(arguments, format);
  int wanted = std::vsnprintf(buffer_, kBufferSize, format, arguments);
  va_end(arguments);
  size_t length = StoredLength(wanted, kBufferSize);
  buffer_[length] = '\0';
  Emit(buffer_, length, true);
  std::memset(buffer_, 0, length);
}

// One piece to every output that is on, in a fixed order. Write errors are ignored:
// tracing must never disturb the program.
void CLog::Emit(const char* text, size_t length, bool flush_first) {
  if (first_.IsOpen()) {
    size_t done = 0;
    (void)first_.Write(text, length, &done);
    if (flush_first) (void)first_.Flush();
  }
  if (second_ != nullptr) (void)std::fwrite(text, 1, length, second_);
  if ((mask_ & kStandardOutput) != 0) {
    std::fprintf(standard_output_ != nullptr ? standard_output_ : stdout, "%s", text);
  }
  if ((mask_ & kDebugger) != 0) (debug_output_ != nullptr ? *debug_output_ : SystemDebugOutput()).Write(text);
  if ((mask_ & kCallback) != 0 && callback_ != nullptr) callback_(*this, text);
}

CLog& GetLog() {
  static CLog inert;
  return installed_log != nullptr ? *installed_log : inert;
}

ScopedLog::ScopedLog(CLog& log) : previous_(installed_log) {
  installed_log = &log;
}

ScopedLog::~ScopedLog() {
  installed_log = previous_;
}
