// libjpeg's system-dependent memory functions, in place of the library's own plain malloc and free: small blocks
// are plain heap blocks, large ones are kept when freed and handed out again for a request that fits.
#include "photo/JpegMemory.h"

#include <cstdio>
#include <cstdlib>
#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

// Each large block starts with its capacity, padded so the caller's part keeps malloc's alignment (libjpeg aligns
// its own objects inside the block).
constexpr std::size_t kHeader = 16;

struct KeptBlocks {
    std::mutex lock;
    std::vector<void*> blocks;  // headers of freed blocks
    std::size_t bytes = 0;
};

KeptBlocks& Kept()
{
    static KeptBlocks kept;
    return kept;
}

std::size_t Capacity(void* header) { return *static_cast<std::size_t*>(header); }

} // namespace

void ReleaseJpegMemory()
{
    KeptBlocks& kept = Kept();
    const std::lock_guard<std::mutex> guard(kept.lock);
    for (void* header : kept.blocks) std::free(header);
    kept.blocks.clear();
    kept.bytes = 0;
}

std::size_t KeptJpegMemory()
{
    KeptBlocks& kept = Kept();
    const std::lock_guard<std::mutex> guard(kept.lock);
    return kept.bytes;
}

// The interface libjpeg's memory manager calls (jmemsys.h, which the library does not install).
extern "C" {

void* jpeg_get_small(j_common_ptr, size_t size) { return std::malloc(size); }

void jpeg_free_small(j_common_ptr, void* object, size_t) { std::free(object); }

void* jpeg_get_large(j_common_ptr, size_t size)
{
    KeptBlocks& kept = Kept();
    {
        const std::lock_guard<std::mutex> guard(kept.lock);
        // The smallest kept block that fits, so a large one stays for a large request.
        auto best = kept.blocks.end();
        for (auto it = kept.blocks.begin(); it != kept.blocks.end(); ++it) {
            if (Capacity(*it) >= size && (best == kept.blocks.end() || Capacity(*it) < Capacity(*best))) best = it;
        }
        if (best != kept.blocks.end()) {
            void* header = *best;
            kept.blocks.erase(best);
            kept.bytes -= Capacity(header);
            return static_cast<char*>(header) + kHeader;
        }
    }
    if (size > SIZE_MAX - kHeader) return nullptr;
    void* header = std::malloc(kHeader + size);
    if (!header) return nullptr;
    *static_cast<std::size_t*>(header) = size;
    return static_cast<char*>(header) + kHeader;
}

void jpeg_free_large(j_common_ptr, void* object, size_t)
{
    if (!object) return;
    void* header = static_cast<char*>(object) - kHeader;
    const std::size_t capacity = Capacity(header);
    KeptBlocks& kept = Kept();
    {
        const std::lock_guard<std::mutex> guard(kept.lock);
        if (capacity <= kJpegKeptBytes - kept.bytes) {
            kept.blocks.push_back(header);
            kept.bytes += capacity;
            return;
        }
    }
    std::free(header);
}

size_t jpeg_mem_available(j_common_ptr info, size_t, size_t maxBytesNeeded, size_t alreadyAllocated)
{
    const long limit = info->mem->max_memory_to_use;
    if (limit == 0) return maxBytesNeeded;
    return std::size_t(limit) > alreadyAllocated ? std::size_t(limit) - alreadyAllocated : 0;
}

// There is no backing store: an image beyond the memory limit fails.
void jpeg_open_backing_store(j_common_ptr info, void*, long) { ERREXIT(info, JERR_NO_BACKING_STORE); }

long jpeg_mem_init(j_common_ptr) { return 0; }

void jpeg_mem_term(j_common_ptr) {}

} // extern "C"
