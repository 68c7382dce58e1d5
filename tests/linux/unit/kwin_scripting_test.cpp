// KWin's scripting as the activation of native windows uses it: the file
// KWin reads holds the script and outlives the run, one script of ours is
// loaded at a time, a name a dead host left loaded is taken over, KWin 5's
// object paths are found when KWin 6's aren't there, and a KWin that
// doesn't answer makes the activation fail rather than report success.
// The window places read KWin's list of a process's windows from a
// script's answer: the surface or the frame as the toolkit counts, the
// window of the toolkit's title, X windows left to the X server, the list
// asked for once per handling, and a KWin that didn't answer left alone
// for a moment.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "kwin/kwin_scripting.h"
#include "kwin/kwin_window_activation.h"
#include "kwin/kwin_window_list.h"
#include "kwin/kwin_window_places.h"
#include "logic/handling_cache.h"

namespace axt::lindesk {
namespace {

std::string contents(const std::string& path) {
  std::ifstream in(path);
  if (!in) return "<gone>";
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// KWin's side, as far as the library can tell: what it was asked, and the
// file's text when it was loaded and when it was run.
struct Kwin {
  std::vector<std::string> asked;
  std::vector<std::string> scriptsRun;
  std::string file;
  bool loaded = false;
  bool answers = true;
  bool olderPaths = false;
  int nextId = 0;
};

class FakeBus final : public ScriptingBus {
 public:
  explicit FakeBus(Kwin& kwin) : kwin_(kwin) {}
  std::optional<int> loadScript(const std::string& file, const std::string& name) override {
    kwin_.asked.push_back("load " + name);
    if (!kwin_.answers) return std::nullopt;
    if (kwin_.loaded) return -1;
    kwin_.loaded = true;
    kwin_.file = file;
    return kwin_.nextId++;
  }
  ScriptRun run(const std::string& objectPath) override {
    kwin_.asked.push_back("run " + objectPath);
    if (!kwin_.answers) return ScriptRun::kFailed;
    const std::string id = std::to_string(kwin_.nextId - 1);
    const std::string wanted = kwin_.olderPaths ? "/" + id : "/Scripting/Script" + id;
    if (!kwin_.loaded || objectPath != wanted) return ScriptRun::kNoSuchObject;
    kwin_.scriptsRun.push_back(contents(kwin_.file));
    return ScriptRun::kRan;
  }
  void unloadScript(const std::string& name) override {
    kwin_.asked.push_back("unload " + name);
    if (kwin_.answers) kwin_.loaded = false;
  }

 private:
  Kwin& kwin_;
};

class KWinScriptingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "kwin-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { ::rmdir(folder_.c_str()); }
  KWinScripting scripting() { return KWinScripting(std::make_unique<FakeBus>(kwin_), folder_, "axtrack-7"); }

  Kwin kwin_;
  std::string folder_;
};

TEST_F(KWinScriptingTest, AScriptIsLoadedFromAFileThatStaysUntilTheNextAndIsUnloadedBeforeIt) {
  {
    KWinScripting scripting = this->scripting();
    ASSERT_TRUE(scripting.run("one();"));
    EXPECT_EQ(kwin_.asked, (std::vector<std::string>{"load axtrack-7", "run /Scripting/Script0"}));
    // KWin reads the file after `run` has answered: it is still there.
    EXPECT_EQ(contents(kwin_.file), "one();");
    EXPECT_EQ(kwin_.file.rfind(folder_ + "/", 0), 0u);

    kwin_.asked.clear();
    ASSERT_TRUE(scripting.run("two();"));
    EXPECT_EQ(kwin_.asked,
              (std::vector<std::string>{"unload axtrack-7", "load axtrack-7", "run /Scripting/Script1"}));
    EXPECT_EQ(kwin_.scriptsRun, (std::vector<std::string>{"one();", "two();"}));
    kwin_.asked.clear();
  }
  // The holder going unloads the last one and takes its file away.
  EXPECT_EQ(kwin_.asked, (std::vector<std::string>{"unload axtrack-7"}));
  EXPECT_FALSE(kwin_.loaded);
  EXPECT_EQ(contents(kwin_.file), "<gone>");
}

TEST_F(KWinScriptingTest, ANameAnotherHostLeftLoadedIsTakenOverOnce) {
  kwin_.loaded = true;
  KWinScripting scripting = this->scripting();
  ASSERT_TRUE(scripting.run("one();"));
  EXPECT_EQ(kwin_.asked,
            (std::vector<std::string>{"load axtrack-7", "unload axtrack-7", "load axtrack-7", "run /Scripting/Script0"}));
}

TEST_F(KWinScriptingTest, OlderObjectPathsAreTriedOnceAndRemembered) {
  kwin_.olderPaths = true;
  KWinScripting scripting = this->scripting();
  ASSERT_TRUE(scripting.run("one();"));
  EXPECT_EQ(kwin_.asked, (std::vector<std::string>{"load axtrack-7", "run /Scripting/Script0", "run /0"}));
  kwin_.asked.clear();
  ASSERT_TRUE(scripting.run("two();"));
  EXPECT_EQ(kwin_.asked, (std::vector<std::string>{"unload axtrack-7", "load axtrack-7", "run /1"}));
}

TEST_F(KWinScriptingTest, AKWinThatDoesntAnswerIsAFailure) {
  kwin_.answers = false;
  KWinScripting scripting = this->scripting();
  EXPECT_FALSE(scripting.run("one();"));
  EXPECT_EQ(kwin_.asked, (std::vector<std::string>{"load axtrack-7"}));
  EXPECT_TRUE(kwin_.scriptsRun.empty());

  // It answers again: the next run goes through.
  kwin_.answers = true;
  kwin_.asked.clear();
  EXPECT_TRUE(scripting.run("two();"));
  EXPECT_EQ(kwin_.scriptsRun, (std::vector<std::string>{"two();"}));
}

TEST_F(KWinScriptingTest, NoFolderToWriteInRunsNothing) {
  KWinScripting scripting(std::make_unique<FakeBus>(kwin_), folder_ + "/missing", "axtrack-7");
  EXPECT_FALSE(scripting.run("one();"));
  EXPECT_TRUE(kwin_.asked.empty());
}

TEST_F(KWinScriptingTest, ActivationRunsTheScriptForTheProcessAndNothingForNoProcess) {
  KWinWindowActivation activation(std::make_shared<KWinScripting>(scripting()));
  EXPECT_FALSE(activation.activate(0, {}));
  EXPECT_FALSE(activation.activate(-3, {}));
  EXPECT_TRUE(kwin_.asked.empty());

  ASSERT_TRUE(activation.activate(4242, {}));
  ASSERT_EQ(kwin_.scriptsRun.size(), 1u);
  EXPECT_EQ(kwin_.scriptsRun[0], activationScript(4242));
  EXPECT_NE(kwin_.scriptsRun[0].find("const pid = 4242;"), std::string::npos);
}

TEST(KWinWindowList, AnswerLinesAreReadAndWhatIsNoLineIsLeftOut) {
  const std::vector<KWinWindow> windows = kwinWindows(
      "0,1,630,450,640,480,626,421,648,513,Untitled%201%20%E2%80%93%20a%2Cb%0Ac\n"
      "1,0,-5,7,10,20,-5,7,10,20,\n"
      "0,0,1,2,3\n"          // too few fields
      "0,0,1,2,3,4,5,6,7,x,t\n"  // not a number
      "0,0,1,2,3,4,5,6,7,8,%G1\n"  // not an escape
      "0,0,1,2,3,4,5,6,7,8,ends%4");
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_FALSE(windows[0].x11);
  EXPECT_TRUE(windows[0].focused);
  EXPECT_EQ(windows[0].surface, (platform::Rect{{630, 450}, {640, 480}}));
  EXPECT_EQ(windows[0].frame, (platform::Rect{{626, 421}, {648, 513}}));
  EXPECT_EQ(windows[0].title, "Untitled 1 \u2013 a,b\nc");
  EXPECT_TRUE(windows[1].x11);
  EXPECT_EQ(windows[1].surface.origin, (platform::Point{-5, 7}));
  EXPECT_EQ(windows[1].title, "");
  EXPECT_TRUE(kwinWindows("").empty());
}

// KWin's answers as the script would send them: one per await, or none.
struct Answers {
  std::vector<std::optional<std::string>> queued;
  std::vector<std::uint64_t> awaited;
};

class FakeAnswers final : public ScriptAnswers {
 public:
  explicit FakeAnswers(Answers& answers) : answers_(answers) {}
  const AnswerAddress& address() const override { return address_; }
  std::optional<std::string> await(std::uint64_t token, int) override {
    answers_.awaited.push_back(token);
    if (answers_.queued.empty()) return std::nullopt;
    std::optional<std::string> next = std::move(answers_.queued.front());
    answers_.queued.erase(answers_.queued.begin());
    return next;
  }

