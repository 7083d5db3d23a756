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
