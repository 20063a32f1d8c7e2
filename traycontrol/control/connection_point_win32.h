// One outgoing interface of the control: its connection point and the calls into its sinks.
#pragma once

#include "com_raii_win32.h"

#include <ocidl.h>

#include <vector>

namespace norvane {

// Lives inside the control and shares the control's reference count.
class ConnectionPoint final : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer& owner, REFIID iid) : owner_(owner), iid_(iid) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return owner_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner_.Release(); }
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** out) override;

    const IID& iid() const { return iid_; }
    // A copy, so that a sink may unadvise while it is being called.
    std::vector<ComPtr<IUnknown>> sinks() const;

private:
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

} // namespace norvane
