#include "qxsdk/core/QXProperties.h"

#include "qxsdk/core/QXFileStream.h"

#include <cstdlib>
#include <cstring>

namespace QXSDK {

namespace {

// "=" and "\r\n" around and after each key.
const size_t kSeparatorBytes = 3;

size_t lengthOf(const QXString& s)
{
    return s.getData() ? std::strlen(s.getData()) : 0;
}

// Copies the text of s into buffer at offset; answers the new offset.
size_t copyText(char* buffer, size_t offset, const QXString& s)
{
    const size_t n = lengthOf(s);
    if (n) std::memcpy(buffer + offset, s.getData(), n);
    return offset + n;
}

} // namespace

QXProperties::QXProperties() : QXObject(), QXParam()
{
    appendTypeName("QXProperties");
}

QXProperties::~QXProperties()
{
}

int QXProperties::load(IQXIOStream* in)
{
    if (!in) return 0;
    clear();
    in->seek(0, 0);
    QXString line;
    while (readLine(in, line)) {
        line.trimLeft();
        line.trimRight();
        const char* bytes = line.getData();
        if (!bytes || bytes[0] == '\0' || bytes[0] == '#') continue;
        const char* equals = std::strchr(bytes, '=');
        if (!equals) {
            set(line, "");
            continue;
        }
        QXString key;
        key.assign(bytes, static_cast<int>(equals - bytes));
        set(key, QXString(equals + 1));
    }
    return 1;
}

int QXProperties::load(QXString path)
{
    QXFileStream stream;
    stream.setPath(path);
    stream.setMode(IQXIOStream::kModeRead);
    if (!stream.open()) return 0;
    return load(&stream);
}

int QXProperties::save(IQXIOStream* out)
{
    if (!out) return 0;
    // Sized first, then filled: one allocation for the whole text.
    size_t total = 0;
    for (int more = moveFirst(); more; more = moveNext())
        total += lengthOf(getCurrentKey()) + lengthOf(getCurrentValue()) + kSeparatorBytes;
    if (total == 0) return 1;
    char* text = static_cast<char*>(std::malloc(total));
    if (!text) return 0;
    size_t used = 0;
    for (int more = moveFirst(); more; more = moveNext()) {
        used = copyText(text, used, getCurrentKey());
        text[used++] = '=';
        used = copyText(text, used, getCurrentValue());
        text[used++] = '\r';
        text[used++] = '\n';
    }
    // The stream stays its caller's even when the write falls short.
    const int written = out->write(text, static_cast<int>(used));
    std::free(text);
    return written == static_cast<int>(used) ? 1 : 0;
}

int QXProperties::save(QXString path)
{
    QXFileStream stream;
    stream.setPath(path);
    stream.setMode(IQXIOStream::kModeWrite);
    if (!stream.open()) return 0;
    return save(&stream);
}

int QXProperties::readLine(IQXIOStream* in, QXString& line)
{
    // Below -1 the position lies past the end (the file was cut short while
    // read): nothing more can come, and the line reader would answer empty
    // lines for ever.
    if (!in || in->available() < 0) return 0;
    return QXSDK::readLine(*in, line);
}

} // namespace QXSDK
