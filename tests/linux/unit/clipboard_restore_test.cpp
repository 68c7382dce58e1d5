// Saving and putting back the clipboard's content: asking for every target
// in one MULTIPLE request and reading the owner's answer, what is put back
// when the owner didn't send everything in time, and serving the content
// from one copy.
#include <gtest/gtest.h>

#include "logic/clipboard_targets.h"

namespace axt::lindesk {
namespace {

using platform::PasteboardItem;

TEST(ClipboardMultiple, PairsNameEachTargetWithItsProperty) {
  EXPECT_EQ(multiplePairs({11, 12, 13}, {101, 102, 103}), (std::vector<long>{11, 101, 12, 102, 13, 103}));
  // A target without a property to go to is not asked for.
  EXPECT_EQ(multiplePairs({11, 12}, {101}), (std::vector<long>{11, 101}));
  EXPECT_TRUE(multiplePairs({}, {}).empty());
}

TEST(ClipboardMultiple, TheAnswerTellsWhichTargetsWereConverted) {
  const std::vector<long> sent = {11, 101, 12, 102, 13, 103};
  // Pairs written back as they were: all converted.
  EXPECT_EQ(convertedPairs(sent, sent), (std::vector<bool>{true, true, true}));
  // None in place of the target, or of the property: refused.
  EXPECT_EQ(convertedPairs(sent, {11, 101, 0, 102, 13, 0}), (std::vector<bool>{true, false, false}));
  // Fewer pairs than were sent, or a cut-off pair: the missing ones weren't.
  EXPECT_EQ(convertedPairs(sent, {11, 101, 12}), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(convertedPairs(sent, {}), (std::vector<bool>{false, false, false}));
  // An answer about other atoms than were asked for answers nothing of ours.
  EXPECT_EQ(convertedPairs(sent, {11, 101, 99, 102, 13, 199}), (std::vector<bool>{true, false, false}));
  // More pairs than were sent: the extra ones are ignored.
  EXPECT_EQ(convertedPairs({11, 101}, {11, 101, 12, 102}), (std::vector<bool>{true}));
  // An odd number of longs sent ends with half a pair, which isn't one.
  EXPECT_EQ(convertedPairs({11, 101, 12}, {11, 101, 12}), (std::vector<bool>{true}));
}

TEST(ClipboardRestore, WhatIsPutBackDependsOnHowFarTheReadGot) {
  // Nobody owned the clipboard: it ends empty, as it was.
  EXPECT_EQ(restoreFor({false, true, 0, 0}), Restore::LeaveEmpty);
  EXPECT_EQ(restoreFor({false, false, 0, 0}), Restore::LeaveEmpty);
  // Everything came.
  EXPECT_EQ(restoreFor({true, true, 10, 0}), Restore::Whole);
  // Targets still on their way, or the owner never listed them: what came
  // is put back and the rest added as it comes; the clipboard keeps an
  // owner even when nothing came.
  EXPECT_EQ(restoreFor({true, true, 7, 3}), Restore::WhatCameAndWhatFollows);
  EXPECT_EQ(restoreFor({true, true, 0, 10}), Restore::WhatCameAndWhatFollows);
  EXPECT_EQ(restoreFor({true, false, 0, 0}), Restore::WhatCameAndWhatFollows);
  // An owner that answered everything but gave nothing usable is not left
  // without a successor either.
  EXPECT_EQ(restoreFor({true, true, 0, 0}), Restore::WhatCameAndWhatFollows);
}

TEST(ClipboardRestore, ContentIsServedFromTheOneCopyWritten) {
  const std::string big(1 << 20, 'x');
  const std::vector<SharedItem> shared = shareItems({PasteboardItem{{{"public.png", big}, {"text/html", "<b>"}}}});
  ASSERT_EQ(shared.size(), 1u);
  ASSERT_EQ(shared[0].types.size(), 2u);
  EXPECT_EQ(*shared[0].types[0].second, big);
  const std::vector<ServedTarget> served = servedTargets(shared);
  ASSERT_EQ(served.size(), 2u);
  // The served target holds the very bytes written, not a copy of them.
  EXPECT_EQ(served[0].target, "image/png");
  EXPECT_EQ(served[0].data.get(), shared[0].types[0].second.get());
  // Serving it again (another client, another write) shares it again.
  EXPECT_EQ(servedTargets(shared)[0].data.get(), shared[0].types[0].second.get());
  // Handed back out as plain items, it is whole.
  EXPECT_EQ(copyItems(shared), (std::vector<PasteboardItem>{PasteboardItem{{{"public.png", big}, {"text/html", "<b>"}}}}));
}

TEST(ClipboardRestore, TheTemporaryTextSharesItsBytesAcrossTextTargets) {
  const std::vector<SharedItem> shared =
      shareItems({PasteboardItem{{{"public.utf8-plain-text", "DELTA"}, {"org.nspasteboard.TransientType", ""}}}});
  const std::vector<ServedTarget> served = servedTargets(shared);
  const auto* utf8 = &served[0];
  ASSERT_EQ(utf8->target, "UTF8_STRING");
  for (const ServedTarget& s : served) {
    if (s.target == "text/plain;charset=utf-8" || s.target == "text/plain" || s.target == "TEXT") {
      EXPECT_EQ(s.data.get(), utf8->data.get()) << s.target;
    }
  }
  // An item written with a missing buffer is served as empty, not dropped.
  std::vector<SharedItem> holes(1);
  holes[0].types.emplace_back("text/html", nullptr);
  ASSERT_EQ(servedTargets(holes).size(), 1u);
  EXPECT_EQ(*servedTargets(holes)[0].data, "");
  EXPECT_EQ(copyItems(holes)[0].types[0].second, "");
}

}  // namespace
}  // namespace axt::lindesk
