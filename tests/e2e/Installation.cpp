#include "tests/e2e/Installation.h"

#include "app/InstallationFiles.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RestartList.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScratchRegistryKey.h"
#include "tests/support/ShellExtensionRecord.h"
#include "tests/support/SystemProgramStandIn.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

using testsupport::ScratchDir;
using testsupport::tempDir;

namespace e2e {

const std::vector<std::string> kExtensions = {".JPEG", ".JPG", ".PNG", ".JP2", ".BMP", ".GIF", ".PCX",
                                              ".PGX",  ".RAS", ".TGA", ".TIFF", ".TIF", ".JPC", ".PPM",
                                              ".PGM",  ".PBM", ".ICO", ".ICON", ".WMF"};
const char* const kShellExtensionClass = shellextension::kClassKey;
const char Installation::kProgramDir[] = "C:\\Program Files\\Vexlo Viewer";
const char Installation::kCompanyDir[] = "C:\\Program Files\\Vexlo Software";
const char Installation::kSecondDiskDir[] = "D:\\Vexlo Viewer";

namespace {

const char kProductKey[] = "SOFTWARE\\Vexlo";
// The browser stand-in and its records.
const char kBrowserFolder[] = "C:\\vexlo-browser\\";
const char kFileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
// "说明.txt" (readme) in GBK.
const char kGbkReadme[] = "lang\\\xCB\xB5\xC3\xF7.txt";

std::string lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

void copyOrThrow(const std::string& from, const std::string& to)
{
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) throw std::runtime_error("cannot copy " + from + " to " + to);
}

bool isUnder(const std::string& path, const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders)
        if (_strnicmp(path.c_str(), folder.c_str(), folder.size()) == 0 &&
            (path.size() == folder.size() || path[folder.size()] == '\\'))
            return true;
    return false;
}

