// The driver of tools/unicode/gen_unicode_data.py --check: each line on
// standard input holds two texts as hex strings of their UTF-8 bytes,
// separated by one space; the answer line is 1 when the library finds them
// canonically equal and 0 when not. The script compares the answers with
// Python's unicodedata.
#include <iostream>
#include <string>
#include <string_view>

#include "text/canonical_equivalence.h"

namespace {

std::string fromHex(std::string_view hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  }
  return bytes;
}

}  // namespace

int main() {
  std::ios::sync_with_stdio(false);
  std::string line;
  while (std::getline(std::cin, line)) {
    const std::string_view pair(line);
    const std::size_t space = pair.find(' ');
    if (space == std::string_view::npos) return 2;
    const bool equal = axt::text::canonicallyEqual(fromHex(pair.substr(0, space)), fromHex(pair.substr(space + 1)));
    std::cout << (equal ? "1\n" : "0\n");
  }
  return 0;
}
