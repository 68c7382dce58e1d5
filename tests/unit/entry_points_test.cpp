// The host interface where no scenario reaches: texts a scenario file can't
// hold (null, ill-formed UTF-8, nested or long beyond reason), the prompt
// behind the trust queries, and the library as a host loads it, through
// dlopen. The calling order and the configuration's effect on the event
// stream are in the scenarios out_of_order_calls, start_config and
// callback_lifecycle.
#include <dlfcn.h>

#include "axtrack/axtrack.h"
#include "harness.h"

namespace axt::testing {
namespace {

class EntryPointsTest : public LibraryTest {
 protected:
  // The line start printed for `text`, after its own two.
  std::string errorLineOf(const std::string& text) {
    lines.clear();
    host::start(text.c_str());
    return lines.size() == 3 ? lines[2] : "(" + std::to_string(lines.size()) + " lines)";
  }
};

TEST_F(EntryPointsTest, OnlyThePopupAsksForThePromptAndNeitherQueryNeedsATracker) {
  desk().setTrusted(false);
  EXPECT_FALSE(host::isAccessibiltyEnabled());
  EXPECT_EQ(desk().promptRequests(), 0);
  EXPECT_FALSE(host::showAccessibiltyPermisionPopup());
  EXPECT_EQ(desk().promptRequests(), 1);
  EXPECT_EQ(tracker(), nullptr);
}

TEST_F(EntryPointsTest, BadConfigurationTextsNeverCrash) {
  startTracking(R"({"com.a": {"name": "AXIdentifier"}})");
  std::string deepObjects;
  for (int i = 0; i < 100'000; ++i) deepObjects += "{\"a\":";
  for (const std::string& deep : {std::string(100'000, '['), deepObjects}) {
    EXPECT_EQ(errorLineOf(deep).rfind("Error deserializing JSON: Nesting deeper than 512 levels", 0), 0u);
  }
  EXPECT_EQ(errorLineOf("\xff\xfe").rfind("Error deserializing JSON: ", 0), 0u);
  EXPECT_EQ(tracker()->blockedFiledsList.size(), 1u) << "the previous list stays";
}

TEST_F(EntryPointsTest, NullConfigurationIsTextThatIsNotJson) {
  host::initMacAccessibility(&LibraryTest::onEvent);
  host::start(nullptr);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].rfind("Error deserializing JSON: ", 0), 0u);
}

TEST_F(EntryPointsTest, IllFormedUtf8InTheConfigurationIsReplaced) {
  startTracking("{\"com.\xC3(\": {\"name\": \"AXTitle\"}}");
  ASSERT_EQ(tracker()->blockedFiledsList.size(), 1u);
  EXPECT_EQ(tracker()->blockedFiledsList.begin()->first, "com.\xEF\xBF\xBD(");
}

TEST_F(EntryPointsTest, LargeConfigurationIsAccepted) {
  std::string text = "{";
  for (int i = 0; i < 50'000; ++i) {
    if (i) text += ',';
    text += "\"com.example.app" + std::to_string(i) + "\":{\"name\":\"AXIdentifier\",\"value\":\"f\"}";
  }
  startTracking((text + '}').c_str());
  EXPECT_EQ(tracker()->blockedFiledsList.size(), 50'000u);
}

TEST_F(EntryPointsTest, NullTextForSetTextPastesNothing) {
  startTracking();
  lines.clear();
  host::setText(nullptr);
  EXPECT_TRUE(lines.empty());
  EXPECT_TRUE(desk().keys().empty());
}

// The library as a host loads it.
template <class F>
F symbol(void* library, const char* name) {
  return reinterpret_cast<F>(dlsym(library, name));
}

std::vector<std::string>* gLoadedEvents = nullptr;
void loadedCallback(const char* name, const char* json) {
  if (gLoadedEvents != nullptr) gLoadedEvents->push_back(std::string(name) + " " + json);
}

TEST_F(EntryPointsTest, TheSharedLibraryDrivesTheDesktopThroughItsEightSymbols) {
  void* library = dlopen(AXTRACK_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto init = symbol<void (*)(axtrack_callback)>(library, "initMacAccessibility");
  auto startFn = symbol<void (*)(const char*)>(library, "start");
  auto setTextFn = symbol<void (*)(const char*)>(library, "setText");
  auto focus = symbol<void (*)()>(library, "focusPreiov");
  auto mouse = symbol<void (*)(void*)>(library, "addMouseTracker");
  auto enabled = symbol<bool (*)()>(library, "isAccessibiltyEnabled");
  auto popup = symbol<bool (*)()>(library, "showAccessibiltyPermisionPopup");
  auto libMain = symbol<axtrack_main_fn>(library, "main");
  ASSERT_TRUE(init && startFn && setTextFn && focus && mouse && enabled && popup && libMain);
  EXPECT_NE(reinterpret_cast<void*>(libMain), dlsym(RTLD_DEFAULT, "main"))
      << "dlsym must find the library's main, not the program's";

  std::vector<std::string> events;
  gLoadedEvents = &events;
  EXPECT_TRUE(enabled() && popup());
  init(&loadedCallback);
  startFn("{}");
  desk().addApp(editorApp());
  desk().activate(10);
  mouse(desk().notAWindowObject());
  desk().runUntilIdle();
  EXPECT_EQ(events, std::vector<std::string>{
                        R"(app_changed {"bundle_id":"com.example.editor","name":"Editor","role":"AXApplication"})"});
  EXPECT_EQ(libMain(0, nullptr), 0);
  focus();  // no tracker any more: nothing happens
  setTextFn("x");
  EXPECT_TRUE(desk().keys().empty());
  gLoadedEvents = nullptr;
  desk().reset();  // drops the loaded tracker's registrations before unloading
  dlclose(library);
}

}  // namespace
}  // namespace axt::testing
