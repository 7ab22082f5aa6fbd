#pragma once

#include <string>

namespace testsupport {

// A fresh directory under C:\vexlo-tests for one test, removed with all its
// contents (read-only files included) when the object goes away.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // The directory, without a trailing backslash.
    const std::string& path() const { return root; }
    // path() + "\" + name.
    std::string operator/(const std::string& name) const { return root + "\\" + name; }

    // Writes bytes to the file at fullPath, creating or truncating it.
    static void writeFile(const std::string& fullPath, const std::string& bytes);
    // Creates the directory at fullPath.
    static void makeDir(const std::string& fullPath);
    static bool exists(const std::string& fullPath);
    // Deletes a tree; used for cleanup.
    static void removeTree(const std::string& fullPath);

private:
    std::string root;
};

// The folder that holds the running test program (and the helper programs).
std::string testBinDir();
// The temporary folder, with its trailing backslash.
std::string tempDir();
// The system folder's file name (C:\Windows\System32\name).
std::string systemFolderFile(const std::string& name);
// The short (8.3) form of an existing path; empty when there is none.
std::string shortPath(const std::string& path);

} // namespace testsupport
