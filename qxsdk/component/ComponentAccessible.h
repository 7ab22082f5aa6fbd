#pragma once

#include <windows.h>
#include <oleacc.h>

namespace QXSDK {

class QXComponent;

// What a screen reader reads of a component's window (Microsoft Active
// Accessibility): the component says its role, name, value, state and
// default action itself (QXComponent's getAccessible... operations); what
// the window system knows better (parent, children, location, hit test,
// navigation) comes from the standard object Windows makes for the window.
//
// Lifetime: a COM object, reference-counted by its clients (a screen reader
// may keep it after the window has gone). The binding that made it
// disconnects it when the component's window goes; from then on it answers
// that the object is gone.
class ComponentAccessible final : public IAccessible {
public:
    // An object for component's window, null when oleacc or memory cannot
    // be had. Answered with one reference for the caller.
    static ComponentAccessible* create(QXComponent* component, HWND window);
    // The answer to WM_GETOBJECT for it (LresultFromObject); 0 when it
    // cannot be made.
    LRESULT answer(WPARAM wParam);
    // The component goes: nothing is asked of it from now on.
    void disconnect();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: not offered (clients use the interface's methods).
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ComponentAccessible(QXComponent* component, IAccessible* standard);
    ~ComponentAccessible();
    ComponentAccessible(const ComponentAccessible&) = delete;
    ComponentAccessible& operator=(const ComponentAccessible&) = delete;

    // Whether child names the component itself, which it still has.
    bool isSelf(const VARIANT& child) const;
    // text (bytes of the component's text code page) as a new BSTR, or null
    // (and S_FALSE) when it is empty.
    HRESULT answerText(const char* text, int codePage, BSTR* out) const;
    // number (a role, state bits) as a VT_I4 variant.
    static HRESULT answerNumber(long number, VARIANT* out);

    LONG references;
    QXComponent* component; // not owned; null once disconnected
    IAccessible* standard;  // one reference
};

} // namespace QXSDK
