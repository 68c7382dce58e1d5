// Shared set-up for the simulated desktop's tests: a fresh desktop per test
// and short ways to reach elements through the seam.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "simdesk/desktop.h"

namespace simdesk_test {

namespace ap = axt::platform;
using simdesk::AppSpec;
using simdesk::Desktop;
using simdesk::ElementSpec;

inline constexpr ap::Pid kApp = 100;

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override { desk().reset(); }
  void TearDown() override { desk().reset(); }

  static Desktop& desk() { return Desktop::get(); }
  static ap::Accessibility& ax() { return ap::current().accessibility(); }
  static ap::MainRunLoop& loop() { return ap::current().runLoop(); }

  static ElementSpec textElement(std::string id, std::string role, std::string text,
                                 ap::Range selection = {0, 0}, ap::Rect frame = {}) {
    ElementSpec e;
    e.id = std::move(id);
    e.role = std::move(role);
    e.text = std::move(text);
    e.selection = selection;
    e.frame = frame;
    return e;
  }

  // Adds the application; each of its elements can then be reached with
  // element(), through a fixed answer of the application element.
  static void addApp(AppSpec app) {
    for (const ElementSpec& e : app.elements) {
      app.attributes["Test.Element." + e.id] = simdesk::ElementId{e.id};
    }
    desk().addApp(app);
  }

  static AppSpec app(ap::Pid pid, std::vector<ElementSpec> elements = {}) {
    AppSpec a;
    a.pid = pid;
    a.name = "App" + std::to_string(pid);
    a.bundleId = "com.example.app" + std::to_string(pid);
    a.elements = std::move(elements);
    return a;
  }

  static ap::Element element(ap::Pid pid, const std::string& id) {
    std::optional<ap::Value> v;
    const ap::AXError code =
        ax().copyAttributeValue(ax().createApplication(pid), "Test.Element." + id, v);
    EXPECT_EQ(code, 0) << "no element " << id;
    if (code != 0 || !v) return {};
    return std::get<ap::Element>(*v);
  }

  // Reads an attribute: the code, and the value when there is one.
  static ap::AXError read(const ap::Element& e, const std::string& name,
                          std::optional<ap::Value>& out) {
    out.reset();
    return ax().copyAttributeValue(e, name, out);
  }

  static std::string readString(const ap::Element& e, const std::string& name) {
    std::optional<ap::Value> v;
    EXPECT_EQ(read(e, name, v), 0) << name;
    return v ? std::get<std::string>(*v) : std::string("<none>");
  }

  static ap::Value rangeParam(std::int64_t location, std::int64_t length) {
    return ap::Value(ap::AXValue(ap::Range{location, length}));
  }

  static ap::AXError param(const ap::Element& e, const std::string& name, const ap::Value& p,
                           std::optional<ap::Value>& out) {
    out.reset();
    return ax().copyParameterizedAttributeValue(e, name, p, out);
  }

  static ap::Rect rectOf(const ap::Value& v) {
    ap::Rect r{};
    EXPECT_TRUE(std::get<ap::AXValue>(v).getValue(ap::AXValueType::kCGRect, r));
    return r;
  }

  static ap::Range rangeOf(const ap::Value& v) {
    ap::Range r{};
    EXPECT_TRUE(std::get<ap::AXValue>(v).getValue(ap::AXValueType::kCFRange, r));
    return r;
  }
};

inline ap::Rect rect(double x, double y, double w, double h) { return ap::Rect{{x, y}, {w, h}}; }

}  // namespace simdesk_test
