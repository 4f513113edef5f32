#include "CmdLine.h"

#include <cwchar>

int SplitCmdLine(const wchar_t* line, CStringArray& tokens)
{
    int count = 0;
    const wchar_t* at = line ? line : L"";
    while (*at) {
        ++count;
        if (*at == L'"') {
            const wchar_t* close = std::wcschr(at + 1, L'"');
            if (!close) {
                tokens.Add(CString(at + 1));
                break;
            }
            tokens.Add(CString(at + 1, int(close - at - 1)));
            if (!close[1]) break;
            at = close + 2;  // the separator after the quote, whatever it is
        } else {
            const wchar_t* blank = std::wcschr(at, L' ');
            if (!blank) {
                tokens.Add(CString(at));
                break;
            }
            tokens.Add(CString(at, int(blank - at)));
            at = blank + 1;
        }
    }
    return count;
}
