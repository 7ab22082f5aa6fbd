#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// A registry key created for one test and deleted with its whole subtree when
// the object goes away.
class ScratchRegistryKey {
public:
    // Creates subkey (and missing parents); the levels it created are deleted
    // again on destruction.
    ScratchRegistryKey(HKEY root, const std::string& subkey);
    ~ScratchRegistryKey();
    ScratchRegistryKey(const ScratchRegistryKey&) = delete;
    ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;

    // Sets a REG_SZ value of the key (an empty name sets the default value).
    void setString(const std::string& name, const std::string& value);

private:
    HKEY root;
    std::string subkey; // the first level that did not exist, "" when none
    std::string fullName;
};

// Remembers one value (and whether its key existed) and puts it back on
// destruction: for values of the prefix that a test has to change.
class RegistryValueBackup {
public:
    RegistryValueBackup(HKEY root, const std::string& key, const std::string& name);
    ~RegistryValueBackup();
    RegistryValueBackup(const RegistryValueBackup&) = delete;
    RegistryValueBackup& operator=(const RegistryValueBackup&) = delete;

private:
    HKEY root;
    std::string key;
    std::string name;
    bool keyExisted = false;
    bool present = false;
    DWORD type = 0;
    std::string data;
};

// Makes Wine report another Windows version ("vista", "win10", ...) to the
// processes of one program started while this object lives. Wine reads the
// version when a process starts. The value is put back as it was, also
// where the program's key was there before (other overrides of the program
// live in it).
class WineVersionOverride {
public:
    WineVersionOverride(const std::string& programName, const std::string& version);

private:
    // Created first and left in place: programs of parallel tests share it.
    static const char* ensureParent();
    const char* parent;
    RegistryValueBackup previous;
};

bool keyExists(HKEY root, const std::string& key);
// Reads a value of any type; answers false when the key does not open.
bool readValue(HKEY root, const std::string& key, const std::string& name, bool& present, DWORD& type,
               std::string& data);
// A string value, or "<absent>".
std::string readString(HKEY root, const std::string& key, const std::string& name);
// Creates the key when needed and sets a REG_SZ value ("" names the default value).
void writeString(HKEY root, const std::string& key, const std::string& name, const std::string& value);

} // namespace testsupport
