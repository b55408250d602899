#include "win32/com_object_win.h"

namespace velvane {
namespace {

// One UI thread, one apartment: no lock needed.
std::size_t& LiveObjects() {
    static std::size_t count = 0;
    return count;
}

}  // namespace

HRESULT QueryInterfaceFromTable(void* object, std::span<const InterfaceEntry> table, REFIID iid,
                                void** result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    for (const InterfaceEntry& entry : table) {
        if (IsEqualIID(*entry.iid, iid)) {
            *result = entry.cast(object);
            static_cast<IUnknown*>(*result)->AddRef();
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

ComObjectBase::ComObjectBase() {
    ++LiveObjects();
}
ComObjectBase::~ComObjectBase() {
    --LiveObjects();
}

ULONG ComObjectBase::ReleaseReference() {
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

std::size_t ComObjectBase::LiveObjectCount() {
    return LiveObjects();
}

}  // namespace velvane
