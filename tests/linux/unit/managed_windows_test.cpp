#include "logic/managed_windows.h"

#include <gtest/gtest.h>

namespace axt::lindesk {
namespace {

using Ids = std::vector<ManagedWindows::WindowId>;

// Two windows of process 100 and one of 200, each read at serial 20.
ManagedWindows desktop() {
  ManagedWindows m;
  m.listRead({1, 2, 3}, 10);
  m.ownerRead(1, 100, 20);
  m.ownerRead(2, 200, 20);
  m.ownerRead(3, 100, 20);
  return m;
}

TEST(ManagedWindows, ListIsReadOnceThenOnlyAfterAChangeMadeAtOrAfterTheRead) {
  ManagedWindows m;
  EXPECT_TRUE(m.listStale());
  m.listRead({1}, 10);
  EXPECT_FALSE(m.listStale());
  // Made before the read was processed: already in it.
  m.listChanged(9);
  EXPECT_FALSE(m.listStale());
  // Made once the read was processed: not in it.
  m.listChanged(10);
  EXPECT_TRUE(m.listStale());
  m.listRead({1, 2}, 15);
  EXPECT_FALSE(m.listStale());
  // The same notification handed out again after the read changes nothing.
  m.listChanged(10);
  EXPECT_FALSE(m.listStale());
}

TEST(ManagedWindows, OnlyWindowsNewToTheListAreRead) {
  ManagedWindows m = desktop();
  EXPECT_TRUE(m.unread().empty());
  m.listRead({1, 2, 3, 4, 4}, 30);
  EXPECT_EQ(m.unread(), Ids({4}));
  // No process given: known as such, not read again.
  m.ownerRead(4, std::nullopt, 31);
  EXPECT_TRUE(m.unread().empty());
  ASSERT_TRUE(m.ownerOf(4).has_value());
  EXPECT_FALSE(m.ownerOf(4)->has_value());
  // A window not listed isn't remembered.
  m.ownerRead(9, 100, 31);
  EXPECT_FALSE(m.ownerOf(9).has_value());
}

TEST(ManagedWindows, WindowsOfAProcessInTheListsOrder) {
  ManagedWindows m = desktop();
  EXPECT_EQ(m.windowsOf(100), Ids({1, 3}));
  EXPECT_EQ(m.windowsOf(200), Ids({2}));
  EXPECT_TRUE(m.windowsOf(300).empty());
  m.listRead({3, 2, 1}, 30);
  EXPECT_EQ(m.windowsOf(100), Ids({3, 1}));
}

TEST(ManagedWindows, AWindowLeavingTheListIsForgotten) {
  ManagedWindows m = desktop();
  m.listRead({1, 3}, 30);
  EXPECT_FALSE(m.ownerOf(2).has_value());
  EXPECT_TRUE(m.windowsOf(200).empty());
  // Listed again later (the id given to a new window): read anew.
  m.listRead({1, 2, 3}, 40);
  EXPECT_EQ(m.unread(), Ids({2}));
}

TEST(ManagedWindows, ADestroyedWindowIsReadAnewUnlessReadAfterItsDestruction) {
  ManagedWindows m = desktop();
  m.windowDestroyed(2, 25);
  EXPECT_FALSE(m.ownerOf(2).has_value());
  // Still listed until the list is read again: its id may already be a
  // new window's, whose process is read.
  EXPECT_EQ(m.unread(), Ids({2}));
  m.ownerRead(2, 300, 26);
  EXPECT_EQ(m.windowsOf(300), Ids({2}));
  // The destruction handed out again, after the new window was read: it
  // was of the old one.
  m.windowDestroyed(2, 25);
  EXPECT_EQ(m.windowsOf(300), Ids({2}));
  // Destroyed at the serial it was read at: after the read.
  m.windowDestroyed(2, 26);
  EXPECT_TRUE(m.windowsOf(300).empty());
  // A window never read.
  m.windowDestroyed(77, 50);
  EXPECT_EQ(m.windowsOf(100), Ids({1, 3}));
}

TEST(ManagedWindows, ApplicationIdIsKeptWhileItsProcessHasWindows) {
  ManagedWindows m = desktop();
  m.applicationIdRead(100, "org.example.Editor", 21);
  m.applicationIdRead(200, "", 21);
  ASSERT_NE(m.applicationIdOf(100), nullptr);
  EXPECT_EQ(*m.applicationIdOf(100), "org.example.Editor");
  ASSERT_NE(m.applicationIdOf(200), nullptr);
  EXPECT_EQ(*m.applicationIdOf(200), "");
  // One of two windows goes: kept.
  m.windowDestroyed(1, 30);
  EXPECT_NE(m.applicationIdOf(100), nullptr);
  // The last one goes: forgotten, the process number may be given anew.
  m.windowDestroyed(3, 30);
  EXPECT_EQ(m.applicationIdOf(100), nullptr);
  // Leaving the list does the same.
  m.listRead({1, 3}, 40);
  EXPECT_EQ(m.applicationIdOf(200), nullptr);
}

TEST(ManagedWindows, AnApplicationIdGivenAfterItWasReadIsReadAgain) {
  ManagedWindows m = desktop();
  // Read while the window carried none yet.
  m.applicationIdRead(100, "", 21);
  // Given before the read was processed: in it.
  m.applicationIdChanged(3, 20);
  ASSERT_NE(m.applicationIdOf(100), nullptr);
  // Another process's window, and a window not read: nothing to forget.
  m.applicationIdChanged(2, 30);
  m.applicationIdChanged(77, 30);
  ASSERT_NE(m.applicationIdOf(100), nullptr);
  // Given once the read was processed, on either of its windows.
  m.applicationIdChanged(3, 21);
  EXPECT_EQ(m.applicationIdOf(100), nullptr);
  m.applicationIdRead(100, "org.example.Editor", 40);
  ASSERT_NE(m.applicationIdOf(100), nullptr);
  EXPECT_EQ(*m.applicationIdOf(100), "org.example.Editor");
  // Handed out again after the new read: already in it.
  m.applicationIdChanged(3, 21);
  EXPECT_NE(m.applicationIdOf(100), nullptr);
}

TEST(ManagedWindows, NothingIsKeptForAProcessWithoutWindowsOrWithoutAList) {
  ManagedWindows m = desktop();
  m.applicationIdRead(300, "org.example.Other", 21);
  EXPECT_EQ(m.applicationIdOf(300), nullptr);

  // No window manager: no list, nothing remembered, the list not read
  // again until one appears.
  ManagedWindows none;
  none.listRead({}, 10);
  EXPECT_FALSE(none.hasList());
  EXPECT_FALSE(none.listStale());
  none.applicationIdRead(100, "org.example.Editor", 11);
  EXPECT_EQ(none.applicationIdOf(100), nullptr);
  none.listChanged(12);
  EXPECT_TRUE(none.listStale());
}

TEST(ManagedWindows, AWindowManagerThatQuitsTakesEverythingWithIt) {
  ManagedWindows m = desktop();
  m.applicationIdRead(100, "org.example.Editor", 21);
  m.listChanged(30);
  m.listRead({}, 31);
  EXPECT_FALSE(m.hasList());
  EXPECT_FALSE(m.ownerOf(1).has_value());
  EXPECT_EQ(m.applicationIdOf(100), nullptr);

  ManagedWindows gone = desktop();
  gone.forgetAll();
  EXPECT_TRUE(gone.listStale());
  EXPECT_TRUE(gone.windowsOf(100).empty());
}

}  // namespace
}  // namespace axt::lindesk
