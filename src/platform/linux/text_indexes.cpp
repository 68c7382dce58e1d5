#include "text_indexes.h"

#include <algorithm>

#include "atspi_session.h"
#include "gobject_ref.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;

TextIndexes::Entry* TextIndexes::find(const ObjectKey& key) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.key == key; });
  return it != entries_.end() ? &*it : nullptr;
}

platform::AXError TextIndexes::indexOf(AtspiText* text, const AstralIndex*& out) {
  AtspiAccessible* object = ATSPI_ACCESSIBLE(text);
  const ObjectKey key = keyOf(object);
  gint count = 0;
  const platform::AXError counted = readings_.answer(
      object, &ObjectReadings::characters, count, [&](gint& characters) {
        const Asking asking(object);
        if (asking.refused()) return axerr::kCannotComplete;
        GErrorHolder error;
        characters = atspi_text_get_character_count(text, error.out());
        return error ? failureCode(error, key.busName) : axerr::kSuccess;
      });
  if (counted != axerr::kSuccess) return counted;
  if (Entry* e = find(key); e != nullptr && e->index.characters() == count) {
    out = &e->index;
    return axerr::kSuccess;
  }
  const Asking asking(object);
  if (asking.refused()) return axerr::kCannotComplete;
  GErrorHolder readError;
  const std::string all = takeString(atspi_text_get_text(text, 0, -1, readError.out()));
  if (readError) return failureCode(readError, key.busName);
  std::erase_if(entries_, [&](const Entry& e) { return e.key == key; });
  if (entries_.size() >= kKept) entries_.pop_front();
  entries_.push_back(Entry{key, AstralIndex::of(all)});
  out = &entries_.back().index;
  return axerr::kSuccess;
}

void TextIndexes::inserted(const ObjectKey& key, std::int64_t at, std::string_view utf8) {
  if (Entry* e = find(key)) e->index.insert(at, utf8);
}

void TextIndexes::deleted(const ObjectKey& key, std::int64_t at, std::int64_t count) {
  if (Entry* e = find(key)) e->index.erase(at, count);
}

}  // namespace axt::lindesk
