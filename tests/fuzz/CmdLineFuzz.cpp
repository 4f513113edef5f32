// The command-line tokenizer on any line of UTF-16 units (two input bytes each, as Windows hands it over). Without
// quotes the tokens are the line cut at every blank, so joined again they give it back, less one trailing blank.
#include "FuzzCheck.h"
#include "app/CmdTokens.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring line;
    for (std::size_t i = 0; i + 1 < size; i += 2) line.push_back(wchar_t(data[i] | data[i + 1] << 8));

    const auto tokens = quillet::SplitCmdTokens(line);
    std::size_t characters = 0;
    std::wstring joined;
    for (const std::wstring& token : tokens) {
        FUZZ_CHECK(line.find(token) != std::wstring::npos);
        characters += token.size();
        if (&token != &tokens.front()) joined += L' ';
        joined += token;
    }
    FUZZ_CHECK(characters <= line.size());
    if (line.find(L'"') == std::wstring::npos) {
        if (!line.empty() && line.back() == L' ') line.pop_back();
        FUZZ_CHECK(joined == line);
    }
    return 0;
}
