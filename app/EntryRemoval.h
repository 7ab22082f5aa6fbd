#pragma once

#include "qxsdk/core/QXString.h"

// What became of one manifest entry.
enum class EntryOutcome {
    kRemoved,    // it stood at its path and is gone
    kAbsent,     // nothing stood at its path
    kNamesNoFile, // not a full path (or longer than Windows allows): nothing was touched
    kMovedAside, // in use: moved into the temporary directory, deleted there at the next restart
    kWaitsAtPath, // in use: deleted where it stands at the next restart
    kNotEmpty,   // a directory that still holds something; it stays
    kNotEmptyTillRestart, // the same at the end of the run, asked to go at the next restart if empty by then
    kInUse,      // stays: in use, and it could be neither moved nor scheduled
    kNoRight,    // stays: the program may not delete it
    kKeptForASecondStart, // stays with the product key that stays, for a start that finishes the job
};

// Whether path is a full path: a drive letter, a colon and a backslash, or a
// UNC name beginning with two backslashes. Anything else would be resolved
// against the current directory, which is not the installation's.
bool isFullPath(const QXSDK::QXString& path);

// Deletes an empty directory or a file (a read-only file too) at a full
// path; answers true when it is gone.
bool removePath(const QXSDK::QXString& path);

// Removes one manifest entry: an empty directory, or a file. A file that
// cannot be deleted (in use) is moved into the temporary directory as
// del*.tmp and scheduled for deletion at the next restart; one that cannot be
// moved there either (another volume, no temporary directory, held without
// delete sharing) is scheduled for deletion at its own path. A directory
// that cannot be removed stays as it is: the run tries it again at its end.
// An entry that is not a full path names no file and changes nothing.
// Failures are silent: the run goes on with the next entry.
EntryOutcome removeEntry(const QXSDK::QXString& entry);

// A listed directory that was not empty at its turn, tried once more at the
// end of the run: removed, or asked to go at the next restart when it still
// stands (Windows then removes it only if it is empty by then). Whatever
// keeps it may be a file the user put there, which is no failure.
EntryOutcome removeDirectoryAtTheEnd(const QXSDK::QXString& directory);

// Whether the outcome leaves the entry standing at its path until the next
// restart at least (a directory or file that stays, or one waiting there).
bool staysAtItsPath(EntryOutcome outcome);

// Asks Windows to delete the full path where it stands at the next restart:
// a file, or a directory that is empty by then. Windows works through these
// in the order they were asked for, so a directory is asked for after its
// files. Answers whether Windows took the request.
bool deleteAtNextRestart(const QXSDK::QXString& path);
