#pragma once
// Building blocks of the COM classes the program implements itself.
//
// QueryInterface is data: each class lists {IID, cast} entries whose casts are typed
// static_casts, so every interface pointer handed out is the one the compiler computed for that
// base, never a neighbour's. The IUnknown entry names one base only, so every interface leads
// back to the same IUnknown.
//
// A class derives from ComObject<Interfaces...>, which supplies AddRef and Release, and writes
// its QueryInterface table and the interfaces' own methods. Reference counts start at 1 for the
// creator (who takes the reference with ComPtr::Attach); classes keep their destructors private
// so that only Release can end them.

#include <windows.h>
#include <objbase.h>

#include <cstddef>
#include <span>

#include "win32/exception_edge_win.h"

namespace velvane {

struct InterfaceEntry {
    const IID* iid;
    void* (*cast)(void* object);
};

// The cast of one table entry: Object* to its Interface base.
template <typename Object, typename Interface>
void* CastTo(void* object) {
    return static_cast<Interface*>(static_cast<Object*>(object));
}

template <typename Object, typename Interface>
InterfaceEntry Implements(const IID& iid = __uuidof(Interface)) {
    return InterfaceEntry{&iid, &CastTo<Object, Interface>};
}

// Looks `iid` up in `table`; on a hit hands out the entry's pointer with a reference added.
HRESULT QueryInterfaceFromTable(void* object, std::span<const InterfaceEntry> table, REFIID iid,
                                void** result);

// The reference count and the program-wide count of live objects, which the tests read to prove
// that a teardown left nothing behind.
class ComObjectBase {
public:
    ComObjectBase(const ComObjectBase&) = delete;
    ComObjectBase& operator=(const ComObjectBase&) = delete;

    static std::size_t LiveObjectCount();

protected:
    ComObjectBase();
    // Virtual, so that the last Release ends the whole object whatever its class.
    virtual ~ComObjectBase();

    ULONG AddReference() { return ++references_; }
    // Drops a reference; dropping the last one deletes the object.
    ULONG ReleaseReference();

private:
    ULONG references_ = 1;
};

// The base of a COM class implementing `Interfaces`: one AddRef and one Release serve them all.
template <typename... Interfaces>
class ComObject : public ComObjectBase, public Interfaces... {
public:
    STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
    STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }

protected:
    ComObject() = default;
    ~ComObject() override = default;
};

// Runs the body of a COM method: an exception escaping it goes to the program's error sink, and
// the caller gets E_UNEXPECTED instead of an unwinding it cannot survive.
template <typename Body>
HRESULT ComGuarded(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        HandleExceptionAtEdge();
        return E_UNEXPECTED;
    }
}

}  // namespace velvane
