#include "qxsdk/core/QXFile.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstring>
#include <new>

namespace QXSDK {

namespace {

const unsigned short kModeDirectory = 0x4000;
const unsigned short kModeRead = 0x100;
const unsigned short kModeWrite = 0x80;
const unsigned short kModeExecute = 0x40;
const int kAccessExists = 0;
const int kAccessWrite = 2;
const int kAccessRead = 4;
// 100-nanosecond intervals between 1601-01-01 and 1970-01-01, and per second.
const unsigned long long kUnixEpochFileTime = 116444736000000000ULL;
const unsigned long long kIntervalsPerSecond = 10000000ULL;

// Appends a new QXFile (retained once) for each name; a name whose object
// cannot be allocated is skipped.
auto fileAppender(TQXList<QXFile*>* files)
{
    return [files](const QXString& name) {
        QXFile* file = new (std::nothrow) QXFile(name);
        if (!file) return;
        file->retain();
        files->addLast(file);
    };
}

// The first count bytes of text.
QXString leftPart(const QXString& text, int count)
{
    QXString part;
    part.assign(text.getData(), count);
    return part;
}

} // namespace

QXFile::QXFile(QXString initialPath)
    : QXObject(), path(initialPath), errorCode(0)
{
    appendTypeName("QXFile");
}

QXFile::~QXFile()
{
}

const char* QXFile::pathText() const
{
    return path.getData() ? path.getData() : "";
}

int QXFile::queryStatus(const char* text, unsigned short* mode, int* size, long long* mtime)
{
    struct _stat64i32 status;
    if (_stat64i32(text, &status) != 0) return 0;
    if (mode) *mode = status.st_mode;
    if (size) *size = static_cast<int>(status.st_size);
    if (mtime) *mtime = static_cast<long long>(status.st_mtime);
    return 1;
}

int QXFile::queryNormalisedMode(unsigned short* mode)
{
    errorCode = 0;
    QXString copy(pathText());
    const int n = copy.getLength();
    if (n > 0 && copy.lastBackslashIndex() == n - 1) copy = leftPart(copy, n - 1);
    const int m = copy.getLength();
    if (m > 0 && copy.getData()[m - 1] == ':') copy.append("\\");
    // Windows, not the C runtime, answers here: Wine's runtime refuses every
    // path whose last byte is 0x5C, the second half of 昞 included.
    const DWORD attributes = GetFileAttributesA(copy.getData() ? copy.getData() : "");
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        errorCode = kNotFound;
        return 0;
    }
    *mode = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? kModeDirectory : 0;
    return 1;
}

int QXFile::setPath(QXString newPath)
{
    errorCode = 0;
    path = newPath;
    return 1;
}

int QXFile::canRead()
{
    errorCode = 0;
    return _access(pathText(), kAccessRead) == 0 ? 1 : 0;
}

int QXFile::canWrite()
{
    errorCode = 0;
    return _access(pathText(), kAccessWrite) == 0 ? 1 : 0;
}

int QXFile::createNewFile()
{
    errorCode = 0;
    if (exists()) {
        errorCode = kFileExists;
        return 0;
    }
    const int fd = _sopen(pathText(), _O_CREAT | _O_TRUNC | _O_RDWR, _SH_DENYNO,
                          _S_IREAD | _S_IWRITE);
    if (fd < 0) return 0;
    _close(fd);
    return 1;
}

int QXFile::remove()
{
    errorCode = 0;
    if (isDirectory()) return RemoveDirectoryA(pathText()) ? 1 : 0;
    return DeleteFileA(pathText()) ? 1 : 0;
}

int QXFile::exists()
{
    errorCode = 0;
    return _access(pathText(), kAccessExists) == 0 ? 1 : 0;
}

QXString QXFile::getPath()
{
    return path;
}

QXString QXFile::getName()
{
    errorCode = 0;
    const int slash = path.lastBackslashIndex();
    if (slash < 0) {
        errorCode = kBadFileName;
        return QXString();
    }
    return path.substring(slash + 1, -1);
}

