// The indexes (astral_index.h) of the texts the library reads, so that
// converting a position costs no read of the text from its start. One is
// built by reading the text once, and kept true by the application's
// reports of its text's changes; before each use the application's count
// of characters (one short request) must agree with it, else it is built
// again. A few texts are kept: the ones the user works in.
#pragma once

#include <atspi/atspi.h>

#include <cstdint>
#include <deque>
#include <string_view>

#include "astral_index.h"
#include "handles.h"
#include "platform/values.h"
#include "reading_memo.h"

namespace axt::lindesk {

class TextIndexes {
 public:
  // The counts of characters are asked through `readings`: once in a
  // handling.
  explicit TextIndexes(ReadingMemo& readings) : readings_(readings) {}

  // The index of the element's text; valid until the next call.
  platform::AXError indexOf(AtspiText* text, const AstralIndex*& out);
  // What the application reported of its text's changes.
  void inserted(const ObjectKey& key, std::int64_t at, std::string_view utf8);
  void deleted(const ObjectKey& key, std::int64_t at, std::int64_t count);
  void forgetAll() { entries_.clear(); }

 private:
  static constexpr std::size_t kKept = 8;
  struct Entry {
    ObjectKey key;
    AstralIndex index;
  };
  Entry* find(const ObjectKey& key);

  ReadingMemo& readings_;
  std::deque<Entry> entries_;  // the most recently built last
};

}  // namespace axt::lindesk
