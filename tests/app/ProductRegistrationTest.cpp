#include "app/ProductRegistration.h"
#include "app/InstallationFiles.h"
#include "qxsdk/core/QXProperties.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using QXSDK::QXProperties;
using QXSDK::QXString;
using namespace testsupport;

namespace {

const char kFileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

std::string productType(const std::string& extension)
{
    return "Vexlo" + extension;
}

std::string userChoiceKey(const std::string& extension)
{
    return kFileExts + extension + "\\UserChoice";
}

std::string classes(const std::string& key, const std::string& name = "")
{
    return readString(HKEY_CLASSES_ROOT, key, name);
}

// Installs what the product's installer leaves in the registry for one
// extension: its file type with the whole subkey tree, and the extension
// pointing at it.
void installProductType(const std::string& extension)
{
    const std::string type = productType(extension);
    writeString(HKEY_CLASSES_ROOT, type, "", "Vexlo " + extension.substr(1) + " image");
    writeString(HKEY_CLASSES_ROOT, type + "\\shell", "", "Open");
    writeString(HKEY_CLASSES_ROOT, type + "\\shell\\Open", "", "&Open");
    writeString(HKEY_CLASSES_ROOT, type + "\\shell\\Open\\Command", "",
                "\"C:\\Program Files\\Vexlo\\Vexlo.exe\" \"%1\"");
    writeString(HKEY_CLASSES_ROOT, type + "\\FriendlyTypeName", "", "Vexlo image");
    writeString(HKEY_CLASSES_ROOT, type + "\\DefaultIcon", "", "C:\\Program Files\\Vexlo\\Vexlo.exe,1");
    writeString(HKEY_CLASSES_ROOT, extension, "", type);
}

// Each test works on the real registry of the prefix: the extensions'
// values are put back and the product types and scratch keys removed after it.
class ProductRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* extension : ProductRegistration::ImageExtensionList) {
            backups.emplace_back(new RegistryValueBackup(HKEY_CLASSES_ROOT, extension, ""));
            backups.emplace_back(new RegistryValueBackup(HKEY_CURRENT_USER, userChoiceKey(extension), "Progid"));
        }
    }

    void TearDown() override
    {
        for (const char* extension : ProductRegistration::ImageExtensionList) {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, productType(extension).c_str());
            RegDeleteKeyA(HKEY_CLASSES_ROOT, productType(extension).c_str());
        }
        backups.clear();
        // Parents that the tests created go too; RegDeleteKeyA spares keys
        // that still have subkeys.
        for (const char* extension : ProductRegistration::ImageExtensionList)
            RegDeleteKeyA(HKEY_CURRENT_USER, (kFileExts + std::string(extension)).c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, std::string(kFileExts, sizeof kFileExts - 2).c_str());
    }

    std::string filelink() const { return dir / kAssociationsFile; }

    int removeKey(const std::string& entry)
    {
        QXProperties associations;
        associations.load(QXString(filelink().c_str()));
        return ProductRegistration(QXString(dir.path().c_str()), associations).removeRegistryKey(QXString(entry.c_str()));
    }

    // Runs removeRegistryKey or setDefaultProgram in a process that Wine tells
    // it runs on wineVersion.
    long runAs(const char* wineVersion, const std::string& arguments)
    {
        WineVersionOverride version("app_runner.exe", wineVersion);
        return runProgram("\"" + testBinDir() + "\\app_runner.exe\" " + arguments);
    }

    ScratchDir dir;
    std::vector<std::unique_ptr<RegistryValueBackup>> backups;
};

} // namespace

TEST_F(ProductRegistrationTest, ProductKeyUnderLocalMachineInAnyLetterCase)
{
    for (const char* root : {"HKEY_LOCAL_MACHINE", "hkey_local_machine"}) {
        ScratchRegistryKey product(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexlo Test Product");
        ScratchDir::writeFile(filelink(), ".JPEG=jpegfile\r\n");
        EXPECT_EQ(1, removeKey(std::string(root) + "\\SOFTWARE\\Vexlo Test Product")) << root;
        EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexlo Test Product")) << root;
        EXPECT_FALSE(ScratchDir::exists(filelink())) << root;
    }
}

TEST_F(ProductRegistrationTest, LineWithoutBackslashIsAKeyOfClassesRoot)
{
    ScratchRegistryKey product(HKEY_CLASSES_ROOT, "VexloTestProductKey");
    EXPECT_EQ(1, removeKey("VexloTestProductKey"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "VexloTestProductKey"));
}

TEST_F(ProductRegistrationTest, KeysThatCannotBeDeletedStopEverything)
{
    installProductType(".JPEG");
    ScratchDir::writeFile(filelink(), ".JPEG=jpegfile\r\n");
    ScratchRegistryKey product(HKEY_CURRENT_USER, "Software\\Vexlo Test Product\\Settings");
    const std::vector<std::string> refused = {
        "HKEY_CURRENT_USER\\Software\\Vexlo Test Product", // still has a subkey
        "",
        "\\Software\\Vexlo Test Product",                  // the whole line is the root name
        "HKEY_CURRENT_USER\\",                             // empty subkey
        "HKEY_CURRENT_USERS\\Software\\Vexlo Test Product",
        "HKCU\\Software\\Vexlo Test Product"};
    for (const std::string& entry : refused) EXPECT_EQ(0, removeKey(entry)) << entry;
    {
        QXProperties none;
        EXPECT_EQ(0, ProductRegistration(QXString(dir.path().c_str()), none)
                         .removeRegistryKey(QXString(static_cast<const char*>(nullptr))));
    }
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, "Software\\Vexlo Test Product\\Settings"));
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, "Vexlo.JPEG\\shell\\Open\\Command"));
    EXPECT_EQ("Vexlo.JPEG", classes(".JPEG"));
    EXPECT_TRUE(ScratchDir::exists(filelink()));
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, "Software")); // the root was never touched
}

