// Which libatspi may have its application objects filled again after the
// bus was replaced.
#include <gtest/gtest.h>

#include "logic/atspi_layout.h"

namespace axt::lindesk {
namespace {

LibatspiFacts reporting(int major, int minor) {
  LibatspiFacts facts = compiledLayout();
  facts.version = LibatspiVersion{major, minor};
  return facts;
}

TEST(AtspiLayout, TheReleasesCheckedAreTrusted) {
  EXPECT_TRUE(layoutVerified(reporting(2, 46)));
  EXPECT_TRUE(layoutVerified(reporting(2, 56)));
}

TEST(AtspiLayout, ReleasesNotCheckedAreNot) {
  // Between and after the checked ones, and another major release.
  EXPECT_FALSE(layoutVerified(reporting(2, 54)));
  EXPECT_FALSE(layoutVerified(reporting(2, 58)));
  EXPECT_FALSE(layoutVerified(reporting(3, 46)));
  EXPECT_FALSE(layoutVerified(reporting(0, 0)));
}

TEST(AtspiLayout, ASilentReleaseIsTakenForTheOlderOneOnItsSizes) {
  EXPECT_TRUE(layoutVerified(compiledLayout()));
  LibatspiFacts grown = compiledLayout();
  grown.applicationSize += sizeof(void*);
  EXPECT_FALSE(layoutVerified(grown));
}

TEST(AtspiLayout, EverySizeMustMatchWhateverTheVersion) {
  for (auto change : {&LibatspiFacts::objectSize, &LibatspiFacts::accessibleSize, &LibatspiFacts::applicationSize}) {
    LibatspiFacts facts = reporting(2, 56);
    facts.*change -= 8;
    EXPECT_FALSE(layoutVerified(facts));
    // A type GObject doesn't know has no size at all.
    facts.*change = 0;
    EXPECT_FALSE(layoutVerified(facts));
  }
}

}  // namespace
}  // namespace axt::lindesk
