#include "album/Settings.h"

#include "platform/Registry.h"

namespace {
struct SettingValue {
    const char* name;
    int Settings::*member;
};
// The order in which the values are read and written.
const SettingValue settingValues[] = {
    {"Delete Only", &Settings::deleteOnly},
    {"Enable HTML", &Settings::enableHtml},
    {"Enable Logging", &Settings::enableLogging},
    {"Show Open", &Settings::showOpen},
};
}  // namespace

int settingState(std::uint32_t stored) { return stored != 0 ? 1 : 0; }

Settings loadSettings(const Registry& registry) {
    Settings settings;
    for (const auto& value : settingValues)
        if (auto stored = registry.readDword(RegistryHive::CurrentUser, SettingsKeyPath, value.name))
            settings.*value.member = settingState(*stored);
    return settings;
}

bool saveSettings(Registry& registry, const Settings& settings) {
    bool allWritten = true;
    for (const auto& value : settingValues)
        allWritten &= registry.writeDword(RegistryHive::CurrentUser, SettingsKeyPath, value.name,
                                          std::uint32_t(settings.*value.member));
    return allWritten;
}
