// The uninstall.exe that the build ships, read as a file.
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

TEST(ShippedProgram, CarriesNoSymbols)
{
    std::ifstream in(testsupport::testBinDir() + "\\uninstall.exe", std::ios::binary);
    const std::vector<char> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    ASSERT_EQ(IMAGE_DOS_SIGNATURE, dos->e_magic);
    ASSERT_LT(static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64), image.size());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(image.data() + dos->e_lfanew);
    ASSERT_EQ(IMAGE_NT_SIGNATURE, nt->Signature);
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
