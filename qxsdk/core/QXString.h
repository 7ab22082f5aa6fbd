#pragma once

#include "qxsdk/core/QXObject.h"

#include <cstring>

namespace QXSDK {

// Owned, NUL-terminated byte string in the ANSI code page, with a stored
// length. Three states: null (no buffer), empty (a lone NUL) and non-empty.
// Passed by value; every change allocates a fresh, zero-filled buffer.
class QXString : public virtual QXObject {
public:
    // The empty string.
    QXString();
    QXString(const QXString& other);
    // Takes other's text; other is left null.
    QXString(QXString&& other) noexcept;
    // A copy of s; a null pointer gives the null string.
    QXString(const char* s);
    ~QXString() override;

    QXString& operator=(const QXString& other);
    QXString& operator=(const char* s);

    // Replaces the text by n bytes at bytes (null bytes: the empty text). The
    // string's own buffer is never re-assigned to itself.
    void assign(const char* bytes, int n);
    // Replaces the text by the C string s.
    void assign(const char* s);
    // Appends the C string s; appending the own buffer changes nothing.
    void append(const char* s);
    // Bytes start..end, end inclusive (-1: to the end); "" for a bad range.
    QXString substring(int start, int end) const;
    // Index of the last backslash, -1 when there is none. The text is read
    // character by character in the ANSI code page: the second byte of a
    // two-byte character is never taken for one.
    int lastBackslashIndex() const;
    // Drops leading space, tab, CR and LF; all blanks make the string null.
    void trimLeft();
    // Drops trailing space, tab, CR and LF in place; all blanks make it null.
    void trimRight();
    // printf-style formatting; a null format makes the string null.
    void format(const char* fmt, ...);

    // True when s has exactly this string's length and bytes.
    bool equals(const char* s) const;
    // True when the texts are equal ignoring ASCII case.
    bool equalsIgnoreCase(const char* s) const;
    // Map-key order: null first, then unsigned byte order as strcmp.
    bool operator<(const QXString& other) const;

    // The bytes, or null for the null string.
    const char* getData() const { return data; }
    int getLength() const { return length; }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    void makeNull();
    void adopt(char* buffer, int newLength);

    char* data;
    int length;
    char* auxBuffer;
    int auxLength;
};

// A copy of left with right appended.
QXString operator+(const QXString& left, const char* right);

inline void QXString::trimRight()
{
    if (!data) return;
    int i = static_cast<int>(std::strlen(data)) - 1;
    if (i < 0) return;
    while (i >= 0 && isBlank(data[i])) --i;
    if (i < 0) {
        makeNull();
        return;
    }
    data[i + 1] = '\0';
    length = i + 1;
}

inline bool QXString::equals(const char* s) const
{
    const size_t n = s ? std::strlen(s) : 0;
    if (length < 0 || n != static_cast<size_t>(length)) return false;
    return n == 0 || std::memcmp(data, s, n) == 0;
}

inline bool QXString::equalsIgnoreCase(const char* s) const
{
    const size_t a = (length > 0 && data) ? std::strlen(data) : 0;
    const size_t b = s ? std::strlen(s) : 0;
    if (a == 0 || b == 0) return a == b;
    return _stricmp(data, s) == 0;
}

inline bool QXString::operator<(const QXString& other) const
{
    if (!data) return other.data != nullptr;
    if (!other.data) return false;
    return std::strcmp(data, other.data) < 0;
}

} // namespace QXSDK
