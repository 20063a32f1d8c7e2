// One outgoing interface of the control: its connection point and the calls into its sinks.
#pragma once

#include "common/win32/com_object.h"
#include "common/win32/handles.h"

#include <ocidl.h>

#include <vector>

namespace norvane::com {

using win32::Bstr;
using win32::ComPtr;
using win32::Variant;

// Lives inside the control and shares the control's reference count.
class ConnectionPoint final : public win32::ComObject<IConnectionPoint> {
public:
    ConnectionPoint(IConnectionPointContainer& owner, REFIID iid)
        : ComObject(owner), owner_(owner), iid_(iid) {}
    ~ConnectionPoint() override = default;

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** out) override;

    const IID& iid() const { return iid_; }
    // A copy, so that a sink may unadvise while it is being called.
    std::vector<ComPtr<IUnknown>> sinks() const;

private:
    void* interfaceFor(REFIID riid) override {
        return riid == IID_IConnectionPoint ? static_cast<IConnectionPoint*>(this) : nullptr;
    }

    struct Connection {
        DWORD cookie;
        ComPtr<IUnknown> sink;
    };
    IConnectionPointContainer& owner_;
    IID iid_;
    std::vector<Connection> connections_;
    DWORD nextCookie_ = 1;
};

// A new enumerator over `points`, in that order; it keeps each of them (and so their owner) alive.
HRESULT enumerateConnectionPoints(std::vector<ComPtr<IConnectionPoint>> points,
                                  IEnumConnectionPoints** out);

// Calls event `dispid` on every sink with Button, Shift, X, y by reference.
void fireMouseEvent(const ConnectionPoint& point, DISPID dispid, short& Button, short& Shift,
                    float& X, float& y);

// Tells every property-notify sink that the property `dispid` changed.
void firePropertyChanged(const ConnectionPoint& point, DISPID dispid);

} // namespace norvane::com
