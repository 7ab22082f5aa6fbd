#include "tests/support/ScratchRegistryKey.h"

#include <stdexcept>

namespace testsupport {

ScratchRegistryKey::ScratchRegistryKey(HKEY rootKey, const std::string& sub)
    : root(rootKey)
{
    // Deletion later starts at the first level that this object creates, so
    // no empty parent keys are left behind.
    size_t end = 0;
    do {
        end = sub.find('\\', end + 1);
        const std::string level = sub.substr(0, end);
        HKEY probe;
        if (RegOpenKeyExA(root, level.c_str(), 0, KEY_READ, &probe) == ERROR_SUCCESS) {
            RegCloseKey(probe);
            continue;
        }
        subkey = level;
        break;
    } while (end != std::string::npos);

    HKEY key;
    if (RegCreateKeyExA(root, sub.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create registry key " + sub);
    RegCloseKey(key);
    fullName = sub;
}

ScratchRegistryKey::~ScratchRegistryKey()
{
    if (subkey.empty()) return;
    RegDeleteTreeA(root, subkey.c_str());
    RegDeleteKeyA(root, subkey.c_str());
}

void ScratchRegistryKey::setString(const std::string& name, const std::string& value)
{
    HKEY key;
    if (RegOpenKeyExA(root, fullName.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        throw std::runtime_error("cannot open registry key " + fullName);
    RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

RegistryValueBackup::RegistryValueBackup(HKEY rootKey, const std::string& keyName,
                                         const std::string& valueName)
    : root(rootKey), key(keyName), name(valueName)
{
    keyExisted = readValue(root, key, name, present, type, data) || keyExists(root, key);
}

RegistryValueBackup::~RegistryValueBackup()
{
    HKEY handle;
    if (!keyExisted) {
        RegDeleteTreeA(root, key.c_str());
        RegDeleteKeyA(root, key.c_str());
        return;
    }
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
    const char* valueName = name.empty() ? nullptr : name.c_str();
    if (present)
        RegSetValueExA(handle, valueName, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
    else
        RegDeleteValueA(handle, valueName);
    RegCloseKey(handle);
}

WineVersionOverride::WineVersionOverride(const std::string& programName, const std::string& version)
    : parent(ensureParent()), previous(HKEY_CURRENT_USER, std::string(parent) + "\\" + programName, "Version")
{
    writeString(HKEY_CURRENT_USER, std::string(parent) + "\\" + programName, "Version", version);
}

const char* WineVersionOverride::ensureParent()
{
    static const char kAppDefaults[] = "Software\\Wine\\AppDefaults";
    HKEY handle;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                        nullptr) == ERROR_SUCCESS)
        RegCloseKey(handle);
    return kAppDefaults;
}

bool keyExists(HKEY root, const std::string& key)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

bool readValue(HKEY root, const std::string& key, const std::string& name, bool& present, DWORD& type,
               std::string& data)
{
    present = false;
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    const char* valueName = name.empty() ? nullptr : name.c_str();
    DWORD size = 0;
    if (RegQueryValueExA(handle, valueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        data.assign(size, '\0');
        if (size) RegQueryValueExA(handle, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
        data.resize(size);
        present = true;
    }
    RegCloseKey(handle);
    return true;
}

std::string readString(HKEY root, const std::string& key, const std::string& name)
{
    bool present = false;
    DWORD type = 0;
    std::string data;
    if (!readValue(root, key, name, present, type, data) || !present) return "<absent>";
    return std::string(data.c_str());
}

void writeString(HKEY root, const std::string& key, const std::string& name, const std::string& value)
{
    HKEY handle;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create registry key " + key);
    RegSetValueExA(handle, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
}

} // namespace testsupport
