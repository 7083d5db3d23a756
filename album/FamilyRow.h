#pragma once
#include <string>

// One row of the Open Photo Album dialog's family list: the family's name from its photo file
// names, and its lot and ID from the neighborhood file ("?" for both when that file could not be
// read, empty before it is read).
struct FamilyRow {
    std::string name;
    std::string lot;
    std::string id;

    bool hasData() const { return !lot.empty() || !id.empty(); }
    bool operator==(const FamilyRow&) const = default;
};