 private:
  Answers& answers_;
  AnswerAddress address_{":1.42", "/org/axtrack/KWinAnswers/7", "org.axtrack.KWinAnswers", "Answer"};
};

class KWinWindowPlacesTest : public KWinScriptingTest {
 protected:
  KWinWindowPlaces places(const HandlingCache* readings = nullptr) {
    return KWinWindowPlaces(shared_, std::make_unique<FakeAnswers>(answers_), readings, [this] { return now_; });
  }
  static std::function<ToolkitWindow()> toolkit(std::string title, platform::Size size) {
    return [=] { return ToolkitWindow{title, size}; };
  }
  Answers answers_;
  double now_ = 100.0;
  std::shared_ptr<KWinScripting> shared_ = std::make_shared<KWinScripting>(scripting());
};

// A server-side frame (GTK 3 and Qt under KWin): the toolkit's window is
// its surface, inside the frame.
constexpr const char* kFramed = "0,1,630,450,640,480,626,421,648,513,Notes\n";
// GTK 4 draws its frame and shadow in its surface and counts from the
// frame's corner.
constexpr const char* kShadowed = "0,1,229,197,762,712,290,252,640,590,Notes\n";

TEST_F(KWinWindowPlacesTest, TheOriginIsTheSurfaceOrTheFrameAsTheToolkitCounts) {
  KWinWindowPlaces places = this->places();
  answers_.queued = {kFramed, kShadowed, kShadowed, kFramed};
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), (platform::Point{630, 450}));
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 590})), (platform::Point{290, 252}));
  // A size that is neither, or none told: the surface, where the
  // coordinates of the client start.
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {0, 0})), (platform::Point{229, 197}));
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {300, 200})), (platform::Point{630, 450}));

  // The script asked for the process and named where to answer, with the
  // token that was awaited.
  ASSERT_EQ(kwin_.scriptsRun.size(), 4u);
  EXPECT_EQ(kwin_.scriptsRun[0], windowListScript(77, answers_.awaited[0], FakeAnswers(answers_).address()));
  EXPECT_NE(kwin_.scriptsRun[0].find("const pid = 77;"), std::string::npos);
  EXPECT_NE(kwin_.scriptsRun[0].find("callDBus(\":1.42\", \"/org/axtrack/KWinAnswers/7\""), std::string::npos);
  EXPECT_NE(kwin_.scriptsRun[1].find("\"" + std::to_string(answers_.awaited[1]) + "\", out"), std::string::npos);
  EXPECT_NE(answers_.awaited[0], answers_.awaited[1]);
}

