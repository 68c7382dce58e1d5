#include "sequence/scene.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

#include "json/json.h"

namespace axt::fuzz {

namespace {

// Pieces of text that exercise what text handling gets wrong: several
// scripts, characters outside the basic plane, canonically equivalent
// spellings (precomposed and decomposed, reordered marks, Hangul), line
// breaks, characters JSON must escape, and a few ill-formed byte runs.
constexpr std::string_view kPieces[] = {
    "hello",        " ",
    "world",        "\n",
    "\xC3\xA9",                      // é precomposed
    "e\xCC\x81",                     // e + combining acute
    "\xE2\x84\xAB",                  // Angstrom sign
    "\xC3\x85",                      // Å precomposed
    "A\xCC\x8A",                     // A + ring above
    "q\xCC\x87\xCC\xA3",             // q, dot above, dot below
    "q\xCC\xA3\xCC\x87",             // the same marks the other way round
    "\xED\x95\x9C",                  // Hangul syllable
    "\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB",  // the same as jamo
    "\xF0\x9F\x98\x80",              // emoji outside the basic plane
    "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD",      // emoji with a skin tone
    "\xE4\xB8\xAD\xE6\x96\x87",      // CJK
    "\xD8\xB9\xD8\xB1\xD8\xA8\xD9\x8A",      // Arabic
    "/",            "\"",
    "\\",           "\t",
    "\x01",         "\xE2\x80\xA8",  // line separator
    "\xEF\xBB\xBF",                  // byte order mark
    "\xED\xA0\x80",                  // a lone surrogate, as some editors hold one
    "\xFF",                          // a byte that is never UTF-8
    "\xC3",                          // a truncated sequence
};

constexpr std::string_view kRoles[] = {"AXTextArea", "AXTextField",  "AXStaticText", "AXButton",
                                       "AXComboBox", "AXSearchField", "AXWebArea",   "AXGroup"};

constexpr std::string_view kAttributes[] = {
    "AXRole",          "AXValue",           "AXSelectedText",       "AXSelectedTextRange",
    "AXNumberOfCharacters", "AXPosition",   "AXSize",               "AXFocusedUIElement",
    "AXBoundsForRange", "AXBoundsForTextMarkerRange", "AXSelectedTextMarkerRange",
    "AXStringForRange", "AXStringForTextMarkerRange", "AXEnhancedUserInterface",
    "AXIdentifier",    "AXDescription",     "AXTitle"};

constexpr platform::AXError kErrorCodes[] = {
    platform::axerr::kFailure,          platform::axerr::kIllegalArgument,
    platform::axerr::kInvalidUIElement, platform::axerr::kCannotComplete,
    platform::axerr::kAttributeUnsupported, platform::axerr::kNotImplemented,
    platform::axerr::kAPIDisabled,      platform::axerr::kNoValue,
    platform::axerr::kParameterizedAttributeUnsupported, platform::axerr::kNotEnoughPrecision,
    platform::axerr::kSuccess,          -1,
    std::numeric_limits<std::int32_t>::min()};

constexpr std::string_view kIdentifiers[] = {"password-field", "secret", "", "e\xCC\x81t\xC3\xA9"};

double randomCoordinate(FuzzInput& in) {
  static constexpr double kOdd[] = {-0.0, 0.5, 1e9, -1e9, std::numeric_limits<double>::infinity(),
                                    std::numeric_limits<double>::quiet_NaN()};
  if (in.ConsumeIntegralInRange(0, 15) == 0) return in.PickValueInArray(kOdd);
  return static_cast<double>(in.ConsumeIntegralInRange<int>(-50, 1200));
}

std::int64_t randomOffset(FuzzInput& in) {
  static constexpr std::int64_t kOdd[] = {std::numeric_limits<std::int64_t>::max(),
                                          std::numeric_limits<std::int64_t>::min(), -1,
                                          std::int64_t{1} << 40};
  if (in.ConsumeIntegralInRange(0, 15) == 0) return in.PickValueInArray(kOdd);
  return in.ConsumeIntegralInRange<std::int64_t>(0, 40);
}

simdesk::ElementSpec decodeElement(FuzzInput& in, std::string id) {
  simdesk::ElementSpec e;
  e.id = std::move(id);
  if (in.ConsumeIntegralInRange(0, 7) != 0) e.role = std::string(in.PickValueInArray(kRoles));
  if (in.ConsumeIntegralInRange(0, 3) != 0) {
    e.text = randomText(in);
    const auto length = static_cast<std::int64_t>(e.text->size());
    e.selection.location = in.ConsumeIntegralInRange<std::int64_t>(0, length + 2);
    e.selection.length = in.ConsumeIntegralInRange<std::int64_t>(0, length + 2);
  }
  e.frame = randomFrame(in);
  if (in.ConsumeBool()) e.editable = in.ConsumeBool();
  if (in.ConsumeBool()) e.markers = in.ConsumeBool();
  if (in.ConsumeBool()) e.attributes["AXIdentifier"] = std::string(in.PickValueInArray(kIdentifiers));
  return e;
}

}  // namespace

std::string randomText(FuzzInput& in, std::size_t maxPieces) {
  std::string text;
  const std::size_t pieces = in.ConsumeIntegralInRange<std::size_t>(0, maxPieces);
  for (std::size_t i = 0; i < pieces; ++i) text += in.PickValueInArray(kPieces);
  return text;
}

simdesk::Rect randomFrame(FuzzInput& in) {
  simdesk::Rect r;
  r.origin = {randomCoordinate(in), randomCoordinate(in)};
  r.size = {static_cast<double>(in.ConsumeIntegralInRange<int>(0, 600)),
            static_cast<double>(in.ConsumeIntegralInRange<int>(0, 400))};
  if (in.ConsumeIntegralInRange(0, 15) == 0) r.size.width = -r.size.width;
  return r;
}

simdesk::Range randomRange(FuzzInput& in) { return {randomOffset(in), randomOffset(in)}; }

std::string pickElement(FuzzInput& in, const Scene& scene) {
  if (scene.elements.empty() || in.ConsumeIntegralInRange(0, 31) == 0) return "nowhere";
  return scene.elements[in.ConsumeIntegralInRange<std::size_t>(0, scene.elements.size() - 1)];
}

simdesk::Pid pickPid(FuzzInput& in, const Scene& scene) {
  const auto choice = in.ConsumeIntegralInRange<std::size_t>(0, scene.apps.size() + 1);
  if (choice < scene.apps.size()) return scene.apps[choice].pid;
  return choice == scene.apps.size() ? simdesk::kHostPid : 99;  // the host, or nobody
}

std::string pickAttribute(FuzzInput& in) { return std::string(in.PickValueInArray(kAttributes)); }

simdesk::AXError pickErrorCode(FuzzInput& in) { return in.PickValueInArray(kErrorCodes); }

simdesk::AttrValue randomAttrValue(FuzzInput& in, const Scene& scene) {
  switch (in.ConsumeIntegralInRange(0, 11)) {
    case 0:
      return simdesk::NoValue{};
    case 1:
      return randomText(in);
    case 2:
      return randomOffset(in);
    case 3:
      return randomCoordinate(in);
    case 4:
      return in.ConsumeBool();
    case 5:
      return simdesk::Point{randomCoordinate(in), randomCoordinate(in)};
    case 6:
      return randomFrame(in);
    case 7: {
      simdesk::Range r = randomRange(in);
      if (in.ConsumeBool() && r.location > 0) r.location = -r.location;
      return r;
    }
    case 8:
      return simdesk::Size{randomCoordinate(in), randomCoordinate(in)};
    case 9:
      if (scene.elements.empty()) return simdesk::NoValue{};
      return simdesk::ElementId{
          scene.elements[in.ConsumeIntegralInRange<std::size_t>(0, scene.elements.size() - 1)]};
    case 10:
      return simdesk::Opaque{in.ConsumeBool() ? "array" : "date"};
    default:
      return simdesk::ErrorValue{pickErrorCode(in)};
  }
}

std::vector<simdesk::PasteboardItem> randomItems(FuzzInput& in) {
  std::vector<simdesk::PasteboardItem> items;
  const int count = in.ConsumeIntegralInRange(0, 2);
  for (int i = 0; i < count; ++i) {
    simdesk::PasteboardItem item;
    if (in.ConsumeIntegralInRange(0, 3) != 0) {
      item.types.emplace_back(std::string(platform::kPasteboardTypeString), randomText(in, 3));
    }
    if (in.ConsumeBool()) item.types.emplace_back("public.png", "\x89PNG");
    items.push_back(std::move(item));
  }
  return items;
}

simdesk::Point randomPointer(FuzzInput& in, const Scene& scene) {
  if (scene.windows.empty() || in.ConsumeIntegralInRange(0, 3) == 0) {
    return {randomCoordinate(in), randomCoordinate(in)};
  }
  const simdesk::Rect& f =
      scene.windows[in.ConsumeIntegralInRange<std::size_t>(0, scene.windows.size() - 1)].frame;
  // Inside, on the near edges (inside) or on the far edges (outside).
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return f.origin;
    case 1:
      return {f.origin.x + f.size.width, f.origin.y + f.size.height};
    default:
      return {f.origin.x + f.size.width * in.ConsumeProbability<double>(),
              f.origin.y + f.size.height * in.ConsumeProbability<double>()};
  }
}

