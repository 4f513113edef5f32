// Whole-file reads and all-or-nothing writes for the photo pipeline.
#pragma once

#include "framework/Framework.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// The first bytes of a file (or all of it), read at once. A later read reuses the memory of an earlier, larger one.
class FileBytes {
public:
    // Reads up to limit bytes from the start of the file; false when it cannot be opened or read, or memory is short.
    bool Read(const wchar_t* path, std::uint64_t limit);
    // Gives the memory back.
    void Release();

    const std::uint8_t* Data() const { return m_data.get(); }
    std::size_t Size() const { return m_size; }
    // The file's whole length, which may exceed Size() when the read was limited.
    std::uint64_t FileSize() const { return m_fileSize; }
    bool IsWhole() const { return m_size == m_fileSize; }

private:
    std::unique_ptr<std::uint8_t[]> m_data;
    std::size_t m_capacity = 0;
    std::size_t m_size = 0;
    std::uint64_t m_fileSize = 0;
};

// Writes bytes to a new temporary file in folder (which ends in a backslash) and only when every byte is on disk
// renames it over target, replacing an existing file. On any failure the temporary file is removed and target is
// left as it was. False on failure.
bool WriteFileReplacing(const wchar_t* folder, const wchar_t* target, const std::uint8_t* data, std::size_t size);
