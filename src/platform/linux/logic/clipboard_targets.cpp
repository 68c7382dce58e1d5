#include "logic/clipboard_targets.h"

#include <algorithm>
#include <array>

#include "text/utf8.h"

namespace axt::lindesk {

namespace {

constexpr std::array<std::string_view, 11> kMetaTargets = {
    "TARGETS", "MULTIPLE", "TIMESTAMP", "SAVE_TARGETS", "DELETE", "INSERT_SELECTION",
    "INSERT_PROPERTY", "INCR", "LENGTH", "ATOM_PAIR", "CLIPBOARD_MANAGER",
};

bool isHistoryMarker(std::string_view type) { return type == kTransientType || type == kConcealedType; }

// The property type a target is written with: its own name, except TEXT,
// which lets the owner choose the encoding.
std::string propertyTypeFor(std::string_view target, std::string_view data) {
  if (target == kTextTarget) {
    return std::string(text::firstIllFormed(data) == data.size() ? kUtf8StringTarget : kStringTarget);
  }
  return std::string(target);
}

}  // namespace

std::string typeForTarget(std::string_view target) {
  if (target == kUtf8StringTarget) return std::string(platform::kPasteboardTypeString);
  if (target == kPngTarget) return std::string(kPngType);
  return std::string(target);
}

std::string targetForType(std::string_view type) {
  if (type == platform::kPasteboardTypeString) return std::string(kUtf8StringTarget);
  if (type == kPngType) return std::string(kPngTarget);
  return std::string(type);
}

bool isMetaTarget(std::string_view target) {
  return std::find(kMetaTargets.begin(), kMetaTargets.end(), target) != kMetaTargets.end();
}

std::vector<SharedItem> shareItems(const std::vector<platform::PasteboardItem>& items) {
  std::vector<SharedItem> shared;
  shared.reserve(items.size());
  for (const platform::PasteboardItem& item : items) {
    SharedItem& s = shared.emplace_back();
    for (const auto& [type, data] : item.types) s.types.emplace_back(type, std::make_shared<const std::string>(data));
  }
  return shared;
}

std::vector<platform::PasteboardItem> copyItems(const std::vector<SharedItem>& items) {
  std::vector<platform::PasteboardItem> copies;
  copies.reserve(items.size());
  for (const SharedItem& item : items) {
    platform::PasteboardItem& c = copies.emplace_back();
    for (const auto& [type, data] : item.types) {
      // Not `data ? *data : std::string()`: that is a const temporary, copied
      // once more into the pair.
      if (data) {
        c.types.emplace_back(type, *data);
      } else {
        c.types.emplace_back(type, std::string());
      }
    }
  }
  return copies;
}

std::vector<ServedTarget> servedTargets(const std::vector<SharedItem>& items) {
  std::vector<ServedTarget> served;
  const auto has = [&](std::string_view target) {
    return std::any_of(served.begin(), served.end(), [&](const ServedTarget& s) { return s.target == target; });
  };
  const auto add = [&](std::string_view target, std::string_view type, SharedBytes data) {
    if (target.empty() || isMetaTarget(target) || has(target)) return;
    served.push_back(ServedTarget{std::string(target), std::string(type), std::move(data)});
  };
  const auto own = [](std::string data) { return std::make_shared<const std::string>(std::move(data)); };
  bool temporary = false;
  SharedBytes text;
  for (const SharedItem& item : items) {
    for (const auto& [type, data] : item.types) {
      const SharedBytes bytes = data ? data : own({});
      const std::string target = targetForType(type);
      add(target, propertyTypeFor(target, *bytes), bytes);
      if (isHistoryMarker(type)) temporary = true;
      if (type == platform::kPasteboardTypeString && !text) text = bytes;
    }
  }
  if (temporary && text) {
    add(kUtf8PlainTarget, kUtf8PlainTarget, text);
    add(kPlainTarget, kPlainTarget, text);
    add(kTextTarget, propertyTypeFor(kTextTarget, *text), text);
    add(kStringTarget, kStringTarget, own(latin1FromUtf8(*text)));
  }
  if (temporary) add(kHistoryHintTarget, kHistoryHintTarget, own(std::string(kHistoryHintValue)));
  return served;
}

std::vector<ServedTarget> servedTargets(const std::vector<platform::PasteboardItem>& items) {
  return servedTargets(shareItems(items));
}

std::vector<long> multiplePairs(const std::vector<unsigned long>& targets,
                                const std::vector<unsigned long>& properties) {
  std::vector<long> pairs;
  const std::size_t n = std::min(targets.size(), properties.size());
  pairs.reserve(2 * n);
  for (std::size_t i = 0; i < n; ++i) {
    pairs.push_back(static_cast<long>(targets[i]));
    pairs.push_back(static_cast<long>(properties[i]));
  }
  return pairs;
}

std::vector<bool> convertedPairs(const std::vector<long>& sent, const std::vector<long>& answered) {
  std::vector<bool> converted(sent.size() / 2, false);
  for (std::size_t i = 0; i < converted.size(); ++i) {
    const std::size_t at = 2 * i;
    if (at + 1 >= answered.size()) break;
    // None (0) in either place of the pair marks a refusal; an owner that
    // answered for something else than was asked answered nothing of ours.
    converted[i] = answered[at] == sent[at] && answered[at + 1] == sent[at + 1] && sent[at] != 0 && sent[at + 1] != 0;
  }
  return converted;
}

Restore restoreFor(const ReadProgress& progress) {
  if (!progress.hadOwner) return Restore::LeaveEmpty;
  if (progress.targetsKnown && progress.pending == 0) {
    // An owner that answered every request but gave nothing usable: the
    // clipboard ends as empty as it effectively was, but never ownerless
    // because of us.
    return progress.arrived > 0 ? Restore::Whole : Restore::WhatCameAndWhatFollows;
  }
  return Restore::WhatCameAndWhatFollows;
}

std::optional<std::string> textOfType(const std::vector<platform::PasteboardItem>& items,
                                      std::string_view type) {
  const auto find = [&](std::string_view wanted) -> std::optional<std::string> {
    for (const platform::PasteboardItem& item : items) {
      for (const auto& [t, data] : item.types) {
        if (t == wanted) return data;
      }
    }
    return std::nullopt;
  };
  if (auto exact = find(type)) return exact;
  if (type != platform::kPasteboardTypeString) return std::nullopt;
  if (auto utf8 = find(kUtf8PlainTarget)) return utf8;
  if (auto latin1 = find(kStringTarget)) return utf8FromLatin1(*latin1);
  return std::nullopt;
}

std::string latin1FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  text::forEachCharacter(utf8, [&](const text::Decoded& d, std::size_t) {
    out.push_back(d.wellFormed && d.codePoint <= 0xFF ? static_cast<char>(d.codePoint) : '?');
  });
  return out;
}

std::string utf8FromLatin1(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size());
  // Every Latin-1 byte is the code point of the same number.
  for (char ch : latin1) text::appendUtf8(out, static_cast<unsigned char>(ch));
  return out;
}

}  // namespace axt::lindesk
