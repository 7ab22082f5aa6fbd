#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace e2e {

// The product's image extensions, in the uninstaller's order.
extern const std::vector<std::string> kExtensions;
extern const char* const kShellExtensionClass;

// A realistic installation of the product in the prefix, as its installer
// leaves it: files and directories under "C:\Program Files\Vexlo Viewer"
// (names with blanks and in GBK), the uninstaller itself, the shell
// extension registered with regsvr32, the product key HKLM\SOFTWARE\Vexlo,
// the 19 file types with the extensions pointing at them, some Explorer
// choices, "filelink.txt" with the former owners, and "install.txt".
class Installation {
public:
    static const char kProgramDir[];
    // The maker's folder that an installation may be put in, as
    // kCompanyDir\Vexlo Viewer; the manifest then lists it after the
    // installation folder.
    static const char kCompanyDir[];
    // An installation folder on the second disk, which the test command
    // links as D: (another file system than C:, which holds the temporary
    // folder).
    static const char kSecondDiskDir[];
    // More sample images than this are put in albums of this many.
    static constexpr int kAlbumSize = 1000;

    // Number of sample images; more of them make the run longer. The
    // installation folder is folder, or kCompanyDir\Vexlo Viewer.
    explicit Installation(int sampleImages = 38, bool inCompanyFolder = false, const std::string& folder = kProgramDir);
    // Removes whatever the scenario left of the installation.
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    // Writes the files, registry and the two data files.
    void stage();

    // The manifest lines in order (the registry key last).
    std::vector<std::string> manifest;
    // The former owner of each extension as filelink.txt records it ("" : none).
    std::map<std::string, std::string> formerOwners;
    // The installation folder.
    std::string programDir;
    // The folders the installation makes: the installation folder and, for
    // one in kCompanyDir, that one.
    std::vector<std::string> folders;
    // Extensions whose Explorer choice is staged, and its value.
    std::map<std::string, std::string> userChoices;
    // Extensions whose Explorer choice is a key without a "Progid" value.
    std::set<std::string> choicesWithoutProgid;
    // The album folders under "Sample Images" (listed after their images).
    std::vector<std::string> albums;

    // Writes install.txt from `manifest` with the line end given.
    void writeManifest(const std::string& lineEnd = "\r\n", bool finalLineEnd = true) const;
    std::string path(const std::string& relative) const { return programDir + "\\" + relative; }
    std::string uninstaller() const { return path("uninstall.exe"); }
};

// What the uninstaller may change, read from the prefix: the installation's
// folders, the parked del*.tmp files, and the product's registry.
struct Snapshot {
    std::map<std::string, std::string> files;    // path -> "dir" or the size
    std::map<std::string, std::string> parked;   // del*.tmp in the temporary directory -> size
    std::map<std::string, std::string> registry; // key or key|value -> data
    std::vector<std::string> pending;            // paths to delete at restart, in order

    static Snapshot take(const Installation& installation);
    // Whether path is to be deleted at the next restart.
    bool isPending(const std::string& path) const;
    // Erases every file entry at or under path.
    void eraseFilesUnder(const std::string& path);
    // Erases every registry entry at or under key.
    void eraseKeysUnder(const std::string& key);
    // Text of the differences (empty when equal), for failure messages.
    static std::string difference(const std::map<std::string, std::string>& expected,
                                  const std::map<std::string, std::string>& actual);
};

// What the browser stand-in received, and the processes that started it
// (see tests/helpers/recorder.cpp).
std::string recorderOutput();
std::string recorderParents();
// Installs the browser stand-in into the prefix (once per prefix) as the
// program that opens http addresses, and a program that logs its start (see
// tests/helpers/planted.cpp) where the App Paths entry and the system folder
// have IEXPLORE.EXE.
void installBrowserRecorder();
// Runs a command of the host (xdotool, import) and waits for it.
void runHost(const std::string& commandLine);
// A file of the host as Wine names it: the host's root is drive Z:.
std::string wineName(const std::string& hostPath);
std::string readFile(const std::string& path);
void deleteTree(HKEY root, const std::string& key);

} // namespace e2e
