#pragma once
// The toolkit's command-line tokenizer, kept apart from the process so that it can be fed any line.
#include "QuilletApi.h"
#include "framework/Strings.h"

// Cuts line into tokens and appends them to tokens; returns how many were appended. Tokens are separated by single
// blanks (two blanks give an empty token); a token opening with a double quote runs to the next double quote, and
// the one character after that quote is skipped. A quote that never closes makes the rest of the line the token.
QUILLET_API int SplitCmdLine(const wchar_t* line, CStringArray& tokens);
