// Wine tests of ctlSysTray in the real shell: placement, mouse events, notifications, painting.
#include "com_test_support_win32.h"

#include <gtest/gtest.h>

namespace norvane::test {
namespace {

ComPtr<IDispatch> createControl() {
    ComPtr<IDispatch> control;
    EXPECT_EQ(CoCreateInstance(guid(kClsidCtlSysTray), nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(&control)),
              S_OK);
    return control;
}

BOOL CALLBACK findControlWindow(HWND window, LPARAM out) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) != L"NorvaneTrayWindow")
        return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
}

// The control's hidden window: the only window of its class created by this thread.
HWND controlWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findControlWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

double twipsPerPixel() {
    ScreenDc screen(GetDC(nullptr));
    return 1440.0 / GetDeviceCaps(screen.get(), LOGPIXELSX);
}

class Connection {
public:
    Connection(IDispatch* control, REFIID iid, IUnknown* sink) {
        ComPtr<IConnectionPointContainer> container;
        EXPECT_EQ(control->QueryInterface(IID_PPV_ARGS(&container)), S_OK);
        EXPECT_EQ(container->FindConnectionPoint(iid, &point_), S_OK);
        EXPECT_EQ(point_->Advise(sink, &cookie_), S_OK);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { EXPECT_EQ(point_->Unadvise(cookie_), S_OK); }

private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

bool method(IDispatch* control, DISPID id) {
    Call call;
    invoke(control, id, DISPATCH_METHOD, {}, call);
    return call.hr == S_OK && V_BOOL(&call.result) == VARIANT_TRUE;
}

TEST(Shell, AnimatedIconIsPlacedInTheRealTrayAndRemovedWithTheControl) {
    const auto control = createControl();
    Call mode;
    invoke(control.Get(), dispid::TrayMode, DISPATCH_PROPERTYPUT, {vI2(2)}, mode);
    EXPECT_TRUE(method(control.Get(), dispid::PlaceIcon));
    EXPECT_TRUE(method(control.Get(), dispid::PlaceIcon)); // already placed
    // Let a few animation ticks run through the shell.
    for (int i = 0; i < 12; ++i) {
        pumpMessages();
        Sleep(50);
    }
    // The shell announces a restart: the icon stays placed, so refreshing it still works.
    SendMessageW(controlWindow(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(method(control.Get(), dispid::RefreshIcon));
    EXPECT_TRUE(method(control.Get(), dispid::EliminateIcon));
    EXPECT_FALSE(method(control.Get(), dispid::RefreshIcon));
}

TEST(Events, NineNotificationCodesRaiseNineEventsInOrder) {
    const auto control = createControl();
    ASSERT_TRUE(method(control.Get(), dispid::PlaceIcon));
    RecordingSink sink;
    Connection events(control.Get(), guid(kDiidCtlSysTrayEvents), static_cast<IDispatch*>(&sink));
    const HWND window = controlWindow();
    ASSERT_NE(window, nullptr);

    for (LPARAM code = 0x0200; code <= 0x020A; ++code)
        PostMessageW(window, WM_MOUSEMOVE, 0, code);
    pumpMessages();
    const DISPID order[] = {
        eventid::TrMouseLeftDown,  eventid::TrMouseLeftUp,  eventid::TrMouseLeftDblClk,
        eventid::TrMouseRightDown, eventid::TrMouseRightUp, eventid::TrMouseRighDblClk,
        eventid::TrMouseMidDown,   eventid::TrMouseMidUp,   eventid::TrMouseMidDblClk};
    ASSERT_EQ(sink.events.size(), std::size(order));
    const double tpp = twipsPerPixel();
    for (std::size_t i = 0; i < std::size(order); ++i) {
        EXPECT_EQ(sink.events[i].id, order[i]);
        EXPECT_FLOAT_EQ(sink.events[i].X, static_cast<float>((0x201 + i) * tpp));
        EXPECT_EQ(sink.events[i].y, 0.0f);
    }

    // With swTrayMouse False nothing is raised; the switch is read anew for each notification.
    Call off, on;
    invoke(control.Get(), dispid::swTrayMouse, DISPATCH_PROPERTYPUT, {vBool(false)}, off);
    PostMessageW(window, WM_MOUSEMOVE, 0, 0x0205);
    pumpMessages();
    EXPECT_EQ(sink.events.size(), std::size(order));
    invoke(control.Get(), dispid::swTrayMouse, DISPATCH_PROPERTYPUT, {vBool(true)}, on);
    sink.changeArguments = true; // a handler changing its arguments changes nothing for others
    PostMessageW(window, WM_MOUSEMOVE, 0, 0x0205);
    PostMessageW(window, WM_MOUSEMOVE, 0, 0x0205);
    pumpMessages();
    ASSERT_EQ(sink.events.size(), std::size(order) + 2);
    EXPECT_EQ(sink.events.back().id, eventid::TrMouseRightUp);
    EXPECT_FLOAT_EQ(sink.events.back().X, static_cast<float>(0x205 * tpp));
    method(control.Get(), dispid::EliminateIcon);
}

TEST(Events, EverySetterNotifiesThePropertyNotifySinkWithItsDispid) {
    const auto control = createControl();
    RecordingSink sink;
    Connection notify(control.Get(), IID_IPropertyNotifySink,
                      static_cast<IPropertyNotifySink*>(&sink));
    Call pic;
    invoke(control.Get(), dispid::Pic05, DISPATCH_PROPERTYGET, {}, pic);
    const std::pair<DISPID, VARIANT> sets[] = {
        {dispid::swTrayMouse, vBool(true)}, {dispid::swTrayText, vBool(false)},
        {dispid::FlashCycle, vR8(1)},       {dispid::AnimCycle, vR8(1)},
        {dispid::FrameCount, vI2(3)},       {dispid::TrayMode, vI2(1)},
        {dispid::Image, pic.result},        {dispid::Pic01, pic.result}};
    std::vector<DISPID> expected;
    for (const auto& [id, value] : sets) {
        Call call;
        const bool byRef = V_VT(&value) == VT_DISPATCH;
        invoke(control.Get(), id, byRef ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT, {value},
               call);
        EXPECT_EQ(call.hr, S_OK);
        expected.push_back(id);
    }
    EXPECT_EQ(sink.changed, expected);
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
    ScreenDc screen(GetDC(nullptr));
    EXPECT_EQ(extent.cx, MulDiv(32, 2540, GetDeviceCaps(screen.get(), LOGPIXELSX)));
    EXPECT_EQ(viewExtent.cy, extent.cy);

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
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if ((pixels[y * 32 + x] & 0xFFFFFF) != 0xFFFFFF)
                ++painted[(y / 16) * 2 + x / 16];
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
} // namespace norvane::test
