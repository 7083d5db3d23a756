#include "JpegSource.h"

#include <cstring>

namespace {
// Large enough that refills are rare next to the work per byte, small enough
// to stay in the L2 cache.
constexpr size_t ChunkSize = 64 * 1024;
}

void JpegSource::attachMemory(const uint8_t* data, size_t size)
{
    file = nullptr;
    cur = data;
    end = data + size;
}

bool JpegSource::attachFile(std::FILE* openFile)
{
    file = openFile;
    if (chunk.size() != ChunkSize) {
        chunk.clear();
        chunk.shrink_to_fit();
        chunk.resize(ChunkSize);
    }
    cur = end = chunk.data();
    return true;
}

bool JpegSource::refill()
{
    if (cur != end)
        return true;
    if (!file)
        return false;
    size_t got = std::fread(chunk.data(), 1, chunk.size(), file);
    cur = chunk.data();
    end = cur + got;
    return got > 0;
}

bool JpegSource::readBytes(uint8_t* destination, size_t count)
{
    while (count > 0) {
        if (cur == end && !refill())
            return false;
        size_t take = static_cast<size_t>(end - cur);
        if (take > count)
            take = count;
        std::memcpy(destination, cur, take);
        destination += take;
        cur += take;
        count -= take;
    }
    return true;
}

bool JpegSource::skipBytes(size_t count)
{
    while (count > 0) {
        if (cur == end && !refill())
            return false;
        size_t take = static_cast<size_t>(end - cur);
        if (take > count)
            take = count;
        cur += take;
        count -= take;
    }
    return true;
}
