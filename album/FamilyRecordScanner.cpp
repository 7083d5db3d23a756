#include "album/FamilyRecordScanner.h"

namespace {
constexpr std::uint32_t IdOffset = 9;
constexpr std::uint32_t LotOffset = 88;
constexpr std::uint32_t FamilyFieldsEnd = LotOffset + 4;
constexpr std::uint32_t NameOffset = 81;
constexpr std::size_t NameLimit = 32;
}  // namespace

void FamilyRecordScanner::feed(const unsigned char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        unsigned char byte = bytes[i];
        switch (phase) {
        case Phase::SeekFamily:
        case Phase::SeekName: seek(byte); break;
        case Phase::FamilyFields: familyField(byte); break;
        case Phase::NameFields: nameField(byte); break;
        }
    }
}

// "FAMI" and "FAMs" share "FAM", and 'F' occurs only at their start, so a byte that breaks a
// partial match can only start a new one by being an 'F' itself.
void FamilyRecordScanner::seek(unsigned char byte) {
    static const char prefix[] = "FAM";
    if (matched < 3) {
        matched = byte == prefix[matched] ? matched + 1 : (byte == 'F' ? 1 : 0);
        return;
    }
    matched = 0;
    if (byte == 'I') {
        // A family record seen while waiting for a name replaces the one that had none.
        phase = Phase::FamilyFields;
        offset = 4;
        record = FamilyRecord();
        lotBytes = 0;
    } else if (byte == 's' && phase == Phase::SeekName) {
        phase = Phase::NameFields;
        offset = 4;
    } else {
        matched = byte == 'F' ? 1 : 0;
    }
}

void FamilyRecordScanner::familyField(unsigned char byte) {
    if (offset == IdOffset) {
        record.id = byte;
    } else if (offset >= LotOffset) {
        lotBytes |= std::uint32_t(byte) << (8 * (offset - LotOffset));
        if (offset + 1 == FamilyFieldsEnd) {
            record.lot = std::int32_t(lotBytes);
            phase = Phase::SeekName;
            matched = 0;
            return;
        }
    }
    ++offset;
}

void FamilyRecordScanner::nameField(unsigned char byte) {
    if (offset < NameOffset) {
        ++offset;
        return;
    }
    if (byte == 0) {
        finishName();
        return;
    }
    record.name += char(byte);
    if (record.name.size() == NameLimit)
        finishName();
}

void FamilyRecordScanner::finishName() {
    sink(record);
    phase = Phase::SeekFamily;
    matched = 0;
}
