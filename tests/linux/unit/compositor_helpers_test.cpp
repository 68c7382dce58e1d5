// The compositor's own helper processes are told from applications by
// their program, whole or cut to the kernel's short name.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "logic/compositor_helpers.h"

namespace axt::lindesk {
namespace {

TEST(CompositorHelpers, MutterFramesClientIsNoApplication) {
  EXPECT_TRUE(isCompositorHelper("mutter-x11-frames"));
  // /proc/PID/comm keeps 15 bytes.
  EXPECT_TRUE(isCompositorHelper("mutter-x11-fram"));
  EXPECT_FALSE(isCompositorHelper("mutter-x11-fr"));
  EXPECT_FALSE(isCompositorHelper("mutter"));
  EXPECT_FALSE(isCompositorHelper("mousepad"));
  EXPECT_FALSE(isCompositorHelper(""));
}

// A running process is judged by its program's name: a copy of an ordinary
// program named as mutter's frames client is one, the test itself isn't,
// and a process that is gone is none.
TEST(CompositorHelpers, ARunningProcessIsJudgedByItsProgram) {
  std::string folder = ::testing::TempDir() + "helpers-XXXXXX";
  ASSERT_NE(::mkdtemp(folder.data()), nullptr);
  const std::string program = folder + "/mutter-x11-frames";
  {
    std::ifstream in("/bin/sleep", std::ios::binary);
    std::ofstream out(program, std::ios::binary);
    out << in.rdbuf();
  }
  ASSERT_EQ(::chmod(program.c_str(), 0700), 0);
  std::string seconds = "30";
  std::vector<char*> argv = {const_cast<char*>(program.c_str()), seconds.data(), nullptr};
  pid_t child = 0;
  // posix_spawn returns once the program runs in the child.
  ASSERT_EQ(::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);
  EXPECT_TRUE(isCompositorHelperProcess(child));
  EXPECT_FALSE(isCompositorHelperProcess(::getpid()));
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_FALSE(isCompositorHelperProcess(child));
  ::unlink(program.c_str());
  ::rmdir(folder.c_str());
}

}  // namespace
}  // namespace axt::lindesk
