// Reading, testing and writing attributes of other applications' elements,
// and turning platform values into plain values of the kind a caller asks
// for. Nothing is cached: every call is one request to the other application.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/platform.h"

namespace axt::ax {

using platform::Element;
using platform::Pid;
using platform::Point;
using platform::Range;
using platform::Rect;
using platform::TextMarker;
using platform::TextMarkerRange;

// The plain kinds, each carrying a value of its kind. Part of the public
// interface; no operation of the library takes or returns it.
using ReturnType = std::variant<Range, Rect, std::int64_t, std::string, bool, Element, Point>;

// Converts a platform value to the plain kind T, or absent when it isn't of
// that kind. T is one of: std::string, std::int64_t, double, bool, Point,
// Rect, Range, Element, TextMarker, TextMarkerRange.
template <class T>
std::optional<T> axValueToPlain(const platform::Value& value);

template <class T>
std::optional<T> getAttributeValue(const Element& ref, const std::string& attr);

template <class T>
std::optional<T> getParameterizedAttributeValue(const Element& ref, const std::string& attr,
                                                const platform::Value& parameter);

bool isAttributeSettable(const Element& ref, const std::string& attr);

// Writes only when the attribute reports settable; the outcome is not
// reported.
void setAttributeValue(const Element& ref, const std::string& attr, const platform::Value& value);

// Writes without asking first; whether the element took the value.
bool writeAttribute(const Element& ref, const std::string& attr, const platform::Value& value);

std::optional<std::vector<std::string>> getAttributes(const Element& ref);

// A new application element for the process, whether or not it exists.
Element getAppRef(Pid pid);

platform::RunningApplicationRef getFrontmost();

// The process the library runs in: the host's.
Pid getHostProcess();

// The untyped reads behind the typed ones: the copied value, or absent after
// printing the line a failure calls for.
std::optional<platform::Value> copyAttribute(const Element& ref, const std::string& attr);
std::optional<platform::Value> copyParameterizedAttribute(const Element& ref,
                                                          const std::string& attr,
                                                          const platform::Value& parameter);

template <class T>
std::optional<T> getAttributeValue(const Element& ref, const std::string& attr) {
  std::optional<platform::Value> v = copyAttribute(ref, attr);
  if (!v) return std::nullopt;
  return axValueToPlain<T>(*v);
}

template <class T>
std::optional<T> getParameterizedAttributeValue(const Element& ref, const std::string& attr,
                                                const platform::Value& parameter) {
  std::optional<platform::Value> v = copyParameterizedAttribute(ref, attr, parameter);
  if (!v) return std::nullopt;
  return axValueToPlain<T>(*v);
}

}  // namespace axt::ax
