#pragma once
#include <string>
#include <vector>

#include "album/FamilyRow.h"

// A photo file's family key: its name up to, not including, the second underscore
// ("Smith_2_0005.jpg" -> "Smith_2"); "" when the name has fewer than two underscores.
std::string familyKeyOf(const std::string& fileName);

// One row per family that has photos in the album folder, in the order the folder first lists
// each family key: the family name is the key up to its first underscore, lot and ID are empty.
// Files whose names have no family key belong to no family and add no row.
std::vector<FamilyRow> familyRowsFromPhotos(const std::string& albumFolder);

// Family names byte by byte (upper-case letters before lower-case), then lots as numbers
// ("?" counts as 0).
void sortFamilyRows(std::vector<FamilyRow>& rows);

// A row can be opened when its lot and ID are known.
bool canOpenFamilyRow(const FamilyRow& row);

// The family list of neighborhood N as the Open Photo Album dialog shows it: rows from the photos
// of its album folder, completed from its neighborhood file, sorted.
struct NeighborhoodFamilies {
    std::vector<FamilyRow> rows;
    // The neighborhood file could not be read and rows show "?" for it: the user is to be shown
    // the "Data Reading Error" message. A neighborhood without photos needs nothing from its file
    // (a game folder without neighborhoods has none), so it never asks for the message.
    bool dataReadingError = false;
};
NeighborhoodFamilies familyRowsOfNeighborhood(const std::string& gamePath, int neighborhood);
