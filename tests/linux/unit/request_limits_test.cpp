// What a slow or failed request says of its application, and how often a
// lost bus is tried again.
#include "logic/request_limits.h"

#include <gtest/gtest.h>

#include "logic/retry_backoff.h"

namespace axt::lindesk {
namespace {

TEST(RequestLimits, NearlyTheWholeLimitIsUnanswered) {
  constexpr std::int64_t limitUs = std::int64_t{kRequestTimeoutMs} * 1000;
  EXPECT_FALSE(tookNearlyTheLimit(0));
  EXPECT_FALSE(tookNearlyTheLimit(limitUs * 9 / 10 - 1));
  EXPECT_TRUE(tookNearlyTheLimit(limitUs * 9 / 10));
  EXPECT_TRUE(tookNearlyTheLimit(limitUs * 5));
  // A clock read across a suspend may say anything; backwards is no wait.
  EXPECT_FALSE(tookNearlyTheLimit(-limitUs));
}

TEST(RequestLimits, OnlyATimeoutOrAFailedExchangeThatTookTheLimitMarksTheApplication) {
  for (bool slow : {false, true}) {
    EXPECT_TRUE(marksUnanswered(AtspiFailure::kTimedOut, slow));
    // A toolkit refusing at once what it doesn't offer is answering.
    EXPECT_EQ(marksUnanswered(AtspiFailure::kExchangeFailed, slow), slow);
    // Gone, without the interface, without a bus: nothing to wait for.
    EXPECT_FALSE(marksUnanswered(AtspiFailure::kVanished, slow));
    EXPECT_FALSE(marksUnanswered(AtspiFailure::kMissingInterface, slow));
    EXPECT_FALSE(marksUnanswered(AtspiFailure::kNoBus, slow));
    EXPECT_FALSE(marksUnanswered(AtspiFailure::kOther, slow));
  }
}

TEST(RetryBackoff, SoonThenLessOftenUpToTheLongestDelay) {
  RetryBackoff b;
  EXPECT_EQ(b.start(), RetryBackoff::kFirstSeconds);
  double previous = RetryBackoff::kFirstSeconds;
  int tries = 0;
  while (previous < RetryBackoff::kLongestSeconds && tries < 100) {
    const double next = b.failed();
    EXPECT_EQ(next, std::min(previous * 2, RetryBackoff::kLongestSeconds));
    previous = next;
    ++tries;
  }
  EXPECT_EQ(tries, 5);  // 0.5, 1, 2, 4, 8
  EXPECT_EQ(b.failed(), RetryBackoff::kLongestSeconds);
  // The bus lost again after a long outage: soon again.
  EXPECT_EQ(b.start(), RetryBackoff::kFirstSeconds);
  EXPECT_EQ(b.failed(), RetryBackoff::kFirstSeconds * 2);
}

TEST(RetryBackoff, AFailureBeforeAnyLossStillWaits) {
  RetryBackoff b;
  EXPECT_EQ(b.failed(), RetryBackoff::kFirstSeconds * 2);
}

}  // namespace
}  // namespace axt::lindesk