TEST_F(ProductRegistrationTest, KeyAlreadyGoneFinishesWhatARunCutShortLeft)
{
    // The product key went, then the run was cut short: the types and the
    // extensions are still the product's, and filelink.txt knows their owners.
    installProductType(".JPEG");
    ScratchDir::writeFile(filelink(), ".JPEG=jpegfile\r\n");
    EXPECT_EQ(1, removeKey("HKEY_CURRENT_USER\\Software\\Vexlo Test Missing"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "Vexlo.JPEG"));
    EXPECT_EQ("jpegfile", classes(".JPEG"));
    EXPECT_FALSE(ScratchDir::exists(filelink()));
}

TEST_F(ProductRegistrationTest, EveryProductTypeIsRemovedAndFormerOwnersReturn)
{
    std::string links;
    for (const char* extension : ProductRegistration::ImageExtensionList) {
        installProductType(extension);
        // .ICON and .WMF had no former owner.
        if (std::string(extension) != ".ICON" && std::string(extension) != ".WMF")
            links += std::string(extension) + "=" + &extension[1] + "file\r\n";
    }
    links += ".jpeg=lowercase\r\n.XYZ=ignored\r\n";
    ScratchDir::writeFile(filelink(), links);
    ScratchRegistryKey product(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexlo Test Product");

    EXPECT_EQ(1, removeKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexlo Test Product"));

    for (const char* extension : ProductRegistration::ImageExtensionList) {
        EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, productType(extension))) << extension;
        const std::string expected = std::string(extension) == ".ICON" || std::string(extension) == ".WMF"
                                         ? productType(extension)
                                         : std::string(&extension[1]) + "file";
        EXPECT_EQ(expected, classes(extension)) << extension;
    }
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, ".XYZ"));
    EXPECT_FALSE(ScratchDir::exists(filelink()));
}

TEST_F(ProductRegistrationTest, PartlyPresentTypesAreRemovedToo)
{
    writeString(HKEY_CLASSES_ROOT, "Vexlo.PNG\\DefaultIcon", "", "icon");
    writeString(HKEY_CLASSES_ROOT, "Vexlo.GIF\\shell\\Open", "", "&Open"); // no Command
    writeString(HKEY_CLASSES_ROOT, "Vexlo.BMP", "", "only the type");
    QXProperties none;
    ProductRegistration registration(QXString(dir.path().c_str()), none);
    for (const char* extension : {".PNG", ".GIF", ".BMP", ".TGA"}) registration.restoreAssociation(extension);
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "Vexlo.PNG"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "Vexlo.GIF"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "Vexlo.BMP"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "Vexlo.TGA"));
}

TEST_F(ProductRegistrationTest, ForeignSubkeysKeepTheTypeButNotTheProductsParts)
{
    installProductType(".TIF");
    writeString(HKEY_CLASSES_ROOT, "Vexlo.TIF\\shell\\edit", "", "someone else's verb");
    QXProperties none;
    ProductRegistration(QXString(dir.path().c_str()), none).restoreAssociation(".TIF");
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, "Vexlo.TIF\\shell\\edit"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "Vexlo.TIF\\shell\\Open"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "Vexlo.TIF\\DefaultIcon"));
    EXPECT_EQ("<absent>", classes("Vexlo.TIF"));
}

