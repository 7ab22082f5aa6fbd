#pragma once

#include "qxsdk/core/QXString.h"

// Deletes an empty directory or a file (a read-only file too); answers true
// when it is gone.
bool removePath(const QXSDK::QXString& path);

// Removes one manifest entry: an empty directory, or a file. A file that
// cannot be deleted (in use) is moved into the temporary directory as
// del*.tmp and scheduled for deletion at the next restart; one that cannot be
// moved there either (another volume, no temporary directory, held without
// delete sharing) is scheduled for deletion at its own path. Failures are
// silent: the run goes on with the next entry. Answers false when the entry
// still stands at its path (a directory that is not empty, a file waiting
// there for the restart) or never did.
bool removeEntry(const QXSDK::QXString& entry);

// Asks Windows to delete path where it stands at the next restart: a file,
// or a directory that is empty by then. Windows works through these in the
// order they were asked for, so a directory is asked for after its files.
void deleteAtNextRestart(const QXSDK::QXString& path);
