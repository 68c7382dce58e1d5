// Object's ordered members, and what Value answers beyond its accessors.
#include <algorithm>
#include <cstring>
#include <span>
#include <stdexcept>

#include "json/json.h"

namespace axt::json {

namespace {

bool strictlyIncreasing(std::span<const Object::value_type> members) {
  for (std::size_t i = 1; i < members.size(); ++i) {
    if (!(members[i - 1].first < members[i].first)) return false;
  }
  return true;
}

// Up to this many members are sorted where they are, by insertion; more are
// sorted through small stand-ins and then moved once.
constexpr std::size_t kInsertionSortLimit = 16;

// Stable, so repeated keys keep their order.
void insertionSort(std::vector<Object::value_type>& members) {
  for (std::size_t i = 1; i < members.size(); ++i) {
    if (!(members[i].first < members[i - 1].first)) continue;
    Object::value_type moving = std::move(members[i]);
    std::size_t j = i;
    for (; j > 0 && moving.first < members[j - 1].first; --j) members[j] = std::move(members[j - 1]);
    members[j] = std::move(moving);
  }
}

// Length of the prefix that all keys share.
std::size_t commonPrefix(const std::vector<Object::value_type>& members) {
  const std::string& first = members.front().first;
  std::size_t length = first.size();
  for (const auto& [key, value] : members) {
    const std::size_t limit = std::min(length, key.size());
    if (std::memcmp(first.data(), key.data(), limit) == 0) {
      length = limit;
    } else {
      length = static_cast<std::size_t>(
          std::mismatch(first.begin(), first.begin() + limit, key.begin()).first - first.begin());
    }
  }
  return length;
}

// A member's place in the sort: the eight bytes after the common prefix, as
// a big-endian number (short keys padded with zeros), decide most
// comparisons without touching the key.
struct SortEntry {
  std::uint64_t head;
  std::size_t index;
};

std::uint64_t headOf(std::string_view key, std::size_t skip) {
  std::uint64_t head = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    const std::size_t at = skip + i;
    head = (head << 8) | (at < key.size() ? static_cast<unsigned char>(key[at]) : 0u);
  }
  return head;
}

// A stable merge sort that builds on the runs already in order. Keys made
// by a counter (app1 ... app9, app10 ... app99, app100 ...) come in a few long
// runs, merged in a few passes; other orders cost what any sort costs.
template <class Less>
void naturalMergeSort(std::vector<SortEntry>& entries, Less less) {
  std::vector<std::size_t> bounds{0};
  for (std::size_t i = 1; i < entries.size(); ++i) {
    if (less(entries[i], entries[i - 1])) bounds.push_back(i);
  }
  bounds.push_back(entries.size());
  if (bounds.size() == 2) return;
  std::vector<SortEntry> buffer(entries.size());
  std::vector<SortEntry>* from = &entries;
  std::vector<SortEntry>* to = &buffer;
  while (bounds.size() > 2) {
    std::vector<std::size_t> merged{0};
    for (std::size_t r = 0; r + 1 < bounds.size(); r += 2) {
      const std::size_t middle = bounds[r + 1];
      const std::size_t last = r + 2 < bounds.size() ? bounds[r + 2] : middle;
      const auto in = from->begin();
      std::merge(in + static_cast<std::ptrdiff_t>(bounds[r]), in + static_cast<std::ptrdiff_t>(middle),
                 in + static_cast<std::ptrdiff_t>(middle), in + static_cast<std::ptrdiff_t>(last),
                 to->begin() + static_cast<std::ptrdiff_t>(bounds[r]), less);
      merged.push_back(last);
    }
    bounds = std::move(merged);
    std::swap(from, to);
  }
  if (from != &entries) entries.swap(buffer);
}

// Sorts by key and keeps the last of repeated keys. Keys often share a long
// prefix ("com.example.app1", "com.example.app2", ...), which would make
// every comparison of whole keys scan it again.
void sortLarge(std::vector<Object::value_type>& members) {
  const std::size_t skip = commonPrefix(members);
  std::vector<SortEntry> order;
  order.reserve(members.size());
  for (std::size_t i = 0; i < members.size(); ++i) order.push_back({headOf(members[i].first, skip), i});
  auto compareTails = [&](const SortEntry& a, const SortEntry& b) {
    return std::string_view(members[a.index].first)
        .substr(skip)
        .compare(std::string_view(members[b.index].first).substr(skip));
  };
  naturalMergeSort(order, [&](const SortEntry& a, const SortEntry& b) {
    if (a.head != b.head) return a.head < b.head;
    return compareTails(a, b) < 0;
  });
  // Gathered into a new vector: read in a few sequential streams, written
  // in one, which is kinder to the cache than moving in place along the
  // permutation's cycles.
  std::vector<Object::value_type> sorted;
  sorted.reserve(members.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i + 1 < order.size() && order[i + 1].head == order[i].head &&
        compareTails(order[i + 1], order[i]) == 0) {
      continue;
    }
    sorted.push_back(std::move(members[order[i].index]));
  }
  members = std::move(sorted);
}

