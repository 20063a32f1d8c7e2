// Wine tests of ctlSysTray in the real shell: placement, mouse events, notifications, painting.
#include "traycontrol/control/com/com_support_win32_test.h"

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

TEST(Events, NineNotificationCodesRaiseNineEventsInOrder) {
    const auto control = createControl();
    ASSERT_EQ(method(control.Get(), dispid::PlaceIcon), VARIANT_TRUE);
    RecordingSink sink;
    Connection events(control.Get(), guid(kDiidCtlSysTrayEvents), static_cast<IDispatch*>(&sink));
    const HWND window = controlWindow();
    ASSERT_NE(window, nullptr);
    auto post = [&](LPARAM code) { PostMessageW(window, WM_MOUSEMOVE, 0, code); };

    for (LPARAM code = 0x0200; code <= 0x020A; ++code)
        post(code);
    pumpMessages();
    const DISPID order[] = {
        eventid::TrMouseLeftDown,  eventid::TrMouseLeftUp,  eventid::TrMouseLeftDblClk,
        eventid::TrMouseRightDown, eventid::TrMouseRightUp, eventid::TrMouseRighDblClk,
        eventid::TrMouseMidDown,   eventid::TrMouseMidUp,   eventid::TrMouseMidDblClk};
    ASSERT_EQ(sink.events.size(), std::size(order));
    const win32::WindowDc screen;
    const double tpp = 1440.0 / GetDeviceCaps(screen.get(), LOGPIXELSX);
    for (std::size_t i = 0; i < std::size(order); ++i) {
        EXPECT_EQ(sink.events[i].id, order[i]);
        EXPECT_FLOAT_EQ(sink.events[i].X, static_cast<float>(static_cast<double>(0x201 + i) * tpp));
        EXPECT_EQ(sink.events[i].y, 0.0f);
    }

    // With swTrayMouse False nothing is raised; the switch is read anew for each notification.
    put(control.Get(), dispid::swTrayMouse, arg(VT_BOOL, 0));
    post(0x0205);
    pumpMessages();
    EXPECT_EQ(sink.events.size(), std::size(order));
    put(control.Get(), dispid::swTrayMouse, arg(VT_BOOL, 1));
    sink.changeArguments = true; // a handler changing its arguments changes nothing for others
    post(0x0205);
    post(0x0205);
    pumpMessages();
    ASSERT_EQ(sink.events.size(), std::size(order) + 2);
    EXPECT_EQ(sink.events.back().id, eventid::TrMouseRightUp);
    EXPECT_FLOAT_EQ(sink.events.back().X, static_cast<float>(0x205 * tpp));
    method(control.Get(), dispid::EliminateIcon);
}

// Which setter reports which number is the logic's and tested natively.
TEST(Events, SettersByValueAndByReferenceNotifyThePropertyNotifySink) {
    const auto control = createControl();
    RecordingSink sink;
    Connection notify(control.Get(), IID_IPropertyNotifySink,
                      static_cast<IPropertyNotifySink*>(&sink));
    const Variant pic = get(control.Get(), dispid::Pic05);
    EXPECT_EQ(put(control.Get(), dispid::FrameCount, arg(VT_I2, 3)), S_OK);
    EXPECT_EQ(put(control.Get(), dispid::Pic01, pic), S_OK);
    EXPECT_EQ(sink.changed, (std::vector<DISPID>{dispid::FrameCount, dispid::Pic01}));
    ComPtr<IPersistStreamInit> persist;
    control.As(&persist);
    EXPECT_EQ(persist->IsDirty(), S_OK);
}

TEST(Site, ViewPaintsTheStaticPictureOver32PixelsAndNamesThePages) {
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

    ComPtr<ISpecifyPropertyPages> pages;
    ASSERT_EQ(control.As(&pages), S_OK);
    CAUUID list{};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    ASSERT_EQ(list.cElems, 2u);
    EXPECT_EQ(list.pElems[0], guid(kClsidSysTrayText));
    EXPECT_EQ(list.pElems[1], guid(kClsidSysTrayTest));
    CoTaskMemFree(list.pElems);

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

} // namespace
} // namespace norvane::com
