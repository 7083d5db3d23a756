#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// The compressed bytes, from an open file (read in chunks, so memory stays
// small whatever the file size) or from a caller's buffer. The hot decoding
// loops read through cur/end directly and call refill() only at the end of
// a chunk.
class JpegSource {
public:
    JpegSource() = default;
    JpegSource(const JpegSource&) = delete;
    JpegSource& operator=(const JpegSource&) = delete;

    void attachMemory(const uint8_t* data, size_t size);
    // The file stays owned by the caller; reading starts at its current position.
    bool attachFile(std::FILE* file);

    // Makes at least one more byte available; false at the end of the data.
    bool refill();
    // The next byte, or -1 at the end of the data.
    int readByte()
    {
        if (cur == end && !refill())
            return -1;
        return *cur++;
    }
    bool readBytes(uint8_t* destination, size_t count);
    bool skipBytes(size_t count);

    const uint8_t* cur = nullptr;
    const uint8_t* end = nullptr;

private:
    std::FILE* file = nullptr;
    std::vector<uint8_t> chunk;
};