QXString QXFile::getParent()
{
    errorCode = 0;
    const int slash = path.lastBackslashIndex();
    if (slash < 0) {
        errorCode = kBadFileName;
        return QXString();
    }
    QXString parent = leftPart(path, slash);
    const int n = parent.getLength();
    if (n > 0 && parent.getData()[n - 1] == ':') parent.append("\\");
    return parent;
}

QXFile* QXFile::getParentFile()
{
    QXString parent = getParent();
    if (parent.getLength() == 0) {
        errorCode = kBadFileName;
        return nullptr;
    }
    QXFile* file = new (std::nothrow) QXFile(parent);
    if (file) file->retain();
    return file;
}

int QXFile::isDirectory()
{
    unsigned short mode = 0;
    if (!queryNormalisedMode(&mode)) return 0;
    return (mode & kModeDirectory) ? 1 : 0;
}

int QXFile::isFile()
{
    unsigned short mode = 0;
    if (!queryNormalisedMode(&mode)) return 0;
    return (mode & kModeDirectory) ? 0 : 1;
}

int QXFile::canExecute()
{
    errorCode = 0;
    unsigned short mode = 0;
    if (!queryStatus(pathText(), &mode, nullptr, nullptr)) {
        errorCode = kNotFound;
        return 0;
    }
    return (mode & kModeExecute) ? 1 : 0;
}

int QXFile::length()
{
    errorCode = 0;
    int size = 0;
    if (!queryStatus(pathText(), nullptr, &size, nullptr)) {
        errorCode = kNotFound;
        return 0;
    }
    return size;
}

int QXFile::mkdir()
{
    errorCode = 0;
    if (!CreateDirectoryA(pathText(), nullptr)) {
        errorCode = kNotFound;
        return 0;
    }
    return 1;
}

int QXFile::renameTo(QXString newPath)
{
    errorCode = 0;
    if (!MoveFileA(pathText(), newPath.getData() ? newPath.getData() : "")) {
        errorCode = kNotFound;
        return 0;
    }
    return 1;
}

int QXFile::changePermission(unsigned short bit, int flag)
{
    errorCode = 0;
    unsigned short mode = 0;
    if (!queryStatus(pathText(), &mode, nullptr, nullptr)) {
        errorCode = kNotFound;
        return 0;
    }
    mode = flag ? static_cast<unsigned short>(mode | bit) : static_cast<unsigned short>(mode & ~bit);
    // Windows knows only the write bit: it maps to the read-only attribute.
    if (_chmod(pathText(), mode) != 0) {
        errorCode = kNotFound;
        return 0;
    }
    return 1;
}

int QXFile::setReadable(int flag)
{
    return changePermission(kModeRead, flag);
}

int QXFile::setWritable(int flag)
{
    return changePermission(kModeWrite, flag);
}

unsigned int QXFile::getErrorCode()
{
    return errorCode;
}

const char* QXFile::getErrorMessage(int code)
{
    const char* text;
    switch (static_cast<unsigned int>(code)) {
    case kFileExists: text = "File exis"; break;
    case kBadParameter: text = "Paramater is wrong"; break;
    case kAccessDenied:
        text = "Access denied: file's permission setting does not allow specified access";
        break;
    case kNotFound: text = "Filename or path not found"; break;
    case kNoDescriptors: text = "No more file descriptors are available"; break;
    case kBadFileName: text = "File name error"; break;
    case kOpenFailed: text = "Open file fail"; break;
    case kCloseFailed: text = "Close file fail"; break;
    default: text = "Success"; break;
    }
    errorMessage = text;
    return errorMessage.getData();
}

QXTime* QXFile::lastModified()
{
    errorCode = 0;
    long long seconds = 0;
    if (!queryStatus(pathText(), nullptr, nullptr, &seconds)) {
        errorCode = kNotFound;
        return nullptr;
    }
    const unsigned long long fileTime =
        static_cast<unsigned long long>(seconds) * kIntervalsPerSecond + kUnixEpochFileTime;
    QXTime* time = new (std::nothrow) QXTime(fileTime);
    if (time) time->retain();
    return time;
}

