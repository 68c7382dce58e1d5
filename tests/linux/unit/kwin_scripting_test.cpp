// KWin's scripting as the activation of native windows uses it: the file
// KWin reads holds the script and outlives the run, one script of ours is
// loaded at a time, a name a dead host left loaded is taken over, KWin 5's
// object paths are found when KWin 6's aren't there, and a KWin that
// doesn't answer makes the activation fail rather than report success.
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
  KWinWindowActivation activation(scripting());
  EXPECT_FALSE(activation.activate(0, {}));
  EXPECT_FALSE(activation.activate(-3, {}));
  EXPECT_TRUE(kwin_.asked.empty());

  ASSERT_TRUE(activation.activate(4242, {}));
  ASSERT_EQ(kwin_.scriptsRun.size(), 1u);
  EXPECT_EQ(kwin_.scriptsRun[0], activationScript(4242));
  EXPECT_NE(kwin_.scriptsRun[0].find("const pid = 4242;"), std::string::npos);
}

}  // namespace
}  // namespace axt::lindesk
