// What a request timed before our latest clipboard offer is served: the
// offer of its time, within that offer's stretch and for a few seconds.
#include <gtest/gtest.h>

#include <memory>

#include "logic/earlier_offer.h"

namespace axt::lindesk {
namespace {

std::vector<ServedTarget> textOffer(const char* text) {
  return {ServedTarget{"UTF8_STRING", "UTF8_STRING", std::make_shared<const std::string>(text)}};
}

TEST(EarlierOffer, ARequestTimedWithinTheRetiredStretchGetsItsContent) {
  EarlierOffer earlier;
  earlier.retire(textOffer("DELTA"), 1000, 2000, 50.0);
  const std::vector<ServedTarget>* got = earlier.servedAt(1500, 51.0);
  ASSERT_NE(got, nullptr);
  EXPECT_EQ(*got->front().data, "DELTA");
  EXPECT_EQ(earlier.from(), 1000u);
  // Its first moment belongs to it, its end to what followed.
  EXPECT_NE(earlier.servedAt(1000, 51.0), nullptr);
  EXPECT_EQ(earlier.servedAt(2000, 51.0), nullptr);
  EXPECT_EQ(earlier.servedAt(999, 51.0), nullptr);
  // "Now" names no stretch: it is the current offer's.
  EXPECT_EQ(earlier.servedAt(0, 51.0), nullptr);
}

TEST(EarlierOffer, AClearLeavesTheStretchOpenUntilTheNextOffer) {
  EarlierOffer earlier;
  earlier.retire(textOffer("DELTA"), 1000, 0, 50.0);
  EXPECT_NE(earlier.servedAt(5000, 50.5), nullptr);
  earlier.closeAt(3000);
  EXPECT_NE(earlier.servedAt(2999, 50.5), nullptr);
  EXPECT_EQ(earlier.servedAt(3000, 50.5), nullptr);
  // A stretch closed once keeps its end.
  earlier.closeAt(4000);
  EXPECT_EQ(earlier.servedAt(3500, 50.5), nullptr);
}

TEST(EarlierOffer, ItIsKeptForAFewSecondsOnly) {
  // The replacement may be private text, and a paste that late is not the
  // one that was typed.
  EarlierOffer earlier;
  earlier.retire(textOffer("secret"), 1000, 2000, 50.0);
  EXPECT_NE(earlier.servedAt(1500, 50.0 + EarlierOffer::kKeptFor), nullptr);
  earlier.expire(50.0 + EarlierOffer::kKeptFor + 0.1);
  EXPECT_FALSE(earlier.holds());
  EXPECT_EQ(earlier.servedAt(1500, 50.0), nullptr);
}

TEST(EarlierOffer, OnlyTheLatestRetiredOfferIsKept) {
  EarlierOffer earlier;
  earlier.retire(textOffer("first"), 1000, 2000, 50.0);
  earlier.retire(textOffer("second"), 2000, 3000, 51.0);
  EXPECT_EQ(earlier.servedAt(1500, 51.0), nullptr);
  ASSERT_NE(earlier.servedAt(2500, 51.0), nullptr);
  EXPECT_EQ(*earlier.servedAt(2500, 51.0)->front().data, "second");
  // Nothing on offer, or an offer of unknown start, replaces nothing.
  earlier.retire({}, 3000, 4000, 52.0);
  earlier.retire(textOffer("third"), 0, 4000, 52.0);
  EXPECT_NE(earlier.servedAt(2500, 52.0), nullptr);
  earlier.forget();
  EXPECT_EQ(earlier.servedAt(2500, 52.0), nullptr);
}

}  // namespace
}  // namespace axt::lindesk