int QXFile::setLastModified(QXTime* time)
{
    errorCode = 0;
    if (!time) {
        errorCode = kBadParameter;
        return 0;
    }
    time->retain();
    const unsigned long long value = time->getFileTime();
    time->release();
    if (!value) return 0;
    FILETIME written;
    written.dwLowDateTime = static_cast<DWORD>(value & 0xFFFFFFFFULL);
    written.dwHighDateTime = static_cast<DWORD>(value >> 32);
    HANDLE file = CreateFileA(pathText(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_ARCHIVE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        errorCode = kOpenFailed;
        return 0;
    }
    if (!SetFileTime(file, nullptr, nullptr, &written)) {
        CloseHandle(file);
        return 0;
    }
    if (!CloseHandle(file)) {
        errorCode = kCloseFailed;
        return 0;
    }
    return 1;
}

template <typename Add>
int QXFile::walk(IQXFileFilter* filter, Add add)
{
    if (!isDirectory()) return 0;
    const QXString base(pathText());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((base + "\\*.*").getData(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    const bool endsWithSeparator = base.getLength() > 0 && base.getData()[base.getLength() - 1] == '\\';
    do {
        const QXString name(found.cFileName);
        if (name.equals(".") || name.equals("..")) continue;
        if (filter && !filter->accept(name)) continue;
        const QXString joined = (endsWithSeparator ? base : base + "\\") + name.getData();
        char longName[MAX_PATH];
        std::memset(longName, 0, sizeof longName);
        const DWORD n = GetLongPathNameA(joined.getData(), longName, MAX_PATH);
        // Without a long form the joined path names the entry as well.
        add(n > 0 && n < MAX_PATH ? QXString(longName) : joined);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return 1;
}

int QXFile::listFiles(TQXList<QXFile*>* files, IQXFileFilter* filter)
{
    errorCode = 0;
    if (!files || !filter) {
        errorCode = kBadParameter;
        return 0;
    }
    return walk(filter, fileAppender(files));
}

int QXFile::listFiles(TQXList<QXFile*>* files)
{
    errorCode = 0;
    if (!files) {
        errorCode = kBadParameter;
        return 0;
    }
    return walk(nullptr, fileAppender(files));
}

int QXFile::list(TQXList<QXString>* names, IQXFileFilter* filter)
{
    errorCode = 0;
    if (!names || !filter) {
        errorCode = kBadParameter;
        return 0;
    }
    return walk(filter, [names](const QXString& name) { names->addLast(name); });
}

int QXFile::list(TQXList<QXString>* names)
{
    errorCode = 0;
    if (!names) {
        errorCode = kBadParameter;
        return 0;
    }
    return walk(nullptr, [names](const QXString& name) { names->addLast(name); });
}

QXFileStream* QXFile::openStream(int mode)
{
    if (isDirectory()) return nullptr;
    QXFileStream* stream = new (std::nothrow) QXFileStream();
    if (!stream) return nullptr;
    stream->retain();
    if (stream->open(getPath(), mode)) return stream;
    stream->release();
    return nullptr;
}

QXFile* QXFile::getModuleDirectory()
{
    char moduleName[MAX_PATH];
    char longName[MAX_PATH];
    std::memset(moduleName, 0, sizeof moduleName);
    std::memset(longName, 0, sizeof longName);
    GetModuleFileNameA(nullptr, moduleName, MAX_PATH);
    // When the long form cannot be had, the name as Windows gave it still
    // names the same directory.
    const DWORD n = GetLongPathNameA(moduleName, longName, MAX_PATH);
    const char* name = (n > 0 && n < MAX_PATH) ? longName : moduleName;

    QXString full(name);
    const int slash = full.lastBackslashIndex();
    QXString directory = slash >= 0 ? leftPart(full, slash) : full;
    QXFile* file = new (std::nothrow) QXFile(directory);
    if (file) file->retain();
    return file;
}

} // namespace QXSDK
