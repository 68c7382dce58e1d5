#include "atspi/text_access.h"

#include <algorithm>
#include <limits>

#include "atspi/atspi_session.h"
#include "logic/handles.h"
#include "logic/handling_cache.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;

namespace {

// Quicker than this, a failed request was refused by the application, not
// left unanswered (microseconds).
constexpr gint64 kAnsweredAtOnceUs = 500 * 1000;

// The Text interface is the accessible object itself.
AXError failure(AtspiSession& session, const GErrorHolder& error, AtspiText* text) {
  return failureCode(session, error, keyOf(ATSPI_ACCESSIBLE(text)).busName);
}

// The characters a range of the text names; kIllegalArgument for a range
// that is negative or reaches past the text.
AXError charsOf(AtspiSession& session, AtspiText* text, const platform::Range& range, CharRange& chars) {
  if (range.location < 0 || range.length < 0) return axerr::kIllegalArgument;
  std::int64_t count = 0;
  if (AXError code = characterCountOf(session, text, count); code != axerr::kSuccess) return code;
  if (range.location > count || range.length > count - range.location) return axerr::kIllegalArgument;
  chars = CharRange{range.location, range.location + range.length};
  return axerr::kSuccess;
}

// How many selections the text has, and the first one.
AXError selectionsOf(AtspiSession& session, AtspiText* text, SelectionReading& out) {
  AtspiAccessible* object = ATSPI_ACCESSIBLE(text);
  return session.readings().answer(object, &ObjectReadings::selection, out, [&](SelectionReading& s) {
    const AppRequest request(session, object);
    if (request.refused()) return axerr::kCannotComplete;
    GErrorHolder error;
    s.count = atspi_text_get_n_selections(text, error.out());
    if (error) return failure(session, error, text);
    if (s.count <= 0) return axerr::kSuccess;
    GBoxed<AtspiRange> range(atspi_text_get_selection(text, 0, error.out()));
    if (error || !range) return failure(session, error, text);
    s.first = CharRange{std::min(range->start_offset, range->end_offset),
                        std::max(range->start_offset, range->end_offset)};
    return axerr::kSuccess;
  });
}

AXError caretOf(AtspiSession& session, AtspiText* text, gint& out) {
  AtspiAccessible* object = ATSPI_ACCESSIBLE(text);
  return session.readings().answer(object, &ObjectReadings::caret, out, [&](gint& caret) {
    const AppRequest request(session, object);
    if (request.refused()) return axerr::kCannotComplete;
    GErrorHolder error;
    caret = atspi_text_get_caret_offset(text, error.out());
    return error ? failure(session, error, text) : axerr::kSuccess;
  });
}

// The selection (the first one), or the caret as an empty range at it.
AXError readSelection(AtspiSession& session, AtspiText* text, CharRange& out) {
  SelectionReading selections;
  if (AXError code = selectionsOf(session, text, selections); code != axerr::kSuccess) return code;
  // Some toolkits report a collapsed selection rather than none.
  if (selections.count > 0) {
    out = selections.first;
    return axerr::kSuccess;
  }
  gint caret = 0;
  if (AXError code = caretOf(session, text, caret); code != axerr::kSuccess) return code;
  out = CharRange{std::max(caret, 0), std::max(caret, 0)};
  return axerr::kSuccess;
}

}  // namespace

gint asOffset(std::int64_t v) {
  return static_cast<gint>(std::clamp<std::int64_t>(v, 0, std::numeric_limits<gint>::max()));
}

GRef<AtspiText> textOf(AtspiAccessible* accessible) {
  if (accessible == nullptr) return {};
  return GRef<AtspiText>::adopt(atspi_accessible_get_text_iface(accessible));
}

AXError readText(AtspiSession& session, AtspiText* text, std::string& out) {
  const AppRequest request(session, ATSPI_ACCESSIBLE(text));
  if (request.refused()) return axerr::kCannotComplete;
  GErrorHolder error;
  std::string all = takeString(atspi_text_get_text(text, 0, -1, error.out()));
  if (error) return failure(session, error, text);
  out = std::move(all);
  return axerr::kSuccess;
}

AXError readSelectedChars(AtspiSession& session, AtspiText* text, CharRange& out) {
  SelectionReading selections;
  if (AXError code = selectionsOf(session, text, selections); code != axerr::kSuccess) return code;
  out = selections.count > 0 && selections.first.start < selections.first.end ? selections.first : CharRange{};
  return axerr::kSuccess;
}

AXError readSelectedText(AtspiSession& session, AtspiText* text, std::string& out) {
  CharRange chars;
  if (AXError code = readSelectedChars(session, text, chars); code != axerr::kSuccess) return code;
  return readChars(session, text, chars, out);
}

AXError characterCountOf(AtspiSession& session, AtspiText* text, std::int64_t& out) {
  AtspiAccessible* object = ATSPI_ACCESSIBLE(text);
  gint count = 0;
  const AXError code = session.readings().answer(object, &ObjectReadings::characters, count, [&](gint& characters) {
    const AppRequest request(session, object);
    if (request.refused()) return axerr::kCannotComplete;
    GErrorHolder error;
    characters = atspi_text_get_character_count(text, error.out());
    return error ? failure(session, error, text) : axerr::kSuccess;
  });
  if (code != axerr::kSuccess) return code;
  out = std::max<std::int64_t>(count, 0);
  return axerr::kSuccess;
}

