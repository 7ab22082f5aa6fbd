#pragma once

namespace testsupport {

// The number of GDI objects this process holds, read from the GDI handle
// table that Windows and Wine publish in the process environment block.
// GetGuiResources answers 0 under Wine, so tests count this way instead.
int liveGdiObjects();

} // namespace testsupport
