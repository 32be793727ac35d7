// tarnix-sample-card DIR: writes a sample device card into DIR (created when missing).
// Attach DIR to the program as a card to try every page on it.
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/volumes.h"
#include "tools/sample_card.h"
#include "tools/sample_map_code.h"
#include "tools/sample_places.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n  writes a sample device card into DIR\n", argv[0]);
    return 2;
  }
  std::error_code error_code;
  std::filesystem::create_directories(argv[1], error_code);
  if (error_code) {
    std::fprintf(stderr, "cannot create %s: %s\n", argv[1], error_code.message().c_str());
    return 1;
  }
  platform::VolumeTable volumes;
  char letter = volumes.AttachFolder(std::filesystem::absolute(argv[1]).string());
  if (letter == 0) {
    std::fprintf(stderr, "cannot attach %s\n", argv[1]);
    return 1;
  }
  platform::FileSystem files(volumes);
  platform::SystemClock clock;
  std::string error;
  if (!sample_card::WriteSampleCard(files, clock, std::string(1, letter) + ":", &error)) {
    std::fprintf(stderr, "cannot write %s\n", error.c_str());
    return 1;
  }
  std::printf("sample card written to %s\nmap codes of some places on it:\n", argv[1]);
  for (const sample_card::SampleLandmark& landmark : sample_card::kSampleLandmarks) {
    if (std::optional<std::string> code = sample_card::SampleMapCode(landmark.longitude, landmark.latitude)) {
      std::printf("  %-16s %s\n", code->c_str(), landmark.name);
    }
  }
  return 0;
}
