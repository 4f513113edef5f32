#pragma once
// The command-line tokenizer's rules on standard strings, free of the framework so that any line can be fed to it.
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Cuts line into tokens. Tokens are separated by single blanks (two blanks give an empty token); a token opening
// with a double quote runs to the next double quote, and the one character after that quote is skipped. A quote
// that never closes makes the rest of the line the token.
std::vector<std::wstring> SplitCmdTokens(std::wstring_view line);

} // namespace quillet
