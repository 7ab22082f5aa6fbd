#pragma once

#include "qxsdk/core/QXString.h"

#include <ostream>

namespace QXSDK {

// GoogleTest's printer hook, found next to QXString: an assertion shows a
// QXString as its text in quotes, <null> for the null string, and its
// stored length where that disagrees with the text.
void PrintTo(const QXString& value, std::ostream* out);

// For assertions: both null, or the same stored length and bytes.
bool operator==(const QXString& a, const QXString& b);
inline bool operator!=(const QXString& a, const QXString& b)
{
    return !(a == b);
}

} // namespace QXSDK

namespace testsupport {

// The null string, to compare with.
QXSDK::QXString nullString();

} // namespace testsupport
