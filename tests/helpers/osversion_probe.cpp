// Answers the toolkit's Windows version code as its exit code. Wine reads the
// version to report when a process starts, so a test that changes it needs a
// process of its own.
#include "qxsdk/core/QXObject.h"

int main()
{
    return QXSDK::getOSVersionCode();
}
