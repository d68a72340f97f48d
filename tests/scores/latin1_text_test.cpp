// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/latin1_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Latin1TextTest, CharactersLatin1HoldsBecomeOneByteEach) {
  EXPECT_EQ(Utf8ToLatin1("Ren\xC3\xA9"
                         "e"),
            "Ren\xE9"
            "e");
  EXPECT_EQ(Utf8ToLatin1("\xC3\xBF\xC2\xA0"), "\xFF\xA0");
  EXPECT_EQ(Utf8ToLatin1("plain"), "plain");
}

TEST(Latin1TextTest, OtherCharactersAndBrokenBytesBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToLatin1("5\xE2\x82\xAC"), "5?");       // euro sign
  EXPECT_EQ(Utf8ToLatin1("\xF0\x9F\x98\x80!"), "?!");   // beyond the BMP: one character
  EXPECT_EQ(Utf8ToLatin1("a\xE9z"), "a?z");             // a Latin-1 byte is not UTF-8
  EXPECT_EQ(Utf8ToLatin1("\xC3"), "?");                 // cut short
  EXPECT_EQ(Utf8ToLatin1("\xC0\xAF"), "??");            // overlong
  EXPECT_EQ(Utf8ToLatin1("\xED\xA0\x80"), "???");       // surrogate
  EXPECT_EQ(Utf8ToLatin1("\xF4\x90\x80\x80"), "????");  // above U+10FFFF
}

TEST(Latin1TextTest, EveryByteSurvivesTheTripThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Latin1ToUtf8(all);
  EXPECT_EQ(utf8.size(), 127u + 2u * 128u);
  EXPECT_EQ(Latin1ToUtf8("\xE9"), "\xC3\xA9");
  EXPECT_EQ(Utf8ToLatin1(utf8), all);
}

}  // namespace
