// Fuzzes the neighborhood file scan: any bytes, in pieces of any size, must scan without fault,
// give the same records however they are cut, and give only well-formed records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "album/FamilyRecordScanner.h"
#include "album/NeighborhoodFile.h"

namespace {
std::vector<FamilyRecord> scan(const std::uint8_t* data, std::size_t size, std::size_t piece) {
    std::vector<FamilyRecord> records;
    FamilyRecordScanner scanner([&](const FamilyRecord& record) { records.push_back(record); });
    for (std::size_t at = 0; at < size; at += piece)
        scanner.feed(data + at, size - at < piece ? size - at : piece);
    return records;
}

bool same(const std::vector<FamilyRecord>& a, const std::vector<FamilyRecord>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].lot != b[i].lot || a[i].id != b[i].id)
            return false;
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte chooses how the rest is cut into pieces.
    std::size_t piece = std::size_t(data[0]) + 1;
    ++data;
    --size;

    std::vector<FamilyRecord> whole = scan(data, size, size + 1);
    if (!same(whole, scan(data, size, piece)))
        std::abort();

    std::vector<FamilyRow> rows = {{"Smith", "", ""}, {"Smith", "", ""}, {"A", "", ""}, {"", "", ""}};
    for (const auto& record : whole) {
        if (record.name.size() > 32 || record.name.find('\0') != std::string::npos || record.id > 255)
            std::abort();
        fillFamilyRow(rows, record);
    }
    for (const auto& row : rows)
        if (row.lot.empty() != row.id.empty())
            std::abort();
    return 0;
}