void walkFiles(const std::string& path, std::map<std::string, std::string>& out)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        out[path] = std::to_string(data.nFileSizeLow);
        return;
    }
    out[path] = "dir";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") walkFiles(path + "\\" + name, out);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void walkRegistry(HKEY root, const std::string& rootName, const std::string& key,
                  std::map<std::string, std::string>& out)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return;
    const std::string name = rootName + "\\" + key;
    out[name] = "<key>";
    for (DWORD i = 0;; ++i) {
        char valueName[512];
        DWORD nameSize = sizeof valueName;
        BYTE data[2048];
        DWORD dataSize = sizeof data - 1;
        DWORD type = 0;
        if (RegEnumValueA(handle, i, valueName, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        data[dataSize] = 0;
        out[name + "|" + valueName] =
            type == REG_SZ ? std::string(reinterpret_cast<char*>(data)) : "<type " + std::to_string(type) + ">";
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char subkey[512];
        DWORD size = sizeof subkey;
        if (RegEnumKeyExA(handle, i, subkey, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.push_back(subkey);
    }
    RegCloseKey(handle);
    for (const std::string& subkey : subkeys) walkRegistry(root, rootName, key + "\\" + subkey, out);
}

} // namespace

Installation::Installation(int sampleImages, bool inCompanyFolder, const std::string& folder)
    : programDir(inCompanyFolder ? std::string(kCompanyDir) + "\\Vexlo Viewer" : folder)
{
    folders = {inCompanyFolder ? std::string(kCompanyDir) : programDir};
    manifest = {path("plugins\\jpeg.dll"), path("plugins\\png.dll"), path("plugins"), path(kGbkReadme), path("lang")};
    if (sampleImages <= kAlbumSize) {
        for (int i = 1; i <= sampleImages; ++i)
            manifest.push_back(path("Sample Images\\sunset " + std::to_string(i) + ".jpg"));
    } else {
        // Many images come in albums: Wine looks a new file's name up in
        // the whole directory, so one folder of them all would take minutes
        // to fill.
        for (int first = 1; first <= sampleImages; first += kAlbumSize) {
            const std::string album = "Sample Images\\Album " + std::to_string(first / kAlbumSize + 1);
            albums.push_back(path(album));
            for (int i = first; i <= sampleImages && i < first + kAlbumSize; ++i)
                manifest.push_back(path(album + "\\sunset " + std::to_string(i) + ".jpg"));
            manifest.push_back(path(album));
        }
    }
    for (const char* entry : {"Sample Images", "Vexlo.exe", kShellExtensionFile, "uninstall.exe", kManifestFile})
        manifest.push_back(path(entry));
    manifest.push_back(programDir);
    if (inCompanyFolder) manifest.push_back(kCompanyDir);
    manifest.push_back("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexlo");
    for (const std::string& extension : kExtensions)
        formerOwners[extension] = (extension == ".ICON" || extension == ".WMF") ? "" : lower(extension.substr(1)) + "file";
    userChoices = {{".JPG", "Vexlo.JPG"}, {".BMP", "VEXLO.bmp"}, {".PCX", ""}};
    choicesWithoutProgid = {".TGA"};
}

Installation::~Installation()
{
    for (const std::string& folder : folders) ScratchDir::removeTree(folder);
    deleteTree(HKEY_LOCAL_MACHINE, kProductKey);
    for (const std::string& extension : kExtensions) {
        deleteTree(HKEY_CLASSES_ROOT, "Vexlo" + extension);
        deleteTree(HKEY_CLASSES_ROOT, extension);
        deleteTree(HKEY_CURRENT_USER, kFileExts + extension);
    }
    deleteTree(HKEY_CLASSES_ROOT, kShellExtensionClass);
    deleteTree(HKEY_CURRENT_USER, shellextension::kRecordKey);
    // Files parked for deletion at restart: delete them now, and forget
    // every deletion at restart that the run asked for.
    const Snapshot left = Snapshot::take(*this);
    for (const auto& parked : left.parked) {
        SetFileAttributesA(parked.first.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(parked.first.c_str());
    }
    for (const std::string& pending : left.pending)
        if (left.parked.count(pending) || isUnder(pending, folders)) testsupport::forgetPendingDeletion(pending);
}

void Installation::writeManifest(const std::string& lineEnd, bool finalLineEnd) const
{
    std::string text;
    for (size_t i = 0; i < manifest.size(); ++i) {
        text += manifest[i];
        if (i + 1 < manifest.size() || finalLineEnd) text += lineEnd;
    }
    ScratchDir::writeFile(path(kManifestFile), text);
}

void Installation::stage()
{
    for (const std::string& folder : folders) ScratchDir::removeTree(folder);
    for (const std::string& folder : folders) CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA(programDir.c_str(), nullptr);
    // Only the product's own files and folders: bad-input lines of a
    // scenario name nothing. A listed name without a dot is a folder; the
    // manifest lists a folder after its contents, so they are made in
    // reverse.
    std::vector<std::string> entries;
    for (const std::string& entry : manifest)
        if (entry.compare(0, programDir.size() + 1, programDir + "\\") == 0 && entry.size() < MAX_PATH)
            entries.push_back(entry);
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
        if (entry->find('.', entry->find_last_of('\\')) == std::string::npos) CreateDirectoryA(entry->c_str(), nullptr);
    for (const std::string& entry : entries) {
        const std::string name = entry.substr(entry.find_last_of('\\') + 1);
        if (entry.find('.', entry.find_last_of('\\')) == std::string::npos) continue;
        if (name == "uninstall.exe" || name == kShellExtensionFile || name == kManifestFile) continue;
        ScratchDir::writeFile(entry, "Vexlo " + name);
    }
    const std::string bin = testsupport::testBinDir();
    copyOrThrow(bin + "\\uninstall.exe", uninstaller());
    copyOrThrow(bin + "\\" + kShellExtensionFile, path(kShellExtensionFile));
    writeManifest();
    std::string links;
    for (const auto& owner : formerOwners)
        if (!owner.second.empty()) links += owner.first + "=" + owner.second + "\r\n";
    ScratchDir::writeFile(path(kAssociationsFile), links);

    testsupport::writeString(HKEY_LOCAL_MACHINE, kProductKey, "InstallDir", programDir);
    testsupport::writeString(HKEY_LOCAL_MACHINE, kProductKey, "Version", "1.0");
    for (const std::string& extension : kExtensions) {
        const std::string type = "Vexlo" + extension;
        testsupport::writeString(HKEY_CLASSES_ROOT, type, "", "Vexlo " + extension.substr(1) + " image");
        testsupport::writeString(HKEY_CLASSES_ROOT, type + "\\shell", "", "Open");
        testsupport::writeString(HKEY_CLASSES_ROOT, type + "\\shell\\Open", "", "&Open");
        testsupport::writeString(HKEY_CLASSES_ROOT, type + "\\shell\\Open\\Command", "",
                                 "\"" + path("Vexlo.exe") + "\" \"%1\"");
        testsupport::writeString(HKEY_CLASSES_ROOT, type + "\\FriendlyTypeName", "", "Vexlo image");
        testsupport::writeString(HKEY_CLASSES_ROOT, type + "\\DefaultIcon", "", path("Vexlo.exe") + ",1");
        testsupport::writeString(HKEY_CLASSES_ROOT, extension, "", type);
        deleteTree(HKEY_CURRENT_USER, kFileExts + extension);
    }
    for (const auto& choice : userChoices)
        testsupport::writeString(HKEY_CURRENT_USER, kFileExts + choice.first + "\\UserChoice", "Progid", choice.second);
    for (const std::string& extension : choicesWithoutProgid)
        testsupport::writeString(HKEY_CURRENT_USER, kFileExts + extension + "\\UserChoice", "Hash", "staged");
    deleteTree(HKEY_CURRENT_USER, shellextension::kRecordKey);
    if (testsupport::runProgram("regsvr32.exe /s \"" + path(kShellExtensionFile) + "\"") != 0 ||
        !testsupport::keyExists(HKEY_CLASSES_ROOT, kShellExtensionClass))
        throw std::runtime_error("regsvr32 did not register the shell extension");
}

Snapshot Snapshot::take(const Installation& installation)
{
    Snapshot snapshot;
    for (const std::string& folder : installation.folders) walkFiles(folder, snapshot.files);
    const std::string temp = tempDir();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((temp + "del*.tmp").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do snapshot.parked[temp + found.cFileName] = std::to_string(found.nFileSizeLow);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    walkRegistry(HKEY_LOCAL_MACHINE, "HKLM", kProductKey, snapshot.registry);
    walkRegistry(HKEY_CLASSES_ROOT, "HKCR", kShellExtensionClass, snapshot.registry);
    for (const std::string& extension : kExtensions) {
        walkRegistry(HKEY_CLASSES_ROOT, "HKCR", "Vexlo" + extension, snapshot.registry);
        walkRegistry(HKEY_CLASSES_ROOT, "HKCR", extension, snapshot.registry);
        walkRegistry(HKEY_CURRENT_USER, "HKCU", kFileExts + extension, snapshot.registry);
    }
    snapshot.pending = testsupport::pendingDeletions();
    return snapshot;
}

bool Snapshot::isPending(const std::string& path) const
{
    for (const std::string& entry : pending)
        if (_stricmp(entry.c_str(), path.c_str()) == 0) return true;
    return false;
}

void Snapshot::eraseFilesUnder(const std::string& path)
{
    for (auto it = files.begin(); it != files.end();)
        it = (it->first == path || it->first.compare(0, path.size() + 1, path + "\\") == 0) ? files.erase(it) : ++it;
}

void Snapshot::eraseKeysUnder(const std::string& key)
{
    for (auto it = registry.begin(); it != registry.end();) {
        const std::string& name = it->first;
        const bool under = name == key || name.compare(0, key.size() + 1, key + "\\") == 0 ||
                           name.compare(0, key.size() + 1, key + "|") == 0;
        it = under ? registry.erase(it) : ++it;
    }
}

std::string Snapshot::difference(const std::map<std::string, std::string>& expected,
                                 const std::map<std::string, std::string>& actual)
{
    std::ostringstream text;
    for (const auto& entry : expected) {
        auto found = actual.find(entry.first);
        if (found == actual.end())
            text << "  missing: " << entry.first << " = " << entry.second << "\n";
        else if (found->second != entry.second)
            text << "  changed: " << entry.first << " = " << found->second << " (expected " << entry.second << ")\n";
    }
    for (const auto& entry : actual)
        if (!expected.count(entry.first)) text << "  extra: " << entry.first << " = " << entry.second << "\n";
    return text.str();
}

std::string recorderOutput()
{
    return std::string(kBrowserFolder) + "arguments.txt";
}

std::string recorderParents()
{
    return std::string(kBrowserFolder) + "parent.txt";
}

void installBrowserRecorder()
{
    CreateDirectoryA(kBrowserFolder, nullptr); // there already after a first call
    const std::string browser = std::string(kBrowserFolder) + "browser.exe";
    copyOrThrow(testsupport::testBinDir() + "\\recorder.exe", browser);
    // Wine 8 reads the handler from here only, not from the user's classes.
    testsupport::writeString(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "", "\"" + browser + "\" %1");
    for (const std::string& iexplore :
         {testsupport::systemBrowserPath(), testsupport::systemFolderFile("iexplore.exe")})
        copyOrThrow(testsupport::testBinDir() + "\\planted.exe", iexplore);
    testsupport::writeString(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", "iexplore.exe", "native");
}

std::string wineName(const std::string& hostPath)
{
    std::string name = "Z:" + hostPath;
    for (char& c : name)
        if (c == '/') c = '\\';
    return name;
}

void runHost(const std::string& commandLine)
{
    // Wine does not wait for a program of the host that it starts: the
    // command makes a marker file when it is done, and that is waited for.
    const DWORD patienceMs = 20000;
    static int commands = 0;
    const std::string marker =
        "/tmp/vexlo-host-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++commands);
    testsupport::runProgram("/bin/sh -c \"" + commandLine + "; : > " + marker + "\"", patienceMs);
    const std::string done = wineName(marker);
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount() - start < patienceMs)
        Sleep(10);
    DeleteFileA(done.c_str());
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void deleteTree(HKEY root, const std::string& key)
{
    RegDeleteTreeA(root, key.c_str());
    RegDeleteKeyA(root, key.c_str());
}

} // namespace e2e
