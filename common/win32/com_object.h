// The reference count and QueryInterface shared by every COM object we write by hand.
#pragma once

#include <windows.h>

#include <unknwn.h>

namespace win32 {

// Derive from ComObject<First, Others...> and answer interfaceFor(); IUnknown is the First
// interface's. An object counts its own references and deletes itself at zero, unless it lives
// inside another object (a connection point inside its control): then it shares that object's
// count, so clients holding either keep both alive.
// Objects end in their own Release, never through a delete on an interface pointer, so the
// interfaces' non-virtual destructors are no hazard.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <typename First, typename... Others> class ComObject : public First, public Others... {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = riid == IID_IUnknown ? static_cast<First*>(this) : interfaceFor(riid);
        if (!*out)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override {
        return outer_ ? outer_->AddRef() : static_cast<ULONG>(InterlockedIncrement(&refs_));
    }
    STDMETHODIMP_(ULONG) Release() override {
        if (outer_)
            return outer_->Release();
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

protected:
    ComObject() = default;
    explicit ComObject(IUnknown& outer) : outer_(&outer) {}
    virtual ~ComObject() = default;

    // The interface `riid` names on this object, or null; IUnknown is answered already.
    virtual void* interfaceFor(REFIID riid) = 0;

private:
    IUnknown* outer_ = nullptr;
    LONG refs_ = 1;
};
#pragma GCC diagnostic pop

} // namespace win32
