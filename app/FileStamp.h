#pragma once

#include "qxsdk/core/QXString.h"

// What the file at a path shows without being opened: its size and the time
// it was last written. Every spelling of a file's path (another letter case,
// an 8.3 name, a hard link) shows the same stamp, so paths whose stamps
// differ name different files; equal stamps prove nothing. Reading one costs
// a small part of opening the file to learn its identity (see FileIdentity).
class FileStamp {
public:
    // No file.
    FileStamp();
    // The file (not a directory) at path now; none when there is no file.
    explicit FileStamp(const QXSDK::QXString& path);

    // Whether there was a file to read.
    bool isFile() const { return file; }
    // Whether both are files of the same size, last written at the same time.
    bool sameAs(const FileStamp& other) const;

private:
    bool file = false;
    unsigned long sizeHigh = 0;
    unsigned long sizeLow = 0;
    unsigned long writtenHigh = 0;
    unsigned long writtenLow = 0;
};
