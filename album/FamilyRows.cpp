#include "album/FamilyRows.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

#include "album/GameLocations.h"
#include "album/NeighborhoodFile.h"
#include "album/PhotoFileName.h"
#include "platform/FileSystem.h"

std::string familyKeyOf(const std::string& fileName) {
    auto first = fileName.find('_');
    auto second = first == std::string::npos ? first : fileName.find('_', first + 1);
    return second == std::string::npos ? std::string() : fileName.substr(0, second);
}

std::vector<FamilyRow> familyRowsFromPhotos(const std::string& albumFolder) {
    std::vector<FamilyRow> rows;
    std::unordered_set<std::string> seen;
    for (const auto& entry : findEntries(albumFolder + "\\*.jpg")) {
        if (entry.isFolder || !hasJpgExtension(entry.name))
            continue;
        std::string key = familyKeyOf(entry.name);
        if (key.empty() || !seen.insert(key).second)
            continue;
        rows.push_back({key.substr(0, key.find('_')), "", ""});
    }
    return rows;
}

void sortFamilyRows(std::vector<FamilyRow>& rows) {
    // std::string compares bytes as unsigned characters; atol reads "-1" as -1 and "?" as 0.
    std::stable_sort(rows.begin(), rows.end(), [](const FamilyRow& a, const FamilyRow& b) {
        if (a.name != b.name)
            return a.name < b.name;
        return std::atol(a.lot.c_str()) < std::atol(b.lot.c_str());
    });
}

bool canOpenFamilyRow(const FamilyRow& row) { return row.lot != "?" && row.hasData(); }

NeighborhoodFamilies familyRowsOfNeighborhood(const std::string& gamePath, int neighborhood) {
    NeighborhoodFamilies families;
    families.rows = familyRowsFromPhotos(albumPathOf(gamePath, neighborhood));
    families.dataReadingError = readNeighborhoodFile(gamePath, neighborhood, families.rows) == 0 &&
                                !families.rows.empty();
    sortFamilyRows(families.rows);
    return families;
}
