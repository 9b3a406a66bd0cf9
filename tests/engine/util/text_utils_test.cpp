#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/util/text_utils.h"

namespace QOR {
namespace {

using Pieces = std::vector<std::string>;

TEST(SplitStringTest, DroppingSeparators) {
  EXPECT_EQ(fSplitString("1.5 2 3", ' ', true), (Pieces{"1.5", "2", "3"}));
  EXPECT_EQ(fSplitString("a  b", ' ', true), (Pieces{"a", "", "b"}));
  EXPECT_EQ(fSplitString(" a ", ' ', true), (Pieces{"", "a"}));
  EXPECT_EQ(fSplitString("word", ' ', true), (Pieces{"word"}));
  EXPECT_EQ(fSplitString("", ' ', true), Pieces{});
}

TEST(SplitStringTest, KeepingSeparators) {
  EXPECT_EQ(fSplitString("Resources/data/", '/', false), (Pieces{"Resources/", "data/"}));
  EXPECT_EQ(fSplitString("/a//b", '/', false), (Pieces{"/", "a/", "/", "b"}));
}

TEST(TextUtilsTest, BlanksAndBackslashes) {
  EXPECT_EQ(fCountBlanks("pack entry"), 1);
  EXPECT_EQ(fCountBlanks("word"), 0);
  EXPECT_EQ(fCountBlanks(" a  b "), 4);
  std::string path = "D:\\games\\data\\";
  fReplaceBackslashes(path);
  EXPECT_EQ(path, "D:/games/data/");
}

TEST(TextUtilsTest, NumbersToWideText) {
  EXPECT_EQ(fNumberToWString(0.5f), L"0.5");
  EXPECT_EQ(fNumberToWString(-3.0f), L"-3");
  EXPECT_EQ(fNumberToWString(1234567.0f), L"1.23457e+06");
  EXPECT_EQ(fHexToWString(255), L"ff");
  EXPECT_EQ(fHexToWString(0), L"0");
  EXPECT_EQ(fHexToWString(0xDEADBEEFul), L"deadbeef");
}

TEST(TextUtilsTest, HexToIntReadsUnsigned32BitNumbers) {
  EXPECT_EQ(fHexToInt("ff"), 255);
  EXPECT_EQ(fHexToInt("FF8000"), 0xFF8000);
  EXPECT_EQ(fHexToInt("0x1a"), 26);
  EXPECT_EQ(fHexToInt(" 10 20"), 16);
  EXPECT_EQ(fHexToInt("FF00FF00"), static_cast<int>(0xFF00FF00u));
  EXPECT_EQ(fHexToInt("-2"), -2);
  EXPECT_EQ(fHexToInt("123456789"), -1);  // beyond 32 bits saturates to 0xFFFFFFFF
  EXPECT_EQ(fHexToInt("ffffffffffffffffffff"), -1);
  EXPECT_EQ(fHexToInt("zz"), 0);
  EXPECT_EQ(fHexToInt(""), 0);
}

TEST(TextUtilsTest, NarrowAndWideConversionsWorkOn16BitCharacters) {
  const std::wstring wide = fStringToWString("A\xE9\x7F\x80");
  ASSERT_EQ(wide.size(), 4u);
  EXPECT_EQ(static_cast<unsigned>(wide[0]), 0x41u);
  EXPECT_EQ(static_cast<unsigned>(wide[1]), 0xFFE9u);
  EXPECT_EQ(static_cast<unsigned>(wide[2]), 0x7Fu);
  EXPECT_EQ(static_cast<unsigned>(wide[3]), 0xFF80u);
  EXPECT_EQ(fWStringToString(wide), "A\xE9\x7F\x80");
  EXPECT_EQ(fWStringToString(std::wstring{L'\x1234', L'\x41'}), "\x34" "A");
  EXPECT_EQ(fStringToWString(std::string("a\0b", 3)).size(), 3u);
}

}  // namespace
}  // namespace QOR
