#include "app/uninstall.h"

#include "app/EntryRemoval.h"
#include "app/ExternalPrograms.h"
#include "app/InstallationFiles.h"
#include "app/Manifest.h"
#include "app/ProductRegistration.h"
#include "app/ProgramTexts.h"
#include "qxsdk/core/QXFile.h"

#include <windows.h>

#include <new>

using namespace QXSDK;

namespace {

const int kFlatLook = 0;
const char kStatusPrefix[] = "Remove->";
// How long the shell extension's own entry waits for regsvr32 at most.
const DWORD kUnregistrationPatienceMs = 10000;
// How long the hidden run steps before the message loop gets its turn.
const DWORD kStepsForMs = 25;

} // namespace

uninstall::uninstall()
    : QXObject(), QXComponent(), QXDesignComponent(), QXContainer(), QXWindow(), statusLabel(nullptr),
      progressGauge(nullptr), finishButton(nullptr), programDir(""), processedCount(0), shellExtension(""),
      unregistrationStart(0), report(nullptr), unattended(false), asFastAsItGoes(false), runOver(false)
{
    setWindowType(kClippingWithoutMenu);
    setInheritedFlag(kFlatLook);
    setTextCodePage(kProgramTextCodePage);
    setText(QXString(kWindowTitle));
    QXSize screen = QXComponent::getScreenSize();
    setLocation((screen.getWidth() - kWidth) / 2, (screen.getHeight() - kHeight) / 2, 0);
    setSize(kWidth, kHeight, 1);

    QXFont* font = createFont(QXString("Arial"));
    setFont(font);

    // Without one of its widgets the window does not start the run (see
    // windowCreated).
    statusLabel = new (std::nothrow) QXLabel();
    if (statusLabel) {
        statusLabel->setLocation(10, 8, 1);
        statusLabel->setSize(475, 21, 1);
        add(statusLabel);
    }

    progressGauge = new (std::nothrow) QXGuage();
    if (progressGauge) {
        progressGauge->setLocation(10, 30, 1);
        progressGauge->setSize(475, 20, 1);
        add(progressGauge);
        progressGauge->setShowPercentage(1);
    }

    loadManifest();
    loadAssociations();
    if (progressGauge) progressGauge->setMaximum(entryList.count());

    finishButton = new (std::nothrow) QXButton(QXString(kDoneCaption));
    if (finishButton) {
        finishButton->setTextCodePage(kProgramTextCodePage);
        finishButton->setLocation(160, 55, 1);
        finishButton->setSize(175, 20, 1);
        add(finishButton);
        finishButton->disable();
    }
    if (font) font->release();
    processedCount = 0;
}

void uninstall::loadManifest()
{
    QXFile* directory = QXFile::getModuleDirectory();
    if (directory) {
        programDir = directory->getPath();
        directory->release();
    }
    const QXString manifest = installationFile(programDir, kManifestFile);
    readManifest(manifest, entryList);
    manifestFile = FileIdentity(manifest);
}

void uninstall::loadAssociations()
{
    const QXString links = installationFile(programDir, kAssociationsFile);
    associations.load(links);
    associationsFile = FileIdentity(links);
}

void uninstall::runUnattended(bool shown)
{
    unattended = true;
    asFastAsItGoes = !shown;
    if (!shown) hide();
}

void uninstall::reportTo(RunReport& runReport)
{
    report = &runReport;
}

void uninstall::tell(const QXString& entry, EntryOutcome outcome, bool ownProgram)
{
    if (report) report->entry(entry, outcome, ownProgram);
}

void uninstall::windowCreated()
{
    QXWindow::windowCreated();
    const QXString manifest = installationFile(programDir, kManifestFile);
    if (!entryList.moveFirst()) {
        if (report) report->noManifest(manifest);
        quit();
        return;
    }
    // Memory ran out: nothing to show the run with, and the window goes again.
    if (!statusLabel || !progressGauge || !finishButton) {
        quit();
        return;
    }
    if (report) report->started(manifest, entryList.count());
    shellExtension = installationFile(programDir, kShellExtensionFile);
    unregistration.reset(unregisterShellExtension(programDir));
    unregistrationStart = GetTickCount();
    processedCount = 1;
    progressGauge->setValue(0);
    startTimer(kStepMilliseconds);
}

int uninstall::timerFired()
{
    if (asFastAsItGoes)
        stepAsFastAsItGoes();
    else
        step();
    return 1;
}

bool uninstall::step()
{
    const QXString* current = entryList.getCurrent();
    if (!current || runOver) return false;
    const QXString entry = *current;
    if (awaitsUnregistration(entry)) return false;
    if (entryList.isLast()) {
        finishWithRegistryStep(entry);
    } else {
        statusLabel->setCaption(QXString(kStatusPrefix) + entry.getData());
        removeListedEntry(entry);
    }
    progressGauge->setValue(processedCount);
    ++processedCount;
    if (!entryList.moveNext()) finish();
    return true;
}

