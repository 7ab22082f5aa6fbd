// The uninstall.exe that the build ships, read as a file.
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// The DLLs that Windows loads from the system folder only, whatever lies
// beside a program (the KnownDLLs of Windows 7 to 11, and ntdll).
const std::set<std::string> kKnownSystemDlls = {
    "advapi32.dll", "clbcatq.dll",  "combase.dll",  "comdlg32.dll", "coml2.dll",    "difxapi.dll",
    "gdi32.dll",    "gdiplus.dll",  "imagehlp.dll", "imm32.dll",    "kernel32.dll", "msctf.dll",
    "msvcrt.dll",   "normaliz.dll", "nsi.dll",      "ntdll.dll",    "ole32.dll",    "oleaut32.dll",
    "psapi.dll",    "rpcrt4.dll",   "sechost.dll",  "setupapi.dll", "shcore.dll",   "shell32.dll",
    "shlwapi.dll",  "user32.dll",   "wldap32.dll",  "ws2_32.dll"};

// The shipped program's bytes, with its PE headers checked.
class ShippedProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::ifstream in(testsupport::testBinDir() + "\\uninstall.exe", std::ios::binary);
        image.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
        ASSERT_EQ(IMAGE_DOS_SIGNATURE, dos->e_magic);
        ASSERT_LT(static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64), image.size());
        nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(image.data() + dos->e_lfanew);
        ASSERT_EQ(IMAGE_NT_SIGNATURE, nt->Signature);
    }

    // The bytes at a relative virtual address, or null outside every section.
    const char* at(DWORD rva) const
    {
        const auto* sections = IMAGE_FIRST_SECTION(nt);
        for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& section = sections[i];
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData &&
                section.PointerToRawData + (rva - section.VirtualAddress) < image.size())
                return image.data() + section.PointerToRawData + (rva - section.VirtualAddress);
        }
        return nullptr;
    }

    // The lower-case names of the DLLs the program imports at load time, and
    // of those it would load at first use through a delay-load table.
    std::vector<std::string> importedDlls() const
    {
        std::vector<std::string> names;
        auto add = [&](DWORD nameRva) {
            const char* name = at(nameRva);
            std::string text = name ? name : "<unreadable>";
            std::transform(text.begin(), text.end(), text.begin(), ::tolower);
            names.push_back(text);
        };
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(imports.VirtualAddress));
             imports.Size && entry && entry->Name; ++entry)
            add(entry->Name);
        const IMAGE_DATA_DIRECTORY& delayed = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
        for (auto* entry = reinterpret_cast<const IMAGE_DELAYLOAD_DESCRIPTOR*>(at(delayed.VirtualAddress));
             delayed.Size && entry && entry->DllNameRVA; ++entry)
            add(entry->DllNameRVA);
        return names;
    }

    std::vector<char> image;
    const IMAGE_NT_HEADERS64* nt = nullptr;
};

} // namespace

TEST_F(ShippedProgram, CarriesNoSymbols)
{
    EXPECT_EQ(0u, nt->FileHeader.NumberOfSymbols);
    EXPECT_EQ(0u, nt->FileHeader.PointerToSymbolTable);
    // Debugging sections have long names, which only a symbol table can hold
    // ("/4" and so on in the section table).
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
        const std::string name(reinterpret_cast<const char*>(sections[i].Name),
                               strnlen(reinterpret_cast<const char*>(sections[i].Name), IMAGE_SIZEOF_SHORT_NAME));
        EXPECT_NE('/', name[0]) << name;
        EXPECT_NE(0u, name.rfind(".debug", 0)) << name;
    }
}

TEST_F(ShippedProgram, ImportsOnlyDllsWindowsTakesFromTheSystemFolder)
{
    // Any other DLL would be looked for beside the program first, before the
    // entry point could restrict the search: a file planted there would run
    // with administrator rights.
    const std::vector<std::string> dlls = importedDlls();
    EXPECT_TRUE(std::count(dlls.begin(), dlls.end(), "kernel32.dll"));
    for (const std::string& dll : dlls) EXPECT_TRUE(kKnownSystemDlls.count(dll)) << dll;
}

TEST(ShippedProgramManifest, AsksForAdministratorRightsNamesEveryWindowsAndScalesItself)
{
    // Without the entries of a Windows, the Program Compatibility Assistant
    // takes the program for an old setup program on it.
    HMODULE program = LoadLibraryExA((testsupport::testBinDir() + "\\uninstall.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, program);
    HRSRC resource = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    ASSERT_NE(nullptr, resource);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(program, resource)));
    ASSERT_NE(nullptr, bytes);
    const std::string manifest(bytes, SizeofResource(program, resource));
    FreeLibrary(program);

    EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\"")) << manifest;
    for (const char* windows : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}",   // Vista
                                "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",   // 7
                                "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",   // 8
                                "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",   // 8.1
                                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})  // 10 and 11
        EXPECT_NE(std::string::npos, manifest.find(std::string("<supportedOS Id=\"") + windows + "\"/>")) << windows;
    // It draws at every display's scaling itself: per monitor on Windows 10
    // and later, at the system's scaling before.
    EXPECT_NE(std::string::npos, manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>")) << manifest;
    EXPECT_NE(std::string::npos, manifest.find(">true/pm</dpiAware>")) << manifest;
}
