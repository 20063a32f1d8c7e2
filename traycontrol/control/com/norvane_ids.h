// Fixed identities of Norvane.dll: GUIDs, ProgID and dispatch numbers a host binds to (no
// windows.h).
#pragma once

#include <cstdint>

namespace norvane {

// Same memory layout as the Windows GUID, so a host can reinterpret or memcpy it into a GUID.
struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

// Never change these: hosts and saved forms bind to them.
inline constexpr Guid kLibId{
    0xDBA3605D, 0x0AD1, 0x4E06, {0x9F, 0x27, 0x2E, 0xC5, 0x80, 0x76, 0x93, 0x50}};
inline constexpr Guid kIidCtlSysTray{
    0xEA88E587, 0x14D5, 0x405C, {0xA0, 0x26, 0x70, 0xFE, 0x42, 0x42, 0x83, 0xE8}};
inline constexpr Guid kClsidCtlSysTray{
    0x58C21921, 0x3704, 0x4395, {0x9C, 0x49, 0xDC, 0x50, 0xE4, 0x8B, 0x82, 0xC8}};
inline constexpr Guid kDiidCtlSysTrayEvents{
    0x56A670CB, 0xA594, 0x4CDD, {0xB2, 0x9B, 0x7C, 0x80, 0x03, 0xFA, 0xF1, 0x1C}};
inline constexpr Guid kIidSysTrayTest{
    0x07859402, 0xEFC1, 0x47E8, {0x91, 0x3F, 0x44, 0xC1, 0x2F, 0x96, 0xD1, 0x5F}};
inline constexpr Guid kClsidSysTrayTest{
    0xE0D1595F, 0xBDA2, 0x42FF, {0x98, 0x46, 0x10, 0xBB, 0x25, 0x67, 0x6D, 0x1D}};
inline constexpr Guid kIidSysTrayText{
    0xF119D574, 0x4923, 0x4750, {0xBF, 0xB4, 0x86, 0x54, 0xD4, 0x5B, 0x87, 0xF0}};
inline constexpr Guid kClsidSysTrayText{
    0xD07E4418, 0x40F1, 0x4145, {0x98, 0x70, 0x68, 0x84, 0x6A, 0x45, 0xFF, 0x6E}};

// Text forms, as registry keys and activation-context manifests spell them.
inline constexpr char kLibIdText[] = "{DBA3605D-0AD1-4E06-9F27-2EC580769350}";
inline constexpr char kClsidCtlSysTrayText[] = "{58C21921-3704-4395-9C49-DC50E48B82C8}";
inline constexpr char kProgId[] = "Norvane.ctlSysTray";
inline constexpr char kDllName[] = "Norvane.dll";

// Dispatch numbers of _ctlSysTray, for late-bound calls.
namespace dispid {
inline constexpr std::int32_t PlaceIcon = 0x6003001A;
inline constexpr std::int32_t RestoreIcon = 0x6003001B;
inline constexpr std::int32_t EliminateIcon = 0x6003001C;
inline constexpr std::int32_t RefreshIcon = 0x6003001D;
inline constexpr std::int32_t TrayTitle = 0x68030012;
inline constexpr std::int32_t swTrayMouse = 0x68030011;
inline constexpr std::int32_t swTrayText = 0x68030010;
inline constexpr std::int32_t Image = 0x6803000F;
inline constexpr std::int32_t FlashCycle = 0x6803000E;
inline constexpr std::int32_t AnimCycle = 0x6803000D;
inline constexpr std::int32_t FrameCount = 0x6803000C;
inline constexpr std::int32_t Pic01 = 0x6803000B;
inline constexpr std::int32_t Pic02 = 0x6803000A;
inline constexpr std::int32_t Pic03 = 0x68030009;
inline constexpr std::int32_t Pic04 = 0x68030008;
inline constexpr std::int32_t Pic05 = 0x68030007;
inline constexpr std::int32_t Pic06 = 0x68030006;
inline constexpr std::int32_t Pic07 = 0x68030005;
inline constexpr std::int32_t Pic08 = 0x68030004;
inline constexpr std::int32_t Pic09 = 0x68030003;
inline constexpr std::int32_t Pic10 = 0x68030002;
inline constexpr std::int32_t TrayMode = 0x68030001;
inline constexpr std::int32_t GoWeb = 0x68030000;

constexpr std::int32_t pic(int n) {
    return Pic01 - (n - 1);
} // n = 1 ... 10
} // namespace dispid

// Dispatch numbers of the event interface __ctlSysTray. Every event passes Button, Shift (VT_I2)
// and X, y (VT_R4), all by reference, in that order (so rgvarg[3] is Button).
namespace eventid {
inline constexpr std::int32_t TrMouseLeftUp = 1;
inline constexpr std::int32_t TrMouseLeftDown = 2;
inline constexpr std::int32_t TrMouseLeftDblClk = 3;
inline constexpr std::int32_t TrMouseRightUp = 4;
inline constexpr std::int32_t TrMouseRightDown = 5;
inline constexpr std::int32_t TrMouseRighDblClk = 6;
inline constexpr std::int32_t TrMouseMidUp = 7;
inline constexpr std::int32_t TrMouseMidDown = 8;
inline constexpr std::int32_t TrMouseMidDblClk = 9;
} // namespace eventid

} // namespace norvane

/* Registration-free activation: the host's application manifest names the DLL beside it.

  <file name="Norvane.dll">
    <comClass clsid="{58C21921-3704-4395-9C49-DC50E48B82C8}" progid="Norvane.ctlSysTray"
              threadingModel="Apartment" tlbid="{DBA3605D-0AD1-4E06-9F27-2EC580769350}"/>
    <typelib tlbid="{DBA3605D-0AD1-4E06-9F27-2EC580769350}" version="1.0" helpdir=""/>
  </file>

  Persisted properties a host may put into its property bag: "TrayTitle" (VT_BSTR),
  "swTrayMouse", "swTrayText", "GoWeb" (VT_BOOL), "FlashCycle", "AnimCycle" (VT_R8),
  "FrameCount", "TrayMode" (VT_I2), "Pic01" ... "Pic10", "Image" (pictures).
*/
