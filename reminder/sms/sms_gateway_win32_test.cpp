// The real KELVOR.exe posts SMS reminders through the platform's request object to a gateway
// stand-in on 127.0.0.1: unreachable, refusing, silent, then accepting.
#include "reminder/shell/kelvor_process_win32_test.h"

#include "reminder/sms/credentials_file.h"
#include "reminder/store/clock.h"
#include "reminder/store/reminder_statements.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <iostream>
#include <optional>

namespace davrin::test {
namespace {

// A gateway address on 127.0.0.1 and the request lines its stand-in received.
std::string gatewayAddress(const LoopbackServer& gateway) {
    return "http://" + gateway.address() + "/sms?";
}

// An address on which nothing listens: its port was free a moment ago.
std::string unreachableAddress() {
    const LoopbackServer gone("never");
    return gatewayAddress(gone);
}

HWND smsBoxOf(DWORD process) {
    return waitForWindow([process] { return topWindowOf(process, L"#32770", L"Davrin"); }, 30s);
}

std::string boxText(HWND box) {
    const std::wstring text = textOf(GetDlgItem(box, 0xFFFF));
    return std::string(text.begin(), text.end());
}

int handedOver(const std::filesystem::path& database) {
    return static_cast<int>(queryInt(store::openDatabase(database),
                                     "SELECT COUNT(*) FROM OTReminder WHERE SMSStatus = 1"));
}

TEST(SmsGatewayTest, RealProgramPostsEachDueOccurrenceAndTellsFailuresOnce) {
    ProgramFolder folder;
    const store::LocalDateTime first =
        store::LocalDateTime(store::SystemClock().now().date(), std::chrono::minutes(21 * 60 + 30))
            .addDays(1);
    const std::array<store::LocalDateTime, 3> series{first, first.addDays(7), first.addDays(14)};
    const std::string message = "Team call & review #3 (50% done)";
    {
        const store::Connection conn = store::openDatabase(folder.database());
        store::saveSettings(conn, {15, "9876543210", ""});
        store::insertRecurringReminder(
            conn, {message, first, store::RepeatKind::Weekly, 3, std::nullopt, 1}, series);
    }
    auto useGateway = [&](const std::string& address) {
        const std::array<std::string_view, sms::fieldCount> fields{
            address, "CDMA", "er", "", "ss", "DAVRIN", "pa", "us", "wd"};
        writeFile(folder / "Reminder.dat", sms::fileText(fields));
    };
    auto close = [](HWND box) {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(waitUntilGone(box));
    };
    LoopbackServer refusing("Code=101 Invalid login");
    LoopbackServer silent(std::nullopt);
    LoopbackServer accepting("Code=120 Queued");
    const std::string unreachable = unreachableAddress();

    useGateway(unreachable);
    KelvorProcess program(folder.path());
    HWND box = smsBoxOf(program.id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(boxText(box).rfind("Unable to connect to Server...\n\n" + unreachable, 0), 0u)
        << boxText(box);

    useGateway(gatewayAddress(refusing));
    close(box);
    box = smsBoxOf(program.id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(boxText(box).rfind("Error Code=101\r\n", 0), 0u) << boxText(box);
    // Ticks keep coming every 300 ms; none may start a run while the box is open.
    Sleep(1000);
    EXPECT_EQ(refusing.requests().size(), 1u);

    useGateway(gatewayAddress(silent));
    close(box);
    ASSERT_TRUE(waitUntil([&] { return silent.requests().size() == 1; }));
    // While the gateway keeps the program waiting, its windows still answer.
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(hiddenWindowOf(program.id(), L"DavrinKelvorMain"), WM_NULL, 0, 0,
                                  SMTO_ABORTIFHUNG, 1000, &result),
              0);
    box = smsBoxOf(program.id());
    ASSERT_NE(box, nullptr);
    EXPECT_NE(boxText(box).find("did not answer within 15 seconds"), std::string::npos)
        << boxText(box);
    EXPECT_EQ(silent.requests().size(), 1u);
    EXPECT_EQ(handedOver(folder.database()), 0);

    useGateway(gatewayAddress(accepting));
    close(box);
    ASSERT_TRUE(waitUntil([&] { return handedOver(folder.database()) == 3; }, 20s));
    std::vector<std::string> expected;
    for (const store::LocalDateTime& when : series)
        expected.push_back("POST /sms?UserName=user&password=passwd&MobileNo=919876543210&"
                           "SenderID=DAVRIN&CDMAHeader=CDMA&Message=Team%20call%20%26%20review%20"
                           "%233%20%2850%25%20done%29&ScheduleDate=" +
                           store::toIsoDateText(when) + "&ScheduleTime=21%3A30");
    const auto received = accepting.requests();
    EXPECT_EQ(received, expected);
    for (const auto& request : received)
        std::cout << "gateway received: " << request << "\n";
    Sleep(1000);
    EXPECT_EQ(accepting.requests().size(), 3u);
}

} // namespace
} // namespace davrin::test
