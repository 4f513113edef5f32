// The command-line tokenizer on hand-made lines: quoting, blanks, lost characters and unclosed quotes.
#include "app/CmdLine.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::wstring> Tokens(const CStringArray& tokens)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < tokens.GetSize(); ++i) items.push_back(tokens[i].Str());
    return items;
}

std::vector<std::wstring> Split(const wchar_t* line)
{
    CStringArray tokens;
    int count = SplitCmdLine(line, tokens);
    EXPECT_EQ(count, tokens.GetSize()) << CStringA(line).GetString();
    return Tokens(tokens);
}

using List = std::vector<std::wstring>;

TEST(CmdLine, QuotedProgramPathIsOneTokenWithoutQuotes)
{
    EXPECT_EQ(Split(LR"("C:\My Tools\Daduz.exe")"), List{LR"(C:\My Tools\Daduz.exe)"});
    EXPECT_EQ(Split(L"B.exe"), List{L"B.exe"});
    EXPECT_EQ(Split(L""), List{});
    EXPECT_EQ(Split(nullptr), List{});
}

TEST(CmdLine, SingleBlanksSeparateAndDoubleBlanksGiveEmptyTokens)
{
    EXPECT_EQ(Split(LR"("C:\My Tools\Daduz.exe" x  y)"), (List{LR"(C:\My Tools\Daduz.exe)", L"x", L"", L"y"}));
    // A trailing blank ends the line without a token; a tab is part of its token.
    EXPECT_EQ(Split(L"a b "), (List{L"a", L"b"}));
    EXPECT_EQ(Split(L"a\tb c"), (List{L"a\tb", L"c"}));
    EXPECT_EQ(Split(L" a"), (List{L"", L"a"}));
}

TEST(CmdLine, TheCharacterAfterAClosingQuoteIsSkipped)
{
    EXPECT_EQ(Split(LR"("p"x y)"), (List{L"p", L"", L"y"}));
    EXPECT_EQ(Split(LR"("p"xy)"), (List{L"p", L"y"}));
    EXPECT_EQ(Split(LR"("" a)"), (List{L"", L"a"}));
    EXPECT_EQ(Split(LR"(a "b c" d)"), (List{L"a", L"b c", L"d"}));
    // A quote inside an unquoted token is an ordinary character.
    EXPECT_EQ(Split(LR"(a"b c)"), (List{L"a\"b", L"c"}));
}

TEST(CmdLine, AnUnclosedQuoteTakesTheRestOfTheLine)
{
    EXPECT_EQ(Split(LR"("C:\My Tools\Daduz.exe" "open end  x)"), (List{LR"(C:\My Tools\Daduz.exe)", L"open end  x"}));
    EXPECT_EQ(Split(LR"(a ")"), (List{L"a", L""}));
}

TEST(CmdLine, TokensAreAppendedAndOnlyThisCallIsCounted)
{
    CStringArray tokens;
    tokens.Add(L"kept");
    EXPECT_EQ(SplitCmdLine(L"one two", tokens), 2);
    EXPECT_EQ(Tokens(tokens), (List{L"kept", L"one", L"two"}));
}

}  // namespace
