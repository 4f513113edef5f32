// The file form of the cipher on whole file contents: the length field may point anywhere, and the text found
// must come from inside the bytes.
#include "FuzzCheck.h"
#include "misc/DesFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto text = quillet::ParseCipherText({data, size});
    if (text) FUZZ_CHECK(text->size() + 4 <= size);
    return 0;
}