TEST_F(ProductRegistrationTest, Windows7RewritesOnlyTheProductsUserChoices)
{
    if (QXSDK::getOSVersionCode() != QXSDK::kOSWindows7) GTEST_SKIP() << "the prefix does not report Windows 6.1";
    // .JPEG: still the product's everywhere. .JPG: the user chose another
    // program after the installation. .PNG: Explorer has no choice at all.
    // .GIF and .BMP: Explorer's choice names nothing (no value, an empty one).
    writeString(HKEY_CURRENT_USER, userChoiceKey(".GIF"), "Hash", "unrelated");
    writeString(HKEY_CURRENT_USER, userChoiceKey(".BMP"), "Progid", "");
    writeString(HKEY_CURRENT_USER, userChoiceKey(".JPEG"), "Progid", "VEXLO.jpeg");
    writeString(HKEY_CLASSES_ROOT, ".JPEG", "", "Vexlo.JPEG");
    writeString(HKEY_CURRENT_USER, userChoiceKey(".JPG"), "Progid", "OtherViewer.jpg");
    writeString(HKEY_CLASSES_ROOT, ".JPG", "", "OtherViewer.jpg");
    writeString(HKEY_CLASSES_ROOT, ".PNG", "", "Vexlo.PNG");

    QXProperties none;
    ProductRegistration registration(QXString(dir.path().c_str()), none);
    registration.setDefaultProgram(".JPEG", "jpegfile");
    registration.setDefaultProgram(".JPG", "jpgfile");
    registration.setDefaultProgram(".PNG", "pngfile");
    registration.setDefaultProgram(".GIF", "giffile");
    registration.setDefaultProgram(".BMP", "bmpfile");

    EXPECT_EQ("jpegfile", readString(HKEY_CURRENT_USER, userChoiceKey(".JPEG"), "Progid"));
    EXPECT_EQ("jpegfile", classes(".JPEG"));
    EXPECT_EQ("OtherViewer.jpg", readString(HKEY_CURRENT_USER, userChoiceKey(".JPG"), "Progid"));
    EXPECT_EQ("OtherViewer.jpg", classes(".JPG"));
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, userChoiceKey(".PNG"))); // never created
    EXPECT_EQ("pngfile", classes(".PNG"));
    EXPECT_EQ("giffile", readString(HKEY_CURRENT_USER, userChoiceKey(".GIF"), "Progid"));
    EXPECT_EQ("bmpfile", readString(HKEY_CURRENT_USER, userChoiceKey(".BMP"), "Progid"));
}

TEST_F(ProductRegistrationTest, OtherVersionsWriteTheExtensionsDefaultValue)
{
    writeString(HKEY_CURRENT_USER, userChoiceKey(".JPEG"), "Progid", "Vexlo.JPEG");
    writeString(HKEY_CLASSES_ROOT, ".JPEG", "", "Vexlo.JPEG");
    writeString(HKEY_CLASSES_ROOT, ".JPG", "", "OtherViewer.jpg");
    writeString(HKEY_CLASSES_ROOT, ".GIF", "", "");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".PCX");

    for (const char* version : {"vista", "win10"}) {
        EXPECT_EQ(0, runAs(version, "setDefaultProgram .JPEG jpegfile"));
        EXPECT_EQ(0, runAs(version, "setDefaultProgram .JPG jpgfile"));
        EXPECT_EQ(0, runAs(version, "setDefaultProgram .GIF giffile"));
        EXPECT_EQ(0, runAs(version, "setDefaultProgram .PCX pcxfile"));
        EXPECT_EQ("jpegfile", classes(".JPEG")) << version;
        EXPECT_EQ("OtherViewer.jpg", classes(".JPG")) << version;
        EXPECT_EQ("giffile", classes(".GIF")) << version;
        EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, ".PCX")) << version; // never created
        // Explorer's choice belongs to 6.1 only.
        EXPECT_EQ("Vexlo.JPEG", readString(HKEY_CURRENT_USER, userChoiceKey(".JPEG"), "Progid")) << version;
        writeString(HKEY_CLASSES_ROOT, ".JPEG", "", "Vexlo.JPEG");
        writeString(HKEY_CLASSES_ROOT, ".GIF", "", "");
    }
}

TEST_F(ProductRegistrationTest, WholeRunOnVista)
{
    installProductType(".JPEG");
    installProductType(".BMP");
    writeString(HKEY_CLASSES_ROOT, ".BMP", "", "Paint.Picture"); // taken over since
    ScratchDir::writeFile(filelink(), "  .JPEG=jpegfile  \r\n.BMP=bmpfile\r\n");
    ScratchRegistryKey product(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexlo Test Product");
    EXPECT_EQ(1, runAs("vista", "removeRegistryKey \"" + dir.path() +
                                    "\" \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexlo Test Product\""));
    EXPECT_EQ("jpegfile", classes(".JPEG"));
    EXPECT_EQ("Paint.Picture", classes(".BMP"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "Vexlo.JPEG"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "Vexlo.BMP"));
    EXPECT_FALSE(ScratchDir::exists(filelink()));
}
