#include "platform/Registry.h"

#include <cstring>

std::optional<std::uint32_t> Registry::readDword(RegistryHive hive, const std::string& keyPath,
                                                 const std::string& valueName) const {
    auto value = queryValue(hive, keyPath, valueName, sizeof(std::uint32_t));
    if (!value || value->type != regtype::Dword || value->data.size() != sizeof(std::uint32_t))
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const unsigned char*>(value->data.data());
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

std::optional<std::string> Registry::readString(RegistryHive hive, const std::string& keyPath,
                                                const std::string& valueName, std::size_t bufferSize) const {
    auto value = queryValue(hive, keyPath, valueName, bufferSize);
    if (!value)
        return std::nullopt;
    return registryText(*value);
}

std::string registryText(const RegistryValue& value) {
    return value.data.substr(0, value.data.find('\0'));
}
