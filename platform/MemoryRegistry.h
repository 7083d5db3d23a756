#pragma once
#include "platform/Registry.h"

#include <map>
#include <tuple>

// An in-memory registry for tests and for the POSIX build. Key paths compare without regard to
// case, as Windows does; value names too.
class MemoryRegistry : public Registry {
public:
    std::optional<RegistryValue> queryValue(RegistryHive hive, const std::string& keyPath,
                                             const std::string& valueName,
                                             std::size_t bufferSize) const override;
    bool writeDword(RegistryHive hive, const std::string& keyPath, const std::string& valueName,
                    std::uint32_t value) override;

    void setString(RegistryHive hive, const std::string& keyPath, const std::string& valueName,
                   const std::string& text);
    void setValue(RegistryHive hive, const std::string& keyPath, const std::string& valueName,
                  RegistryValue value);
    void createKey(RegistryHive hive, const std::string& keyPath);
    void removeValue(RegistryHive hive, const std::string& keyPath, const std::string& valueName);
    void clear();

private:
    using KeyId = std::tuple<RegistryHive, std::string>;
    static KeyId keyId(RegistryHive hive, const std::string& keyPath);
    std::map<KeyId, std::map<std::string, RegistryValue>> keys;
};
