// Resident memory of this process, from /proc.
#pragma once

#include <malloc.h>

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

// The same, once the allocator has handed back the pages it keeps free:
// what the process holds, not what benchmarks that ran before in the same
// process freed (the allocator keeps the pages of a large freed buffer for
// the next one; after parsing 50 MB it keeps some 44 MB).
inline long heldResidentKiB() {
  malloc_trim(0);
  return residentKiB();
}

}  // namespace axt::bench
