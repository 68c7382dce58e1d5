// The keepers that take back what the host leaves with the desktop: the
// command runs once the host's end closes, never before, and nothing is
// started for a program that isn't there.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "glue/exit_keeper.h"
#include "kwin/shortcut_keeper.h"

namespace axt::lindesk {
namespace {

// A folder of its own, and the PATH put back after.
struct Scratch : ::testing::Test {
  std::string folder;
  std::string savedPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
  void SetUp() override {
    char name[] = "/tmp/axtrack-keeper-XXXXXX";
    ASSERT_NE(::mkdtemp(name), nullptr);
    folder = name;
  }
  void TearDown() override {
    ::setenv("PATH", savedPath.c_str(), 1);
    std::system(("rm -rf '" + folder + "'").c_str());
  }
  // A FIFO for the keeper's command to write into, opened first, so that
  // the write doesn't wait for a reader.
  int openFifo() {
    fifo = folder + "/ran";
    EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    EXPECT_GE(reader, 0);
    return reader;
  }
  // What came into it within `ms` milliseconds (bounded: the keeper is a
  // process of the system's).
  std::string heard(int ms) const {
    pollfd p{reader, POLLIN, 0};
    if (::poll(&p, 1, ms) != 1) return {};
    char text[16] = {};
    return ::read(reader, text, sizeof text - 1) > 0 ? std::string(text) : std::string();
  }
  std::string fifo;
  int reader = -1;
  ~Scratch() override {
    if (reader >= 0) ::close(reader);
  }
  void program(const std::string& name) const {
    const std::string path = folder + "/" + name;
    std::ofstream(path) << "#!/bin/sh\n";
    ::chmod(path.c_str(), 0755);
  }
};

using ExitKeeperTest = Scratch;

TEST_F(ExitKeeperTest, TheCommandRunsOnceTheHostsEndCloses) {
  ASSERT_GE(openFifo(), 0);
  OwnedFd end = startExitKeeper({"sh", "-c", "echo ran >\"$0\"", fifo});
  ASSERT_TRUE(end);
  EXPECT_EQ(heard(0), "");  // nothing yet while the host holds its end
  end = OwnedFd();
  EXPECT_EQ(heard(10000), "ran\n");
}

// A terminal's hang-up goes to every process of the host's group, the
// keeper's too: the host ends of it, the keeper must not.
TEST_F(ExitKeeperTest, AHangUpThatEndsTheHostLeavesTheKeeper) {
  ASSERT_GE(openFifo(), 0);
  const pid_t host = ::fork();
  ASSERT_GE(host, 0);
  if (host == 0) {
    ::setpgid(0, 0);
    ::signal(SIGHUP, SIG_DFL);
    OwnedFd end = startExitKeeper({"sh", "-c", "echo ran >\"$0\"", fifo});
    if (!end) ::_exit(3);
    ::kill(0, SIGHUP);
    ::_exit(4);  // not reached: the hang-up ends the host
  }
  int status = 0;
  ASSERT_EQ(::waitpid(host, &status, 0), host);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGHUP) << status;
  EXPECT_EQ(heard(10000), "ran\n");
}

TEST_F(ExitKeeperTest, NoKeeperForAProgramThatIsntThere) {
  ::setenv("PATH", folder.c_str(), 1);
  EXPECT_FALSE(startExitKeeper({"no-such-program"}));
  EXPECT_FALSE(startExitKeeper({}));
  EXPECT_FALSE(programOnPath("/bin/sh"));  // a name, never a path
  program("here");
  EXPECT_TRUE(programOnPath("here"));
  ::chmod((folder + "/here").c_str(), 0644);
  EXPECT_FALSE(programOnPath("here"));
}

TEST_F(ExitKeeperTest, AShortcutIsUnregisteredWithTheToolThereIs) {
  const ShortcutAction action{"axtrack", "hot-key-Alt+Return", "axtrack", "Hot key Alt+Return"};
  ::setenv("PATH", folder.c_str(), 1);
  EXPECT_TRUE(unregisterCommand("unix:path=/run/bus", action).empty());
  program("gdbus");
  EXPECT_EQ(unregisterCommand("unix:path=/run/bus", action),
            (std::vector<std::string>{"gdbus", "call", "--address", "unix:path=/run/bus", "--dest",
                                      "org.kde.kglobalaccel", "--object-path", "/kglobalaccel", "--method",
                                      "org.kde.KGlobalAccel.unregister", "'axtrack'", "'hot-key-Alt+Return'"}));
  program("dbus-send");
  EXPECT_EQ(unregisterCommand("unix:path=/run/bus", action),
            (std::vector<std::string>{"dbus-send", "--bus=unix:path=/run/bus", "--type=method_call",
                                      "--dest=org.kde.kglobalaccel", "/kglobalaccel",
                                      "org.kde.KGlobalAccel.unregister", "string:axtrack",
                                      "string:hot-key-Alt+Return"}));
  EXPECT_TRUE(unregisterCommand("", action).empty());
}

}  // namespace
}  // namespace axt::lindesk
