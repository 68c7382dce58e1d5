// What one handling learned of an object is given again within it and
// forgotten outside it, after the library acted, and when a handling starts
// within another.
#include "logic/handling_cache.h"

#include <gtest/gtest.h>

#include <string>

namespace axt::lindesk {
namespace {

namespace axerr = platform::axerr;

// Objects of our own, asked nothing over any bus: only their addresses and
// references matter here.
GRef<AtspiAccessible> newObject() {
  return GRef<AtspiAccessible>::adopt(static_cast<AtspiAccessible*>(g_object_new(ATSPI_TYPE_ACCESSIBLE, nullptr)));
}

// Asks the memo for the object's character count, counting the questions
// that reach the "application", which answers `answer`.
struct Counter {
  int asked = 0;
  platform::AXError answer = axerr::kSuccess;
  gint characters = 0;
  gint ask(HandlingCache& memo, AtspiAccessible* object) {
    gint out = -1;
    const platform::AXError code = memo.answer(object, &ObjectReadings::characters, out, [&](gint& c) {
      ++asked;
      c = characters;
      return answer;
    });
    return code == axerr::kSuccess ? out : -1;
  }
};

TEST(HandlingCache, OutsideAHandlingEveryQuestionIsAsked) {
  HandlingCache memo;
  GRef<AtspiAccessible> object = newObject();
  Counter c{0, axerr::kSuccess, 5};
  EXPECT_EQ(c.ask(memo, object.get()), 5);
  c.characters = 6;
  EXPECT_EQ(c.ask(memo, object.get()), 6);
  EXPECT_EQ(c.asked, 2);
  EXPECT_FALSE(memo.with(object.get(), [](ObjectReadings&) {}));
}

TEST(HandlingCache, WithinAHandlingTheFirstAnswerStandsPerObjectAndQuestion) {
  HandlingCache memo;
  GRef<AtspiAccessible> first = newObject();
  GRef<AtspiAccessible> second = newObject();
  Counter c{0, axerr::kSuccess, 5};
  {
    const HandlingScope handling(memo);
    EXPECT_EQ(c.ask(memo, first.get()), 5);
    c.characters = 9;
    EXPECT_EQ(c.ask(memo, first.get()), 5);
    EXPECT_EQ(c.asked, 1);
    // Another object is asked on its own.
    EXPECT_EQ(c.ask(memo, second.get()), 9);
    EXPECT_EQ(c.asked, 2);
    // Another question of the same object too.
    gint caret = -1;
    memo.answer(first.get(), &ObjectReadings::caret, caret, [](gint& v) {
      v = 3;
      return axerr::kSuccess;
    });
    EXPECT_EQ(caret, 3);
  }
  // The handling is over: asked again.
  EXPECT_EQ(c.ask(memo, first.get()), 9);
  EXPECT_EQ(c.asked, 3);
}

TEST(HandlingCache, FailuresAreNotKept) {
  HandlingCache memo;
  GRef<AtspiAccessible> object = newObject();
  const HandlingScope handling(memo);
  Counter c{0, axerr::kCannotComplete, 5};
  EXPECT_EQ(c.ask(memo, object.get()), -1);
  c.answer = axerr::kSuccess;
  EXPECT_EQ(c.ask(memo, object.get()), 5);
  EXPECT_EQ(c.ask(memo, object.get()), 5);
  EXPECT_EQ(c.asked, 2);
}

TEST(HandlingCache, ForgettingAsksAgain) {
  HandlingCache memo;
  GRef<AtspiAccessible> object = newObject();
  const HandlingScope handling(memo);
  Counter c{0, axerr::kSuccess, 5};
  c.ask(memo, object.get());
  // The library typed a key into the application.
  memo.forget();
  c.characters = 7;
  EXPECT_EQ(c.ask(memo, object.get()), 7);
  EXPECT_EQ(c.asked, 2);
  EXPECT_TRUE(memo.handling());
}

TEST(HandlingCache, AHandlingWithinAHandlingStartsAfreshAndLeavesNothingBehind) {
  HandlingCache memo;
  GRef<AtspiAccessible> object = newObject();
  Counter c{0, axerr::kSuccess, 5};
  const HandlingScope outer(memo);
  c.ask(memo, object.get());
  {
    // A main loop run inside the outer handler dispatches another event.
    const HandlingScope inner(memo);
    c.characters = 6;
    EXPECT_EQ(c.ask(memo, object.get()), 6);
  }
  // Back in the outer handling: still a handling, and what the inner one
  // learned is not taken for the outer's.
  EXPECT_TRUE(memo.handling());
  c.characters = 7;
  EXPECT_EQ(c.ask(memo, object.get()), 7);
  EXPECT_EQ(c.asked, 3);
}

TEST(HandlingCache, HoldsItsObjectsUntilTheHandlingEnds) {
  HandlingCache memo;
  GRef<AtspiAccessible> object = newObject();
  AtspiAccessible* raw = object.get();
  GRef<AtspiAccessible> watched = object;  // a second reference to observe the count
  {
    const HandlingScope handling(memo);
    memo.with(raw, [](ObjectReadings& r) { r.texts.emplace_back(CharRange{0, 2}, "ab"); });
    object = GRef<AtspiAccessible>();
    // The memo keeps one reference besides ours.
    EXPECT_EQ(G_OBJECT(raw)->ref_count, 2u);
    std::string kept;
    memo.with(raw, [&](ObjectReadings& r) { kept = r.texts.front().second; });
    EXPECT_EQ(kept, "ab");
  }
  EXPECT_EQ(G_OBJECT(raw)->ref_count, 1u);
}

// The run loop runs each block through the desktop's handling: the block
// reads as one handling, and the next block starts afresh.
TEST(HandlingCache, EachBlockTheRunLoopRunsIsAHandlingOfItsOwn) {
  HandlingCache memo;
  ReadingHandling handling(memo);
  Handling& asRunLoopSeesIt = handling;
  GRef<AtspiAccessible> object = newObject();
  Counter c{0, axerr::kSuccess, 5};
  asRunLoopSeesIt.run([&] {
    EXPECT_TRUE(memo.handling());
    EXPECT_EQ(c.ask(memo, object.get()), 5);
    c.characters = 6;
    EXPECT_EQ(c.ask(memo, object.get()), 5);
  });
  EXPECT_FALSE(memo.handling());
  EXPECT_FALSE(memo.with(object.get(), [](ObjectReadings&) {}));
  asRunLoopSeesIt.run([&] { EXPECT_EQ(c.ask(memo, object.get()), 6); });
  EXPECT_EQ(c.asked, 2);
}

}  // namespace
}  // namespace axt::lindesk
