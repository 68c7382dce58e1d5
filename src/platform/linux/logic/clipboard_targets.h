// How pasteboard types and the targets of the X clipboard stand for each
// other, and what the clipboard offers for a set of pasteboard items.
//
// The mapping is one to one, so that content read from another owner and
// written back is offered under exactly the targets it had:
//
//   target         pasteboard type
//   UTF8_STRING    public.utf8-plain-text
//   image/png      public.png
//   anything else  its own name (text/plain;charset=utf-8, STRING,
//                  image/jpeg, org.nspasteboard.TransientType, ...)
//
// Targets that describe the transfer rather than hold content (TARGETS,
// MULTIPLE, TIMESTAMP, ...) are never saved and never offered as data.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace axt::lindesk {

inline constexpr std::string_view kUtf8StringTarget = "UTF8_STRING";
inline constexpr std::string_view kPngTarget = "image/png";
inline constexpr std::string_view kPngType = "public.png";
inline constexpr std::string_view kUtf8PlainTarget = "text/plain;charset=utf-8";
inline constexpr std::string_view kStringTarget = "STRING";
inline constexpr std::string_view kTextTarget = "TEXT";
inline constexpr std::string_view kPlainTarget = "text/plain";

// Types that ask clipboard-history tools to skip an item (it is there only
// for a moment, or it is private), and the target with which such tools on
// this desktop are asked the same.
inline constexpr std::string_view kTransientType = "org.nspasteboard.TransientType";
inline constexpr std::string_view kConcealedType = "org.nspasteboard.ConcealedType";
inline constexpr std::string_view kHistoryHintTarget = "x-kde-passwordManagerHint";
inline constexpr std::string_view kHistoryHintValue = "secret";

std::string typeForTarget(std::string_view target);
std::string targetForType(std::string_view type);

// Targets about the transfer itself, not content.
bool isMetaTarget(std::string_view target);

// Content bytes that are never changed once made, shared by whoever needs
// them (what we wrote, what we serve, each transfer to a client under way):
// a restored 50 MB image is held once, however many clients paste it.
using SharedBytes = std::shared_ptr<const std::string>;

// An item whose types' data is shared rather than owned.
struct SharedItem {
  std::vector<std::pair<std::string, SharedBytes>> types;
};

// The one copy made of items handed in, and a copy handed out.
std::vector<SharedItem> shareItems(const std::vector<platform::PasteboardItem>& items);
std::vector<platform::PasteboardItem> copyItems(const std::vector<SharedItem>& items);

// One target as the owner serves it: the property type it is written with
// and its bytes (all content is written in 8-bit units).
struct ServedTarget {
  std::string target;
  std::string propertyType;
  SharedBytes data;
};

// What the clipboard offers for `items`. The clipboard holds one piece of
// content: of a target given by several items, the first one counts. Text
// marked as transient or concealed is there only for the paste it was put
// there for: it is also offered under every usual text target, so that any
// toolkit can paste it, and with the hint that keeps it out of clipboard
// histories.
std::vector<ServedTarget> servedTargets(const std::vector<SharedItem>& items);
std::vector<ServedTarget> servedTargets(const std::vector<platform::PasteboardItem>& items);

// Asking an owner for several targets in one request (MULTIPLE): the
// request names a property of ours holding pairs of atoms, each target with
// the property it is to be written to. The owner writes each target's data
// and the pairs back, with None in place of a target it could not convert.
std::vector<long> multiplePairs(const std::vector<unsigned long>& targets,
                                const std::vector<unsigned long>& properties);
// Which of the `sent` pairs the owner converted, by position. An owner that
// wrote back fewer pairs, or other atoms, than were sent converted none of
// those; one that left the pairs as they were converted all of them (its
// properties tell the rest).
std::vector<bool> convertedPairs(const std::vector<long>& sent, const std::vector<long>& answered);

// How far the reading of the clipboard's previous content got.
struct ReadProgress {
  bool hadOwner = false;      // somebody owned the clipboard when the read began
  bool targetsKnown = false;  // the owner listed its targets (or refused to)
  std::size_t arrived = 0;    // targets whose data came whole
  std::size_t pending = 0;    // asked for, neither come nor refused yet
};

// What putting the previous content back does.
enum class Restore {
  // The clipboard had no owner: it ends without one, as it was.
  LeaveEmpty,
  // Everything came: it is served as it was.
  Whole,
  // The owner was too slow or silent: what came is served, and what it
  // still sends for the requests it received while it owned the clipboard
  // is added as it comes. The clipboard keeps an owner (us) even when
  // nothing came at all.
  WhatCameAndWhatFollows,
};
Restore restoreFor(const ReadProgress& progress);

// The text of `type` in the items. Plain text may also have come under the
// other text targets of an owner that offered no UTF8_STRING.
std::optional<std::string> textOfType(const std::vector<platform::PasteboardItem>& items,
                                      std::string_view type);

// STRING holds Latin-1: what can't be written in it becomes '?'; each
// ill-formed piece of UTF-8 (as text/utf8.h reads it) counts as such a
// character.
std::string latin1FromUtf8(std::string_view utf8);
std::string utf8FromLatin1(std::string_view latin1);

}  // namespace axt::lindesk
