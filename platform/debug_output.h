// The system debugger's output channel.
#pragma once

namespace platform {

class DebugOutput {
 public:
  virtual ~DebugOutput() = default;
  virtual void Write(const char* text) = 0;
};

// Writes to the host's standard error, where a debugger or the journal picks it up.
class StderrDebugOutput : public DebugOutput {
 public:
  void Write(const char* text) override;
};

}  // namespace platform
