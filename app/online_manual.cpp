#include "app/online_manual.h"

#include <cstdio>

namespace online_manual {

std::string Url(int page) {
  char file[24];
  std::snprintf(file, sizeof file, "%03d.html", page + 1);
  return std::string(kHost) + kFolder + file;
}

}  // namespace online_manual
