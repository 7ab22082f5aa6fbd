#include "qxsdk/component/ComponentAccessible.h"

#include "qxsdk/component/QXComponent.h"
#include "qxsdk/core/SystemFolder.h"
#include "qxsdk/core/WideText.h"

#include <new>

namespace QXSDK {

namespace {

using CreateStandardProcedure = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using ResultFromObjectProcedure = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);

// oleacc is not among the DLLs Windows loads from the system folder only:
// imported, it would be looked for beside the program first. It is loaded
// from the system folder when a screen reader first asks.
CreateStandardProcedure createStandardObject()
{
    static const auto procedure =
        systemProcedure<CreateStandardProcedure>("oleacc.dll", "CreateStdAccessibleObject");
    return procedure;
}

ResultFromObjectProcedure resultFromObject()
{
    static const auto procedure = systemProcedure<ResultFromObjectProcedure>("oleacc.dll", "LresultFromObject");
    return procedure;
}

} // namespace

ComponentAccessible* ComponentAccessible::create(QXComponent* component, HWND window)
{
    const CreateStandardProcedure createStandard = createStandardObject();
    if (!component || !window || !createStandard || !resultFromObject()) return nullptr;
    IAccessible* standard = nullptr;
    if (FAILED(createStandard(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))) ||
        !standard)
        return nullptr;
    ComponentAccessible* object = new (std::nothrow) ComponentAccessible(component, standard);
    if (!object) standard->Release();
    return object;
}

ComponentAccessible::ComponentAccessible(QXComponent* owner, IAccessible* standardObject)
    : references(1), component(owner), standard(standardObject)
{
}

ComponentAccessible::~ComponentAccessible()
{
    if (standard) standard->Release();
}

LRESULT ComponentAccessible::answer(WPARAM wParam)
{
    const ResultFromObjectProcedure result = resultFromObject();
    return result ? result(IID_IAccessible, wParam, static_cast<IAccessible*>(this)) : 0;
}

void ComponentAccessible::disconnect()
{
    component = nullptr;
}

bool ComponentAccessible::isSelf(const VARIANT& child) const
{
    return component && child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT ComponentAccessible::answerText(const char* text, int codePage, BSTR* out) const
{
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    const WideText wide(QXString(text), static_cast<unsigned>(codePage));
    if (!wide || wide.length() == 0) return S_FALSE;
    *out = SysAllocStringLen(wide.get(), static_cast<UINT>(wide.length()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT ComponentAccessible::answerNumber(long number, VARIANT* out)
{
    if (!out) return E_INVALIDARG;
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = number;
    return S_OK;
}

HRESULT ComponentAccessible::QueryInterface(REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ComponentAccessible::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references));
}

ULONG ComponentAccessible::Release()
{
    const LONG left = InterlockedDecrement(&references);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT ComponentAccessible::GetTypeInfoCount(UINT* count)
{
    if (!count) return E_INVALIDARG;
    *count = 0;
    return S_OK;
}

HRESULT ComponentAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT ComponentAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT ComponentAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

// What the component says of itself.

HRESULT ComponentAccessible::get_accName(VARIANT child, BSTR* name)
{
    if (!isSelf(child)) return component ? standard->get_accName(child, name) : CO_E_OBJNOTCONNECTED;
    const QXString text = component->getAccessibleName();
    return answerText(text.getData(), component->getTextCodePage(), name);
}

HRESULT ComponentAccessible::get_accValue(VARIANT child, BSTR* value)
{
    if (!isSelf(child)) return component ? standard->get_accValue(child, value) : CO_E_OBJNOTCONNECTED;
    const QXString text = component->getAccessibleValue();
    return answerText(text.getData(), CP_ACP, value);
}

HRESULT ComponentAccessible::get_accRole(VARIANT child, VARIANT* role)
{
    if (!isSelf(child)) return component ? standard->get_accRole(child, role) : CO_E_OBJNOTCONNECTED;
    return answerNumber(component->getAccessibleRole(), role);
}

HRESULT ComponentAccessible::get_accState(VARIANT child, VARIANT* state)
{
    if (!isSelf(child)) return component ? standard->get_accState(child, state) : CO_E_OBJNOTCONNECTED;
    return answerNumber(component->getAccessibleState(), state);
}

HRESULT ComponentAccessible::get_accDefaultAction(VARIANT child, BSTR* action)
{
    if (!isSelf(child)) return component ? standard->get_accDefaultAction(child, action) : CO_E_OBJNOTCONNECTED;
    const QXString text = component->getAccessibleAction();
    return answerText(text.getData(), CP_ACP, action);
}

HRESULT ComponentAccessible::accDoDefaultAction(VARIANT child)
{
    if (!isSelf(child)) return component ? standard->accDoDefaultAction(child) : CO_E_OBJNOTCONNECTED;
    return component->doAccessibleAction() ? S_OK : DISP_E_MEMBERNOTFOUND;
}

// What the window system knows: the standard object answers, while the
// component is there.

HRESULT ComponentAccessible::get_accParent(IDispatch** parent)
{
    return component ? standard->get_accParent(parent) : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::get_accChildCount(LONG* count)
{
    return component ? standard->get_accChildCount(count) : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::get_accChild(VARIANT child, IDispatch** object)
{
    return component ? standard->get_accChild(child, object) : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::get_accDescription(VARIANT child, BSTR* description)
{
    return component ? standard->get_accDescription(child, description) : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::get_accHelp(VARIANT child, BSTR* help)
{
    return component ? standard->get_accHelp(child, help) : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic)
{
    return component ? standard->get_accHelpTopic(file, child, topic) : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return component ? standard->get_accKeyboardShortcut(child, shortcut) : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::get_accFocus(VARIANT* focus)
{
    return component ? standard->get_accFocus(focus) : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::get_accSelection(VARIANT* selection)
{
    return component ? standard->get_accSelection(selection) : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::accSelect(LONG flags, VARIANT child)
{
    return component ? standard->accSelect(flags, child) : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child)
{
    return component ? standard->accLocation(left, top, width, height, child) : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end)
{
    return component ? standard->accNavigate(direction, start, end) : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::accHitTest(LONG left, LONG top, VARIANT* child)
{
    return component ? standard->accHitTest(left, top, child) : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::put_accName(VARIANT, BSTR)
{
    return component ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
}

HRESULT ComponentAccessible::put_accValue(VARIANT, BSTR)
{
    return component ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
}

} // namespace QXSDK
