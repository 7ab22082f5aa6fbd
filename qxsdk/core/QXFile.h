#pragma once

#include "qxsdk/core/IQXFileFilter.h"
#include "qxsdk/core/QXFileStream.h"
#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/QXString.h"
#include "qxsdk/core/QXTime.h"
#include "qxsdk/core/TQXList.h"

namespace QXSDK {

// A file-system path and the operations on what it names. Only the backslash
// separates; the path is kept exactly as given. Every operation but getPath
// resets the error code on entry and sets it as its outcome requires.
//
// Ownership: a QXFile, QXTime or QXFileStream that an operation returns is
// retained once; the caller releases it. Objects passed in are not kept.
class QXFile : public virtual QXObject {
public:
    static constexpr unsigned int kFileExists = 0xF0000001;
    static constexpr unsigned int kBadParameter = 0xF0000002;
    static constexpr unsigned int kAccessDenied = 0xF0000003;
    static constexpr unsigned int kNotFound = 0xF0000004;
    static constexpr unsigned int kNoDescriptors = 0xF0000005;
    static constexpr unsigned int kBadFileName = 0xF0000006;
    static constexpr unsigned int kOpenFailed = 0xF0000007;
    static constexpr unsigned int kCloseFailed = 0xF0000008;

    explicit QXFile(QXString path);
    ~QXFile() override;

    // Replaces the path; answers 1.
    virtual int setPath(QXString path);
    // 1 when the path exists (the C runtime's read test).
    virtual int canRead();
    // 1 when the path exists and is a directory or is not read-only.
    virtual int canWrite();
    // Creates an empty file; 0 with kFileExists when the path exists.
    virtual int createNewFile();
    // Removes the empty directory or the file the path names.
    virtual int remove();
    // 1 when the path exists.
    virtual int exists();
    // A copy of the path.
    virtual QXString getPath();
    // The text after the last backslash ("" and kBadFileName without one).
    virtual QXString getName();
    // The text before the last backslash, "C:\" for a root file.
    virtual QXString getParent();
    // A new QXFile (retained once) for getParent(), or null.
    virtual QXFile* getParentFile();
    // 1 when the path exists and is a directory ("C:" and "C:\" included).
    virtual int isDirectory();
    // 1 when the path exists and is not a directory.
    virtual int isFile();
    // 1 when the C runtime marks the path executable.
    virtual int canExecute();
    // Last modification (UTC) as a new QXTime, or null (kNotFound).
    virtual QXTime* lastModified();
    // Size in bytes, 0 on failure.
    virtual int length();
    // Appends a new QXFile for each entry the filter accepts.
    virtual int listFiles(TQXList<QXFile*>* files, IQXFileFilter* filter);
    // Appends a new QXFile for each entry of the directory.
    virtual int listFiles(TQXList<QXFile*>* files);
    // Appends the full long path of each entry the filter accepts.
    virtual int list(TQXList<QXString>* names, IQXFileFilter* filter);
    // Appends the full long path of each entry of the directory ("." and ".."
    // left out); 0 for a path that is no directory.
    virtual int list(TQXList<QXString>* names);
    // Creates the one directory the path names; parents are not created.
    virtual int mkdir();
    // Moves the file to newPath; this object keeps its old path.
    virtual int renameTo(QXString newPath);
    // Sets the last-write time (taken as UTC) of the existing file.
    virtual int setLastModified(QXTime* time);
    // Re-applies the read-only state (only writability exists on Windows).
    virtual int setReadable(int flag);
    // 0 makes the file read-only, nonzero writable.
    virtual int setWritable(int flag);
    // A new stream opened on the path in mode (0 read, 1 write, 2 append,
    // other update); null for a directory or when the open fails.
    virtual QXFileStream* openStream(int mode);

    unsigned int getErrorCode() override;
    // The fixed text of code, valid until the next call; "Success" for codes
    // outside the table.
    const char* getErrorMessage(int code) override;

    // A new QXFile (retained once) for the directory of the running program,
    // without a trailing backslash; null when memory runs out.
    static QXFile* getModuleDirectory();

protected:
    // The path as a C string; "" for the null string.
    const char* pathText() const;
    // Status of text (C runtime); answers 1 and fills mode and size on success.
    static int queryStatus(const char* text, unsigned short* mode, int* size, long long* mtime);
    // Sets or clears one permission bit and applies it; kNotFound on failure.
    int changePermission(unsigned short bit, int flag);
    // The directory walk behind list and listFiles: calls add with the long
    // path of every entry that filter (when set) accepts.
    template <typename Add>
    int walk(IQXFileFilter* filter, Add add);
    // The directory bit of the status of the path with a single trailing
    // backslash dropped and "X:" made "X:\"; kNotFound on failure.
    int queryNormalisedMode(unsigned short* mode);

    QXString path;
    unsigned int errorCode;
    QXString errorMessage;
};

} // namespace QXSDK
