#include "album/NeighborhoodFile.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "album/FamilyRecordScanner.h"
#include "album/GameLocations.h"
#include "platform/NativePath.h"

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using ScopedFile = std::unique_ptr<std::FILE, FileCloser>;

void markUnknown(std::vector<FamilyRow>& rows) {
    for (auto& row : rows)
        if (!row.hasData())
            row.lot = row.id = "?";
}
}  // namespace

std::string neighborhoodFilePath(const std::string& gamePath, int neighborhood) {
    return gamePath + userDataFolderName(neighborhood) + "\\Neighborhood.iff";
}

void fillFamilyRow(std::vector<FamilyRow>& rows, const FamilyRecord& record) {
    auto row = std::find_if(rows.begin(), rows.end(),
                            [&](const FamilyRow& r) { return r.name == record.name && !r.hasData(); });
    if (row == rows.end())
        return;
    row->lot = std::to_string(record.lot);
    row->id = std::to_string(record.id);
}

int readNeighborhoodFile(const std::string& gamePath, int neighborhood, std::vector<FamilyRow>& rows) {
    ScopedFile file(std::fopen(nativePath(neighborhoodFilePath(gamePath, neighborhood)).c_str(), "rb"));
    if (!file) {
        markUnknown(rows);
        return 0;
    }
    FamilyRecordScanner scanner([&](const FamilyRecord& record) { fillFamilyRow(rows, record); });
    unsigned char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        scanner.feed(buffer, got);
    // A read error is not the end of the file: the families after it are unknown, not missing.
    if (std::ferror(file.get())) {
        markUnknown(rows);
        return 0;
    }
    rows.erase(std::remove_if(rows.begin(), rows.end(), [](const FamilyRow& r) { return !r.hasData(); }),
               rows.end());
    return 1;
}
