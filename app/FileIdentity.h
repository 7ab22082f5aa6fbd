#pragma once

#include "app/FileStamp.h"
#include "qxsdk/core/QXString.h"

// A file recognised under any spelling of its path (another letter case, an
// 8.3 name, a hard link) by its identity: its volume and its index on that
// volume, taken when the object is made. Learning them opens the file; a
// path is opened to compare only when its stamp (size and time of last
// writing) is this file's.
class FileIdentity {
public:
    // No file.
    FileIdentity();
    // The file (not a directory) at path now; unknown when there is none.
    explicit FileIdentity(const QXSDK::QXString& path);

    // Whether there was a file to know.
    bool isKnown() const { return known; }
    // Whether both are the same known file.
    bool sameAs(const FileIdentity& other) const;
    // Whether path names this file.
    bool isNamedBy(const QXSDK::QXString& path) const;
    // The same for a path whose stamp was read already.
    bool isNamedBy(const QXSDK::QXString& path, const FileStamp& pathStamp) const;

protected:
    // Takes the identity of the file at path; false (and unknown) when it
    // cannot be had.
    bool identify(const char* path);

private:
    bool known = false;
    FileStamp stamp;
    unsigned long volume = 0;
    unsigned long indexHigh = 0;
    unsigned long indexLow = 0;
};
