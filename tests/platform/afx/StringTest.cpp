#include <gtest/gtest.h>

#include "platform/afx/Afx.h"

namespace {

TEST(CStringFormat, WideAndNarrowArguments) {
    const CString name(L"CH1");
    struct Case {
        CString got;
        const wchar_t* expected;
    };
    auto f = [](auto... args) {
        CString s;
        s.Format(args...);
        return s;
    };
    const Case cases[] = {
        {f(L"%s %d", L"wide", 42), L"wide 42"},
        {f(L"%S|%hs", "narrow", "h\xC3\xA9"), L"narrow|h\u00e9"},
        {f(L"%ls-%s", L"a", name), L"a-CH1"},
        {f(L"%c%C%lc", L'\u2103', 'x', L'y'), L"\u2103xy"},
        {f(L"%04d-%02d-%02d %02d:%02d:%02d", 2024, 1, 2, 3, 4, 5), L"2024-01-02 03:04:05"},
        {f(L"%5s|%-5s|%.2s", L"ab", L"cd", L"xyz"), L"   ab|cd   |xy"},
        {f(L"%I64d %lld %u", int64_t(-1) << 40, 5LL, 4000000000u), L"-1099511627776 5 4000000000"},
        {f(L"%ld %x %X %08.3f", 7, 255, 255, 3.14159), L"7 ff FF 0003.142"},
        {f(L"%d%%", 50), L"50%"},
        {f(L"%*d|%-*d", 4, 7, 3, 8), L"   7|8  "},
        {f(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.got, c.expected);
    CString more(L"x=");
    more.AppendFormat(L"%d", 3);
    EXPECT_STREQ(more, L"x=3");
}

TEST(CStringOperations, SearchReplaceAndCase) {
    CString s(L"Hello, World");
    EXPECT_EQ(s.Find(L'o'), 4);
    EXPECT_EQ(s.Find(L'o', 5), 8);
    EXPECT_EQ(s.Find(L"World"), 7);
    EXPECT_EQ(s.Find(L"x"), -1);
    EXPECT_EQ(s.Find(L'o', 99), -1);
    EXPECT_EQ(s.ReverseFind(L'o'), 8);
    EXPECT_STREQ(s.Left(5), L"Hello");
    EXPECT_STREQ(s.Right(5), L"World");
    EXPECT_STREQ(s.Mid(7), L"World");
    EXPECT_STREQ(s.Mid(7, 2), L"Wo");
    EXPECT_STREQ(s.Left(99), L"Hello, World");
    EXPECT_STREQ(s.Mid(99), L"");
    CString t = s;
    EXPECT_EQ(t.Replace(L"o", L"0"), 2);
    EXPECT_STREQ(t, L"Hell0, W0rld");
    EXPECT_EQ(t.Replace(L"l", L"ll"), 3) << "the replacement is not searched again";
    EXPECT_STREQ(t, L"Hellll0, W0rlld");
    EXPECT_EQ(t.Replace(L'0', L'o'), 2);
    EXPECT_EQ(t.Remove(L'l'), 6);
    EXPECT_STREQ(t, L"Heo, Word");
    EXPECT_STREQ(CString(s).MakeUpper(), L"HELLO, WORLD");
    EXPECT_STREQ(CString(s).MakeLower(), L"hello, world");
    EXPECT_EQ(s.CompareNoCase(L"hello, WORLD"), 0);
    EXPECT_NE(s.Compare(L"hello, WORLD"), 0);
    EXPECT_STREQ(CString(L"  pad \t").Trim(), L"pad");
    EXPECT_STREQ(CString(L"xxpadxy").Trim(L"xy"), L"pad");
    CString u(L"abc");
    u.Insert(1, L"XY");
    u.Delete(0, 1);
    EXPECT_STREQ(u, L"XYbc");
    EXPECT_STREQ(CString(L"ab") + L"c" + CString(L"d") + L'e', L"abcde");
    EXPECT_TRUE(CString(L"a") == L"a");
    EXPECT_STREQ(CString("utf-8 \xE2\x84\x83"), L"utf-8 \u2103");
}

TEST(CStringOperations, BuffersTokensAndResources) {
    CString s;
    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    int pos = 0;
    const CString list(L"a, b,,c");
    std::vector<std::wstring> tokens;
    for (CString t = list.Tokenize(L", ", pos); pos != -1; t = list.Tokenize(L", ", pos))
        tokens.push_back(t.Std());
    EXPECT_EQ(tokens, (std::vector<std::wstring>{L"a", L"b", L"c"}));
    AddStringResource(9100, L"Stopped");
    CString r;
    EXPECT_TRUE(r.LoadString(9100));
    EXPECT_STREQ(r, L"Stopped");
    EXPECT_FALSE(r.LoadString(9101));
    EXPECT_TRUE(r.IsEmpty());
}

TEST(CStringArrayOperations, AddInsertRemoveAndGrow) {
    CStringArray a;
    EXPECT_EQ(a.Add(L"one"), 0);
    EXPECT_EQ(a.Add(L"three"), 1);
    a.InsertAt(1, L"two");
    a.SetAtGrow(4, L"five");
    ASSERT_EQ(a.GetSize(), 5);
    EXPECT_STREQ(a[1], L"two");
    EXPECT_TRUE(a[3].IsEmpty());
    a.RemoveAt(3);
    EXPECT_STREQ(a.GetAt(3), L"five");
    a.RemoveAt(0, 10);
    EXPECT_TRUE(a.IsEmpty());
}

TEST(Geometry, RectPointSize) {
    CRect r(10, 20, 30, 60);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 20)));
    r.OffsetRect(5, 5);
    EXPECT_EQ(r.TopLeft(), CPoint(15, 25));
    r.DeflateRect(5, 10);
    EXPECT_EQ(r.Size(), CSize(10, 20));
    CRect both;
    EXPECT_FALSE(both.IntersectRect(CRect(0, 0, 5, 5), CRect(5, 5, 9, 9)));
    EXPECT_TRUE(both.IsRectEmpty());
    both.UnionRect(CRect(0, 0, 5, 5), CRect(5, 5, 9, 9));
    EXPECT_EQ(both, CRect(0, 0, 9, 9));
    EXPECT_EQ(CPoint(MAKELPARAM(-3, 7)), CPoint(-3, 7));
}

}  // namespace
