// The real uninstall.exe on machines of other code pages: the end-to-end
// prefix's 936 (Simplified Chinese Windows), and prefixes of their own for
// 950 (Traditional Chinese), 1252 (English) and 65001 (the UTF-8 option of
// Windows). VEXLO_CODE_PAGE names the one of this run, and
// scripts/codepage-wine.sh starts the test in its prefix. The 936 run leaves
// what its button and caption bar showed in VEXLO_SCREENSHOTS/codepages; the
// runs of the other code pages compare theirs with it. The checks read with
// the wide functions and compare with UTF-16 text, so that they mean the same
// under every code page.
#include "tests/e2e/Installation.h"
#include "tests/e2e/UninstallRun.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScratchRegistryKey.h"
#include "tests/support/Utf8.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace e2e;

namespace {

// "提示" (Notice), "是否确定卸载？" (Are you sure you want to uninstall?) and
// "Vexlo 卸载程序" (Vexlo uninstaller).
const wchar_t kCaption[] = L"\u63D0\u793A";
const wchar_t kQuestion[] = L"\u662F\u5426\u786E\u5B9A\u5378\u8F7D\uFF1F";
const wchar_t kTitle[] = L"Vexlo \u5378\u8F7D\u7A0B\u5E8F";
const unsigned kReferenceCodePage = 936;

unsigned codePageOfThisRun()
{
    const char* named = std::getenv("VEXLO_CODE_PAGE");
    return named ? static_cast<unsigned>(std::atoi(named)) : kReferenceCodePage;
}

std::string screenshots()
{
    const char* folder = std::getenv("VEXLO_SCREENSHOTS");
    return folder ? folder : "";
}

// The pictures of the reference run, as files of the host.
struct Reference {
    std::string folder;
    std::string file(const char* name, unsigned codePage = kReferenceCodePage) const
    {
        return folder + "/cp" + std::to_string(codePage) + "-" + name + ".ppm";
    }
};

// The part of the window named is as the reference run showed it; when it
// is not, it is left beside the reference's to be looked at.
void expectShownAsUnder936(const testsupport::Pixels& shown, const Reference& reference, const char* name,
                           unsigned codePage)
{
    const bool same = shown == testsupport::Pixels::fromPpm(wineName(reference.file(name)));
    EXPECT_TRUE(same) << "the " << name << " does not show as under code page 936; see "
                      << reference.file(name, codePage);
    if (!same) shown.toPpm(wineName(reference.file(name, codePage)));
}

} // namespace

TEST(CodePage, TheProgramsTextsReadRightAndItsButtonShowsAsUnder936)
{
    const unsigned codePage = codePageOfThisRun();
    ASSERT_EQ(codePage, GetACP()) << "the prefix's locale gives another code page";
    if (screenshots().empty()) GTEST_SKIP() << "VEXLO_SCREENSHOTS names no folder for the pictures to compare";
    installBrowserRecorder();
    // Some two seconds of run: on a busy machine the window may reach the
    // screen late in a shorter one, and "完成" be seen disabled never.
    Installation installation(200);
    installation.stage();
    UninstallRun run(installation, UninstallRun::Answer::Ok);
    run.screenshotFolder = screenshots() + "/cp" + std::to_string(codePage);
    const RunResult result = run.go();
    printf("code page %u: the box asked \"%s\" under \"%s\", the window was titled \"%s\"\n", GetACP(),
           testsupport::toUtf8(result.boxText).c_str(), testsupport::toUtf8(result.boxCaption).c_str(), testsupport::toUtf8(result.windowTitle).c_str());

    EXPECT_EQ(kCaption, result.boxCaption);
    EXPECT_EQ(kQuestion, result.boxText);
    EXPECT_EQ(kTitle, result.windowTitle);
    // A screen reader reads "完成" (Done) on the button under every code page.
    EXPECT_EQ(L"\u5B8C\u6210", result.readAtTheEnd[2].name) << describe(result.readAtTheEnd[2]);
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(0, result.exitCode);
    // The status line and the gauge, as the toolkit draws them under this
    // code page: the entries are bytes of the machine's code page.
    EXPECT_EQ(std::vector<std::string>{}, result.displayFaults);
    for (const Screenshot& shot : result.screenshots) EXPECT_TRUE(shot.shows) << shot.path << ": " << shot.problem;
    EXPECT_FALSE(testsupport::ScratchDir::exists(installation.programDir));
    EXPECT_FALSE(testsupport::keyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexlo"));
    EXPECT_EQ("jpegfile", testsupport::readString(HKEY_CLASSES_ROOT, ".JPEG", ""));
    ASSERT_FALSE(result.disabledButton.values.empty())
        << "never seen painted and disabled in " << result.holds << " holds and " << result.comparedLooks << " looks";
    ASSERT_FALSE(result.enabledButton.values.empty());
    ASSERT_FALSE(result.captionBar.values.empty());

    const Reference reference{screenshots() + "/codepages"};
    if (codePage == kReferenceCodePage) {
        runHost("/bin/mkdir -p " + reference.folder);
        EXPECT_TRUE(result.disabledButton.toPpm(wineName(reference.file("disabled-button"))));
        EXPECT_TRUE(result.enabledButton.toPpm(wineName(reference.file("enabled-button"))));
        EXPECT_TRUE(result.captionBar.toPpm(wineName(reference.file("caption-bar"))));
        return;
    }
    expectShownAsUnder936(result.disabledButton, reference, "disabled-button", codePage);
    expectShownAsUnder936(result.enabledButton, reference, "enabled-button", codePage);
    // Under 1252 and 65001 Wine draws the caption's Chinese through the font
    // link the prefix has (see wine-session.sh), with other glyphs than a
    // Chinese system's: there the title is compared as text, above.
    if (codePage == 950) expectShownAsUnder936(result.captionBar, reference, "caption-bar", codePage);
}
