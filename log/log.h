// The trace log: short formatted lines handed to whichever outputs are switched on.
// Switched off (mask 0) a trace call is one test and a return, so it may sit in loops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/files.h"

class CLog {
 public:
  // Bits of the enable mask; 0 switches the log off.
  static constexpr int kStandardOutput = 4;
  static constexpr int kDebugger = 8;
  static constexpr int kCallback = 16;

  // Prefix modes; any other value means no prefix.
  static constexpr uint8_t kPrefixLineNumber = 1;
  static constexpr uint8_t kPrefixTimeStamp = 2;

  // Size of the line buffer; a longer message is cut to kBufferSize - 1 bytes.
  static constexpr size_t kBufferSize = 2048;

  using Callback = void (*)(CLog& log, const char* text);

  CLog();
  ~CLog();
  CLog(const CLog&) = delete;
  CLog& operator=(const CLog&) = delete;

  // Formats with the printf conventions and writes the prefix and the message, as two
  // pieces, to each output that is on. Callers put the line end into the format.
  void Trace(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // How the outputs are switched on; the program itself leaves them all off.
  void SetMask(int mask) { mask_ = mask; }
  int Mask() const { return mask_; }
  void SetPrefixMode(uint8_t mode) { prefix_mode_ = mode; }
  void SetCallback(Callback callback) { callback_ = callback; }
  // The first handle: owned, flushed after each message, closed by the destructor.
  void SetFirstHandle(platform::File file) { first_ = std::move(file); }
  // The second handle: a stream written without flushing and never closed here.
  void SetSecondHandle(std::FILE* stream) { second_ = stream; }
  // Where the standard output bit writes (stdout unless replaced).
  void SetStandardOutput(std::FILE* stream) { standard_output_ = stream; }
  // The clock of the time stamps and the debugger channel; null restores the system ones.
  void SetClock(platform::Clock* clock);
  void SetDebugOutput(platform::DebugOutput* debug_output);

  int LineCounter() const { return line_counter_; }

 private:
  void Emit(const char* text, size_t length, bool flush_first);

  Callback callback_ = nullptr;
  std::FILE* second_ = nullptr;
  platform::File first_;
  char buffer_[kBufferSize] = {};
  int line_counter_ = 0;
  int mask_ = 0;
  uint8_t prefix_mode_ = 0;
  std::FILE* standard_output_ = nullptr;
  platform::Clock* clock_ = nullptr;
  platform::DebugOutput* debug_output_ = nullptr;
};

// The log the program traces to: the one installed by a ScopedLog, or an inert log
// (mask 0) when none is installed.
CLog& GetLog();

// Installs a log for its lifetime and puts the previous one back afterwards; main()
// installs the program's log, each test its own.
class ScopedLog {
 public:
  explicit ScopedLog(CLog& log);
  ~ScopedLog();
  ScopedLog(const ScopedLog&) = delete;
  ScopedLog& operator=(const ScopedLog&) = delete;

 private:
  CLog* previous_;
};