std::string randomConfiguration(FuzzInput& in, const Scene& scene) {
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0:
      return "{}";
    case 1:
      return randomText(in);  // not JSON, or not an object of objects
    case 2:
      return in.ConsumeRandomLengthString(32);
    default:
      break;
  }
  json::Object list;
  const int entries = in.ConsumeIntegralInRange(1, 3);
  for (int i = 0; i < entries; ++i) {
    std::string bundleId = "other.app";
    const auto choice = in.ConsumeIntegralInRange<std::size_t>(0, scene.apps.size());
    if (choice < scene.apps.size() && scene.apps[choice].bundleId) {
      bundleId = *scene.apps[choice].bundleId;
    }
    json::Object entry;
    if (in.ConsumeIntegralInRange(0, 7) != 0) {
      entry.insert_or_assign("name", json::Value(in.ConsumeBool() ? std::string("AXIdentifier")
                                                                  : pickAttribute(in)));
    }
    switch (in.ConsumeIntegralInRange(0, 3)) {
      case 0:
        break;  // without a value: the field where the attribute has no text
      case 1:
        entry.insert_or_assign("value", json::Value(std::int64_t{3}));
        break;
      default:
        entry.insert_or_assign("value", json::Value(std::string(in.PickValueInArray(kIdentifiers))));
        break;
    }
    list.insert_or_assign(std::move(bundleId), json::Value(std::move(entry)));
  }
  return json::write(json::Value(std::move(list)));
}

