#include "tests/support/ScratchRegistryKey.h"

#include "tests/support/ChildProcess.h"

#include <stdexcept>

namespace testsupport {

namespace {

const char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char kPendingValue[] = "PendingFileRenameOperations";
const char kNtPrefix[] = "\\??\\";

// The value as a list of strings, empty ones included (pairs of source and
// destination, the destination empty for a deletion).
std::vector<std::string> readPendingPairs()
{
    std::vector<std::string> strings;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return strings;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, kPendingValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        size > 0) {
        std::string raw(size, '\0');
        RegQueryValueExA(key, kPendingValue, nullptr, &type, reinterpret_cast<BYTE*>(&raw[0]), &size);
        raw.resize(size);
        // Pairs: each source is followed by its (possibly empty) destination.
        size_t pos = 0;
        while (pos < raw.size()) {
            const size_t end = raw.find('\0', pos);
            if (end == std::string::npos) break;
            strings.push_back(raw.substr(pos, end - pos));
            pos = end + 1;
            if (strings.size() % 2 == 0 && pos < raw.size() && raw[pos] == '\0') break;
        }
    }
    RegCloseKey(key);
    return strings;
}

std::string stripNtPrefix(const std::string& path)
{
    return path.compare(0, 4, kNtPrefix) == 0 ? path.substr(4) : path;
}

} // namespace

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
    : parent(ensureParent()), key(HKEY_CURRENT_USER, std::string(parent) + "\\" + programName)
{
    key.setString("Version", version);
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

std::vector<std::string> pendingDeletions()
{
    std::vector<std::string> sources;
    const std::vector<std::string> strings = readPendingPairs();
    for (size_t i = 0; i + 1 < strings.size(); i += 2)
        if (strings[i + 1].empty()) sources.push_back(stripNtPrefix(strings[i]));
    return sources;
}

void forgetPendingDeletion(const std::string& path)
{
    const std::vector<std::string> strings = readPendingPairs();
    std::string kept;
    for (size_t i = 0; i + 1 < strings.size(); i += 2) {
        if (strings[i + 1].empty() && _stricmp(stripNtPrefix(strings[i]).c_str(), path.c_str()) == 0)
            continue;
        kept += strings[i];
        kept += '\0';
        kept += strings[i + 1];
        kept += '\0';
    }
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    if (kept.empty()) {
        RegDeleteValueA(key, kPendingValue);
    } else {
        kept += '\0';
        RegSetValueExA(key, kPendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                       static_cast<DWORD>(kept.size()));
    }
    RegCloseKey(key);
}

long restartWindows()
{
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    return runProgram("\"" + std::string(system) + "\\wineboot.exe\" -r");
}

} // namespace testsupport
