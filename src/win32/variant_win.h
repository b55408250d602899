#pragma once
// Owners of BSTRs and VARIANTs, and the one place where the program's 8-bit texts (ANSI code
// page) meet the 16-bit texts of COM.

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "core/ansi_text.h"

namespace velvane {

// 8-bit text in the system's ANSI code page to UTF-16 (what MultiByteToWideChar with CP_ACP
// gives).
std::wstring WideFromAnsi(std::string_view text);

// UTF-16 in the ANSI code page. A character the code page lacks becomes "?", never a
// look-alike: best-fit mapping would turn D:\Łódź\setup.exe into D:\Lodz\setup.exe, another
// file's name. `exact` says whether every character came across. The system is asked to leave
// best fit out where it takes that request (2000 and later); elsewhere each answer is converted
// back and compared (see core/ansi_text.h). Tests withhold the request to run that path here.
enum class BestFitRequest { Offered, Withheld };
AnsiText ConvertToAnsi(std::wstring_view text, BestFitRequest request = BestFitRequest::Offered);
inline std::string AnsiFromWide(std::wstring_view text) {
    return ConvertToAnsi(text).text;
}

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text);
    static Bstr FromAnsi(std::string_view text) { return Bstr(WideFromAnsi(text)); }
    ~Bstr() { reset(); }

    Bstr(Bstr&& other) noexcept : value_(other.release()) {}
    Bstr& operator=(Bstr&& other) noexcept;
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR get() const { return value_; }
    BSTR* put() {
        reset();
        return &value_;
    }
    BSTR release();
    void reset();

private:
    BSTR value_ = nullptr;
};

class Variant {
public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant&& other) noexcept;
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    static Variant FromInt32(std::int32_t value);
    static Variant FromBool(bool value);
    static Variant FromAnsi(std::string_view text);

    VARIANT* get() { return &value_; }
    const VARIANT& value() const { return value_; }
    // Clears the value and hands out the slot for an out-parameter.
    VARIANT* put() {
        VariantClear(&value_);
        return &value_;
    }

private:
    VARIANT value_;
};

// The value as the browser's own 16-bit text, converted like VariantText.
std::wstring VariantWideText(const VARIANT& value);

// The value as 8-bit text (ANSI code page). Texts come out unchanged; other types go through
// the system's own variant-to-text conversion; references are followed. Empty, null and values
// that have no text form give the empty text.
std::string VariantText(const VARIANT& value);

// The value as a number or a flag, following references; `fallback` when it has no such form.
std::int32_t VariantInt32(const VARIANT& value, std::int32_t fallback = 0);
bool VariantBool(const VARIANT& value, bool fallback = false);

}  // namespace velvane