void uninstall::stepAsFastAsItGoes()
{
    // Nobody watches the window: no step waits for the next tick. The loop
    // gets its turn between two stretches of steps; a run that waits for
    // regsvr32 goes on at a later tick.
    const DWORD start = GetTickCount();
    bool went = true;
    while (went && GetTickCount() - start < kStepsForMs) went = step();
    if (went) postAction(kGoOnAction, 0);
}

void uninstall::finish()
{
    runOver = true;
    stopTimer();
    statusLabel->setCaption(QXString(""));
    finishButton->enable();
    // Whoever has no mouse ends the run with the space bar.
    finishButton->requestFocus();
    // The finished window may wait for hours for "完成".
    fineClock.giveBack();
    if (report) report->finished();
    if (unattended) quit();
}

bool uninstall::awaitsUnregistration(const QXString& entry)
{
    // Only the extension's own entry asks after regsvr32: every other step
    // goes on without a call to Windows.
    if (!unregistration || !entry.getData() || !shellExtension.getData() ||
        lstrcmpiA(entry.getData(), shellExtension.getData()) != 0)
        return false;
    if (WaitForSingleObject(unregistration.get(), 0) != WAIT_TIMEOUT) {
        unregistration.reset();
        return false;
    }
    // regsvr32 needs the file to unregister it: deleting the file first would
    // leave the extension registered for good. A later tick tries again.
    return GetTickCount() - unregistrationStart < kUnregistrationPatienceMs;
}

void uninstall::removeListedEntry(const QXString& entry)
{
    // An entry that is not a full path would be resolved in the system
    // folder, the run's current directory: it names no file of ours.
    if (!isFullPath(entry)) {
        tell(entry, EntryOutcome::kNamesNoFile);
        return;
    }
    const FileStamp stamp(entry);
    if (runningProgram.isNamedBy(entry, stamp)) {
        ownProgramEntries.addLast(entry);
        return;
    }
    if (manifestFile.isNamedBy(entry, stamp) || associationsFile.isNamedBy(entry, stamp)) {
        deferredEntries.addLast(entry);
        return;
    }
    const EntryOutcome outcome = removeEntry(entry);
    // A directory that stays is tried again at the end, and reported then.
    if (staysAtItsPath(outcome) && QXFile(entry).isDirectory())
        leftDirectories.addLast(entry);
    else
        tell(entry, outcome);
}

void uninstall::finishWithRegistryStep(const QXString& entry)
{
    const bool registryStepRan = ProductRegistration(programDir, associations, report).removeRegistryKey(entry) != 0;
    removeFilesOfASecondStart(registryStepRan);
    removeLeftDirectories();
}

void uninstall::removeFilesOfASecondStart(bool registryStepRan)
{
    for (int more = deferredEntries.moveFirst(); more; more = deferredEntries.moveNext()) {
        const QXString* entry = deferredEntries.getCurrent();
        if (!entry) continue;
        if (!registryStepRan) {
            tell(*entry, EntryOutcome::kKeptForASecondStart);
            continue;
        }
        const EntryOutcome outcome = removeEntry(*entry);
        // It stood at its turn: gone now, the registry step took it.
        tell(*entry, outcome == EntryOutcome::kAbsent ? EntryOutcome::kRemoved : outcome);
    }
    deferredEntries.clear();
    if (!ownProgramEntries.moveFirst()) return;
    const QXString* first = ownProgramEntries.getCurrent();
    EntryOutcome outcome = EntryOutcome::kKeptForASecondStart;
    if (registryStepRan) outcome = first ? removeEntry(*first) : EntryOutcome::kAbsent;
    // Every spelling the manifest had names the one file.
    for (int more = 1; more; more = ownProgramEntries.moveNext())
        if (const QXString* entry = ownProgramEntries.getCurrent()) tell(*entry, outcome, true);
    ownProgramEntries.clear();
}

void uninstall::removeLeftDirectories()
{
    // Only empty directories go: whatever a user put in one keeps it. One
    // that still holds files waiting for the restart is asked to go at that
    // restart too, after them.
    for (int more = leftDirectories.moveFirst(); more; more = leftDirectories.moveNext())
        if (const QXString* directory = leftDirectories.getCurrent())
            tell(*directory, removeDirectoryAtTheEnd(*directory));
    leftDirectories.clear();
}

int uninstall::paint(QXRect area, IQXGraphics* surface)
{
    QXDesignComponent::paint(area, surface);
    if (surface) surface->setTransparent(1);
    return 1;
}

int uninstall::actionPerformed(QXObject* source, int id, long long)
{
    if (source == static_cast<QXObject*>(finishButton) && id == QXButton::kClickAction && !unattended) {
        openFeedbackPage(QXString(kFeedbackAddress));
        quit();
    } else if (source == static_cast<QXObject*>(this) && id == kGoOnAction) {
        stepAsFastAsItGoes();
    }
    return 1;
}
