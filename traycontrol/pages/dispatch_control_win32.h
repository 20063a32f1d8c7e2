// The selected ctlSysTray reached late-bound through its IDispatch, and its pictures.
#pragma once

#include "common/win32/handles.h"
#include "traycontrol/pages/selected_control.h"

#include <ocidl.h>
#include <olectl.h>

namespace norvane::pages {

// A picture object, as the control hands it out and takes it.
class ComPagePicture final : public PagePicture {
public:
    explicit ComPagePicture(win32::ComPtr<IPictureDisp> picture) : picture_(std::move(picture)) {}
    IPictureDisp* disp() const { return picture_.Get(); }

private:
    win32::ComPtr<IPictureDisp> picture_;
};

// The picture object behind a page picture; null for Nothing.
IPictureDisp* pictureOf(const PictureRef& picture);

class DispatchControl final : public SelectedControl {
public:
    explicit DispatchControl(win32::ComPtr<IDispatch> control) : control_(std::move(control)) {}
    PropertyValue get(Property property) const override;
    void set(Property property, const PropertyValue& value) override;

private:
    win32::ComPtr<IDispatch> control_;
};

} // namespace norvane::pages
