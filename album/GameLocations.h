#pragma once
#include <string>
#include <vector>

class Registry;

inline constexpr const char* GameKeyPath = "Software\\Maxis\\The Sims";

// SIMS_DATA, read as text into a 260-byte buffer; empty when the key or value cannot be read.
std::string gameDataPath(const Registry& registry);
// SIMS_CURRENT_NEIGHBORHOOD_NUM: text in a 4-byte buffer (so at most three digits) read as a
// decimal number up to the first non-digit, or a 32-bit number; -1 when it cannot be read.
int currentNeighborhoodNumber(const Registry& registry);
// 1 when one of the expansion markers EP7Installed ... EPInstalled reads into 2 bytes, else 0.
int isExpansionInstalled(const Registry& registry);

// "\UserData" for neighborhood 1 or less, "\UserData" + N for N of 2 or more.
std::string userDataFolderName(int neighborhood);
// gamePath + userDataFolderName(neighborhood) + "\PhotoAlbum"
std::string albumPathOf(const std::string& gamePath, int neighborhood);

// Where the program starts: the game's folder, the start-up neighborhood (at least 1), the
// expansion marker and the album folder built from them.
struct GameLocations {
    std::string gamePath;
    int neighborhoodNumber = 1;
    int expansionInstalled = 0;
    std::string albumPath;
};

// Reads the game's registry values; when logging, writes "Game path = " and "Album path = ".
GameLocations readGameLocations(const Registry& registry, bool logging);

// The neighborhoods of a game folder as the pickers list them: "01" for UserData, "02" for
// UserData2, "10" for UserData10; sorted. Folders named with "template", with more than two
// characters after "userdata", and plain files are left out.
std::vector<std::string> neighborhoodTexts(const std::string& gamePath);
// The neighborhood number of a listed text ("01" -> 1, "10" -> 10); 1 for anything unreadable.
int neighborhoodNumberOf(const std::string& text);
// The listed text of a neighborhood number (1 -> "01", 12 -> "12").
std::string neighborhoodTextOf(int neighborhood);
