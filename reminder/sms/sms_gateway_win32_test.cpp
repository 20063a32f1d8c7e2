// The platform's request object against a gateway stand-in on 127.0.0.1: what goes out, and a
// gateway that never answers (under Wine, one that cannot be reached fails the same way).
#include "reminder/shell/kelvor_process_win32_test.h"
#include "reminder/sms/xml_http_requester_win32.h"

#include <objbase.h>

#include <gtest/gtest.h>

namespace davrin::test {
namespace {

int servedTicks = 0;

TEST(XmlHttpRequesterTest, PostsTheTargetAsWrittenAndGivesUpOnAGatewayThatDoesNotAnswer) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    LoopbackServer accepting("Code=120 Queued");
    auto silent = std::make_unique<LoopbackServer>(std::nullopt);
    sms::XmlHttpRequester requester(2s);

    const std::string query = "/sms?MobileNo=919876543210&Message=Team%20call%20%26%20review%20"
                              "%233%20%2850%25%20done%29&ScheduleTime=21%3A30";
    EXPECT_EQ(requester.post("http://" + accepting.address() + query).text, "Code=120 Queued");
    EXPECT_EQ(accepting.requests(), std::vector<std::string>{"POST " + query});

    // While it waits, the thread's messages are served: the program's windows still answer.
    const UINT_PTR timer =
        SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { ++servedTicks; });
    const sms::HttpReply late = requester.post("http://" + silent->address() + "/sms?");
    KillTimer(nullptr, timer);
    EXPECT_EQ(late.text, std::nullopt);
    EXPECT_EQ(late.failure, "The gateway did not answer within 2 seconds.");
    EXPECT_GT(servedTicks, 10);
    EXPECT_EQ(silent->requests().size(), 1u);

    // The gateway that kept the request waiting hangs up later; the program goes on serving its
    // messages and posting.
    silent.reset();
    const auto end = std::chrono::steady_clock::now() + 2s;
    for (MSG msg; std::chrono::steady_clock::now() < end;) {
        MsgWaitForMultipleObjectsEx(0, nullptr, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    EXPECT_EQ(requester.post("http://" + accepting.address() + query).text, "Code=120 Queued");
}

} // namespace
} // namespace davrin::test
