#include "win32/automation_win.h"

#include "win32/com_error_win.h"
#include "win32/variant_win.h"

namespace velvane {
namespace {

DISPID DispatchIdOf(IDispatch* object, const wchar_t* name) {
    if (!object) OleCheck(E_POINTER);
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    OleCheck(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    return id;
}

}  // namespace

ComPtr<IDispatch> GetObjectProperty(IDispatch* object, const wchar_t* name) {
    DISPID id = DispatchIdOf(object, name);
    DISPPARAMS noArguments{nullptr, nullptr, 0, 0};
    Variant result;
    OleCheck(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &noArguments,
                            result.put(), nullptr, nullptr));
    if (result.value().vt != VT_DISPATCH || !result.value().pdispVal) OleCheck(E_NOINTERFACE);
    return ComPtr<IDispatch>::Share(result.value().pdispVal);
}

void PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value) {
    DISPID id = DispatchIdOf(object, name);
    DISPID namedArgument = DISPID_PROPERTYPUT;
    VARIANT argument = value;  // a shallow copy: Invoke only reads it
    DISPPARAMS parameters{&argument, &namedArgument, 1, 1};
    OleCheck(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters,
                            nullptr, nullptr, nullptr));
}

}  // namespace velvane
