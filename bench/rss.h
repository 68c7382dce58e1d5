// Resident memory of this process, from /proc.
#pragma once

#include <cstdio>

namespace axt::bench {

inline long residentKiB() {
  long pages = 0, resident = 0;
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (f == nullptr) return -1;
  if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = -1;
  std::fclose(f);
  return resident < 0 ? -1 : resident * 4;  // 4 KiB pages
}

}  // namespace axt::bench
