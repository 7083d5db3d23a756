#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

enum class RegistryHive { LocalMachine, CurrentUser, ClassesRoot };

// Registry value types, with the numbers Windows gives them.
namespace regtype {
inline constexpr std::uint32_t String = 1;        // REG_SZ
inline constexpr std::uint32_t ExpandString = 2;  // REG_EXPAND_SZ
inline constexpr std::uint32_t Binary = 3;        // REG_BINARY
inline constexpr std::uint32_t Dword = 4;         // REG_DWORD
}  // namespace regtype

struct RegistryValue {
    std::uint32_t type = 0;
    std::string data;  // the raw bytes as stored, terminating NUL of a string included
};

// Access to the registry. Keys under HKEY_LOCAL_MACHINE are opened in the 32-bit view, where a
// 32-bit game's key lives on 64-bit Windows. Every call opens its key, uses it and closes it.
class Registry {
public:
    virtual ~Registry() = default;

    // Reads a value into a buffer of bufferSize bytes. Returns nothing when the key cannot be
    // opened, the value does not exist, or its data does not fit the buffer.
    virtual std::optional<RegistryValue> queryValue(RegistryHive hive, const std::string& keyPath,
                                                     const std::string& valueName,
                                                     std::size_t bufferSize) const = 0;

    // Writes a 32-bit value, creating the key when it is missing. Returns false on failure.
    virtual bool writeDword(RegistryHive hive, const std::string& keyPath,
                            const std::string& valueName, std::uint32_t value) = 0;

    // Reads a 32-bit value; nothing when the key or value is missing or is not a REG_DWORD.
    std::optional<std::uint32_t> readDword(RegistryHive hive, const std::string& keyPath,
                                           const std::string& valueName) const;

    // Reads a value as text (see registryText) through a buffer of bufferSize bytes; nothing
    // when queryValue gives nothing. An empty valueName reads the key's default value.
    std::optional<std::string> readString(RegistryHive hive, const std::string& keyPath,
                                          const std::string& valueName, std::size_t bufferSize) const;
};

// The text of a value: its bytes up to the first NUL, or all of them when the data holds none. A
// string may be stored without its terminating NUL, so the text never reaches past the bytes the
// read returned.
std::string registryText(const RegistryValue& value);

// The registry of the machine the program runs on: the Win32 registry on Windows.
Registry& systemRegistry();
