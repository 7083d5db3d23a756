#include "platform/Registry.h"

#include <windows.h>

namespace {

HKEY rootKey(RegistryHive hive) {
    switch (hive) {
    case RegistryHive::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryHive::ClassesRoot: return HKEY_CLASSES_ROOT;
    default: return HKEY_CURRENT_USER;
    }
}

// The game is a 32-bit program: on 64-bit Windows its HKLM key lives in the 32-bit view, so a
// 64-bit reader has to ask for that view explicitly.
REGSAM viewFlag(RegistryHive hive) {
    return hive == RegistryHive::LocalMachine ? KEY_WOW64_32KEY : 0;
}

class ScopedKey {
public:
    ScopedKey() = default;
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    ~ScopedKey() {
        if (key)
            RegCloseKey(key);
    }
    HKEY* out() { return &key; }
    HKEY get() const { return key; }

private:
    HKEY key = nullptr;
};

class Win32Registry : public Registry {
public:
    std::optional<RegistryValue> queryValue(RegistryHive hive, const std::string& keyPath,
                                             const std::string& valueName,
                                             std::size_t bufferSize) const override {
        ScopedKey key;
        if (RegOpenKeyExA(rootKey(hive), keyPath.c_str(), 0, KEY_QUERY_VALUE | viewFlag(hive),
                          key.out()) != ERROR_SUCCESS)
            return std::nullopt;
        std::string buffer(bufferSize, '\0');
        DWORD type = 0;
        DWORD size = DWORD(bufferSize);
        if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
            return std::nullopt;
        buffer.resize(size);
        return RegistryValue{type, buffer};
    }

    bool writeDword(RegistryHive hive, const std::string& keyPath, const std::string& valueName,
                    std::uint32_t value) override {
        ScopedKey key;
        if (RegCreateKeyExA(rootKey(hive), keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_SET_VALUE | viewFlag(hive), nullptr, key.out(),
                            nullptr) != ERROR_SUCCESS)
            return false;
        DWORD data = value;
        return RegSetValueExA(key.get(), valueName.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
    }
};

}  // namespace

Registry& systemRegistry() {
    static Win32Registry registry;
    return registry;
}
