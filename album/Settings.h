#pragma once
#include <cstdint>

class Registry;

inline constexpr const char* SettingsKeyPath = "Software\\Hollowmere\\Velmora";

// The program's four on/off settings, kept per user in the registry as 32-bit values; 0 or 1 each.
struct Settings {
    int enableLogging = 1;  // "Enable Logging"
    int deleteOnly = 0;     // "Delete Only"
    int enableHtml = 0;     // "Enable HTML"
    int showOpen = 1;       // "Show Open"
};

// A stored setting as the program uses it: any value but 0 is on (1). Everything that reads a
// setting goes through here, so that what a box shows and what the program does always agree.
int settingState(std::uint32_t stored);

// Reads the four values, each as 0 or 1; a missing or unreadable value keeps its default.
Settings loadSettings(const Registry& registry);
// Writes all four, creating the key when needed. Returns false when a value could not be written.
bool saveSettings(Registry& registry, const Settings& settings);
