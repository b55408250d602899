#pragma once
// ComPtr<T>: the owner of one COM reference. Move-only, like the program's other handle owners,
// so a reference is released exactly once; sharing a pointer is an explicit AddRef (Share).

#include <windows.h>
#include <objbase.h>

#include <cstddef>
#include <utility>

namespace velvane {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    ~ComPtr() { reset(); }

    ComPtr(ComPtr&& other) noexcept : pointer_(other.release()) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    // Takes over a reference the caller already owns (a factory's or an out-parameter's).
    static ComPtr Attach(T* pointer) {
        ComPtr owner;
        owner.pointer_ = pointer;
        return owner;
    }
    // Adds a reference of its own to `pointer`.
    static ComPtr Share(T* pointer) {
        if (pointer)
            pointer->AddRef();
        return Attach(pointer);
    }
    ComPtr Share() const { return Share(pointer_); }

    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // For out-parameters: releases the current reference and hands out the slot.
    T** put() {
        reset();
        return &pointer_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

    T* release() { return std::exchange(pointer_, nullptr); }
    void reset(T* pointer = nullptr) {
        T* old = std::exchange(pointer_, pointer);
        if (old)
            old->Release();
    }

    // QueryInterface; empty when the object does not offer U.
    template <typename U>
    ComPtr<U> As() const {
        ComPtr<U> result;
        if (pointer_)
            pointer_->QueryInterface(__uuidof(U), result.put_void());
        return result;
    }

private:
    T* pointer_ = nullptr;
};

}  // namespace velvane
