#include "qxsdk/core/QXString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include <windows.h>

namespace QXSDK {

namespace {

const int kFormatStep = 1000;

} // namespace

QXString::QXString()
    : QXObject(), data(static_cast<char*>(std::calloc(1, 1))), length(0), auxBuffer(nullptr),
      auxLength(0)
{
    appendTypeName("QXString");
}

QXString::QXString(const QXString& other)
    : QXObject(), data(nullptr), length(0), auxBuffer(nullptr), auxLength(0)
{
    appendTypeName("QXString");
    assign(other.data, other.length);
}

QXString::QXString(QXString&& other) noexcept
    : QXObject(), data(other.data), length(other.length), auxBuffer(other.auxBuffer), auxLength(other.auxLength)
{
    appendTypeName("QXString");
    other.data = nullptr;
    other.length = 0;
    other.auxBuffer = nullptr;
    other.auxLength = 0;
}

QXString::QXString(const char* s)
    : QXObject(), data(nullptr), length(0), auxBuffer(nullptr), auxLength(0)
{
    appendTypeName("QXString");
    if (s) assign(s, static_cast<int>(std::strlen(s)));
}

QXString::~QXString()
{
    std::free(data);
    std::free(auxBuffer);
}

QXString& QXString::operator=(const QXString& other)
{
    assign(other.data, other.length);
    return *this;
}

QXString& QXString::operator=(const char* s)
{
    assign(s);
    return *this;
}

void QXString::makeNull()
{
    std::free(data);
    data = nullptr;
    length = 0;
}

void QXString::adopt(char* buffer, int newLength)
{
    std::free(data);
    data = buffer;
    length = newLength;
}

void QXString::assign(const char* bytes, int n)
{
    if (bytes == data) return;
    if (n < 0) n = 0;
    const size_t size = bytes ? static_cast<size_t>(n) + 1 : 1;
    char* buffer = static_cast<char*>(std::calloc(size, 1));
    if (!buffer) return;
    if (bytes && n != 0) std::memcpy(buffer, bytes, static_cast<size_t>(n));
    adopt(buffer, bytes ? n : 0);
}

void QXString::assign(const char* s)
{
    if (s)
        assign(s, static_cast<int>(std::strlen(s)));
    else
        assign(nullptr, 0);
}

void QXString::append(const char* s)
{
    if (s == data) return;
    const size_t added = s ? std::strlen(s) : 0;
    const size_t size = static_cast<size_t>(length) + 1 + added;
    char* buffer = static_cast<char*>(std::calloc(size, 1));
    if (!buffer) return;
    size_t end = 0;
    if (data) {
        end = std::strlen(data);
        std::memcpy(buffer, data, end);
    }
    if (added) std::memcpy(buffer + end, s, added);
    adopt(buffer, static_cast<int>(size - 1));
}

QXString QXString::substring(int start, int end) const
{
    QXString result;
    if (end == -1) end = length;
    if (!data || start < 0 || start > end || end > length) return result;
    // When end equals length the last byte taken is the terminator.
    result.assign(data + start, end - start + 1);
    result.length = static_cast<int>(std::strlen(result.data));
    return result;
}

int QXString::lastBackslashIndex() const
{
    if (!data || length < 0) return -1;
    int found = -1;
    for (int i = 0; i < length; ++i) {
        const unsigned char byte = static_cast<unsigned char>(data[i]);
        // The second byte of a two-byte character may be 0x5C (the second
        // half of 昞 in GBK): it is no backslash. Lead bytes are never ASCII.
        if (byte >= 0x80 && i + 1 < length && IsDBCSLeadByteEx(CP_ACP, byte)) ++i;
        else if (byte == '\\') found = i;
    }
    return found;
}

void QXString::trimLeft()
{
    if (!data || data[0] == '\0') return;
    const int textLength = static_cast<int>(std::strlen(data));
    int first = 0;
    while (first < textLength && isBlank(data[first])) ++first;
    if (first == textLength) {
        makeNull();
        return;
    }
    *this = substring(first, textLength - 1);
}

void QXString::format(const char* fmt, ...)
{
    if (!fmt) {
        makeNull();
        return;
    }
    for (int capacity = kFormatStep;; capacity += kFormatStep) {
        char* buffer = static_cast<char*>(std::calloc(static_cast<size_t>(capacity) + 1, 1));
        if (!buffer) return;
        va_list args;
        va_start(args, fmt);
        // The C runtime's _vsnprintf answers -1 when the output does not fit.
        const int written = _vsnprintf(buffer, static_cast<size_t>(capacity), fmt, args);
        va_end(args);
        if (written >= 0) {
            buffer[written] = '\0';
            adopt(buffer, written);
            return;
        }
        std::free(buffer);
    }
}

QXString operator+(const QXString& left, const char* right)
{
    QXString result(left);
    result.append(right);
    return result;
}

} // namespace QXSDK
