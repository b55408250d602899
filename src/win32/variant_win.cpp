#include "win32/variant_win.h"

#include <windows.h>

#include <new>
#include <optional>
#include <utility>

namespace velvane {
namespace {

// A VARIANT passed by reference (VT_BYREF | VT_VARIANT) to the VARIANT it points at.
const VARIANT& Dereferenced(const VARIANT& value) {
    if (V_VT(&value) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&value)) {
        return *V_VARIANTREF(&value);
    }
    return value;
}

// The value converted to `type` into `result`; false when the system cannot convert it.
bool ConvertTo(const VARIANT& value, VARTYPE type, Variant& result) {
    // VariantChangeType takes a non-const source but leaves it alone; VT_BYREF values are
    // followed by the system itself.
    return SUCCEEDED(
        VariantChangeType(result.put(), const_cast<VARIANT*>(&Dereferenced(value)), 0, type));
}

}  // namespace

std::wstring WideFromAnsi(std::string_view text) {
    if (text.empty())
        return {};
    int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        length);
    return result;
}

namespace {

// The text in the ANSI code page as WideCharToMultiByte converts it with `flags`; nullopt when
// the system refuses (NT 4.0 answers ERROR_INVALID_FLAGS to WC_NO_BEST_FIT_CHARS).
std::optional<std::string> SystemToAnsi(std::u16string_view text, DWORD flags, BOOL* usedDefault) {
    const std::wstring wide(text.begin(), text.end());
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::nullopt;
    std::string result(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, wide.data(), size, result.data(), length, nullptr,
                            usedDefault) != length) {
        return std::nullopt;
    }
    return result;
}

}  // namespace

AnsiText ConvertToAnsi(std::wstring_view text, BestFitRequest request) {
    AnsiCodePage codePage;
    codePage.withoutBestFit = [request](std::u16string_view part) -> std::optional<AnsiText> {
        // A system whose ANSI code page is UTF-8 holds every character, and refuses both the
        // flag and the question: the round trip answers there.
        if (request == BestFitRequest::Withheld || GetACP() == CP_UTF8) return std::nullopt;
        BOOL usedDefault = FALSE;
        std::optional<std::string> converted =
            SystemToAnsi(part, WC_NO_BEST_FIT_CHARS, &usedDefault);
        if (!converted) return std::nullopt;
        return AnsiText{std::move(*converted), !usedDefault};
    };
    codePage.toAnsi = [](std::u16string_view part) {
        return SystemToAnsi(part, 0, nullptr).value_or(std::string());
    };
    codePage.fromAnsi = [](std::string_view bytes) {
        const std::wstring wide = WideFromAnsi(bytes);
        return std::u16string(wide.begin(), wide.end());
    };
    return ConvertWithoutLookAlikes(std::u16string(text.begin(), text.end()), codePage);
}

Bstr::Bstr(std::wstring_view text)
    : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (!value_)
        throw std::bad_alloc();
}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
    if (this != &other) {
        reset();
        value_ = other.release();
    }
    return *this;
}

BSTR Bstr::release() {
    return std::exchange(value_, nullptr);
}

void Bstr::reset() {
    if (value_)
        SysFreeString(std::exchange(value_, nullptr));
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) {
    VariantInit(&other.value_);
}

Variant& Variant::operator=(Variant&& other) noexcept {
    if (this != &other) {
        VariantClear(&value_);
        value_ = other.value_;
        VariantInit(&other.value_);
    }
    return *this;
}

Variant Variant::FromInt32(std::int32_t value) {
    Variant result;
    V_VT(&result.value_) = VT_I4;
    V_I4(&result.value_) = value;
    return result;
}

Variant Variant::FromBool(bool value) {
    Variant result;
    V_VT(&result.value_) = VT_BOOL;
    V_BOOL(&result.value_) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return result;
}

Variant Variant::FromAnsi(std::string_view text) {
    Variant result;
    V_BSTR(&result.value_) = Bstr::FromAnsi(text).release();
    V_VT(&result.value_) = VT_BSTR;
    return result;
}

std::wstring VariantWideText(const VARIANT& value) {
    const VARIANT& target = Dereferenced(value);
    if (V_VT(&target) == VT_BSTR) {
        BSTR text = V_BSTR(&target);
        return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    }
    Variant converted;
    if (!ConvertTo(target, VT_BSTR, converted))
        return {};
    BSTR text = V_BSTR(converted.get());
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

std::string VariantText(const VARIANT& value) {
    return AnsiFromWide(VariantWideText(value));
}

std::int32_t VariantInt32(const VARIANT& value, std::int32_t fallback) {
    Variant converted;
    if (!ConvertTo(value, VT_I4, converted))
        return fallback;
    return V_I4(converted.get());
}

bool VariantBool(const VARIANT& value, bool fallback) {
    Variant converted;
    if (!ConvertTo(value, VT_BOOL, converted))
        return fallback;
    return V_BOOL(converted.get()) != VARIANT_FALSE;
}

}  // namespace velvane
