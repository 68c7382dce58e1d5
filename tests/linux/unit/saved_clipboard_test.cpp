// The phases of a saved clipboard content, as a replacement goes through
// them: saved, put back, ended.
#include <gtest/gtest.h>

#include "logic/saved_clipboard.h"

namespace axt::lindesk {
namespace {

TEST(SavedClipboard, AWholeSaveIsPutBackUntilTheReadEnds) {
  SavedClipboard saved;
  EXPECT_FALSE(saved.kept());
  saved.handedOut(false);
  EXPECT_EQ(saved.phase(), SavedPhase::kSaved);
  EXPECT_FALSE(saved.savedPartly());
  saved.restoreTried();
  saved.putBack();
  EXPECT_TRUE(saved.puttingBack());
  saved.ended();
  EXPECT_EQ(saved.phase(), SavedPhase::kNone);
}

TEST(SavedClipboard, APartialSaveIsTriedOnce) {
  // A clear that no write follows puts back what came; a failed attempt
  // isn't made again at the next clear.
  SavedClipboard saved;
  saved.handedOut(true);
  EXPECT_TRUE(saved.savedPartly());
  saved.restoreTried();
  EXPECT_EQ(saved.phase(), SavedPhase::kSaved);
  EXPECT_TRUE(saved.kept());
  saved.restoreTried();
  EXPECT_EQ(saved.phase(), SavedPhase::kSaved);
}

TEST(SavedClipboard, PuttingBackIsNotUndoneByAnotherTry) {
  // Writing back the handed-out content again while its arrivals are added
  // leaves them being added.
  SavedClipboard saved;
  saved.handedOut(true);
  saved.restoreTried();
  saved.putBack();
  saved.restoreTried();
  EXPECT_TRUE(saved.puttingBack());
  EXPECT_FALSE(saved.savedPartly());
}

TEST(SavedClipboard, NothingIsPutBackWithoutASave) {
  SavedClipboard saved;
  saved.putBack();
  EXPECT_EQ(saved.phase(), SavedPhase::kNone);
  saved.handedOut(false);
  saved.ended();
  saved.putBack();
  EXPECT_EQ(saved.phase(), SavedPhase::kNone);
}

TEST(SavedClipboard, ANewReadReplacesOneBeingPutBack) {
  SavedClipboard saved;
  saved.handedOut(false);
  saved.putBack();
  saved.handedOut(true);
  EXPECT_TRUE(saved.savedPartly());
  EXPECT_FALSE(saved.puttingBack());
}

}  // namespace
}  // namespace axt::lindesk
