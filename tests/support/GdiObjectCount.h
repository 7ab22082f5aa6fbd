#pragma once

#include <windows.h>

namespace testsupport {

// The number of GDI objects a process holds, read from the GDI handle table
// that Windows and Wine publish in the process environment block.
// GetGuiResources answers 0 under Wine, so tests count this way instead.
int liveGdiObjects();
// The same for another process (opened with PROCESS_QUERY_INFORMATION and
// PROCESS_VM_READ); -1 when its table cannot be read.
int liveGdiObjects(HANDLE process);

} // namespace testsupport
