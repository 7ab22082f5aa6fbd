#pragma once

#include "qxsdk/core/IQXIOStream.h"
#include "qxsdk/core/QXString.h"

#include <cstdio>

namespace QXSDK {

// A file opened in binary mode through the C runtime's buffered streams,
// shared for reading and writing with other openers. Closed until open().
// Every file operation resets the error code on entry.
class QXFileStream : public virtual IQXIOStream, public virtual QXObject {
public:
    static constexpr unsigned int kOpenFailed = 0xF0000001;
    static constexpr unsigned int kNotOpen = 0xF0000002;
    static constexpr unsigned int kNoLength = 0xF0000003;
    static constexpr unsigned int kReadFailed = 0xF0000004;
    static constexpr unsigned int kWriteFailed = 0xF0000005;
    static constexpr unsigned int kSeekFailed = 0xF0000006;

    QXFileStream();
    // Closes an open file.
    ~QXFileStream() override;

    // Stores the path for the next open() (null: the empty path).
    virtual void setPath(const char* path);
    virtual void setPath(QXString path);
    // setPath, setMode, then open().
    virtual int open(const char* path, int mode);
    virtual int open(QXString path, int mode);
    // Opens the path in the chosen mode, closing an open file first.
    int open() override;
    int close() override;

    void setMode(int mode) override;
    // File size from the file system minus the position; -1 at the end.
    int available() override;
    int read(void* buffer, int count) override;
    int write(const void* buffer, int count) override;
    int seek(int offset, int origin) override;
    int tell() override;
    int flush() override;

    unsigned int getErrorCode() override;
    // The fixed text of code, valid until the next call.
    const char* getErrorMessage(int code) override;
    // A closed stream (retained once) with the same path and mode.
    QXObject* clone() override;

private:
    // Resets the error code; answers false (kNotOpen) when no file is open.
    bool beginFileOperation();

    FILE* handle;
    QXString path;
    QXString modeText;
    unsigned int errorCode;
    QXString errorMessage;
};

} // namespace QXSDK
