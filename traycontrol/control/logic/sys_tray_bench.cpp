// Cost of one timer tick of the control logic with a shell call that does nothing.
#include "traycontrol/control/logic/sys_tray.h"

#include <benchmark/benchmark.h>

namespace {

using namespace norvane::logic;

struct NullPicture : Picture {
    explicit NullPicture(std::uint32_t h) : h_(h) {}
    std::uint32_t handle() const override { return h_; }
    std::uint32_t h_;
};
struct NullShell : TrayShell {
    bool notifyIcon(NotifyMessage, const NotifyIconData& record) override {
        benchmark::DoNotOptimize(&record);
        return true;
    }
    std::string toAnsi(std::u16string_view text) const override {
        return std::string(text.begin(), text.end());
    }
};
struct NullTimer : TrayTimer {
    void setInterval(std::uint32_t) override {}
    void setEnabled(bool) override {}
};
struct NullSite : TraySite {
    std::uint32_t windowHandle() const override { return 1; }
    void propertyChanged(std::int32_t) override {}
    void raiseEvent(std::int32_t, MouseArgs&) override {}
    void repaint() override {}
    bool pumpMessage() override { return false; }
    double twipsPerPixelX() const override { return 15; }
    void visitWebSite() override {}
};

void tick(benchmark::State& state) {
    NullShell shell;
    NullTimer timer;
    NullSite site;
    BuiltInPictures pictures;
    for (std::uint32_t n = 0; n < 12; ++n)
        pictures.ImageList1[n] = std::make_shared<NullPicture>(n + 1);
    pictures.Image1 = std::make_shared<NullPicture>(99);
    SysTray tray(shell, timer, site, pictures);
    tray.UserControl_InitProperties();
    tray.setTrayTitle(u"Davrin reminders, a title of fair length");
    tray.setTrayMode(static_cast<std::int16_t>(state.range(0)));
    tray.PlaceIcon();
    for (auto _ : state)
        tray.ctltimer_Timer();
}
BENCHMARK(tick)->Arg(1)->Arg(2)->ArgName("mode");

} // namespace

BENCHMARK_MAIN();
