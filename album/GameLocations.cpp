#include "album/GameLocations.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "diag/EventLog.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"

namespace {

// Like the C library's decimal conversion: optional blanks and sign, digits up to the first
// non-digit, 0 when there are none.
int leadingNumber(const std::string& text) {
    return std::atoi(text.c_str());
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

}  // namespace

std::string gameDataPath(const Registry& registry) {
    return registry.readString(RegistryHive::LocalMachine, GameKeyPath, "SIMS_DATA", 260).value_or("");
}

int currentNeighborhoodNumber(const Registry& registry) {
    auto value = registry.queryValue(RegistryHive::LocalMachine, GameKeyPath, "SIMS_CURRENT_NEIGHBORHOOD_NUM", 4);
    if (!value)
        return -1;
    // Players' registries hold this value as text or as a 32-bit number; both mean a number.
    if (value->type == 4 && value->data.size() == 4) {
        const auto* b = reinterpret_cast<const unsigned char*>(value->data.data());
        return int(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                   std::uint32_t(b[3]) << 24);
    }
    return leadingNumber(registryText(*value));
}

int isExpansionInstalled(const Registry& registry) {
    static const char* const markers[] = {"EP7Installed", "EP6Installed", "EP5Installed", "EP4Installed",
                                          "EP3Installed", "EP2Installed", "EPInstalled"};
    for (const char* marker : markers)
        if (registry.queryValue(RegistryHive::LocalMachine, GameKeyPath, marker, 2))
            return 1;
    return 0;
}

std::string userDataFolderName(int neighborhood) {
    return neighborhood <= 1 ? "\\UserData" : "\\UserData" + std::to_string(neighborhood);
}

std::string albumPathOf(const std::string& gamePath, int neighborhood) {
    return gamePath + userDataFolderName(neighborhood) + "\\PhotoAlbum";
}

GameLocations readGameLocations(const Registry& registry, bool logging) {
    GameLocations locations;
    locations.neighborhoodNumber = std::max(1, currentNeighborhoodNumber(registry));
    locations.gamePath = gameDataPath(registry);
    locations.expansionInstalled = isExpansionInstalled(registry);
    locations.albumPath = albumPathOf(locations.gamePath, locations.neighborhoodNumber);
    if (logging) {
        eventLog.writeMessage("Game path = " + locations.gamePath);
        eventLog.writeMessage("Album path = " + locations.albumPath);
    }
    return locations;
}

std::vector<std::string> neighborhoodTexts(const std::string& gamePath) {
    std::vector<std::string> texts;
    for (const auto& entry : findEntries(gamePath + "\\*.*")) {
        if (!entry.isFolder)
            continue;
        std::string name = entry.name;
        auto dot = name.find_last_of('.');
        if (dot != std::string::npos)
            name.erase(dot);
        name = lowerCase(name);
        if (name.find("userdata") == std::string::npos || name.find("template") != std::string::npos)
            continue;
        std::string number = name.size() > 8 ? name.substr(8) : std::string();
        if (number.size() == 0)
            texts.push_back("01");
        else if (number.size() == 1)
            texts.push_back("0" + number);
        else if (number.size() == 2)
            texts.push_back(number);
    }
    std::sort(texts.begin(), texts.end());
    return texts;
}

int neighborhoodNumberOf(const std::string& text) { return std::max(1, leadingNumber(text)); }

std::string neighborhoodTextOf(int neighborhood) {
    std::string text = std::to_string(std::max(1, neighborhood));
    return text.size() < 2 ? "0" + text : text;
}