TEST_F(KWinWindowPlacesTest, TheWindowIsTheOnlyOneElseTheOneOfTheTitleElseTheActiveOne) {
  KWinWindowPlaces places = this->places();
  const std::string two = "0,0,10,10,100,100,10,10,100,100,Draft\n0,1,500,10,100,100,500,10,100,100,Notes\n";
  answers_.queued = {two, two, "0,0,10,10,100,100,10,10,100,100,Draft\n0,0,500,10,100,100,500,10,100,100,Draft\n"};
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Draft", {100, 100})), (platform::Point{10, 10}));
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Other", {100, 100})), (platform::Point{500, 10}));
  // Two of one title, neither active: no way to tell.
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Draft", {100, 100})), std::nullopt);
}

TEST_F(KWinWindowPlacesTest, XWindowsNoWindowsAndNoAnswerPlaceNothing) {
  KWinWindowPlaces places = this->places();
  answers_.queued = {"1,1,10,10,100,100,10,10,100,100,X\n", "", std::nullopt};
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("X", {100, 100})), std::nullopt);
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("X", {100, 100})), std::nullopt);
  // KWin didn't answer in time.
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), std::nullopt);
  // No process: nothing is asked.
  EXPECT_EQ(places.relativeOriginOf(0, toolkit("Notes", {640, 480})), std::nullopt);
  EXPECT_EQ(kwin_.scriptsRun.size(), 3u);
}

