#include "tests/support/AccessibleReader.h"

#include "tests/support/Utf8.h"

#include <oleacc.h>

#include <sstream>

namespace testsupport {

namespace {

// COM on the reading thread for as long as the program runs.
bool comReady()
{
    static thread_local const bool ready = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    return ready;
}

IAccessible* objectOf(HWND window)
{
    IAccessible* object = nullptr;
    if (!comReady() || FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                         reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

VARIANT self()
{
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

template <typename Getter>
std::wstring text(Getter get)
{
    BSTR value = nullptr;
    std::wstring result;
    if (SUCCEEDED(get(&value)) && value) result.assign(value, SysStringLen(value));
    SysFreeString(value);
    return result;
}

template <typename Getter>
long number(Getter get)
{
    VARIANT value;
    VariantInit(&value);
    const bool read = SUCCEEDED(get(&value)) && value.vt == VT_I4;
    const long result = read ? value.lVal : -1;
    VariantClear(&value);
    return result;
}

} // namespace

AccessibleReading AccessibleReading::of(HWND window)
{
    AccessibleReading reading;
    IAccessible* object = objectOf(window);
    if (!object) return reading;
    reading.read = true;
    const VARIANT child = self();
    reading.role = number([&](VARIANT* out) { return object->get_accRole(child, out); });
    reading.state = number([&](VARIANT* out) { return object->get_accState(child, out); });
    reading.name = text([&](BSTR* out) { return object->get_accName(child, out); });
    reading.value = text([&](BSTR* out) { return object->get_accValue(child, out); });
    reading.defaultAction = text([&](BSTR* out) { return object->get_accDefaultAction(child, out); });
    object->Release();
    return reading;
}

long AccessibleReading::doDefaultAction(HWND window)
{
    IAccessible* object = objectOf(window);
    if (!object) return E_FAIL;
    const long result = object->accDoDefaultAction(self());
    object->Release();
    return result;
}

std::string describe(const AccessibleReading& reading)
{
    std::ostringstream text;
    if (!reading.read) return "(no accessible object)";
    text << "role 0x" << std::hex << reading.role << ", name \"" << toUtf8(reading.name) << "\", value \""
         << toUtf8(reading.value) << "\", state 0x" << reading.state << std::dec << ", action \""
         << toUtf8(reading.defaultAction) << "\"";
    return text.str();
}

} // namespace testsupport
