// A fresh simulated desktop and library state for every test, with the
// library's lines and the host's deliveries captured.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "ax/registrations.h"
#include "host/delivery/module_state.h"
#include "host/operations.h"
#include "simdesk/desktop.h"
#include "tracker/mac_accessibility.h"

namespace axt::testing {

struct Delivery {
  double at = 0;
  std::string name;
  std::string json;
};

class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetAll();
    current_ = this;
    desk().setLineSink([this](std::string_view line) { lines.emplace_back(line); });
  }

  void TearDown() override {
    resetAll();
    current_ = nullptr;
  }

  static simdesk::Desktop& desk() { return simdesk::Desktop::get(); }

  // The host callback every test registers.
  static void onEvent(const char* name, const char* json) {
    if (current_ == nullptr) return;
    current_->deliveries.push_back(Delivery{desk().now(), name, json});
  }

  // initMacAccessibility with the capturing callback, then start.
  void startTracking(const char* configuration = "{}") {
    host::initMacAccessibility(&LibraryTest::onEvent);
    host::start(configuration);
  }

  std::shared_ptr<tracker::MacAccessibility> tracker() const { return host::macAccessibility(); }

  // Runs the loop for `seconds` more.
  void runFor(double seconds) { desk().runUntil(desk().now() + seconds); }

  std::vector<std::string> lines;
  std::vector<Delivery> deliveries;

 private:
  static void resetAll() {
    host::main(0, nullptr);
    desk().reset();
    ax::forgetRegistrations();
  }

  static inline LibraryTest* current_ = nullptr;
};

// An editor with a text area, a text field and a button, ready to activate:
// pid 10, "com.example.editor", "Editor", the text area focused.
inline simdesk::AppSpec editorApp() {
  simdesk::AppSpec app;
  app.pid = 10;
  app.bundleId = "com.example.editor";
  app.name = "Editor";
  app.focused = "area";
  simdesk::ElementSpec area;
  area.id = "area";
  area.role = "AXTextArea";
  area.text = "hello world\nsecond line";
  area.frame = {{100, 200}, {400, 300}};
  simdesk::ElementSpec field = area;
  field.id = "field";
  field.role = "AXTextField";
  field.text = "search";
  field.frame = {{100, 50}, {200, 16}};
  simdesk::ElementSpec button;
  button.id = "button";
  button.role = "AXButton";
  app.elements = {area, field, button};
  return app;
}

}  // namespace axt::testing
