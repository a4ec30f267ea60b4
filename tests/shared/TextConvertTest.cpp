#include "shared/TextConvert.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

std::wstring Widened(const char* utf8) {
    std::unique_ptr<wchar_t[]> wide(Utf8ToWide(utf8));
    return wide ? std::wstring(wide.get()) : L"<null>";
}

TEST(Utf8ToWide, DecodesEveryLength) {
    struct Row {
        const char* utf8;
        std::wstring wide;
    };
    const Row rows[] = {
        {"", L""},
        {"abc", L"abc"},
        {"\xC3\x84", L"\u00C4"},
        {"\xE2\x84\x83", L"\u2103"},  // degree Celsius sign
        {"\xE5\x8C\x97\xE4\xBA\xAC", L"\u5317\u4EAC"},
        {"\xF0\x9F\x9A\x97", std::wstring(1, wchar_t(0x1F697))},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Widened(row.utf8), row.wide) << row.utf8;
}

TEST(Utf8ToWide, MalformedBytesBecomeReplacementCharacters) {
    struct Row {
        const char* utf8;
        std::wstring wide;
    };
    const Row rows[] = {
        {"a\xFF"
         "b",
         L"a\uFFFDb"},
        {"\xC3", L"\uFFFD"},                      // cut short at the end
        {"\xC3(", L"\uFFFD("},                    // continuation missing
        {"\xC0\xAF", L"\uFFFD\uFFFD"},            // overlong
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},  // surrogate
    };
    for (const Row& row : rows)
        EXPECT_EQ(Widened(row.utf8), row.wide);
}

TEST(Utf8ToWide, NullGivesNull) {
    EXPECT_EQ(Utf8ToWide(nullptr), nullptr);
}

TEST(WideToUtf8, EncodesAndEndsWithTwoZeroBytes) {
    std::unique_ptr<char[]> empty(WideToUtf8(L""));
    EXPECT_EQ(empty[0], '\0');
    EXPECT_EQ(empty[1], '\0');
    std::unique_ptr<char[]> a(WideToUtf8(L"\u00C4"));
    EXPECT_EQ(std::memcmp(a.get(), "\xC3\x84\0\0", 4), 0);
    std::unique_ptr<char[]> mixed(WideToUtf8(L"x\u5317\U0001F697"));
    EXPECT_STREQ(mixed.get(), "x\xE5\x8C\x97\xF0\x9F\x9A\x97");
    EXPECT_EQ(WideToUtf8(nullptr), nullptr);
}

TEST(TextConvert, StringFormsMatchTheArrayForms) {
    EXPECT_EQ(Utf8ToWideString(std::string_view("a\xC3\x84\xFF", 4)), L"a\u00C4\uFFFD");
    EXPECT_EQ(Utf8ToWideString(std::string_view("x\0y", 3)), std::wstring(L"x\0y", 3));
    EXPECT_EQ(WideToUtf8String(L"\u5317/\U0001F697"), "\xE5\x8C\x97/\xF0\x9F\x9A\x97");
}

TEST(WideToUtf8, RoundTripsThroughUtf8ToWide) {
    const std::wstring text = L"Pfad/\u00C4\u00D6/\u5317\u4EAC/\u2109.dvr";
    std::unique_ptr<char[]> utf8(WideToUtf8(text.c_str()));
    EXPECT_EQ(Widened(utf8.get()), text);
}

}  // namespace
