#include "ax/attributes.h"

#include <string>

#include "ax/log.h"

namespace axt::ax {

namespace {

platform::Accessibility& accessibility() { return platform::current().accessibility(); }

// Maps a read's error code to absent, printing the line the code calls for.
// "No value" is the normal case of an empty attribute and stays quiet.
std::optional<platform::Value> readResult(platform::AXError error,
                                          std::optional<platform::Value>& value) {
  if (error == platform::axerr::kSuccess) return std::move(value);
  if (error == platform::axerr::kNoValue) return std::nullopt;
  if (error == platform::axerr::kNotImplemented) {
    logLine(std::to_string(error) + " Attribute not implemented");
  } else {
    logLine(std::to_string(error) + " Error retrieving attribute");
  }
  return std::nullopt;
}

}  // namespace

std::optional<platform::Value> copyAttribute(const Element& ref, const std::string& attr) {
  std::optional<platform::Value> value;
  platform::AXError error = accessibility().copyAttributeValue(ref, attr, value);
  return readResult(error, value);
}

std::optional<platform::Value> copyParameterizedAttribute(const Element& ref,
                                                          const std::string& attr,
                                                          const platform::Value& parameter) {
  std::optional<platform::Value> value;
  platform::AXError error =
      accessibility().copyParameterizedAttributeValue(ref, attr, parameter, value);
  return readResult(error, value);
}

bool isAttributeSettable(const Element& ref, const std::string& attr) {
  bool settable = false;
  // Any failure reads as "not settable".
  (void)accessibility().isAttributeSettable(ref, attr, settable);
  return settable;
}

void setAttributeValue(const Element& ref, const std::string& attr, const platform::Value& value) {
  if (!isAttributeSettable(ref, attr)) return;
  (void)accessibility().setAttributeValue(ref, attr, value);
}

bool writeAttribute(const Element& ref, const std::string& attr, const platform::Value& value) {
  return accessibility().setAttributeValue(ref, attr, value) == platform::axerr::kSuccess;
}

std::optional<std::vector<std::string>> getAttributes(const Element& ref) {
  std::optional<std::vector<platform::Value>> names;
  platform::AXError error = accessibility().copyAttributeNames(ref, names);
  if (error != platform::axerr::kSuccess) {
    logLine(std::to_string(error) + " Error retrieving attribute list");
    return std::nullopt;
  }
  if (!names) return std::nullopt;
  std::vector<std::string> out;
  out.reserve(names->size());
  for (const platform::Value& v : *names) {
    const std::string* s = std::get_if<std::string>(&v);
    if (s == nullptr) return std::nullopt;
    out.push_back(*s);
  }
  return out;
}

Element getAppRef(Pid pid) { return accessibility().createApplication(pid); }

platform::RunningApplicationRef getFrontmost() {
  return platform::current().workspace().frontmostApplication();
}

Pid getHostProcess() { return platform::current().workspace().currentProcessIdentifier(); }

}  // namespace axt::ax
