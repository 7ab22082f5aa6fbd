#include "tests/support/QXStringPrinting.h"

#include <cstring>
#include <string>

namespace QXSDK {

void PrintTo(const QXString& value, std::ostream* out)
{
    if (!value.getData()) {
        *out << "<null>";
        return;
    }
    const std::string text = value.getData();
    *out << '"' << text << '"';
    if (static_cast<size_t>(value.getLength()) != text.size()) *out << " of length " << value.getLength();
}

bool operator==(const QXString& a, const QXString& b)
{
    if (!a.getData() || !b.getData()) return !a.getData() && !b.getData();
    return a.getLength() == b.getLength() && std::memcmp(a.getData(), b.getData(), a.getLength()) == 0;
}

} // namespace QXSDK

namespace testsupport {

QXSDK::QXString nullString()
{
    return QXSDK::QXString(static_cast<const char*>(nullptr));
}

} // namespace testsupport