Scene decodeScene(FuzzInput& in) {
  Scene scene;
  scene.trusted = in.ConsumeIntegralInRange(0, 15) != 0;
  scene.pasteboard = randomItems(in);

  const int windows = in.ConsumeIntegralInRange(0, 2);
  for (int i = 0; i < windows; ++i) {
    simdesk::HostWindowSpec w;
    w.id = "w" + std::to_string(i);
    w.frame = randomFrame(in);
    w.contentView = in.ConsumeIntegralInRange(0, 7) != 0;
    scene.windows.push_back(w);
  }

  static constexpr std::string_view kBundles[] = {"com.example.editor", "com.example.bank",
                                                  "org.example.mail", "e\xCC\x81.example"};
  static constexpr std::string_view kNames[] = {"Editor", "Bank", "Mail", simdesk::kHostName};
  const int apps = in.ConsumeIntegralInRange(1, 3);
  for (int a = 0; a < apps; ++a) {
    simdesk::AppSpec app;
    app.pid = 10 + a;
    if (in.ConsumeIntegralInRange(0, 7) != 0) app.bundleId = std::string(in.PickValueInArray(kBundles));
    if (in.ConsumeIntegralInRange(0, 7) != 0) app.name = std::string(in.PickValueInArray(kNames));
    app.launched = in.ConsumeIntegralInRange(0, 7) != 0;
    app.accessible = in.ConsumeIntegralInRange(0, 15) != 0;
    const int elements = in.ConsumeIntegralInRange(1, 4);
    for (int e = 0; e < elements; ++e) {
      std::string id = "e" + std::to_string(scene.elements.size());
      scene.elements.push_back(id);
      app.elements.push_back(decodeElement(in, std::move(id)));
    }
    if (in.ConsumeIntegralInRange(0, 3) != 0) {
      app.focused = app.elements[in.ConsumeIntegralInRange<std::size_t>(0, app.elements.size() - 1)].id;
    }
    scene.apps.push_back(std::move(app));
  }

  // Fixed answers and failures, now that every element id is known.
  for (auto& app : scene.apps) {
    if (in.ConsumeIntegralInRange(0, 3) == 0) {
      app.attributes[pickAttribute(in)] = randomAttrValue(in, scene);
    }
    for (auto& e : app.elements) {
      const int answers = in.ConsumeIntegralInRange(0, 2);
      for (int i = 0; i < answers; ++i) e.attributes[pickAttribute(in)] = randomAttrValue(in, scene);
      if (in.ConsumeIntegralInRange(0, 3) == 0) e.errors[pickAttribute(in)] = pickErrorCode(in);
    }
  }
  return scene;
}

}  // namespace axt::fuzz
