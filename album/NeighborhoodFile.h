#pragma once
#include <string>
#include <vector>

#include "album/FamilyRow.h"

struct FamilyRecord;

// The message the Open Photo Album dialog shows when a neighborhood file can't be read.
inline constexpr const char* DataReadingErrorTitle = "Data Reading Error";
inline constexpr const char* DataReadingErrorText =
    "An error was encountered while reading data for some\n"
    "of the photo albums. The entries for which data could\n"
    "not be loaded will show a question mark (?) in the lot\n"
    "and ID columns.\n"
    "\n"
    "This error indicates that a problem exists with the\n"
    "neighborhood.iff file that corresponds with the problem\n"
    "photo albums.";

// gamePath + "\UserData" (+ N for neighborhood N of 2 or more) + "\Neighborhood.iff"
std::string neighborhoodFilePath(const std::string& gamePath, int neighborhood);

// Completes family rows (names only, lot and ID empty) from neighborhood N's file: each family
// record fills the first row of its name that has no data yet, with the lot and the ID as
// decimal text. Returns 1 after reading the whole file, removing the rows no record filled (their
// families have photos but no record). Returns 0 when the file cannot be opened, or reading it
// fails part-way; then every row left without data shows "?" as lot and ID, and stays.
int readNeighborhoodFile(const std::string& gamePath, int neighborhood, std::vector<FamilyRow>& rows);

// The matching step on its own: fills the first row named like the record that has no data yet.
void fillFamilyRow(std::vector<FamilyRow>& rows, const FamilyRecord& record);
