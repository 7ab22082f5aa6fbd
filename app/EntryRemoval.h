#pragma once

#include "qxsdk/core/QXString.h"

// Deletes an empty directory or a file; answers true when it is gone.
bool removePath(const QXSDK::QXString& path);

// Removes one manifest entry: an empty directory, or a file. A file that
// cannot be deleted (in use, read-only) is moved into the temporary directory
// as del*.tmp and scheduled for deletion at the next restart. Failures are
// silent: the run goes on with the next entry. Answers false when the entry
// still stands at its path (a directory that is not empty, a file held open)
// or never did.
bool removeEntry(const QXSDK::QXString& entry);
