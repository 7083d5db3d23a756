#include "platform/MemoryRegistry.h"

#include <algorithm>
#include <cctype>

namespace {
std::string folded(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}
}  // namespace

MemoryRegistry::KeyId MemoryRegistry::keyId(RegistryHive hive, const std::string& keyPath) {
    return {hive, folded(keyPath)};
}

std::optional<RegistryValue> MemoryRegistry::queryValue(RegistryHive hive, const std::string& keyPath,
                                                        const std::string& valueName,
                                                        std::size_t bufferSize) const {
    auto key = keys.find(keyId(hive, keyPath));
    if (key == keys.end())
        return std::nullopt;
    auto value = key->second.find(folded(valueName));
    if (value == key->second.end() || value->second.data.size() > bufferSize)
        return std::nullopt;
    return value->second;
}

bool MemoryRegistry::writeDword(RegistryHive hive, const std::string& keyPath,
                                const std::string& valueName, std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((value >> (8 * i)) & 0xFF);
    setValue(hive, keyPath, valueName, {regtype::Dword, bytes});
    return true;
}

void MemoryRegistry::setString(RegistryHive hive, const std::string& keyPath,
                               const std::string& valueName, const std::string& text) {
    setValue(hive, keyPath, valueName, {regtype::String, text + '\0'});
}

void MemoryRegistry::setValue(RegistryHive hive, const std::string& keyPath,
                              const std::string& valueName, RegistryValue value) {
    keys[keyId(hive, keyPath)][folded(valueName)] = std::move(value);
}

void MemoryRegistry::createKey(RegistryHive hive, const std::string& keyPath) {
    keys[keyId(hive, keyPath)];
}

void MemoryRegistry::removeValue(RegistryHive hive, const std::string& keyPath,
                                 const std::string& valueName) {
    auto key = keys.find(keyId(hive, keyPath));
    if (key != keys.end())
        key->second.erase(folded(valueName));
}

void MemoryRegistry::clear() { keys.clear(); }
