// SMS dispatch against a real temporary store, with a scripted gateway and recorded boxes.
#include "reminder/sms/sms_dispatch.h"

#include "reminder/sms/credentials_file.h"
#include "reminder/sms/mod_encryption.h"
#include "reminder/sms/sms_request.h"
#include "reminder/store/reminder_statements.h"
#include "reminder/store/store_test_support.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace davrin::sms {
namespace {

std::string repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(SmsRequestTest, TargetIsTheAddressAsWrittenThenEveryValueEncoded) {
    const GatewayAccount plain{"http://gw.example.com/send?", "user", "passwd", "DAVRIN", "CDMA"};
    const GatewayAccount odd{"  http://gw.example.com/s.php?k=1&  ", "a b", "p&q#", "S+1", "H%"};
    const std::string head = "http://gw.example.com/send?UserName=user&password=passwd&MobileNo="
                             "919876543210&SenderID=DAVRIN&CDMAHeader=CDMA&Message=";
    const std::string tail = "&ScheduleDate=2026-12-05&ScheduleTime=21%3A30";
    const struct {
        GatewayAccount account;
        std::string message;
        std::string expected;
    } cases[] = {
        // Cut first, then trimmed: the blanks before the cut go, the text after it never comes.
        {plain, std::string(155, 'a') + "     " + std::string(40, 'b'),
         head + std::string(155, 'a') + tail},
        {plain, repeat("\xC3\xA9", 200), head + repeat("%C3%A9", 160) + tail},
        {plain,
         "  Tea & cake #2 + 50% off, Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x98\x95 ",
         head + "Tea%20%26%20cake%20%232%20%2B%2050%25%20off%2C%20Gr%C3%BC%C3%9Fe%20%E2%98%95" +
             tail},
        {odd, "x~y_z.-",
         "http://gw.example.com/s.php?k=1&UserName=a%20b&password=p%26q%23&MobileNo=919876543210&"
         "SenderID=S%2B1&CDMAHeader=H%25&Message=x~y_z.-" +
             tail},
    };
    for (const auto& c : cases) {
        store::Occurrence row;
        row.remainder = c.message;
        row.remdate = store::LocalDateTime(2026, 12, 5, 21, 30);
        EXPECT_EQ(requestTarget(c.account, " 9876543210 ", row), c.expected);
    }
}

// The gateway and the boxes at once: what was sent and shown, and what runs meanwhile.
class Fakes final : public HttpRequester, public ui::MessageBoxes {
public:
    HttpReply post(const std::string& target) override {
        targets.push_back(target);
        if (during)
            during();
        HttpReply reply = replies.empty() ? HttpReply{"Code=120 queued", {}} : replies.front();
        if (!replies.empty())
            replies.pop_front();
        return reply;
    }
    bool show(const std::string& text, const std::string& title, ui::MessageIcon) override {
        EXPECT_EQ(title, "Davrin");
        shown.push_back(text);
        if (during)
            during();
        return true;
    }
    std::vector<std::string> targets, shown;
    std::deque<HttpReply> replies;
    std::function<void()> during;
};

const HttpReply kRefused{"Code=101 invalid login", {}};
const HttpReply kUnreachable{std::nullopt, "The connection was refused."};

class SmsDispatchTest : public ::testing::Test {
protected:
    using Fields = std::array<std::string_view, fieldCount>;
    static constexpr Fields kFields{
        "http://gw.example.com/", "CDMA", "er", "send?", "ss", "DAVRIN", "pa", "us", "wd"};

    SmsDispatchTest() { writeAccount(kFields); }

    void writeAccount(const Fields& fields) {
        test::writeFile(folder / "Reminder.dat", fileText(fields));
    }
    std::int64_t add(const store::LocalDateTime& when, int remsms = 1) {
        return store::insertOneTimeReminder(conn, "Call the bank", when, remsms);
    }
    int status(std::int64_t remid) { return store::selectOccurrence(conn, remid)->SMSStatus; }
    void tick(const std::string& mobile = "9876543210") { dispatch.Timer2_Timer(mobile); }
    // ScheduleDate and ScheduleTime of each request so far.
    std::vector<std::string> sentTimes() const {
        std::vector<std::string> times;
        for (const auto& t : gateway.targets)
            times.push_back(t.substr(t.find("&ScheduleDate=")));
        return times;
    }

