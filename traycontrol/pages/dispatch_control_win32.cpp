// Late-bound gets and sets on the selected control; a refusal carries the control's own reason.
#include "traycontrol/pages/dispatch_control_win32.h"

#include "traycontrol/control/com/norvane_ids.h"
#include "traycontrol/pages/page_text_win32.h"

#include <stdexcept>

namespace norvane::pages {

namespace {
DISPID dispidOf(Property property) {
    switch (property) {
    case Property::TrayTitle:
        return dispid::TrayTitle;
    case Property::swTrayText:
        return dispid::swTrayText;
    case Property::swTrayMouse:
        return dispid::swTrayMouse;
    case Property::GoWeb:
        return dispid::GoWeb;
    case Property::TrayMode:
        return dispid::TrayMode;
    case Property::FlashCycle:
        return dispid::FlashCycle;
    case Property::AnimCycle:
        return dispid::AnimCycle;
    case Property::FrameCount:
        return dispid::FrameCount;
    case Property::Image:
        return dispid::Image;
    default: // Pic01 ... Pic10 count down from Pic01's number
        return dispid::Pic01 - (static_cast<int>(property) - static_cast<int>(Property::Pic01));
    }
}

HRESULT call(IDispatch* control, Property property, WORD flags, VARIANT* argument,
             VARIANT* result) {
    DISPID named = DISPID_PROPERTYPUT;
    const bool put = argument != nullptr;
    DISPPARAMS params{argument, put ? &named : nullptr, put ? 1u : 0u, put ? 1u : 0u};
    EXCEPINFO exception{};
    UINT argError = 0;
    const HRESULT hr = control->Invoke(dispidOf(property), IID_NULL, LOCALE_USER_DEFAULT, flags,
                                       &params, result, &exception, &argError);
    if (SUCCEEDED(hr))
        return hr;
    win32::Bstr source, help, description; // owned from here on
    *source.put() = exception.bstrSource;
    *help.put() = exception.bstrHelpFile;
    *description.put() = exception.bstrDescription;
    std::string why = std::string(propertyName(property)) + ": ";
    why += description.get() ? utf8(description.get()) : systemMessage(static_cast<DWORD>(hr));
    throw std::runtime_error(why);
}
} // namespace

IPictureDisp* pictureOf(const PictureRef& picture) {
    const auto* com = dynamic_cast<const ComPagePicture*>(picture.get());
    return com ? com->disp() : nullptr;
}

PropertyValue DispatchControl::get(Property property) const {
    win32::Variant value;
    call(control_.Get(), property, DISPATCH_PROPERTYGET, nullptr, &value);
    switch (V_VT(&value)) {
    case VT_BSTR:
        return utf8(V_BSTR(&value) ? V_BSTR(&value) : L"");
    case VT_BOOL:
        return V_BOOL(&value) != VARIANT_FALSE;
    case VT_I2:
        return static_cast<std::int16_t>(V_I2(&value));
    case VT_R8:
        return V_R8(&value);
    case VT_DISPATCH: {
        win32::ComPtr<IPictureDisp> picture;
        if (V_DISPATCH(&value))
            V_DISPATCH(&value)->QueryInterface(IID_PPV_ARGS(&picture));
        return PictureRef(picture ? std::make_shared<ComPagePicture>(picture) : nullptr);
    }
    default:
        throw std::runtime_error(std::string(propertyName(property)) +
                                 ": answered a value of an unexpected type");
    }
}

void DispatchControl::set(Property property, const PropertyValue& value) {
    win32::Variant argument;
    WORD flags = DISPATCH_PROPERTYPUT;
    if (const auto* text = std::get_if<std::string>(&value)) {
        V_VT(&argument) = VT_BSTR;
        V_BSTR(&argument) = SysAllocString(wide(*text).c_str());
    } else if (const auto* flag = std::get_if<bool>(&value)) {
        V_VT(&argument) = VT_BOOL;
        V_BOOL(&argument) = *flag ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (const auto* number = std::get_if<std::int16_t>(&value)) {
        V_VT(&argument) = VT_I2;
        V_I2(&argument) = *number;
    } else if (const auto* real = std::get_if<double>(&value)) {
        V_VT(&argument) = VT_R8;
        V_R8(&argument) = *real;
    } else {
        flags = DISPATCH_PROPERTYPUTREF;
        V_VT(&argument) = VT_DISPATCH;
        V_DISPATCH(&argument) = pictureOf(std::get<PictureRef>(value));
        if (V_DISPATCH(&argument))
            V_DISPATCH(&argument)->AddRef();
    }
    call(control_.Get(), property, flags, &argument, nullptr);
}

} // namespace norvane::pages
