#pragma once

// Scoped holders of the Win32 resources that the code creates and frees
// within a call: each takes its resource in the constructor and gives it
// back in the destructor, so that no return path can leak it. None of them
// copies. A holder whose resource could not be had tests false and gives
// nothing back.

#include <windows.h>
#include <shellapi.h>

namespace QXSDK {

// A window's device context from GetDC (client area) or GetWindowDC (whole
// window, caption included), released when the scope ends. A null window
// gives the screen's.
class WindowDC {
public:
    enum Area { kClient, kWholeWindow };

    explicit WindowDC(HWND window, Area area = kWholeWindow)
        : window(window), dc(area == kClient ? GetDC(window) : GetWindowDC(window))
    {
    }
    ~WindowDC()
    {
        if (dc) ReleaseDC(window, dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }

private:
    HWND window;
    HDC dc;
};

// The client area's device context: GetDC and ReleaseDC.
class ClientDC : public WindowDC {
public:
    explicit ClientDC(HWND window) : WindowDC(window, kClient) {}
};

// A memory device context compatible with another, deleted when the scope ends.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC()
    {
        if (dc) DeleteDC(dc);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }

private:
    HDC dc;
};

// The state of a device context (selected objects, colours, modes) saved
// with SaveDC and restored when the scope ends.
class SavedDCState {
public:
    explicit SavedDCState(HDC dc) : dc(dc), saved(dc ? SaveDC(dc) : 0) {}
    ~SavedDCState()
    {
        if (saved) RestoreDC(dc, saved);
    }
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;

private:
    HDC dc;
    int saved;
};

// A GDI object (pen, brush, bitmap, font, region) deleted when the scope
// ends. Declare it before whatever selects it, so that it is deselected first.
template <typename Handle>
class GdiObject {
public:
    explicit GdiObject(Handle object) : object(object) {}
    ~GdiObject()
    {
        if (object) DeleteObject(object);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle get() const { return object; }
    explicit operator bool() const { return object != nullptr; }

private:
    Handle object;
};

// An object selected into a device context, the one it replaced selected
// back when the scope ends.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc(dc), previous(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject()
    {
        if (previous) SelectObject(dc, previous);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

// A kernel handle (process, thread, file) closed when the holder ends. It
// may be held longer than a call (a process that is waited for across
// timer ticks) and closed early with reset.
class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle = nullptr) : handle(handle) {}
    ~KernelHandle() { reset(); }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    HANDLE get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }
    // Closes the handle held and holds the new one.
    void reset(HANDLE next = nullptr)
    {
        if (handle) CloseHandle(handle);
        handle = next;
    }

private:
    HANDLE handle;
};

// The clipboard, opened for a window and closed when the scope ends.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) : open(OpenClipboard(owner) != 0) {}
    ~ClipboardSession()
    {
        if (open) CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    explicit operator bool() const { return open; }

private:
    bool open;
};

// The bytes of a global memory block, locked for the length of a scope.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL block) : block(block), bytes(block ? GlobalLock(block) : nullptr) {}
    ~LockedGlobal()
    {
        if (bytes) GlobalUnlock(block);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;

    char* get() const { return static_cast<char*>(bytes); }
    // The size of the block, which may be larger than what it was asked for.
    SIZE_T size() const { return GlobalSize(block); }
    explicit operator bool() const { return bytes != nullptr; }

private:
    HGLOBAL block;
    void* bytes;
};

// The files dropped on a window (WM_DROPFILES), given back with DragFinish.
class DroppedFiles {
public:
    explicit DroppedFiles(HDROP drop) : drop(drop) {}
    ~DroppedFiles()
    {
        if (drop) DragFinish(drop);
    }
    DroppedFiles(const DroppedFiles&) = delete;
    DroppedFiles& operator=(const DroppedFiles&) = delete;

    HDROP get() const { return drop; }

private:
    HDROP drop;
};

// A registry key opened for the length of a scope: with RegOpenKeyA (read
// and write as the caller's rights allow), or with RegOpenKeyExA and the
// access asked for.
class RegistryKey {
public:
    RegistryKey(HKEY parent, const char* subkey) : key(nullptr)
    {
        if (RegOpenKeyA(parent, subkey, &key) != ERROR_SUCCESS) key = nullptr;
    }
    RegistryKey(HKEY parent, const char* subkey, REGSAM access) : key(nullptr)
    {
        if (RegOpenKeyExA(parent, subkey, 0, access, &key) != ERROR_SUCCESS) key = nullptr;
    }
    ~RegistryKey()
    {
        if (key) RegCloseKey(key);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY get() const { return key; }
    explicit operator bool() const { return key != nullptr; }

private:
    HKEY key;
};

// A COM interface pointer, released when the holder ends. put() (putVoid()
// for a call that takes void**) hands its address to a call that answers an
// interface, releasing what was held before.
template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() { put(); }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface* get() const { return object; }
    Interface* operator->() const { return object; }
    explicit operator bool() const { return object != nullptr; }
    Interface** put()
    {
        if (object) object->Release();
        object = nullptr;
        return &object;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

private:
    Interface* object = nullptr;
};

// A COM string (BSTR) made from text, freed when the holder ends; it tests
// false when memory ran out.
class ComString {
public:
    explicit ComString(const wchar_t* text) : text(SysAllocString(text)) {}
    ~ComString() { SysFreeString(text); }
    ComString(const ComString&) = delete;
    ComString& operator=(const ComString&) = delete;

    BSTR get() const { return text; }
    explicit operator bool() const { return text != nullptr; }

private:
    BSTR text;
};

} // namespace QXSDK
