#include <gtest/gtest.h>

#include "album/Settings.h"
#include "platform/MemoryRegistry.h"

TEST(Settings, MissingValuesKeepTheirDefaultsOthersAreRead) {
    MemoryRegistry registry;
    registry.writeDword(RegistryHive::CurrentUser, SettingsKeyPath, "Enable HTML", 1);
    Settings settings = loadSettings(registry);
    EXPECT_EQ(settings.enableLogging, 1);
    EXPECT_EQ(settings.deleteOnly, 0);
    EXPECT_EQ(settings.enableHtml, 1);
    EXPECT_EQ(settings.showOpen, 1);
}

TEST(Settings, SaveWritesAllFourAsDwords) {
    MemoryRegistry registry;
    ASSERT_TRUE(saveSettings(registry, Settings{0, 1, 0, 0}));
    EXPECT_EQ(registry.readDword(RegistryHive::CurrentUser, SettingsKeyPath, "Enable Logging"), 0u);
    EXPECT_EQ(registry.readDword(RegistryHive::CurrentUser, SettingsKeyPath, "Delete Only"), 1u);
    EXPECT_EQ(registry.readDword(RegistryHive::CurrentUser, SettingsKeyPath, "Enable HTML"), 0u);
    EXPECT_EQ(registry.readDword(RegistryHive::CurrentUser, SettingsKeyPath, "Show Open"), 0u);
}

// A stored value other than 0 or 1 (written by hand, or by another tool) is on, wherever it is
// read: the program acts on the same state the Options dialog shows.
TEST(Settings, AnyValueButZeroIsOn) {
    const std::pair<std::uint32_t, int> cases[] = {{0, 0}, {1, 1}, {2, 1}, {7, 1}, {0xFFFFFFFFu, 1}, {0x80000000u, 1}};
    for (const auto& [stored, state] : cases) {
        SCOPED_TRACE(stored);
        EXPECT_EQ(settingState(stored), state);
        MemoryRegistry registry;
        for (const char* name : {"Delete Only", "Enable HTML", "Enable Logging", "Show Open"})
            registry.writeDword(RegistryHive::CurrentUser, SettingsKeyPath, name, stored);
        Settings settings = loadSettings(registry);
        EXPECT_EQ(settings.deleteOnly, state);
        EXPECT_EQ(settings.enableHtml, state);
        EXPECT_EQ(settings.enableLogging, state);
        EXPECT_EQ(settings.showOpen, state);
    }
}
