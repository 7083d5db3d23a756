#pragma once

class Registry;

inline constexpr const char* SettingsKeyPath = "Software\\Hollowmere\\Velmora";

// The program's four on/off settings, kept per user in the registry as 32-bit values.
struct Settings {
    int enableLogging = 1;  // "Enable Logging"
    int deleteOnly = 0;     // "Delete Only"
    int enableHtml = 0;     // "Enable HTML"
    int showOpen = 1;       // "Show Open"
};

// Reads the four values; a missing or unreadable value keeps its default.
Settings loadSettings(const Registry& registry);
// Writes all four, creating the key when needed. Returns false when a value could not be written.
bool saveSettings(Registry& registry, const Settings& settings);
