#include "qxsdk/core/IQXIOStream.h"

#include <cstdlib>
#include <cstring>

namespace QXSDK {

namespace {

// Bytes read at a time while looking for the end of a line.
const size_t kLineBlock = 256;

} // namespace

IQXIOStream::IQXIOStream() : QXObject(), mode(kModeUpdate)
{
    appendTypeName("IQXIOStream");
}

IQXIOStream::~IQXIOStream()
{
}

void IQXIOStream::setMode(int newMode)
{
    mode = newMode;
}

int IQXIOStream::available()
{
    return -1;
}

int IQXIOStream::open()
{
    return 0;
}

int IQXIOStream::close()
{
    return 0;
}

int IQXIOStream::read(void*, int)
{
    return -1;
}

int IQXIOStream::write(const void*, int)
{
    return -1;
}

int IQXIOStream::seek(int, int)
{
    return 0;
}

int IQXIOStream::tell()
{
    return -1;
}

int IQXIOStream::flush()
{
    return 0;
}

template <typename T>
T IQXIOStream::readValue()
{
    T value;
    if (read(&value, sizeof value) != static_cast<int>(sizeof value)) return T();
    return value;
}

template <typename T>
int IQXIOStream::writeValue(T value)
{
    return write(&value, sizeof value) == static_cast<int>(sizeof value) ? 1 : 0;
}

char IQXIOStream::readByte() { return readValue<char>(); }
int IQXIOStream::writeByte(char value) { return writeValue(value); }
int IQXIOStream::readInt() { return readValue<int>(); }
int IQXIOStream::writeInt(int value) { return writeValue(value); }
// A long is four bytes in the stream whatever the compiler's long is.
long IQXIOStream::readLong() { return readValue<int>(); }
int IQXIOStream::writeLong(long value) { return writeValue(static_cast<int>(value)); }
short IQXIOStream::readShort() { return readValue<short>(); }
int IQXIOStream::writeShort(short value) { return writeValue(value); }
double IQXIOStream::readDouble() { return readValue<double>(); }
int IQXIOStream::writeDouble(double value) { return writeValue(value); }
float IQXIOStream::readFloat() { return readValue<float>(); }
int IQXIOStream::writeFloat(float value) { return writeValue(value); }
unsigned int IQXIOStream::readUInt() { return readValue<unsigned int>(); }
int IQXIOStream::writeUInt(unsigned int value) { return writeValue(value); }

QXString IQXIOStream::readString()
{
    QXString text;
    char* buffer = nullptr;
    int used = 0;
    int capacity = 0;
    for (;;) {
        char c;
        if (read(&c, 1) < 1) break;
        if (c == '\0') {
            text.assign(buffer, used);
            break;
        }
        if (used == capacity) {
            const int grown = capacity ? capacity * 2 : 64;
            char* bigger = static_cast<char*>(std::realloc(buffer, static_cast<size_t>(grown)));
            if (!bigger) break;
            buffer = bigger;
            capacity = grown;
        }
        buffer[used++] = c;
    }
    std::free(buffer);
    return text;
}

int IQXIOStream::writeString(QXString text)
{
    const int n = text.getLength() + 1;
    if (!text.getData()) {
        const char zero = '\0';
        return write(&zero, 1) == 1 ? 1 : 0;
    }
    return write(text.getData(), n) == n ? 1 : 0;
}

int readLine(IQXIOStream& stream, QXString& line)
{
    const int start = stream.tell();
    if (start < 0) return 0;
    // Reads in blocks up to and including the first line feed, then puts the
    // stream right after it, where a byte-by-byte scan would have left it.
    size_t capacity = kLineBlock;
    size_t used = 0;
    size_t length = 0;
    bool lineFeed = false;
    char* buffer = static_cast<char*>(std::malloc(capacity + 1));
    if (!buffer) return 0;
    for (;;) {
        if (used == capacity) {
            char* bigger = static_cast<char*>(std::realloc(buffer, capacity * 2 + 1));
            if (!bigger) {
                std::free(buffer);
                return 0;
            }
            buffer = bigger;
            capacity *= 2;
        }
        const int got = stream.read(buffer + used, static_cast<int>(capacity - used));
        if (got < 1) break;
        const void* found = std::memchr(buffer + used, '\n', static_cast<size_t>(got));
        used += static_cast<size_t>(got);
        if (found) {
            length = static_cast<size_t>(static_cast<const char*>(found) - buffer) + 1;
            lineFeed = true;
            break;
        }
    }
    if (!lineFeed) length = used;
    int ok = 0;
    if (stream.seek(start + static_cast<int>(length), 0)) {
        buffer[length] = '\0';
        line.assign(buffer, static_cast<int>(std::strlen(buffer)));
        ok = 1;
    }
    std::free(buffer);
    return ok;
}

} // namespace QXSDK
