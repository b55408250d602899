#pragma once
// Late-bound automation: properties of an object reached by name through IDispatch, as a script
// would reach them. Every failure throws OleError.

#include <windows.h>
#include <oaidl.h>

#include "win32/com_ptr_win.h"

namespace velvane {

// The object a property holds; throws when the property is missing or holds no object.
ComPtr<IDispatch> GetObjectProperty(IDispatch* object, const wchar_t* name);

// Sets a property to a value.
void PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value);

}  // namespace velvane
