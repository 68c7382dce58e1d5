// A native window's application id from the session bus: the name its
// process owns there and serves GApplication's interface under, asked
// for as seldom as the answers allow.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

#include "logic/application_bus_names.h"
#include "sessionbus/bus_application_ids.h"

namespace axt::lindesk {
namespace {

struct FakeBus final : ApplicationBus {
  std::map<std::string, platform::Pid> owners;
  std::set<std::string> applications;  // names serving the interface at their path
  int listed = 0;
  int processAsked = 0;
  std::vector<std::string> names() override {
    ++listed;
    std::vector<std::string> all = {":1.5", "org.freedesktop.Notifications"};
    for (const auto& [name, pid] : owners) all.push_back(name);
    return all;
  }
  std::optional<platform::Pid> processOf(const std::string& name) override {
    ++processAsked;
    auto it = owners.find(name);
    if (it == owners.end()) return std::nullopt;
    return it->second;
  }
  bool servesApplication(const std::string& name, const std::string& path) override {
    return applications.count(name) > 0 && path == applicationObjectPath(name);
  }
};

struct BusIds : ::testing::Test {
  double now = 100.0;
  FakeBus* bus = nullptr;
  std::unique_ptr<BusApplicationIds> ids;
  void SetUp() override {
    auto fake = std::make_unique<FakeBus>();
    bus = fake.get();
    ids = std::make_unique<BusApplicationIds>(std::move(fake), [this] { return now; });
  }
};

TEST_F(BusIds, TheNameAGtkApplicationServesUnderIsItsId) {
  bus->owners = {{"org.gnome.TextEditor", 42}, {"org.gnome.TextEditor.SearchProvider", 42}, {"org.other.App", 7}};
  bus->applications = {"org.gnome.TextEditor", "org.other.App"};
  EXPECT_EQ(ids->applicationIdOf(42), "org.gnome.TextEditor");
  // Known since: one request to check it is still that process's.
  const int listed = bus->listed;
  EXPECT_EQ(ids->applicationIdOf(42), "org.gnome.TextEditor");
  EXPECT_EQ(bus->listed, listed);
}

TEST_F(BusIds, ANameWithoutTheApplicationInterfaceIsNoId) {
  // A Qt application's service name: on X11 its id is its executable's
  // name, and so it stays.
  bus->owners = {{"org.featherpad.FeatherPad", 9}};
  EXPECT_EQ(ids->applicationIdOf(9), std::nullopt);
}

TEST_F(BusIds, NothingFoundIsLookedForAgainOnlyAfterAWhile) {
  EXPECT_EQ(ids->applicationIdOf(5), std::nullopt);
  EXPECT_EQ(ids->applicationIdOf(5), std::nullopt);
  EXPECT_EQ(bus->listed, 1);
  bus->owners = {{"org.example.Late", 5}};
  bus->applications = {"org.example.Late"};
  now += BusApplicationIds::kRecheckSeconds;
  EXPECT_EQ(ids->applicationIdOf(5), "org.example.Late");
}

TEST_F(BusIds, AnIdWhoseNameChangedHandsIsLookedForAgain) {
  bus->owners = {{"org.example.App", 5}};
  bus->applications = {"org.example.App"};
  EXPECT_EQ(ids->applicationIdOf(5), "org.example.App");
  // The application quit; another process got its number.
  bus->owners = {{"org.example.App", 77}};
  EXPECT_EQ(ids->applicationIdOf(5), std::nullopt);
}

TEST_F(BusIds, ASearchAsksABoundedNumberOfNames) {
  for (int i = 0; i < 200; ++i) bus->owners["org.example.App" + std::to_string(i)] = 1000 + i;
  EXPECT_EQ(ids->applicationIdOf(5), std::nullopt);
  EXPECT_LE(bus->processAsked, static_cast<int>(BusApplicationIds::kNamesPerSearch));
  EXPECT_EQ(ids->applicationIdOf(0), std::nullopt);
}

TEST(ApplicationBusNames, TheDesktopsServicesAndUniqueNamesAreNoIds) {
  EXPECT_TRUE(mayBeApplicationId("org.xfce.mousepad"));
  EXPECT_FALSE(mayBeApplicationId(":1.42"));
  EXPECT_FALSE(mayBeApplicationId("org.freedesktop.portal.Desktop"));
  EXPECT_FALSE(mayBeApplicationId("org.a11y.Bus"));
  EXPECT_FALSE(mayBeApplicationId("org.gtk.vfs.Daemon"));
  EXPECT_FALSE(mayBeApplicationId("org.mpris.MediaPlayer2.vlc"));
  EXPECT_FALSE(mayBeApplicationId("nodots"));
  EXPECT_EQ(applicationObjectPath("org.gnome.Text-Editor"), "/org/gnome/Text_Editor");
}

}  // namespace
}  // namespace axt::lindesk
