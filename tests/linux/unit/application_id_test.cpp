// Which application id a process's windows give it: the first one carried,
// nothing concluded while it shows no window.
#include "logic/application_id.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace axt::lindesk {
namespace {

struct Reads {
  std::map<ApplicationIdWindow, std::optional<std::string>> ids;
  std::vector<ApplicationIdWindow> asked;

  std::optional<std::string> of(const std::vector<ApplicationIdWindow>& windows) {
    return applicationIdAmong(windows, [this](ApplicationIdWindow w) -> std::optional<std::string> {
      asked.push_back(w);
      auto it = ids.find(w);
      return it != ids.end() ? it->second : std::nullopt;
    });
  }
};

TEST(ApplicationId, NoWindowConcludesNothing) {
  Reads r;
  EXPECT_EQ(r.of({}), std::nullopt);
}

TEST(ApplicationId, WindowsWithoutOneGiveAnEmptyId) {
  // Absent and empty properties alike: the process has windows, none named.
  Reads r{{{1, std::nullopt}, {2, std::string()}}, {}};
  EXPECT_EQ(r.of({1, 2}), std::string());
  EXPECT_EQ(r.asked, (std::vector<ApplicationIdWindow>{1, 2}));
}

TEST(ApplicationId, TheFirstCarriedIdCountsAndTheRestAreNotRead) {
  Reads r{{{1, std::string()}, {2, std::string("org.example.Editor")}, {3, std::string("org.example.Other")}}, {}};
  EXPECT_EQ(r.of({1, 2, 3}), std::string("org.example.Editor"));
  EXPECT_EQ(r.asked, (std::vector<ApplicationIdWindow>{1, 2}));
}

}  // namespace
}  // namespace axt::lindesk
