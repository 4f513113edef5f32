#include "CmdLine.h"

#include "CmdTokens.h"

int SplitCmdLine(const wchar_t* line, CStringArray& tokens)
{
    const auto split = quillet::SplitCmdTokens(line ? line : L"");
    for (const std::wstring& token : split) tokens.Add(CString(token.c_str(), int(token.size())));
    return int(split.size());
}
