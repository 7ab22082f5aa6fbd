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

} // namespace

uninstall::uninstall()
    : QXObject(), QXComponent(), QXDesignComponent(), QXContainer(), QXWindow(), statusLabel(nullptr),
      progressGauge(nullptr), finishButton(nullptr), programDir(""), processedCount(0),
      ownProgramEntry(static_cast<const char*>(nullptr)), unregistrationStart(0)
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

void uninstall::windowCreated()
{
    QXWindow::windowCreated();
    // Nothing to do, or (memory ran out) nothing to show it with: no run,
    // and the window goes again.
    if (!entryList.moveFirst() || !statusLabel || !progressGauge || !finishButton) {
        quit();
        return;
    }
    unregistration.reset(unregisterShellExtension(programDir));
    unregistrationStart = GetTickCount();
    processedCount = 1;
    progressGauge->setValue(0);
    startTimer(kStepMilliseconds);
}

int uninstall::timerFired()
{
    const QXString* current = entryList.getCurrent();
    const QXString entry = current ? *current : QXString();
    if (awaitsUnregistration(entry)) return 1;
    if (entryList.isLast()) {
        finishWithRegistryStep(entry);
    } else {
        statusLabel->setCaption(QXString(kStatusPrefix) + entry.getData());
        removeListedEntry(entry);
    }
    progressGauge->setValue(processedCount);
    ++processedCount;
    if (!entryList.moveNext()) {
        stopTimer();
        statusLabel->setCaption(QXString(""));
        finishButton->enable();
    }
    return 1;
}

bool uninstall::awaitsUnregistration(const QXString& entry)
{
    if (!unregistration) return false;
    if (WaitForSingleObject(unregistration.get(), 0) != WAIT_TIMEOUT) {
        unregistration.reset();
        return false;
    }
    // regsvr32 needs the file to unregister it: deleting the file first would
    // leave the extension registered for good. A later tick tries again.
    const QXString extension = installationFile(programDir, kShellExtensionFile);
    return entry.getData() && extension.getData() && lstrcmpiA(entry.getData(), extension.getData()) == 0 &&
           GetTickCount() - unregistrationStart < kUnregistrationPatienceMs;
}

void uninstall::removeListedEntry(const QXString& entry)
{
    // An entry that is not a full path would be resolved in the system
    // folder, the run's current directory: it names no file of ours.
    if (!isFullPath(entry)) return;
    const FileIdentity file(entry);
    if (file.sameAs(runningProgram)) {
        if (!ownProgramEntry.getData()) ownProgramEntry = entry;
        return;
    }
    if (file.sameAs(manifestFile) || file.sameAs(associationsFile)) {
        deferredEntries.addLast(entry);
        return;
    }
    const EntryOutcome outcome = removeEntry(entry);
    if (staysAtItsPath(outcome) && QXFile(entry).isDirectory()) leftDirectories.addLast(entry);
}

void uninstall::finishWithRegistryStep(const QXString& entry)
{
    const bool registryStepRan = ProductRegistration(programDir, associations).removeRegistryKey(entry) != 0;
    removeDeferredEntries(registryStepRan);
    removeOwnProgram();
    removeLeftDirectories();
}

void uninstall::removeDeferredEntries(bool registryStepRan)
{
    for (int more = deferredEntries.moveFirst(); more; more = deferredEntries.moveNext()) {
        const QXString* entry = deferredEntries.getCurrent();
        if (!entry || (!registryStepRan && associationsFile.isNamedBy(*entry))) continue;
        removeEntry(*entry);
    }
    deferredEntries.clear();
}

void uninstall::removeOwnProgram()
{
    if (ownProgramEntry.getData()) removeEntry(ownProgramEntry);
}

void uninstall::removeLeftDirectories()
{
    // Only empty directories go: whatever a user put in one keeps it. One
    // that still holds files waiting for the restart is asked to go at that
    // restart too, after them; Windows then removes it only if it is empty.
    for (int more = leftDirectories.moveFirst(); more; more = leftDirectories.moveNext()) {
        const QXString* directory = leftDirectories.getCurrent();
        if (directory && !RemoveDirectoryA(directory->getData()) && QXFile(*directory).isDirectory())
            deleteAtNextRestart(*directory);
    }
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
    if (source == static_cast<QXObject*>(finishButton) && id == QXButton::kClickAction) {
        openFeedbackPage(QXString(kFeedbackAddress));
        quit();
    }
    return 1;
}
