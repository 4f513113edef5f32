#include "CmdTokens.h"

namespace quillet {

std::vector<std::wstring> SplitCmdTokens(std::wstring_view line)
{
    std::vector<std::wstring> tokens;
    std::size_t at = 0;
    while (at < line.size()) {
        if (line[at] == L'"') {
            const std::size_t close = line.find(L'"', at + 1);
            if (close == std::wstring_view::npos) {
                tokens.emplace_back(line.substr(at + 1));
                break;
            }
            tokens.emplace_back(line.substr(at + 1, close - at - 1));
            at = close + 2;  // the separator after the quote, whatever it is
        } else {
            const std::size_t blank = line.find(L' ', at);
            if (blank == std::wstring_view::npos) {
                tokens.emplace_back(line.substr(at));
                break;
            }
            tokens.emplace_back(line.substr(at, blank - at));
            at = blank + 1;
        }
    }
    return tokens;
}

} // namespace quillet
