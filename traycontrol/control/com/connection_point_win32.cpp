// The control's events and property-change notifications, delivered through connection points.
#include "traycontrol/control/com/connection_point_win32.h"

#include "common/win32/guarded.h"

#include <olectl.h>

#include <algorithm>
#include <new>

namespace norvane::com {

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid)
        return E_POINTER;
    *iid = iid_;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out)
        return E_POINTER;
    owner_.AddRef();
    *out = &owner_;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    // Event sinks of a dispinterface often answer only IDispatch.
    ComPtr<IUnknown> checked;
    if (FAILED(sink->QueryInterface(iid_, reinterpret_cast<void**>(checked.GetAddressOf()))) &&
        (iid_ == IID_IPropertyNotifySink ||
         FAILED(sink->QueryInterface(IID_IDispatch,
                                     reinterpret_cast<void**>(checked.GetAddressOf())))))
        return CONNECT_E_CANNOTCONNECT;
    return win32::guarded([&] {
        connections_.push_back({nextCookie_, std::move(checked)});
        *cookie = nextCookie_++;
    });
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
    const auto found = std::find_if(connections_.begin(), connections_.end(),
                                    [cookie](const Connection& c) { return c.cookie == cookie; });
    if (found == connections_.end())
        return CONNECT_E_NOCONNECTION;
    connections_.erase(found);
    return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** out) {
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}

std::vector<ComPtr<IUnknown>> ConnectionPoint::sinks() const {
    std::vector<ComPtr<IUnknown>> copy;
    for (const auto& c : connections_)
        copy.push_back(c.sink);
    return copy;
}

namespace {
class PointEnumerator final : public win32::ComObject<IEnumConnectionPoints> {
public:
    PointEnumerator(std::vector<ComPtr<IConnectionPoint>> points, std::size_t next)
        : points_(std::move(points)), next_(next) {}

    STDMETHODIMP Next(ULONG count, IConnectionPoint** out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched))
            return E_POINTER;
        ULONG given = 0;
        for (; given < count && next_ < points_.size(); ++given, ++next_)
            points_[next_].CopyTo(&out[given]);
        if (fetched)
            *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        const std::size_t left = points_.size() - next_;
        next_ += std::min<std::size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override {
        next_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumConnectionPoints** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        // Copying the points allocates too, so the barrier covers more than the new object.
        return win32::guarded([&] { *out = new PointEnumerator(points_, next_); });
    }

private:
    ~PointEnumerator() override = default;
    void* interfaceFor(REFIID riid) override {
        return riid == IID_IEnumConnectionPoints ? static_cast<IEnumConnectionPoints*>(this)
                                                 : nullptr;
    }

    std::vector<ComPtr<IConnectionPoint>> points_;
    std::size_t next_;
};
} // namespace

HRESULT enumerateConnectionPoints(std::vector<ComPtr<IConnectionPoint>> points,
                                  IEnumConnectionPoints** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    return win32::guarded([&] { *out = new PointEnumerator(std::move(points), 0); });
}

void fireMouseEvent(const ConnectionPoint& point, DISPID dispid, short& Button, short& Shift,
                    float& X, float& y) {
    for (const auto& sink : point.sinks()) {
        ComPtr<IDispatch> dispatch;
        if (FAILED(sink.As(&dispatch)))
            continue;
        // Each sink gets the handler's values; what one sink changes stays with it.
        short button = Button, shift = Shift;
        float x = X, yy = y;
        VARIANTARG args[4];
        for (auto& a : args)
            VariantInit(&a);
        V_VT(&args[3]) = VT_I2 | VT_BYREF;
        V_I2REF(&args[3]) = &button;
        V_VT(&args[2]) = VT_I2 | VT_BYREF;
        V_I2REF(&args[2]) = &shift;
        V_VT(&args[1]) = VT_R4 | VT_BYREF;
        V_R4REF(&args[1]) = &x;
        V_VT(&args[0]) = VT_R4 | VT_BYREF;
        V_R4REF(&args[0]) = &yy;
        DISPPARAMS params{args, nullptr, 4, 0};
        dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                         nullptr, nullptr);
    }
}

void firePropertyChanged(const ConnectionPoint& point, DISPID dispid) {
    for (const auto& sink : point.sinks()) {
        ComPtr<IPropertyNotifySink> notify;
        if (SUCCEEDED(sink.As(&notify)))
            notify->OnChanged(dispid);
    }
}

} // namespace norvane::com
