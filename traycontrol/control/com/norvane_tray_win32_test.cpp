// Wine tests of ctlSysTray in the real shell: placement, mouse events, notifications, painting.
#include "traycontrol/control/com/com_support_win32_test.h"

#include "traycontrol/control/com/categorize_properties_win32.h"
#include "traycontrol/control/icons/icon_ids.h"

namespace norvane::com {
namespace {

// The control's hidden window: the one of its class that belongs to this thread.
HWND controlWindow() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"NorvaneTrayWindow", nullptr)) &&
           GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
    }
    return window;
}

TEST(Shell, AnimatedIconIsPlacedInTheRealTrayAndRemovedWithTheControl) {
    const auto control = createControl();
    IDispatch* c = control.Get();
    EXPECT_EQ(put(c, dispid::TrayMode, arg(VT_I2, 2)), S_OK);
    EXPECT_EQ(method(c, dispid::PlaceIcon), VARIANT_TRUE);
    EXPECT_EQ(method(c, dispid::PlaceIcon), VARIANT_TRUE); // already placed
    for (int i = 0; i < 12; ++i) { // a few animation ticks through the shell
        pumpMessages();
        Sleep(50);
    }
    // The shell announces a restart: the icon stays placed, so refreshing it still works.
    SendMessageW(controlWindow(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(method(c, dispid::RefreshIcon), VARIANT_TRUE);
    EXPECT_EQ(method(c, dispid::EliminateIcon), VARIANT_TRUE);
    EXPECT_EQ(method(c, dispid::RefreshIcon), VARIANT_FALSE);
}

// Which code raises which event, and which setter reports which number, is the logic's and tested
// natively; here the window's notification reaches the sink in twips, the mouse switch is read
// anew for each one, and setters by value and by reference reach the property notify sink.
TEST(Events, NotificationsAndPropertyChangesReachTheSinks) {
    const auto control = createControl();
    IDispatch* c = control.Get();
    ASSERT_EQ(method(c, dispid::PlaceIcon), VARIANT_TRUE);
    RecordingSink sink;
    Connection events(c, guid(kDiidCtlSysTrayEvents), static_cast<IDispatch*>(&sink));
    Connection notify(c, IID_IPropertyNotifySink, static_cast<IPropertyNotifySink*>(&sink));
    const HWND window = controlWindow();
    ASSERT_NE(window, nullptr);
    for (const int on : {1, 0, 1}) {
        put(c, dispid::swTrayMouse, arg(VT_BOOL, on));
        PostMessageW(window, WM_MOUSEMOVE, 0, WM_RBUTTONUP);
        pumpMessages();
    }
    const win32::WindowDc screen;
    const double tpp = 1440.0 / GetDeviceCaps(screen.get(), LOGPIXELSX);
    ASSERT_EQ(sink.events.size(), 2u);
    for (const auto& event : sink.events) {
        EXPECT_EQ(event.id, eventid::TrMouseRightUp);
        EXPECT_FLOAT_EQ(event.X, static_cast<float>(WM_RBUTTONUP * tpp));
        EXPECT_EQ(event.y, 0.0f);
    }
    EXPECT_EQ(put(c, dispid::Pic01, get(c, dispid::Pic05)), S_OK);
    EXPECT_EQ(sink.changed, (std::vector<DISPID>{dispid::swTrayMouse, dispid::swTrayMouse,
                                                 dispid::swTrayMouse, dispid::Pic01}));
    ComPtr<IPersistStreamInit> persist;
    control.As(&persist);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    method(c, dispid::EliminateIcon);
}

TEST(Site, ViewPaintsTheStaticPictureOver32PixelsAndDesignersFindThePages) {
    const auto control = createControl();
    ComPtr<IViewObject2> view;
    ASSERT_EQ(control.As(&view), S_OK);
    ComPtr<IOleObject> ole;
    ASSERT_EQ(control.As(&ole), S_OK);
    SIZEL extent{}, viewExtent{};
    EXPECT_EQ(ole->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
    EXPECT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &viewExtent), S_OK);
    const win32::WindowDc screen;
    EXPECT_EQ(extent.cx, MulDiv(32, 2540, GetDeviceCaps(screen.get(), LOGPIXELSX)));
    EXPECT_EQ(viewExtent.cy, extent.cy);
    // A container asking for another size is refused, so it lays the control out at 32 x 32.
    SIZEL larger{extent.cx * 3, extent.cy * 2};
    EXPECT_EQ(ole->SetExtent(DVASPECT_CONTENT, &larger), E_FAIL);
    EXPECT_EQ(ole->SetExtent(DVASPECT_CONTENT, &extent), S_OK);

    // Paint onto white and find the picture's pixels in all four quarters of the 32 x 32 area.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::fill(pixels, pixels + 32 * 32, 0x00FFFFFFu);
    const RECTL bounds{0, 0, 32, 32};
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr,
                         nullptr, 0),
              S_OK);
    GdiFlush();
    int painted[4] = {};
    for (int p = 0; p < 32 * 32; ++p)
        painted[(p / 512) * 2 + (p % 32) / 16] += (pixels[p] & 0xFFFFFF) != 0xFFFFFF;
    for (int quarter : painted)
        EXPECT_GT(quarter, 0);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);

    // Design environments group the properties and open the page that edits one.
    ComPtr<ICategorizeProperties> categories;
    ComPtr<IPerPropertyBrowsing> browsing;
    ASSERT_EQ(control.As(&categories), S_OK);
    ASSERT_EQ(control.As(&browsing), S_OK);
    PROPCAT category = 0;
    EXPECT_EQ(categories->MapPropertyToCategory(dispid::TrayMode, &category), S_OK);
    Bstr name;
    EXPECT_EQ(categories->GetCategoryName(category, 0, name.put()), S_OK);
    EXPECT_STREQ(name.get(), L"Behavior");
    EXPECT_EQ(categories->MapPropertyToCategory(dispid::FlashCycle, &category), E_FAIL);
    CLSID page{};
    EXPECT_EQ(browsing->MapPropertyToPage(dispid::Image, &page), S_OK);
    EXPECT_EQ(page, guid(kClsidSysTrayTest));

    ComPtr<IProvideClassInfo2> classInfo;
    ASSERT_EQ(control.As(&classInfo), S_OK);
    GUID source{};
    EXPECT_EQ(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    EXPECT_EQ(source, guid(kDiidCtlSysTrayEvents));
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(classInfo->GetClassInfo(&coclass), S_OK);
    TYPEATTR* attr = nullptr;
    coclass->GetTypeAttr(&attr);
    EXPECT_EQ(attr->guid, guid(kClsidCtlSysTray));
    coclass->ReleaseTypeAttr(attr);
}

// The DLL carries each built-in icon at both sizes the shell asks for (the blank only small); what
// they look like is checked natively on the generated files.
TEST(Resources, EveryBuiltInIconHoldsItsSixteenAndThirtyTwoPixelImages) {
    const HMODULE module = GetModuleHandleW(L"Norvane.dll");
    ASSERT_NE(module, nullptr);
    for (int id :
         {IDI_FRAME01, IDI_FRAME02, IDI_FRAME03, IDI_FRAME04, IDI_FRAME05, IDI_FRAME06, IDI_FRAME07,
          IDI_FRAME08, IDI_FRAME09, IDI_FRAME10, IDI_STATIC, IDI_SPARE, IDI_BLANK}) {
        for (const LONG size : {16, 32}) {
            HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
            ASSERT_NE(group, nullptr) << id;
            auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
            const int image = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, 0);
            HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(image), RT_ICON);
            ASSERT_NE(found, nullptr) << id;
            const auto* header =
                static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
            EXPECT_EQ(header->biWidth, id == IDI_BLANK ? 16 : size) << id;
        }
    }
}

} // namespace
} // namespace norvane::com
