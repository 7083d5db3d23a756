#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// A family as the neighborhood file records it: the family record "FAMI" holds the ID (one byte
// at +9 from its type code) and the lot (32-bit little-endian at +88), the family name record
// "FAMs" that follows it holds the name (from +81, NUL-terminated, at most 32 bytes).
struct FamilyRecord {
    std::string name;
    std::int32_t lot = 0;
    unsigned id = 0;
};

// Finds family records in the bytes of a neighborhood file without parsing its structure: it
// looks for the type codes and reads the fields at their fixed distances. Bytes may come in
// pieces of any size; every byte is a candidate start of a type code. A name record belongs to
// the nearest family record before it; a family record without a complete name record after it
// (cut off by the end of the file, or followed by another family record first) is not reported.
class FamilyRecordScanner {
public:
    using Sink = std::function<void(const FamilyRecord&)>;
    explicit FamilyRecordScanner(Sink sink) : sink(std::move(sink)) {}

    void feed(const unsigned char* bytes, std::size_t size);

private:
    enum class Phase { SeekFamily, FamilyFields, SeekName, NameFields };

    void seek(unsigned char byte);
    void familyField(unsigned char byte);
    void nameField(unsigned char byte);
    void finishName();

    Sink sink;
    Phase phase = Phase::SeekFamily;
    int matched = 0;          // bytes of "FAM" matched so far
    std::uint32_t offset = 0; // position of the next byte, counted from the record's type code
    std::uint32_t lotBytes = 0;
    FamilyRecord record;
};