AXError readChars(AtspiSession& session, AtspiText* text, CharRange chars, std::string& out) {
  if (chars.start >= chars.end) {
    out.clear();
    return axerr::kSuccess;
  }
  AtspiAccessible* object = ATSPI_ACCESSIBLE(text);
  HandlingCache& memo = session.readings();
  bool known = false;
  memo.with(object, [&](ObjectReadings& r) {
    auto it = std::find_if(r.texts.begin(), r.texts.end(), [&](const auto& t) { return t.first == chars; });
    if (it == r.texts.end()) return;
    out = it->second;
    known = true;
  });
  if (known) return axerr::kSuccess;
  const AppRequest request(session, object);
  if (request.refused()) return axerr::kCannotComplete;
  GErrorHolder error;
  std::string part = takeString(atspi_text_get_text(text, asOffset(chars.start), asOffset(chars.end), error.out()));
  if (error) return failure(session, error, text);
  memo.with(object, [&](ObjectReadings& r) { r.texts.emplace_back(chars, part); });
  out = std::move(part);
  return axerr::kSuccess;
}

AXError readSelectedRange(AtspiSession& session, AtspiText* text, platform::Range& out) {
  CharRange chars;
  if (AXError code = readSelection(session, text, chars); code != axerr::kSuccess) return code;
  const std::int64_t start = std::max<std::int64_t>(chars.start, 0);
  out = platform::Range{start, std::max<std::int64_t>(chars.end, start) - start};
  return axerr::kSuccess;
}

AXError boundsOfRange(AtspiSession& session, TextPlacement& placement, AtspiText* text, const platform::Range& range,
                      platform::Rect& out) {
  CharRange chars;
  if (AXError code = charsOf(session, text, range, chars); code != axerr::kSuccess) return code;
  return boundsOfChars(session, placement, text, chars, out);
}

AXError boundsOfChars(AtspiSession& session, TextPlacement& placement, AtspiText* text, CharRange chars,
                      platform::Rect& out) {
  const AppRequest request(session, ATSPI_ACCESSIBLE(text));
  if (request.refused()) return axerr::kCannotComplete;
  GErrorHolder error;
  GBoxed<AtspiRect> rect(atspi_text_get_range_extents(text, asOffset(chars.start), asOffset(chars.end),
                                                      ATSPI_COORD_TYPE_SCREEN, error.out()));
  if (error && error.sinceAsked() < kAnsweredAtOnceUs) {
    // Refused, not unanswered: a toolkit that places its text only within
    // its window.
    if (std::optional<platform::Rect> placed =
            placement.windowRelativeBounds(text, chars)) {
      out = *placed;
      return axerr::kSuccess;
    }
  }
  if (error || !rect) return failure(session, error, text);
  out = platform::Rect{{static_cast<double>(rect->x), static_cast<double>(rect->y)},
                       {static_cast<double>(rect->width), static_cast<double>(rect->height)}};
  // All zeros is a toolkit's "not laid out yet" (Firefox's, before it has
  // drawn the selection): no place to move.
  const bool nowhere = rect->x == 0 && rect->y == 0 && rect->width == 0 && rect->height == 0;
  if (const std::optional<platform::Point> origin = nowhere ? std::nullopt : placement.relativeOrigin(text)) {
    out.origin.x += origin->x;
    out.origin.y += origin->y;
  }
  return axerr::kSuccess;
}

AXError stringOfRange(AtspiSession& session, AtspiText* text, const platform::Range& range, std::string& out) {
  CharRange chars;
  if (AXError code = charsOf(session, text, range, chars); code != axerr::kSuccess) return code;
  return readChars(session, text, chars, out);
}

AXError selectRange(AtspiSession& session, AtspiText* text, const platform::Range& range) {
  std::int64_t total = 0;
  if (AXError code = characterCountOf(session, text, total); code != axerr::kSuccess) return code;
  const std::int64_t location = std::clamp<std::int64_t>(range.location, 0, total);
  const std::int64_t length = std::clamp<std::int64_t>(range.length, 0, total - location);
  const CharRange chars{location, location + length};
  const AppRequest request(session, ATSPI_ACCESSIBLE(text));
  if (request.refused()) return axerr::kCannotComplete;
  GErrorHolder error;
  if (chars.start == chars.end) {
    atspi_text_set_caret_offset(text, asOffset(chars.start), error.out());
    return error ? failure(session, error, text) : axerr::kSuccess;
  }
  const gint count = atspi_text_get_n_selections(text, error.out());
  if (error) return failure(session, error, text);
  if (count > 0) {
    atspi_text_set_selection(text, 0, asOffset(chars.start), asOffset(chars.end), error.out());
  } else {
    atspi_text_add_selection(text, asOffset(chars.start), asOffset(chars.end), error.out());
  }
  return error ? failure(session, error, text) : axerr::kSuccess;
}

}  // namespace axt::lindesk
