// The host's blocked fields: one kind of field per application whose
// selections are never reported.
#include "ax/attributes.h"
#include "text/canonical_equivalence.h"
#include "tracker/mac_accessibility.h"

namespace axt::tracker {

bool MacAccessibility::isBlockedField(const platform::Element& element) {
  if (!frontmostApp || blockedFiledsList.empty()) return false;
  // Without a bundle identifier there is no entry to look up.
  std::optional<std::string> bundleId = frontmostApp->bundleIdentifier();
  if (!bundleId) return false;
  const json::Object* entry = nullptr;
  auto exact = blockedFiledsList.find(*bundleId);
  if (exact != blockedFiledsList.end()) {
    entry = &exact->second;
  } else {
    for (const auto& [key, value] : blockedFiledsList) {
      if (text::canonicallyEqual(key, *bundleId)) {
        entry = &value;
        break;
      }
    }
  }
  if (entry == nullptr) return false;

  // An entry without an attribute name can't match any field.
  auto nameMember = entry->find("name");
  if (nameMember == entry->end() || !nameMember->second.isString()) return false;
  std::optional<std::string> actual =
      ax::getAttributeValue<std::string>(element, *nameMember->second.asString());

  std::optional<std::string> expected;
  auto valueMember = entry->find("value");
  if (valueMember != entry->end() && valueMember->second.isString()) {
    expected = *valueMember->second.asString();
  }
  if (!actual && !expected) return true;
  return actual && expected && text::canonicallyEqual(*actual, *expected);
}

}  // namespace axt::tracker
