#pragma once

#include "app/FileIdentity.h"
#include "app/FineTimerResolution.h"
#include "app/RunReport.h"
#include "app/RunningProgram.h"
#include "qxsdk/component/QXWindow.h"
#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/core/QXProperties.h"
#include "qxsdk/core/QXString.h"
#include "qxsdk/core/TQXList.h"
#include "qxsdk/widgets/QXButton.h"
#include "qxsdk/widgets/QXGuage.h"
#include "qxsdk/widgets/QXLabel.h"

// The uninstaller's window: a status line, a progress gauge and the button
// "完成" (Done). It owns the run: the manifest install.txt and the former
// file types filelink.txt, both read from the program's own directory when
// the window is constructed; one manifest entry is removed per 10 ms tick of
// its timer, the last entry being the product's registry key. Started
// unattended, the same run ends by itself, and when nobody sees the window
// takes its steps one after another as fast as they go.
class uninstall : public QXSDK::QXWindow {
public:
    static constexpr int kWidth = 502;
    static constexpr int kHeight = 116;
    static constexpr int kStepMilliseconds = 10;
    // The action the unattended run posts itself to go on at once.
    static constexpr int kGoOnAction = 0x4100702;

    // Lays out the window and its widgets and loads the two files.
    uninstall();
    ~uninstall() override = default;

    // Before create: nobody answers anything, no feedback page follows, and
    // the window closes by itself at the end; shown, it runs at its usual
    // pace, hidden as fast as the steps go.
    void runUnattended(bool shown);
    // Before create: the run tells report what became of each entry (not
    // owned; it must outlive the run). Without one it tells nobody.
    void reportTo(RunReport& report);

    // Creates the children's windows, then starts the run (or quits at once
    // when the manifest is empty).
    void windowCreated() override;
    // One step of the run; unattended and hidden, as many as go.
    int timerFired() override;
    int paint(QXSDK::QXRect area, QXSDK::IQXGraphics* surface) override;
    // The finished run's button: the feedback page, then the end; and the
    // hidden run's own going on.
    int actionPerformed(QXSDK::QXObject* source, int id, long long value) override;

private:
    // One entry of the run; false when there was none to take now (the run
    // waits for regsvr32, or is over).
    bool step();
    // Steps for a while, then lets the loop serve its messages and goes on.
    void stepAsFastAsItGoes();
    // The run has handled its last entry.
    void finish();
    // install.txt, one entry per line, trailing blanks cut.
    void loadManifest();
    // filelink.txt; a missing file leaves the table empty.
    void loadAssociations();
    // Whether entry is the shell extension's file while regsvr32 still works
    // on it (for ten seconds at most): its removal then waits.
    bool awaitsUnregistration(const QXSDK::QXString& entry);
    // Removes a file or directory entry at its turn. The files a second
    // start needs (the program's own, install.txt and filelink.txt) are only
    // remembered, to go after the registry step.
    void removeListedEntry(const QXSDK::QXString& entry);
    // The last entry: the product key, then what waited for it.
    void finishWithRegistryStep(const QXSDK::QXString& entry);
    // install.txt and filelink.txt, when the manifest listed them, then the
    // program's own file. Until the registry step they stay beside the
    // program, so that a run cut short (power lost, the process killed) is
    // finished by starting it again; when the product key could not go they
    // stay for good, for a start after the cause is fixed.
    void removeFilesOfASecondStart(bool registryStepRan);
    // Tries once more, in manifest order, the directories that were not
    // empty when their turn came (the registry step has deleted the last
    // file that kept the installation folder); those that stay are deleted
    // at the next restart if they are empty by then.
    void removeLeftDirectories();
    // What became of an entry, for the report when there is one.
    void tell(const QXSDK::QXString& entry, EntryOutcome outcome, bool ownProgram = false);

    QXSDK::QXLabel* statusLabel;
    QXSDK::QXGuage* progressGauge;
    QXSDK::QXButton* finishButton;
    QXSDK::TQXList<QXSDK::QXString> entryList;
    QXSDK::QXString programDir;
    int processedCount;
    QXSDK::QXProperties associations;
    QXSDK::TQXList<QXSDK::QXString> leftDirectories; // in manifest order
    RunningProgram runningProgram;
    FileIdentity manifestFile;     // install.txt beside the program
    FileIdentity associationsFile; // filelink.txt beside the program
    QXSDK::TQXList<QXSDK::QXString> ownProgramEntries; // the spellings of the program's file, in manifest order
    QXSDK::TQXList<QXSDK::QXString> deferredEntries; // install.txt and filelink.txt, in manifest order
    QXSDK::QXString shellExtension; // the shell extension's path in the program's directory
    QXSDK::KernelHandle unregistration; // the regsvr32 process while it may still run
    unsigned long unregistrationStart;
    RunReport* report; // not owned; null: nobody to tell
    FineTimerResolution fineClock; // while the run goes
    bool unattended;
    bool asFastAsItGoes;
    bool runOver; // the last entry has been handled
};
