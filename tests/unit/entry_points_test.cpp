// The host interface: calling order, configuration handling and the C
// boundary as a host sees it through dlopen.
#include <dlfcn.h>

#include "axtrack/axtrack.h"
#include "harness.h"

namespace axt::testing {
namespace {

class EntryPointsTest : public LibraryTest {};

TEST_F(EntryPointsTest, QueriesWorkBeforeInitAndCreateNothing) {
  desk().setTrusted(false);
  EXPECT_FALSE(host::isAccessibiltyEnabled());
  EXPECT_EQ(desk().promptRequests(), 0);
  EXPECT_FALSE(host::showAccessibiltyPermisionPopup());
  EXPECT_EQ(desk().promptRequests(), 1);
  desk().setTrusted(true);
  EXPECT_TRUE(host::isAccessibiltyEnabled());
  EXPECT_EQ(tracker(), nullptr);
  EXPECT_TRUE(lines.empty());
}

TEST_F(EntryPointsTest, CallsWithoutATrackerDoNothing) {
  host::start("{}");
  host::setText("replacement");
  host::main(0, nullptr);
  EXPECT_TRUE(lines.empty());
  EXPECT_TRUE(desk().keys().empty());
  EXPECT_EQ(desk().pendingMainLoopItems(), 0u);
}

TEST_F(EntryPointsTest, StartPrintsAndStartsEvenWhenUntrusted) {
  desk().setTrusted(false);
  startTracking();
  EXPECT_EQ(lines, std::vector<std::string>{"Accessibility is enabled"});
  EXPECT_TRUE(tracker()->blockedFiledsList.empty());
  EXPECT_EQ(desk().promptRequests(), 0);
}

TEST_F(EntryPointsTest, ConfigurationReplacesTheWholeList) {
  startTracking(R"({"com.a": {"name": "AXIdentifier", "value": "pw"}, "com.b": {"name": "AXTitle"}})");
  ASSERT_EQ(tracker()->blockedFiledsList.size(), 2u);
  host::start(R"({"com.c": {"name": "AXDescription"}})");
  ASSERT_EQ(tracker()->blockedFiledsList.size(), 1u);
  EXPECT_EQ(tracker()->blockedFiledsList.count("com.c"), 1u);
  host::start("{}");
  EXPECT_TRUE(tracker()->blockedFiledsList.empty());
}

TEST_F(EntryPointsTest, JsonThatIsNotAnObjectOfObjectsIsIgnoredSilently) {
  startTracking(R"({"com.a": {"name": "AXIdentifier"}})");
  lines.clear();
  for (const char* text : {R"([{"name": "x"}])", R"({"com.a": {"name": "x"}, "com.b": "text"})",
                           R"({"com.a": 3})", R"({"com.a": null})"}) {
    host::start(text);
    ASSERT_EQ(tracker()->blockedFiledsList.size(), 1u) << text;
    EXPECT_EQ(tracker()->blockedFiledsList.begin()->second.at("name"), json::Value("AXIdentifier"));
  }
  // Each start repeats the registrations; no line speaks of the text.
  for (const std::string& l : lines) {
    EXPECT_TRUE(l == "Accessibility is enabled" || l == "Failed to register hotkey.") << l;
  }
}

TEST_F(EntryPointsTest, TextThatIsNotJsonPrintsWhatAndWhere) {
  startTracking(R"({"com.a": {"name": "AXIdentifier"}})");
  lines.clear();
  host::start("{\"com.a\": ");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Accessibility is enabled") << "tracking starts before the text is read";
  EXPECT_EQ(lines[2].rfind("Error deserializing JSON: ", 0), 0u) << lines[2];
  EXPECT_NE(lines[2].find("byte offset 10"), std::string::npos) << lines[2];
  EXPECT_EQ(tracker()->blockedFiledsList.size(), 1u);
}

TEST_F(EntryPointsTest, BadConfigurationTextsNeverCrash) {
  startTracking();
  const std::string deep(100'000, '[');
  std::string deepObjects;
  for (int i = 0; i < 100'000; ++i) deepObjects += "{\"a\":";
  for (const std::string& text : {deep, deepObjects, std::string("\"just a string\""),
                                  std::string("{\"a\":{}} trailing"), std::string("\xff\xfe")}) {
    lines.clear();
    host::start(text.c_str());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].rfind("Error deserializing JSON: ", 0), 0u) << lines[2];
  }
  EXPECT_TRUE(tracker()->blockedFiledsList.empty());
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
  text += '}';
  startTracking(text.c_str());
  EXPECT_EQ(tracker()->blockedFiledsList.size(), 50'000u);
}

TEST_F(EntryPointsTest, NullTextForSetTextPastesNothing) {
  startTracking();
  lines.clear();
  host::setText(nullptr);
  EXPECT_TRUE(lines.empty());
  EXPECT_TRUE(desk().keys().empty());
}

TEST_F(EntryPointsTest, MainForgetsTrackerAndCallbackAndInitWorksAgain) {
  startTracking();
  EXPECT_EQ(host::main(0, nullptr), 0);
  EXPECT_EQ(tracker(), nullptr);
  EXPECT_EQ(host::observer_callback(), nullptr);
  EXPECT_EQ(host::main(0, nullptr), 0) << "main twice is harmless";
  host::initMacAccessibility(&LibraryTest::onEvent);
  ASSERT_NE(tracker(), nullptr);
  EXPECT_TRUE(tracker()->blockedFiledsList.empty());
}

TEST_F(EntryPointsTest, SecondInitKeepsThePendingEventForTheNewCallback) {
  startTracking();
  desk().addApp(editorApp());
  desk().activate(10);
  runFor(0.05);  // "app_changed" handed over, not yet delivered
  host::initMacAccessibility(&LibraryTest::onEvent);
  runFor(1.0);
  EXPECT_EQ(names(), std::vector<std::string>{"app_changed"});
}

// The library as a host loads it.
class LoadedLibrary {
 public:
  LoadedLibrary() : handle_(dlopen(AXTRACK_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL)) {}
  ~LoadedLibrary() {
    if (handle_ != nullptr) dlclose(handle_);
  }
  template <class F>
  F get(const char* name) const {
    return reinterpret_cast<F>(dlsym(handle_, name));
  }
  bool ok() const { return handle_ != nullptr; }

 private:
  void* handle_;
};

std::vector<std::string>* gLoadedEvents = nullptr;
void loadedCallback(const char* name, const char* json) {
  if (gLoadedEvents != nullptr) gLoadedEvents->push_back(std::string(name) + " " + json);
}

TEST_F(EntryPointsTest, TheSharedLibraryDrivesTheDesktopThroughItsEightSymbols) {
  LoadedLibrary lib;
  ASSERT_TRUE(lib.ok()) << dlerror();
  auto init = lib.get<void (*)(axtrack_callback)>("initMacAccessibility");
  auto startFn = lib.get<void (*)(const char*)>("start");
  auto setTextFn = lib.get<void (*)(const char*)>("setText");
  auto focus = lib.get<void (*)()>("focusPreiov");
  auto mouse = lib.get<void (*)(void*)>("addMouseTracker");
  auto enabled = lib.get<bool (*)()>("isAccessibiltyEnabled");
  auto popup = lib.get<bool (*)()>("showAccessibiltyPermisionPopup");
  auto libMain = lib.get<axtrack_main_fn>("main");
  ASSERT_TRUE(init && startFn && setTextFn && focus && mouse && enabled && popup && libMain);
  EXPECT_NE(reinterpret_cast<void*>(libMain), dlsym(RTLD_DEFAULT, "main"))
      << "dlsym must find the library's main, not the program's";

  std::vector<std::string> events;
  gLoadedEvents = &events;
  EXPECT_TRUE(enabled());
  init(&loadedCallback);
  startFn(nullptr);
  desk().addApp(editorApp());
  desk().activate(10);
  mouse(nullptr);
  mouse(desk().notAWindowObject());
  focus();
  desk().runUntilIdle();
  EXPECT_EQ(events, std::vector<std::string>{
                        R"(app_changed {"bundle_id":"com.example.editor","name":"Editor","role":"AXApplication"})"});
  EXPECT_EQ(libMain(0, nullptr), 0);
  focus();  // no tracker any more: nothing happens
  setTextFn(nullptr);
  gLoadedEvents = nullptr;
  desk().reset();  // drops the loaded tracker's registrations before unloading
}

}  // namespace
}  // namespace axt::testing
