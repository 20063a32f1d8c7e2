// Picture wrappers and the built-in icons loaded from the DLL's resources.
#include "traycontrol/control/com/pictures_win32.h"

#include "traycontrol/control/icons/icon_ids.h"
#include "traycontrol/control/module/norvane_module_win32.h"

#include <new>

namespace norvane::com {

namespace {
std::uint32_t handleOfPicture(IPictureDisp* disp) {
    ComPtr<IPicture> picture;
    OLE_HANDLE handle = 0;
    if (SUCCEEDED(disp->QueryInterface(IID_PPV_ARGS(&picture))) &&
        SUCCEEDED(picture->get_Handle(&handle)))
        return handle;
    // A picture of another implementation: its default property is the handle.
    Variant result;
    DISPPARAMS none{};
    if (SUCCEEDED(disp->Invoke(DISPID_PICT_HANDLE, IID_NULL, LOCALE_USER_DEFAULT,
                               DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr)) &&
        SUCCEEDED(VariantChangeType(&result, &result, 0, VT_UI4)))
        return V_UI4(&result);
    return 0;
}

PicturePtr iconPicture(int resourceId, int side) {
    auto* icon = static_cast<HICON>(LoadImageW(module::instance(), MAKEINTRESOURCEW(resourceId),
                                               IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
    if (!icon)
        return nullptr;
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_ICON;
    description.icon.hicon = icon;
    ComPtr<IPictureDisp> picture;
    if (FAILED(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE,
                                        reinterpret_cast<void**>(picture.GetAddressOf())))) {
        DestroyIcon(icon);
        return nullptr;
    }
    return std::make_shared<ComPicture>(std::move(picture));
}
} // namespace

ComPicture::ComPicture(ComPtr<IPictureDisp> picture)
    : picture_(std::move(picture)), handle_(handleOfPicture(picture_.Get())) {}

PicturePtr wrapPicture(IPictureDisp* picture) {
    return picture ? std::make_shared<ComPicture>(picture) : nullptr;
}

PicturePtr wrapPicture(IUnknown* object) {
    ComPtr<IPictureDisp> picture;
    if (!object || FAILED(object->QueryInterface(IID_PPV_ARGS(&picture))))
        return nullptr;
    return std::make_shared<ComPicture>(std::move(picture));
}

IPictureDisp* unwrapPicture(const PicturePtr& p) {
    const auto* picture = dynamic_cast<const ComPicture*>(p.get());
    if (!picture)
        return nullptr;
    picture->disp()->AddRef();
    return picture->disp();
}

PicturePtr emptyPicture() {
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_NONE;
    ComPtr<IPictureDisp> picture;
    if (FAILED(OleCreatePictureIndirect(&description, IID_IPictureDisp, FALSE,
                                        reinterpret_cast<void**>(picture.GetAddressOf()))))
        throw std::bad_alloc();
    return std::make_shared<ComPicture>(std::move(picture));
}

BuiltInPictures loadBuiltInPictures() {
    // The tray shows small icons; load that size so the shell need not scale.
    const int side = GetSystemMetrics(SM_CXSMICON);
    const int ids[] = {IDI_FRAME01, IDI_FRAME02, IDI_FRAME03, IDI_FRAME04, IDI_FRAME05, IDI_FRAME06,
                       IDI_FRAME07, IDI_FRAME08, IDI_FRAME09, IDI_FRAME10, IDI_STATIC,  IDI_SPARE};
    BuiltInPictures pictures;
    for (std::size_t i = 0; i < pictures.ImageList1.size(); ++i)
        pictures.ImageList1[i] = iconPicture(ids[i], side);
    pictures.Image1 = iconPicture(IDI_BLANK, 16);
    return pictures;
}

} // namespace norvane::com
