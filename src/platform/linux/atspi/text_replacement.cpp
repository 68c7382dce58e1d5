#include "atspi/text_replacement.h"

#include <cstdint>
#include <optional>

#include "atspi/atspi_session.h"
#include "atspi/element_role.h"
#include "atspi/text_access.h"
#include "logic/handles.h"
#include "logic/text_insertion.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;

namespace {

GRef<AtspiEditableText> editableOf(AtspiAccessible* a) {
  return GRef<AtspiEditableText>::adopt(atspi_accessible_get_editable_text_iface(a));
}

// One change of the text, guarded as every request is. Whatever the
// handling read of the element is stale after it.
template <class Change>
AXError change(AtspiSession& session, AtspiAccessible* a, Change&& ask) {
  session.readings().forget();
  const AppRequest request(session, a);
  if (request.refused()) return axerr::kCannotComplete;
  GErrorHolder error;
  const gboolean done = ask(error.out());
  session.readings().forget();
  if (error) return failureCode(session, error, keyOf(a).busName);
  return done ? axerr::kSuccess : axerr::kFailure;
}

AXError insertAt(AtspiSession& session, AtspiAccessible* a, AtspiEditableText* e, std::int64_t at,
                 const std::string& text, const InsertionMeasure& m) {
  return change(session, a, [&](GError** error) {
    return atspi_editable_text_insert_text(e, asOffset(at), text.c_str(), asOffset(m.lengthArgument), error);
  });
}

AXError deleteChars(AtspiSession& session, AtspiAccessible* a, AtspiEditableText* e, CharRange chars) {
  return change(session, a, [&](GError** error) {
    return atspi_editable_text_delete_text(e, asOffset(chars.start), asOffset(chars.end), error);
  });
}

// The toolkit's name, which tells the units of the text's offsets and of an
// insertion's length; empty when the application doesn't say (bytes and
// characters then). Only the application's root object answers it in every
// toolkit (Qt's other objects don't).
std::string toolkitOf(AtspiSession& session, AtspiAccessible* a) {
  const AppRequest request(session, a);
  if (request.refused()) return {};
  GErrorHolder error;
  GRef<AtspiAccessible> root = GRef<AtspiAccessible>::adopt(atspi_accessible_get_application(a, error.out()));
  if (error || !root) return {};
  std::string name = takeString(atspi_accessible_get_toolkit_name(root.get(), error.out()));
  return error ? std::string() : name;
}

// Whether the characters `chars` of the text are `expected`, with the text
// `total` characters long.
bool holds(AtspiSession& session, AtspiText* text, CharRange chars, const std::string& expected,
           std::int64_t total) {
  std::int64_t count = 0;
  if (characterCountOf(session, text, count) != axerr::kSuccess || count != total) return false;
  if (chars.start == chars.end) return expected.empty();
  std::string read;
  return readChars(session, text, chars, read) == axerr::kSuccess && read == expected;
}

}  // namespace

bool offersReplacement(AtspiSession& session, AtspiAccessible* accessible) {
  return accessible != nullptr && textOf(accessible) && editableOf(accessible) && isEditable(session, accessible);
}

AXError replaceSelection(AtspiSession& session, AtspiAccessible* accessible, const std::string& replacement) {
  if (!offersReplacement(session, accessible)) return axerr::kAttributeUnsupported;
  GRef<AtspiText> text = textOf(accessible);
  GRef<AtspiEditableText> editable = editableOf(accessible);
  const std::optional<InsertionMeasure> m = measureInsertion(replacement, toolkitOf(session, accessible));
  if (!m) return axerr::kIllegalArgument;

  platform::Range selection;
  if (AXError code = readSelectedRange(session, text.get(), selection); code != axerr::kSuccess) return code;
  std::int64_t before = 0;
  if (AXError code = characterCountOf(session, text.get(), before); code != axerr::kSuccess) return code;
  const CharRange selected{selection.location, selection.location + selection.length};
  if (selected.end > before) return axerr::kFailure;  // the element contradicts itself
  const CharRange inserted{selected.end, selected.end + m->characters};

  if (m->characters > 0) {
    if (AXError code = insertAt(session, accessible, editable.get(), inserted.start, replacement, *m);
        code != axerr::kSuccess) {
      return code;
    }
    if (!holds(session, text.get(), inserted, replacement, before + m->characters)) {
      // Taken in some other way than given (cut short, padded): whatever
      // went in goes back out, and the selection stays as it was.
      std::int64_t now = before;
      if (characterCountOf(session, text.get(), now) == axerr::kSuccess && now > before) {
        (void)deleteChars(session, accessible, editable.get(), CharRange{inserted.start, inserted.start + (now - before)});
      }
      return axerr::kFailure;
    }
  }
  if (selected.end > selected.start) {
    if (AXError code = deleteChars(session, accessible, editable.get(), selected); code != axerr::kSuccess) {
      if (m->characters > 0) (void)deleteChars(session, accessible, editable.get(), inserted);
      return code;
    }
  }
  const std::int64_t after = before - (selected.end - selected.start) + m->characters;
  if (!holds(session, text.get(), CharRange{selected.start, selected.start + m->characters}, replacement, after)) {
    return axerr::kFailure;
  }
  // A paste leaves the caret after what it put in.
  (void)selectRange(session, text.get(), platform::Range{selected.start + m->characters, 0});
  // The caret moved: what the handling read of the selection is stale.
  session.readings().forget();
  return axerr::kSuccess;
}

}  // namespace axt::lindesk
