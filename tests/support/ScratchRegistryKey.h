#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// A registry key created for one test and deleted with its whole subtree when
// the object goes away.
class ScratchRegistryKey {
public:
    ScratchRegistryKey(HKEY root, const std::string& subkey);
    ~ScratchRegistryKey();
    ScratchRegistryKey(const ScratchRegistryKey&) = delete;
    ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;

    // Sets a REG_SZ value of the key (an empty name sets the default value).
    void setString(const std::string& name, const std::string& value);

private:
    HKEY root;
    std::string subkey;
};

// The source paths (without the "\??\" prefix) that Windows will delete at
// the next restart.
std::vector<std::string> pendingDeletions();

// Takes path out of the restart list again, so that a test leaves the prefix
// as it found it.
void forgetPendingDeletion(const std::string& path);

} // namespace testsupport