    test::TempFolder folder;
    store::Connection conn = store::openDatabase(folder / "KELVOR.db");
    store::FixedClock clock{store::LocalDateTime(2026, 12, 5, 10, 0)};
    Fakes gateway;
    Fakes& boxes = gateway;
    SmsDispatch dispatch{{conn, clock, gateway, gateway, folder.path(), {}}};
};

TEST_F(SmsDispatchTest, SendsWhatFallsDueWithinThirtyDaysEarliestFirstAndOnlyOnce) {
    const store::LocalDateTime now = clock.now();
    const auto limit = add(now.addDays(30));
    const auto beyond = add(now.addDays(30).addMinutes(1));
    const auto justInside = add(now.addDays(30).addMinutes(-1));
    const auto overdue = add(now.addDays(-3), 2); // any flag but 0 asks for an SMS
    const auto notMarked = add(now.addDays(1), 0);
    test::execRaw(conn, "UPDATE OTReminder SET SMSStatus = 1 WHERE remid = " +
                            std::to_string(add(now.addDays(2))));

    tick();
    EXPECT_EQ(sentTimes(),
              (std::vector<std::string>{"&ScheduleDate=2026-12-02&ScheduleTime=10%3A00",
                                        "&ScheduleDate=2027-01-04&ScheduleTime=09%3A59",
                                        "&ScheduleDate=2027-01-04&ScheduleTime=10%3A00"}));
    for (const auto remid : {overdue, justInside, limit})
        EXPECT_EQ(status(remid), 1);
    EXPECT_EQ(status(beyond), 0);
    EXPECT_EQ(status(notMarked), 0);
    EXPECT_TRUE(boxes.shown.empty());

    tick();
    EXPECT_EQ(gateway.targets.size(), 3u);
    clock.set(clock.now().addMinutes(1));
    tick();
    ASSERT_EQ(gateway.targets.size(), 4u);
    EXPECT_EQ(status(beyond), 1);
}

TEST_F(SmsDispatchTest, WithoutNumberOrUsableAccountNothingIsSentOrShown) {
    const Fields blankSender{
        "http://gw.example.com/", "CDMA", "er", "send?", "ss", "   ", "pa", "us", "wd"};
    const struct {
        const char* what;
        std::function<void()> arrange;
        std::string mobile;
    } cases[] = {
        {"no number", [] {}, "  "},
        {"no file", [&] { std::filesystem::remove(folder / "Reminder.dat"); }, "9876543210"},
        {"eight fields",
         [&] {
             test::writeFile(folder / "Reminder.dat", EncipherText("a#b#c#d#e#f#g#h", passPhrase));
         },
         "9876543210"},
        {"blank sender id", [&] { writeAccount(blankSender); }, "9876543210"},
    };
    add(clock.now());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        tick(c.mobile);
        EXPECT_TRUE(gateway.targets.empty());
        EXPECT_TRUE(boxes.shown.empty());
        writeAccount(kFields);
    }
}

TEST_F(SmsDispatchTest, OneCaseInsensitiveTestDecidesTheBoxAndTheMarkingAndRefusalsAreToldOnce) {
    const auto lower = add(clock.now());
    const auto upper = add(clock.now().addMinutes(1));
    const auto refused = add(clock.now().addMinutes(2));
    gateway.replies = {{"code=120 queued", {}}, {"CODE=120", {}}, kRefused};
    // A tick while the box is open, or while a request waits, must not start a second run.
    gateway.during = [&] { tick(); };

    tick();
    EXPECT_EQ(gateway.targets.size(), 3u);
    EXPECT_EQ(boxes.shown,
              (std::vector<std::string>{
                  "Error Code=101\r\nIf this keeps happening, write to support@example.com."}));
    EXPECT_EQ(status(lower), 1);
    EXPECT_EQ(status(refused), 0);
    EXPECT_EQ(status(upper), 1);

    gateway.replies = {kRefused};
    tick();
    EXPECT_EQ(boxes.shown.size(), 1u);
    tick();
    EXPECT_EQ(gateway.targets.size(), 5u);
    EXPECT_EQ(status(refused), 1);
}

TEST_F(SmsDispatchTest, UnreachableGatewayStopsTheRunAndIsToldAgainOnlyAfterASuccess) {
    const auto first = add(clock.now());
    const auto second = add(clock.now().addMinutes(1));
    const auto third = add(clock.now().addMinutes(2));
    gateway.replies = {kUnreachable, kUnreachable, {"Code=120", {}}, kUnreachable};

    tick();
    tick();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0], "Unable to connect to Server...\n\nhttp://gw.example.com/send?\n"
                              "The connection was refused.");
    EXPECT_EQ(gateway.targets.size(), 2u);

    tick(); // the first goes through, the second fails: told again, the third waits
    EXPECT_EQ(gateway.targets.size(), 4u);
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(status(first), 1);

    tick();
    EXPECT_EQ(gateway.targets.size(), 6u);
    EXPECT_EQ(status(second), 1);
    EXPECT_EQ(status(third), 1);
}

} // namespace
} // namespace davrin::sms
