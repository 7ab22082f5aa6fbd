#pragma once

#include <set>
#include <string>
#include <vector>

namespace testsupport {

// The restart list (PendingFileRenameOperations): what Windows deletes when it
// starts again, and the del*.tmp files the uninstaller parks in the temporary
// folder for it.

// The source paths (without the "\\??\\" prefix) that Windows will delete at
// the next restart, in the order they were registered.
std::vector<std::string> pendingDeletions();

// Takes path out of the restart list again, so that a test leaves the prefix
// as it found it.
void forgetPendingDeletion(const std::string& path);

// Does what Windows does with the restart list when it starts again: the
// deletions registered for the next restart are performed, in order, and
// the list is cleared (Wine's "wineboot -r", which leaves running programs
// alone). Answers wineboot's exit code.
long restartWindows();

// Full names of the del*.tmp files in the temporary folder.
std::set<std::string> parkedFiles();

// Deletes a parked file and its restart-list entry.
void unpark(const std::string& path);

} // namespace testsupport
