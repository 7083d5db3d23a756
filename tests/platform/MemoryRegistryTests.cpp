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

// Every string the program reads from the registry ends at the bytes the read returned: a value
// that fills its buffer without a terminating NUL is read as exactly those bytes, and nothing
// that lies beyond them.
TEST(RegistryString, TextEndsAtItsNulOrAtTheBytesRead) {
    const std::string full(260, 'h');
    struct Case {
        const char* name;
        RegistryValue stored;
        std::size_t bufferSize;
        std::optional<std::string> read;
    } cases[] = {
        {"terminated", {regtype::String, std::string("htmlfile") + '\0'}, 260, "htmlfile"},
        {"filling the buffer without a NUL", {regtype::String, full}, 260, full},
        {"filling the buffer with its NUL", {regtype::String, full.substr(1) + '\0'}, 260, full.substr(1)},
        {"longer than the buffer", {regtype::String, full + 'x'}, 260, std::nullopt},
        {"text after its NUL", {regtype::String, std::string("a\0b\0", 4)}, 260, "a"},
        {"empty", {regtype::String, std::string()}, 260, ""},
        {"expandable", {regtype::ExpandString, std::string("%x%") + '\0'}, 260, "%x%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry registry;
        registry.setValue(RegistryHive::ClassesRoot, ".htm", "", c.stored);
        EXPECT_EQ(registry.readString(RegistryHive::ClassesRoot, ".htm", "", c.bufferSize), c.read);
    }
    MemoryRegistry empty;
    EXPECT_EQ(empty.readString(RegistryHive::ClassesRoot, ".htm", "", 260), std::nullopt);
}
