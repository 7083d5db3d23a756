#include <gtest/gtest.h>

#include "platform/MemoryRegistry.h"

TEST(MemoryRegistry, ValueLongerThanTheBufferDoesNotRead) {
    MemoryRegistry registry;
    registry.setString(RegistryHive::LocalMachine, "Software\\Maxis\\The Sims", "V", "123");  // 4 bytes with NUL
    EXPECT_TRUE(registry.queryValue(RegistryHive::LocalMachine, "Software\\Maxis\\The Sims", "V", 4));
    EXPECT_FALSE(registry.queryValue(RegistryHive::LocalMachine, "Software\\Maxis\\The Sims", "V", 3));
}

TEST(MemoryRegistry, KeysAndValueNamesIgnoreCaseButHivesDiffer) {
    MemoryRegistry registry;
    registry.writeDword(RegistryHive::CurrentUser, "Software\\Hollowmere\\Velmora", "Show Open", 7);
    EXPECT_EQ(registry.readDword(RegistryHive::CurrentUser, "SOFTWARE\\hollowmere\\VELMORA", "show open"), 7u);
    EXPECT_FALSE(registry.readDword(RegistryHive::LocalMachine, "Software\\Hollowmere\\Velmora", "Show Open"));
}

TEST(MemoryRegistry, ReadDwordRefusesOtherTypes) {
    MemoryRegistry registry;
    registry.setString(RegistryHive::CurrentUser, "K", "V", "1");
    EXPECT_FALSE(registry.readDword(RegistryHive::CurrentUser, "K", "V"));
}
