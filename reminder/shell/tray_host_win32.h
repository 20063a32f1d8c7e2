// Hosting the tray control ctlSysTray1 as an ActiveX container does: sited, loaded, late-bound.
#pragma once

#include "common/win32/handles.h"
#include "reminder/shell/main_form.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ocidl.h>
#include <ole2.h>
#include <string>

namespace davrin::shell {

class TrayControlHost final : public TrayIcon {
public:
    using EventHandler = std::function<void(std::int32_t eventId)>;

    // Creates the control by its class identifier (the manifest finds Norvane.dll beside the
    // program), sites it on `window` and loads TrayTitle "Davrin" and TrayMode 2 from a property
    // bag. Throws std::runtime_error naming the failed step.
    explicit TrayControlHost(HWND window);
    // From here on the control's events reach `onEvent`. Throws like the constructor.
    void connect(EventHandler onEvent);
    // Disconnects and closes the control, which takes its icon off the tray.
    ~TrayControlHost() override;
    TrayControlHost(const TrayControlHost&) = delete;
    TrayControlHost& operator=(const TrayControlHost&) = delete;

    bool RestoreIcon() override;
    bool PlaceIcon() override;

private:
    bool callBoolMethod(DISPID dispid);

    win32::ComPtr<IOleClientSite> site_;
    win32::ComPtr<IDispatch> sink_;
    win32::ComPtr<IOleObject> object_;
    win32::ComPtr<IDispatch> dispatch_;
    win32::ComPtr<IConnectionPoint> events_;
    DWORD cookie_ = 0;
};

} // namespace davrin::shell
