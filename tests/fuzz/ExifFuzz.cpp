// The JPEG marker walk and the EXIF reader on any bytes, both from the start of a file and as a bare APP1
// payload: an offered thumbnail must lie inside the bytes and start like a JPEG, the orientation must be valid.
#include "FuzzCheck.h"
#include "photo/Exif.h"

#include <cstddef>
#include <cstdint>

namespace {

void CheckFacts(const ExifFacts& facts, const std::uint8_t* data, std::size_t size)
{
    FUZZ_CHECK(facts.orientation >= 1 && facts.orientation <= 8);
    if (facts.thumbnailLength == 0) return;
    FUZZ_CHECK(facts.thumbnailOffset <= size && facts.thumbnailLength <= size - facts.thumbnailOffset);
    FUZZ_CHECK(facts.thumbnailLength >= 2 && data[facts.thumbnailOffset] == 0xFF &&
               data[facts.thumbnailOffset + 1] == 0xD8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const JpegLayout layout = ReadJpegLayout(data, size);
    FUZZ_CHECK(layout.width >= 0 && layout.width <= 0xFFFF && layout.height >= 0 && layout.height <= 0xFFFF);
    CheckFacts(layout.exif, data, size);
    CheckFacts(ReadExif(data, size, 0), data, size);
    return 0;
}