// On sorted members: keeps the last of each run of equal keys.
void dropRepeatedKeys(std::vector<Object::value_type>& members) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (i + 1 < members.size() && members[i + 1].first == members[i].first) continue;
    if (kept != i) members[kept] = std::move(members[i]);
    ++kept;
  }
  members.erase(members.begin() + static_cast<std::ptrdiff_t>(kept), members.end());
}

}  // namespace

Object::Object(std::initializer_list<value_type> members) : members_(members) {
  if (strictlyIncreasing(members_)) return;
  // A stable sort keeps repeated keys in their given order, and unique()
  // keeps the first of each run.
  if (members_.size() <= kInsertionSortLimit) {
    insertionSort(members_);
  } else {
    std::stable_sort(members_.begin(), members_.end(),
                     [](const value_type& a, const value_type& b) { return a.first < b.first; });
  }
  members_.erase(std::unique(members_.begin(), members_.end(),
                             [](const value_type& a, const value_type& b) { return a.first == b.first; }),
                 members_.end());
}

void Object::settle() {
  // Generated and hand-written texts often list their keys in order already.
  if (strictlyIncreasing(members_)) return;
  if (members_.size() <= kInsertionSortLimit) {
    insertionSort(members_);
    dropRepeatedKeys(members_);
  } else {
    sortLarge(members_);
  }
}

Value& Object::at(std::string_view key) {
  auto it = find(key);
  if (it == members_.end()) throw std::out_of_range("JSON object has no member \"" + std::string(key) + '"');
  return it->second;
}

const Value& Object::at(std::string_view key) const {
  auto it = find(key);
  if (it == members_.end()) throw std::out_of_range("JSON object has no member \"" + std::string(key) + '"');
  return it->second;
}

Value& Object::operator[](std::string_view key) {
  auto it = lowerBound(key);
  if (it == members_.end() || it->first != key) it = members_.emplace(it, std::string(key), Value());
  return it->second;
}

std::pair<Object::iterator, bool> Object::emplace(std::string key, Value value) {
  auto it = lowerBound(key);
  if (it != members_.end() && it->first == key) return {it, false};
  return {members_.emplace(it, std::move(key), std::move(value)), true};
}

std::pair<Object::iterator, bool> Object::insert_or_assign(std::string key, Value value) {
  auto it = lowerBound(key);
  if (it != members_.end() && it->first == key) {
    it->second = std::move(value);
    return {it, false};
  }
  return {members_.emplace(it, std::move(key), std::move(value)), true};
}

std::optional<double> Value::number() const {
  if (const std::int64_t* i = asInt()) return static_cast<double>(*i);
  if (const double* d = asDouble()) return *d;
  return std::nullopt;
}

const Value* Value::find(std::string_view key) const {
  const Object* object = asObject();
  if (object == nullptr) return nullptr;
  auto it = object->find(key);
  return it == object->end() ? nullptr : &it->second;
}

}  // namespace axt::json
