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
    // Held open until the program ends: once the connection of an aborted request closes, Wine's
    // request object calls back into freed memory on the next message served.
    static LoopbackServer silent(std::nullopt);
    sms::XmlHttpRequester requester(2s);

    const std::string query = "/sms?MobileNo=919876543210&Message=Team%20call%20%26%20review%20"
                              "%233%20%2850%25%20done%29&ScheduleTime=21%3A30";
    EXPECT_EQ(requester.post("http://" + accepting.address() + query).text, "Code=120 Queued");
    EXPECT_EQ(accepting.requests(), std::vector<std::string>{"POST " + query});

    // While it waits, the thread's messages are served: the program's windows still answer.
    const UINT_PTR timer =
        SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { ++servedTicks; });
    const sms::HttpReply late = requester.post("http://" + silent.address() + "/sms?");
    KillTimer(nullptr, timer);
    EXPECT_EQ(late.text, std::nullopt);
    EXPECT_EQ(late.failure, "The gateway did not answer within 2 seconds.");
    EXPECT_GT(servedTicks, 10);
    EXPECT_EQ(silent.requests().size(), 1u);
}

} // namespace
} // namespace davrin::test
