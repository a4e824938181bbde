#include <gtest/gtest.h>

#include "util/text.h"

namespace klaxora {
namespace {

TEST(TextCase, AsciiRuleChangesOnlyTheLettersAToZ) {
    EXPECT_TRUE(EqualsAsciiNoCase(L"C:\\Windows\\NOTEPAD.EXE", L"c:\\windows\\notepad.exe"));
    EXPECT_FALSE(EqualsAsciiNoCase(L"Łódź.exe", L"łódź.exe"));
    EXPECT_FALSE(EqualsAsciiNoCase(L"abc", L"abcd"));
    EXPECT_LT(CompareAsciiNoCase(L"alpha.exe", L"BETA.exe"), 0);
    EXPECT_GT(CompareAsciiNoCase(L"beta", L"ALPHA"), 0);
    EXPECT_LT(CompareAsciiNoCase(L"abc", L"ABCD"), 0);
    // Letters compare as capitals, so an underscore sorts after every letter.
    EXPECT_LT(CompareAsciiNoCase(L"Z", L"_"), 0);
    EXPECT_LT(CompareAsciiNoCase(L"z", L"_"), 0);
    EXPECT_EQ(AsciiUpper(std::wstring_view(L".mp3 ą")), L".MP3 ą");
}

TEST(TextCase, FullRuleFoldsPolishAndOtherLetters) {
    EXPECT_TRUE(EqualsNoCase(L"WYSUŃ", L"Wysuń"));
    EXPECT_TRUE(EqualsNoCase(L"ZAMKNIJ SYSTEM/WYŁĄCZ KOMPUTER", L"Zamknij system/Wyłącz komputer"));
    EXPECT_TRUE(EqualsNoCase(L"ĄĆĘŁŃÓŚŹŻ", L"ąćęłńóśźż"));
    EXPECT_TRUE(EqualsNoCase(L"ÀÉÎÕÜ", L"àéîõü"));
    EXPECT_TRUE(EqualsNoCase(L"ΩΜΕΓΑ", L"ωμεγα"));
    EXPECT_TRUE(EqualsNoCase(L"ПРИВЕТ", L"привет"));
    EXPECT_FALSE(EqualsNoCase(L"Wysuń", L"Wysun"));
    EXPECT_FALSE(EqualsNoCase(L"×", L"÷"));  // signs, not letters
    EXPECT_EQ(FoldUpper(std::wstring_view(L"żółć")), L"ŻÓŁĆ");
}

TEST(TextCase, Utf8RoundTrip) {
    const std::wstring text = L"Dźwięk logowania – ż ☺";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(L"ł"), "\xC5\x82");
}

}  // namespace
}  // namespace klaxora
