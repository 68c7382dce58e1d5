#include "logic/lock_combinations.h"

#include <cstddef>

namespace axt::lindesk {

std::vector<unsigned int> lockCombinations(unsigned int lockMasks) {
  std::vector<unsigned int> bits;
  for (unsigned int b = 1; b != 0 && b <= lockMasks; b <<= 1) {
    if ((lockMasks & b) != 0) bits.push_back(b);
  }
  std::vector<unsigned int> out;
  for (unsigned int subset = 0; subset < (1u << bits.size()); ++subset) {
    unsigned int mask = 0;
    for (std::size_t i = 0; i < bits.size(); ++i) {
      if ((subset & (1u << i)) != 0) mask |= bits[i];
    }
    out.push_back(mask);
  }
  return out;
}

}  // namespace axt::lindesk
