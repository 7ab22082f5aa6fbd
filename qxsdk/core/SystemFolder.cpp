#include "qxsdk/core/SystemFolder.h"

namespace QXSDK {

QXString systemFolder()
{
    char folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryA(folder, sizeof folder);
    return QXString(length > 0 && length < sizeof folder ? folder : nullptr);
}

QXString systemFolderFile(const char* name)
{
    const QXString folder = systemFolder();
    if (!folder.getData() || !name) return QXString(static_cast<const char*>(nullptr));
    return folder + "\\" + name;
}

FARPROC systemProcedureAddress(const char* library, const char* name)
{
    const QXString path = systemFolderFile(library);
    if (!path.getData() || !name) return nullptr;
    // An absolute path loads exactly that file; the altered search path makes
    // the DLL's own imports be looked for beside it, in the system folder,
    // before anywhere else. The reference is never given back: the
    // procedure stays valid for the rest of the process.
    HMODULE module = LoadLibraryExA(path.getData(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return module ? GetProcAddress(module, name) : nullptr;
}

} // namespace QXSDK
