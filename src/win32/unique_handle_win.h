#pragma once
// Move-only owners of Win32 handles: whoever acquires a handle holds it in one of these, so it is
// released exactly once, on every path out of the scope.

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace velvane {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }

    // Gives the handle away, e.g. to the system after SetWindowRgn succeeded.
    Handle release() { return std::exchange(handle_, Traits::Invalid()); }

    void reset(Handle handle = Traits::Invalid()) {
        Handle old = std::exchange(handle_, handle);
        if (Traits::IsValid(old)) Traits::Close(old);
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    // LoadLibrary's 16-bit heritage: values of 32 or less are error codes, never modules.
    static bool IsValid(Handle h) { return reinterpret_cast<UINT_PTR>(h) > 32; }
    static void Close(Handle h) { FreeLibrary(h); }
};
using Module = UniqueHandle<ModuleTraits>;

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) {
        if (IsWindow(h)) DestroyWindow(h);
    }
};
using UniqueWindow = UniqueHandle<WindowTraits>;

template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
using GdiFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using GdiBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using GdiRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using GdiBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ImageList_Destroy(h); }
};
using ImageList = UniqueHandle<ImageListTraits>;

}  // namespace velvane
