// RAII wrappers for every handle and COM resource Norvane.dll touches, in one place.
#pragma once

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <memory>
#include <string>
#include <utility>

namespace norvane {

using Microsoft::WRL::ComPtr;

// An owned BSTR.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : b_(SysAllocString(text)) {}
    explicit Bstr(const std::u16string& text)
        : b_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                               static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        std::swap(b_, other.b_);
        return *this;
    }
    ~Bstr() { SysFreeString(b_); }
    BSTR get() const { return b_; }
    BSTR* put() {
        SysFreeString(std::exchange(b_, nullptr));
        return &b_;
    }
    BSTR release() { return std::exchange(b_, nullptr); }
    std::u16string text() const {
        return {reinterpret_cast<const char16_t*>(b_ ? b_ : L""), b_ ? SysStringLen(b_) : 0};
    }

private:
    BSTR b_ = nullptr;
};

inline std::u16string toU16(const BSTR b) {
    return {reinterpret_cast<const char16_t*>(b ? b : L""), b ? SysStringLen(b) : 0};
}

// An owned VARIANT.
struct Variant : VARIANT {
    Variant() { VariantInit(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : VARIANT(other) { VariantInit(&other); }
    Variant& operator=(Variant&&) = delete;
    ~Variant() { VariantClear(this); }
    void clear() { VariantClear(this); }
};

struct HkeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueHkey = std::unique_ptr<std::remove_pointer_t<HKEY>, HkeyCloser>;

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueHwnd = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

struct DcReleaser {
    HWND window = nullptr;
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
using ScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcReleaser>;

struct ActCtxReleaser {
    void operator()(HANDLE context) const { ReleaseActCtx(context); }
};
using UniqueActCtx = std::unique_ptr<void, ActCtxReleaser>;

// COM on the calling thread for the life of the object.
class ComApartment {
public:
    ComApartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(hr_))
            CoUninitialize();
    }
    HRESULT result() const { return hr_; }

private:
    HRESULT hr_;
};

} // namespace norvane
