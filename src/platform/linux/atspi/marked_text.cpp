#include "atspi/marked_text.h"

#include <optional>

#include "translation/text_markers.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;

namespace {

AXError readMarked(AtspiSession& session, AtspiText* text, const ObjectKey& element, const platform::Value& parameter,
                   CharRange& out) {
  // A parameter of the wrong kind is refused before anything is asked.
  if (!markedChars(element, parameter, 0)) return axerr::kIllegalArgument;
  std::int64_t total = 0;
  if (AXError code = characterCountOf(session, text, total); code != axerr::kSuccess) return code;
  out = *markedChars(element, parameter, total);
  return axerr::kSuccess;
}

}  // namespace

AXError boundsForMarkerRange(AtspiSession& session, TextPlacement& placement, AtspiText* text, const ObjectKey& element,
                             const platform::Value& parameter, platform::Rect& out) {
  CharRange chars;
  if (AXError code = readMarked(session, text, element, parameter, chars); code != axerr::kSuccess) return code;
  return boundsOfChars(session, placement, text, chars, out);
}

AXError stringForMarkerRange(AtspiSession& session, AtspiText* text, const ObjectKey& element,
                             const platform::Value& parameter, std::string& out) {
  CharRange chars;
  if (AXError code = readMarked(session, text, element, parameter, chars); code != axerr::kSuccess) return code;
  return readChars(session, text, chars, out);
}

}  // namespace axt::lindesk
