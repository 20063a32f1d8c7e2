// Picture objects at the control's interface, and the built-in icons as real pictures.
#pragma once

#include "common/win32/handles.h"
#include "traycontrol/control/logic/sys_tray_ports.h"

#include <ocidl.h>
#include <olectl.h>

namespace norvane::com {

using logic::BuiltInPictures;
using logic::Picture;
using logic::PicturePtr;
using win32::Bstr;
using win32::ComPtr;
using win32::Variant;

// A host's or our own IPictureDisp, shared by reference count.
class ComPicture final : public Picture {
public:
    explicit ComPicture(ComPtr<IPictureDisp> picture);
    std::uint32_t handle() const override { return handle_; }
    IPictureDisp* disp() const { return picture_.Get(); }

private:
    ComPtr<IPictureDisp> picture_;
    std::uint32_t handle_ = 0;
};

PicturePtr wrapPicture(IPictureDisp* picture);    // Nothing stays Nothing
PicturePtr wrapPicture(IUnknown* object);         // from a VARIANT; not a picture is Nothing
IPictureDisp* unwrapPicture(const PicturePtr& p); // adds a reference; Nothing is null
PicturePtr emptyPicture(); // a picture object with no image (handle 0); throws std::bad_alloc

// ImageList1 (entries 1 ... 12) and the blank Image1, loaded from the module's icon resources.
BuiltInPictures loadBuiltInPictures();

} // namespace norvane::com
