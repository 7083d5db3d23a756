#pragma once
#include <cstdint>
#include <string>

// Neighborhood file contents for tests, laid out as the game lays them out: 76-byte chunk headers
// (type code, big-endian size and chunk ID, flags, label) before each chunk's data.
namespace neighborhood_bytes {

inline std::string bigEndian(std::uint32_t value, int bytes) {
    std::string text;
    for (int i = bytes - 1; i >= 0; --i)
        text += char((value >> (8 * i)) & 0xFF);
    return text;
}

inline std::string littleEndian(std::uint32_t value) {
    std::string text;
    for (int i = 0; i < 4; ++i)
        text += char((value >> (8 * i)) & 0xFF);
    return text;
}

inline std::string chunk(const std::string& type, std::uint16_t chunkId, const std::string& data) {
    return type + bigEndian(std::uint32_t(76 + data.size()), 4) + bigEndian(chunkId, 2) + bigEndian(0x10, 2) +
           std::string(64, '\0') + data;
}

// Family record: the chunk ID's low byte is the family ID, the lot sits at +88.
inline std::string family(std::uint16_t chunkId, std::int32_t lot) {
    return chunk("FAMI", chunkId,
                 littleEndian(9) + littleEndian(0) + littleEndian(1) + littleEndian(std::uint32_t(lot)) +
                     littleEndian(20000) + littleEndian(0));
}

// Family name record: the name from +81; terminated says whether a NUL follows it.
inline std::string familyName(std::uint16_t chunkId, const std::string& name, bool terminated = true) {
    return chunk("FAMs", chunkId, std::string("\xFF\xFD\x01\x00\x00", 5) + name + (terminated ? std::string(2, '\0') : ""));
}

inline std::string fileHeader() {
    std::string header = "IFF FILE 2.5:TYPE FOLLOWING+OBJECT FILE DATA BY MAXIS";
    header.resize(60, '\0');
    return header + bigEndian(0, 4);
}

}  // namespace neighborhood_bytes
