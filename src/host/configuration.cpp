#include "host/configuration.h"

#include "ax/log.h"
#include "json/json.h"

namespace axt::host {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
}  // namespace

std::optional<tracker::BlockedFieldList> parseConfiguration(std::string_view utf8) {
  // Editors on some systems start UTF-8 files with a byte-order mark; the
  // platform's own JSON reader accepts one, so a host reading its settings
  // from such a file must not lose its blocked fields to it.
  if (utf8.starts_with(kByteOrderMark)) utf8.remove_prefix(kByteOrderMark.size());
  json::ParseResult parsed = json::parse(utf8);
  if (!parsed) {
    ax::logLine("Error deserializing JSON: " + parsed.error.description());
    return std::nullopt;
  }
  json::Object* top = parsed.value->asObject();
  if (top == nullptr) return std::nullopt;
  tracker::BlockedFieldList list;
  // The parsed text is thrown away afterwards, so its keys and entries are
  // moved, not copied. They come in key order: each one goes at the end of
  // the list without a search.
  for (auto& [bundleId, entry] : top->release()) {
    json::Object* fields = entry.asObject();
    if (fields == nullptr) return std::nullopt;
    list.emplace_hint(list.end(), std::move(bundleId), std::move(*fields));
  }
  return list;
}

}  // namespace axt::host
