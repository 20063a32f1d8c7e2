// The real KELVOR.exe posts SMS reminders through the platform's request object to a gateway
// stand-in on 127.0.0.1: unreachable, refusing, silent, then accepting.
#include "reminder/shell/kelvor_process_win32_test.h"

#include "reminder/sms/credentials_file.h"
#include "reminder/store/clock.h"
#include "reminder/store/reminder_statements.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <iostream>
#include <mutex>
#include <optional>
#include <thread>

namespace davrin::test {
namespace {

// Records the request line of every request; answers each with `reply`, or holds it unanswered.
class Gateway {
public:
    explicit Gateway(std::optional<std::string> reply) : reply_(std::move(reply)) {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int size = sizeof at;
        bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &size);
        port_ = ntohs(at.sin_port);
        listen(listener_, 8);
        thread_ = std::thread([this] { serve(); });
    }
    ~Gateway() {
        closesocket(listener_);
        thread_.join();
        for (SOCKET held : held_)
            closesocket(held);
        WSACleanup();
    }
    Gateway(const Gateway&) = delete;
    Gateway& operator=(const Gateway&) = delete;

    std::string address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/sms?"; }
    std::vector<std::string> requests() const {
        const std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    void serve() {
        for (SOCKET client; (client = accept(listener_, nullptr, nullptr)) != INVALID_SOCKET;) {
            std::string request;
            char buffer[4096];
            for (int n; request.find("\r\n\r\n") == std::string::npos &&
                        (n = recv(client, buffer, sizeof buffer, 0)) > 0;)
                request.append(buffer, static_cast<std::size_t>(n));
            {
                const std::lock_guard lock(mutex_);
                requests_.push_back(request.substr(0, request.find(" HTTP/")));
            }
            if (!reply_) {
                held_.push_back(client);
                continue;
            }
            const std::string answer = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n"
                                       "Connection: close\r\nContent-Length: " +
                                       std::to_string(reply_->size()) + "\r\n\r\n" + *reply_;
            send(client, answer.data(), static_cast<int>(answer.size()), 0);
            closesocket(client);
        }
    }

    std::optional<std::string> reply_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::vector<SOCKET> held_;
};

// An address on which nothing listens: its port was free a moment ago.
std::string unreachableAddress() {
    const Gateway gone("never");
    return gone.address();
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
    Gateway refusing("Code=101 Invalid login");
    Gateway silent(std::nullopt);
    Gateway accepting("Code=120 Queued");
    const std::string unreachable = unreachableAddress();

    useGateway(unreachable);
    KelvorProcess program(folder.path());
    HWND box = smsBoxOf(program.id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(boxText(box).rfind("Unable to connect to Server...\n\n" + unreachable, 0), 0u)
        << boxText(box);

    useGateway(refusing.address());
    close(box);
    box = smsBoxOf(program.id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(boxText(box).rfind("Error Code=101\r\n", 0), 0u) << boxText(box);
    // Ticks keep coming every 300 ms; none may start a run while the box is open.
    Sleep(1000);
    EXPECT_EQ(refusing.requests().size(), 1u);

    useGateway(silent.address());
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

    useGateway(accepting.address());
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
