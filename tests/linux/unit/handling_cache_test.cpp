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

// Asks the cache for the object's character count, counting the questions
// that reach the "application", which answers `answer`.
struct Counter {
  int asked = 0;
  platform::AXError answer = axerr::kSuccess;
  gint characters = 0;
  gint ask(HandlingCache& cache, AtspiAccessible* object) {
    gint out = -1;
    const platform::AXError code = cache.answer(object, &ObjectReadings::characters, out, [&](gint& c) {
      ++asked;
      c = characters;
      return answer;
    });
    return code == axerr::kSuccess ? out : -1;
  }
};

TEST(HandlingCache, OutsideAHandlingEveryQuestionIsAsked) {
  HandlingCache cache;
  GRef<AtspiAccessible> object = newObject();
  Counter c{0, axerr::kSuccess, 5};
  EXPECT_EQ(c.ask(cache, object.get()), 5);
  c.characters = 6;
  EXPECT_EQ(c.ask(cache, object.get()), 6);
  EXPECT_EQ(c.asked, 2);
  EXPECT_FALSE(cache.with(object.get(), [](ObjectReadings&) {}));
}

TEST(HandlingCache, WithinAHandlingTheFirstAnswerStandsPerObjectAndQuestion) {
  HandlingCache cache;
  GRef<AtspiAccessible> first = newObject();
  GRef<AtspiAccessible> second = newObject();
  Counter c{0, axerr::kSuccess, 5};
  {
    const HandlingScope handling(cache);
    EXPECT_EQ(c.ask(cache, first.get()), 5);
    c.characters = 9;
    EXPECT_EQ(c.ask(cache, first.get()), 5);
    EXPECT_EQ(c.asked, 1);
    // Another object is asked on its own.
    EXPECT_EQ(c.ask(cache, second.get()), 9);
    EXPECT_EQ(c.asked, 2);
    // Another question of the same object too.
    gint caret = -1;
    cache.answer(first.get(), &ObjectReadings::caret, caret, [](gint& v) {
      v = 3;
      return axerr::kSuccess;
    });
    EXPECT_EQ(caret, 3);
  }
  // The handling is over: asked again.
  EXPECT_EQ(c.ask(cache, first.get()), 9);
  EXPECT_EQ(c.asked, 3);
}

TEST(HandlingCache, FailuresAreNotKept) {
  HandlingCache cache;
  GRef<AtspiAccessible> object = newObject();
  const HandlingScope handling(cache);
  Counter c{0, axerr::kCannotComplete, 5};
  EXPECT_EQ(c.ask(cache, object.get()), -1);
  c.answer = axerr::kSuccess;
  EXPECT_EQ(c.ask(cache, object.get()), 5);
  EXPECT_EQ(c.ask(cache, object.get()), 5);
  EXPECT_EQ(c.asked, 2);
}

TEST(HandlingCache, ForgettingAsksAgain) {
  HandlingCache cache;
  GRef<AtspiAccessible> object = newObject();
  const HandlingScope handling(cache);
  Counter c{0, axerr::kSuccess, 5};
  c.ask(cache, object.get());
  // The library typed a key into the application.
  cache.forget();
  c.characters = 7;
  EXPECT_EQ(c.ask(cache, object.get()), 7);
  EXPECT_EQ(c.asked, 2);
  EXPECT_TRUE(cache.handling());
}

TEST(HandlingCache, AHandlingWithinAHandlingStartsAfreshAndLeavesNothingBehind) {
  HandlingCache cache;
  GRef<AtspiAccessible> object = newObject();
  Counter c{0, axerr::kSuccess, 5};
  const HandlingScope outer(cache);
  c.ask(cache, object.get());
  {
    // A main loop run inside the outer handler dispatches another event.
    const HandlingScope inner(cache);
    c.characters = 6;
    EXPECT_EQ(c.ask(cache, object.get()), 6);
  }
  // Back in the outer handling: still a handling, and what the inner one
  // learned is not taken for the outer's.
  EXPECT_TRUE(cache.handling());
  c.characters = 7;
  EXPECT_EQ(c.ask(cache, object.get()), 7);
  EXPECT_EQ(c.asked, 3);
}

TEST(HandlingCache, HoldsItsObjectsUntilTheHandlingEnds) {
  HandlingCache cache;
  GRef<AtspiAccessible> object = newObject();
  AtspiAccessible* raw = object.get();
  GRef<AtspiAccessible> watched = object;  // a second reference to observe the count
  {
    const HandlingScope handling(cache);
    cache.with(raw, [](ObjectReadings& r) { r.texts.emplace_back(CharRange{0, 2}, "ab"); });
    object = GRef<AtspiAccessible>();
    // The cache keeps one reference besides ours.
    EXPECT_EQ(G_OBJECT(raw)->ref_count, 2u);
    std::string kept;
    cache.with(raw, [&](ObjectReadings& r) { kept = r.texts.front().second; });
    EXPECT_EQ(kept, "ab");
  }
  EXPECT_EQ(G_OBJECT(raw)->ref_count, 1u);
}

// The run loop runs each block through the desktop's handling: the block
// reads as one handling, and the next block starts afresh.
TEST(HandlingCache, EachBlockTheRunLoopRunsIsAHandlingOfItsOwn) {
  HandlingCache cache;
  CachedHandling handling(cache);
  Handling& asRunLoopSeesIt = handling;
  GRef<AtspiAccessible> object = newObject();
  Counter c{0, axerr::kSuccess, 5};
  asRunLoopSeesIt.run([&] {
    EXPECT_TRUE(cache.handling());
    EXPECT_EQ(c.ask(cache, object.get()), 5);
    c.characters = 6;
    EXPECT_EQ(c.ask(cache, object.get()), 5);
  });
  EXPECT_FALSE(cache.handling());
  EXPECT_FALSE(cache.with(object.get(), [](ObjectReadings&) {}));
  asRunLoopSeesIt.run([&] { EXPECT_EQ(c.ask(cache, object.get()), 6); });
  EXPECT_EQ(c.asked, 2);
}

}  // namespace
}  // namespace axt::lindesk
