#include "platform/debug_output.h"

#include <cstdio>

namespace platform {

void StderrDebugOutput::Write(const char* text) {
  if (text == nullptr) return;
  std::fputs(text, stderr);
  std::fflush(stderr);
}

}  // namespace platform
