#include "common/TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(String, TrimsWhiteSpaceCharactersAndSets)
{
    CString text(L" \t C:\\Out\\\\ \r\n");
    EXPECT_EQ(CString(text).Trim(), CString(L"C:\\Out\\\\"));
    EXPECT_EQ(CString(text).Trim().TrimRight(L'\\'), CString(L"C:\\Out"));
    EXPECT_EQ(CString(text).TrimLeft(), CString(L"C:\\Out\\\\ \r\n"));
    EXPECT_EQ(CString(L"xxabcxy").Trim(L"xy"), CString(L"abc"));
    EXPECT_EQ(CString(L"   ").Trim(), CString());
}

TEST(String, FormatsWithWindowsConventions)
{
    CString text;
    text.Format(L"%s|%d|%hs|%5.1f|%%|%02d", L"wide", -12, "narrow", 2.5, 7);
    EXPECT_EQ(text, CString(L"wide|-12|narrow|  2.5|%|07"));
    text.AppendFormat(L"+%u", 5u);
    EXPECT_EQ(text.Right(2), CString(L"+5"));
    CString longText;
    longText.Format(L"%s", CString(L'a', 5000).GetString());
    EXPECT_EQ(longText.GetLength(), 5000);
}

TEST(String, ConvertsThroughTheAnsiCodePage)
{
    CStringA narrow(L"caf\u00e9");
    CString back(narrow);
    EXPECT_EQ(back, CString(L"caf\u00e9"));
    EXPECT_EQ(CStringA(L"\u4e2d").GetLength(), 1);  // not in the code page: one replacement character
    EXPECT_EQ(CString("plain"), CString(L"plain"));
    EXPECT_TRUE(CStringA(static_cast<const wchar_t*>(nullptr)).IsEmpty());
}

TEST(String, SlicesAndSearchesWithinBounds)
{
    CString name(L"IMG_0001.JPG");
    EXPECT_EQ(name.Right(4), CString(L".JPG"));
    EXPECT_EQ(name.Left(name.GetLength() - 4) + L".jpg", CString(L"IMG_0001.jpg"));
    EXPECT_EQ(name.Mid(4, 100), CString(L"0001.JPG"));
    EXPECT_EQ(name.Left(-3), CString());
    EXPECT_EQ(name.Mid(50), CString());
    EXPECT_EQ(name.Find(L'0'), 4);
    EXPECT_EQ(name.Find(L"01", 5), 6);
    EXPECT_EQ(name.Find(L'Z'), -1);
    EXPECT_EQ(name.ReverseFind(L'.'), 8);
    EXPECT_EQ(CString(name).MakeLower(), CString(L"img_0001.jpg"));
    EXPECT_EQ(name.CompareNoCase(L"img_0001.jpg"), 0);
    EXPECT_NE(name.Compare(L"img_0001.jpg"), 0);

    CString path(L"a\\b\\c");
    EXPECT_EQ(path.Replace(L"\\", L"\\\\"), 2);
    EXPECT_EQ(path, CString(L"a\\\\b\\\\c"));
}

TEST(String, TokenizesAndBuffers)
{
    CString line(L"  one two  three ");
    int position = 0;
    std::vector<CString> tokens;
    for (CString token = line.Tokenize(L" ", position); position != -1; token = line.Tokenize(L" ", position)) {
        tokens.push_back(token);
    }
    EXPECT_EQ(tokens, (std::vector<CString>{L"one", L"two", L"three"}));

    CString buffer;
    wcscpy(buffer.GetBuffer(16), L"abc");
    buffer.ReleaseBuffer();
    EXPECT_EQ(buffer.GetLength(), 3);

    CString title;
    EXPECT_TRUE(title.LoadString(AFX_IDS_APP_TITLE));
    EXPECT_EQ(title, CString(L"Framework Title"));
    EXPECT_FALSE(title.LoadString(4242));
}

TEST(StringArray, GrowsInsertsAndRemoves)
{
    CStringArray items;
    items.Add(L"a");
    items.SetAtGrow(3, L"d");
    EXPECT_EQ(items.GetSize(), 4);
    EXPECT_TRUE(items[1].IsEmpty());
    items.InsertAt(1, L"b");
    items.RemoveAt(2, 2);
    EXPECT_EQ(items.GetSize(), 3);
    EXPECT_EQ(items[1], CString(L"b"));
    EXPECT_EQ(items[2], CString(L"d"));
    items.RemoveAt(10);
    EXPECT_EQ(items.GetUpperBound(), 2);
}

}  // namespace
