// The container side of ctlSysTray1: its client site, its property bag and its event sink.
#pragma once

#include "common/win32/handles.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <ole2.h>
#include <olectl.h>

namespace davrin::shell {

// The site the control lives in: a hidden window, run mode, no user interface of its own.
win32::ComPtr<IOleClientSite> makeTraySite(HWND window);

// The saved data of the main window for its tray control: TrayTitle and TrayMode, nothing else.
win32::ComPtr<IPropertyBag> makeTrayPropertyBag();

// Receives the control's events (IDispatch::Invoke with the event's DISPID).
win32::ComPtr<IDispatch> makeTrayEventSink(const IID& eventInterface,
                                           std::function<void(std::int32_t)> onEvent);

} // namespace davrin::shell
