#pragma once

#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/QXString.h"

namespace QXSDK {

// Byte stream: nine primitives that an implementation provides, and typed
// reads and writes built on read and write in native little-endian layout.
// A typed read that gets fewer bytes than its width answers zero.
class IQXIOStream : public virtual QXObject {
public:
    // Open modes: read, write (create or truncate), append with reading, and
    // read with update (any other value).
    static constexpr int kModeRead = 0;
    static constexpr int kModeWrite = 1;
    static constexpr int kModeAppend = 2;
    static constexpr int kModeUpdate = 3;

    IQXIOStream();
    ~IQXIOStream() override;

    // Chooses the mode for the next open().
    virtual void setMode(int mode);
    // Bytes left to read, or -1 at the end of data (or when not open).
    virtual int available();
    virtual int open();
    virtual int close();
    // Bytes read, or -1 when not open.
    virtual int read(void* buffer, int count);
    // Bytes written, or -1 when not open.
    virtual int write(const void* buffer, int count);
    // Origin 0: from the start, 2: from the end, other: from the current position.
    virtual int seek(int offset, int origin);
    // Current position, or -1.
    virtual int tell();
    virtual int flush();

    virtual char readByte();
    virtual int writeByte(char value);
    virtual int readInt();
    virtual int writeInt(int value);
    virtual long readLong();
    virtual int writeLong(long value);
    virtual short readShort();
    virtual int writeShort(short value);
    virtual double readDouble();
    virtual int writeDouble(double value);
    virtual float readFloat();
    virtual int writeFloat(float value);
    virtual unsigned int readUInt();
    virtual int writeUInt(unsigned int value);
    // Bytes up to a zero byte (consumed); "" when the data ends before one.
    virtual QXString readString();
    // The text and its terminating zero byte in one write.
    virtual int writeString(QXString text);

protected:
    int mode;

private:
    template <typename T> T readValue();
    template <typename T> int writeValue(T value);
};

// Reads one line, its line end included, from the current position; an
// embedded zero byte ends the text. Answers 1 (an empty line when no data is
// left: callers test available() first) or 0 when the stream misbehaves.
int readLine(IQXIOStream& stream, QXString& line);

} // namespace QXSDK