// A KWin that hangs would cost each rectangle a second of the host's
// thread: after a failure it is left alone for a few seconds, then asked
// again.
TEST_F(KWinWindowPlacesTest, AKWinThatDidntAnswerIsLeftAloneForAMoment) {
  KWinWindowPlaces places = this->places();
  answers_.queued = {std::nullopt, kFramed, kFramed};
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), std::nullopt);
  now_ += 2.9;
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), std::nullopt);
  EXPECT_EQ(places.relativeOriginOf(78, toolkit("Notes", {640, 480})), std::nullopt);
  EXPECT_EQ(kwin_.scriptsRun.size(), 1u);
  now_ += 0.2;
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), (platform::Point{630, 450}));
  // An answer ends the quiet: the next asking goes at once.
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), (platform::Point{630, 450}));
  EXPECT_EQ(kwin_.scriptsRun.size(), 3u);

  // A KWin that takes no script is no answer either, and isn't awaited.
  kwin_.answers = false;
  answers_.awaited.clear();
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), std::nullopt);
  EXPECT_TRUE(answers_.awaited.empty());
  const std::size_t asked = kwin_.asked.size();
  now_ += 1.0;
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), std::nullopt);
  EXPECT_EQ(kwin_.asked.size(), asked);
}

TEST_F(KWinWindowPlacesTest, AProcessListIsAskedForOncePerHandling) {
  HandlingCache readings;
  KWinWindowPlaces places = this->places(&readings);
  answers_.queued = {kFramed, kShadowed, kFramed, kFramed, kFramed};
  {
    const HandlingScope handling(readings);
    EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), (platform::Point{630, 450}));
    EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), (platform::Point{630, 450}));
    EXPECT_EQ(kwin_.scriptsRun.size(), 1u);
    // Another process's windows are another list.
    EXPECT_EQ(places.relativeOriginOf(78, toolkit("Notes", {640, 590})), (platform::Point{290, 252}));
    EXPECT_EQ(kwin_.scriptsRun.size(), 2u);
    // The library acted: what it read may no longer hold.
    readings.forget();
    EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), (platform::Point{630, 450}));
    EXPECT_EQ(kwin_.scriptsRun.size(), 3u);
  }
  // Outside a handling, nothing is kept.
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), (platform::Point{630, 450}));
  EXPECT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), (platform::Point{630, 450}));
  EXPECT_EQ(kwin_.scriptsRun.size(), 5u);
}

// KWin 5 numbers a script by how many are loaded: two of ours loaded at
// once could be given one object path, and the activation's run would run
// the places' script.
TEST_F(KWinWindowPlacesTest, PlacesAndActivationHaveOneScriptLoadedAtATime) {
  KWinWindowPlaces places = this->places();
  KWinWindowActivation activation(shared_);
  answers_.queued = {kFramed};
  ASSERT_EQ(places.relativeOriginOf(77, toolkit("Notes", {640, 480})), (platform::Point{630, 450}));
  kwin_.asked.clear();
  ASSERT_TRUE(activation.activate(77, {}));
  EXPECT_EQ(kwin_.asked, (std::vector<std::string>{"unload axtrack-7", "load axtrack-7", "run /Scripting/Script1"}));
  EXPECT_EQ(kwin_.scriptsRun.back(), activationScript(77));
}

}  // namespace
}  // namespace axt::lindesk
