// libjpeg's large working blocks (an encoder's whole-image coefficients, for its optimised Huffman tables) kept from
// one photo to the next: fresh pages cost a fault each, and a 12 MP photo's halved copy needs 9 MB of them.
#pragma once

#include <cstddef>

// Most bytes of freed blocks kept for reuse; larger blocks, and blocks beyond it, go back to the system at once.
constexpr std::size_t kJpegKeptBytes = 32u * 1024 * 1024;

// Gives every kept block back to the system (at the end of a job or a scan).
void ReleaseJpegMemory();
// Bytes held in kept blocks now.
std::size_t KeptJpegMemory();
