// What an insertion over the bus is told beside the text, and how far it
// moves the offsets, in the units the application's toolkit counts.
#include <gtest/gtest.h>

#include "logic/text_insertion.h"

namespace axt::lindesk {
namespace {

TEST(TextInsertion, ToolkitsCountTheLengthInTheirOwnUnits) {
  // "é" is two bytes and one UTF-16 unit; "😀" four bytes and two units.
  const std::string text = "a\xC3\xA9\xF0\x9F\x98\x80";
  const auto gtk = measureInsertion(text, "GTK");
  ASSERT_TRUE(gtk);
  EXPECT_EQ(gtk->characters, 3);
  EXPECT_EQ(gtk->lengthArgument, 7);
  for (const char* qt : {"Qt", "QT", "qt5"}) {
    const auto m = measureInsertion(text, qt);
    ASSERT_TRUE(m) << qt;
    EXPECT_EQ(m->characters, 4) << qt;  // Qt's offsets are UTF-16 units too
    EXPECT_EQ(m->lengthArgument, 4) << qt;
  }
  // A toolkit that doesn't say gets the bytes, as ATK counts them.
  EXPECT_EQ(measureInsertion(text, "")->lengthArgument, 7);
  EXPECT_EQ(measureInsertion(text, "Q")->lengthArgument, 7);
}

TEST(TextInsertion, EmptyTextMovesNothing) {
  const auto m = measureInsertion("", "GTK");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->characters, 0);
  EXPECT_EQ(m->lengthArgument, 0);
}

TEST(TextInsertion, TextThatIsNotUtf8IsNotInserted) {
  for (const char* bad : {"\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\x80",
                          "\xF0\x9F\x98"}) {
    EXPECT_FALSE(measureInsertion(bad, "GTK")) << ::testing::PrintToString(std::string(bad));
  }
  // The bus would cut the text at a null.
  EXPECT_FALSE(measureInsertion(std::string("a\0b", 3), "Qt"));
}

}  // namespace
}  // namespace axt::lindesk
