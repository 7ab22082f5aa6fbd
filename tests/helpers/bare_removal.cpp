// The least a removal of an installation's files can do, as the yardstick of
// the uninstaller's silent run: tests each path that install.txt lists (but
// its last line, the registry key) and deletes it when it is a file, then
// removes the listed folders in their order. Nothing else: no window, no
// log, no registry.
//
//   bare_removal INSTALL_TXT     exit code: how many listed paths stayed
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) return -1;
    std::vector<std::string> paths;
    {
        // Closed before its own entry comes.
        std::ifstream manifest(argv[1], std::ios::binary);
        for (std::string line; std::getline(manifest, line);) {
            const size_t end = line.find_last_not_of(" \t\r");
            paths.push_back(end == std::string::npos ? "" : line.substr(0, end + 1));
        }
    }
    if (!paths.empty()) paths.pop_back();
    std::vector<std::string> folders;
    int stayed = 0;
    for (const std::string& path : paths) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) continue;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            folders.push_back(path);
        else if (!DeleteFileA(path.c_str()))
            ++stayed;
    }
    for (const std::string& folder : folders)
        if (!RemoveDirectoryA(folder.c_str())) ++stayed;
    return stayed;
}
