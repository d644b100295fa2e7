// The send command, headless: the in-memory window, the fake network (every datagram recorded with
// its address and port) and wol.ini in a temporary folder, whose appearance shows that the
// profiles were saved.
#include "wol/send.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/state.h"
#include "profiles/profiles.h"
#include "tests/fakes/fake_net.h"
#include "tests/fakes/fake_window.h"
#include "tests/fakes/handler_fixture.h"
#include "wol/magic_packet.h"

namespace {

using fake::State;

constexpr std::uint32_t kBroadcast = 0xFFFFFFFFu;

enum class Mode { Lan, Wan, Neither };

class SendTest : public HandlerTest {
protected:
    void SetUp() override {
        HandlerTest::SetUp();
        // Whether SaveProfiles leaves a file behind decides whether saving can be seen at all.
        SaveProfiles();
        savingObservable = FileExists();
        RemoveFile();
    }

    bool FileExists() const { return std::filesystem::exists(ConfigFilePath); }
    void RemoveFile() const { std::filesystem::remove(ConfigFilePath); }

    // Sets the mode as the user does, then clicks "发送WOL".
    static void ClickSend(Mode mode) {
        if (mode == Mode::Neither) {
            State(Ctl::单选框_内网).checked = false;
            State(Ctl::单选框_外网).checked = false;
        } else {
            fake::Click(mode == Mode::Lan ? Ctl::单选框_内网 : Ctl::单选框_外网);
        }
        fake::Click(Ctl::按钮1);
    }

    static void ClickWan(const std::string& host, const std::string& port) {
        SetText(Ctl::IP框, host);
        SetText(Ctl::端口框, port);
        ClickSend(Mode::Wan);
    }

    bool savingObservable = false;
};

const Bytes& DefaultPacket() {
    static const Bytes packet = BuildMagicPacket({0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F});
    return packet;
}

TEST_F(SendTest, RadioButtonsChooseTheDestination) {
    struct Case {
        const char* name;
        Mode mode;
        std::string host;
        std::string port;
        bool sends;
        std::uint32_t address;
        std::uint16_t destinationPort;
        std::vector<std::string> lookedUp;
    } cases[] = {
        // LAN mode reads neither box.
        {"LAN", Mode::Lan, "192.168.1.62", "7", true, kBroadcast, 9, {}},
        {"WAN, empty host", Mode::Wan, "", "7", true, kBroadcast, 9, {}},
        {"WAN, dotted host", Mode::Wan, "192.168.1.62", "9", true, fake::Address(192, 168, 1, 62), 9, {}},
        {"WAN, host name", Mode::Wan, "pc.example", "7", true, fake::Address(10, 0, 0, 5), 7, {"pc.example"}},
        {"WAN, unknown name", Mode::Wan, "nowhere.example", "40000", true, kBroadcast, 40000, {"nowhere.example"}},
        {"WAN, piece above 255", Mode::Wan, "1.2.3.256", "7", true, kBroadcast, 7, {"1.2.3.256"}},
        {"WAN, four pieces without digits", Mode::Wan, "a.b.c.d", "7", true, kBroadcast, 7, {}},
        {"neither", Mode::Neither, "192.168.1.62", "9", false, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::ResetWindow();
        fake::ResetNet();
        fake::TheNet().hosts["pc.example"] = {{10, 0, 0, 5}, {10, 0, 0, 6}};
        RemoveFile();

        SetText(Ctl::IP框, c.host);
        SetText(Ctl::端口框, c.port);
        ClickSend(c.mode);

        const auto& net = fake::TheNet();
        EXPECT_EQ(net.lookedUp, c.lookedUp);
        if (!c.sends) {
            EXPECT_TRUE(net.sent.empty());
            EXPECT_TRUE(fake::TheWindow().messages.empty());
            EXPECT_FALSE(FileExists());
            continue;
        }
        ASSERT_EQ(net.sent.size(), 1u);
        EXPECT_EQ(net.sent[0].socket, 7);
        EXPECT_EQ(net.sent[0].data, DefaultPacket());
        EXPECT_EQ(net.sent[0].address, c.address);
        EXPECT_EQ(net.sent[0].port, c.destinationPort);
        EXPECT_EQ(fake::TheWindow().messages, (std::vector<std::string>{"发送 WOL 成功！"}));
        if (savingObservable) {
            EXPECT_TRUE(FileExists());
        }
    }
    if (!savingObservable) {
        GTEST_SKIP() << "SaveProfiles writes no file yet: the saves were not checked";
    }
}

// No datagram ever goes to port 0: what would give it goes to the default wake port 9.
TEST_F(SendTest, PortBoxGivesLowSixteenBitsOrPort9) {
    struct Case {
        std::string port;
        std::uint16_t destinationPort;
    } cases[] = {
        {"9", 9},     {"1", 1},  {" 7", 7},     {"65535", 65535},  {"\xA3\xB1\xA3\xB2", 12},  // full-width 12
        {"65545", 9}, {"", 9},   {"abc", 9},    {"0", 9},          {"-5", 9},
        {"65536", 9}, {"-0", 9}, {"131072", 9}, {"4294967305", 9},  // wraps to 9
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("port box \"" + c.port + "\"");
        fake::ResetNet();
        ClickWan("10.0.0.1", c.port);
        ASSERT_EQ(fake::TheNet().sent.size(), 1u);
        EXPECT_EQ(fake::TheNet().sent[0].address, fake::Address(10, 0, 0, 1));
        EXPECT_EQ(fake::TheNet().sent[0].port, c.destinationPort);
    }
}

TEST_F(SendTest, MessagesSayWhatHappened) {
    struct Case {
        const char* name;
        std::string mac;
        bool overrideResult;
        std::int32_t result;
        std::size_t sent;
        std::string message;
    } cases[] = {
        {"sent", "1A-2B-3C-4D-5E-6F", false, 0, 1, "发送 WOL 成功！"},
        {"send fails", "1A-2B-3C-4D-5E-6F", true, -1, 1, "发送 WOL 失败！"},
        {"nothing sent", "1A-2B-3C-4D-5E-6F", true, 0, 1, "发送 WOL 失败！"},
        {"no packet", "1A-2B-3C-4D-5E", false, 0, 0, "生成wol包失败！"},
        {"non-hexadecimal pairs still send", "ZZ-ZZ-ZZ-ZZ-ZZ-ZZ", false, 0, 1, "发送 WOL 成功！"},
    };
    for (const Mode mode : {Mode::Lan, Mode::Wan}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(mode == Mode::Lan ? "LAN, " : "WAN, ") + c.name);
            fake::ResetWindow();
            fake::ResetNet();
            RemoveFile();
            fake::TheNet().overrideSendResult = c.overrideResult;
            fake::TheNet().sendResult = c.result;
            SetText(Ctl::MAC框, c.mac);
            ClickSend(mode);
            EXPECT_EQ(fake::TheNet().sent.size(), c.sent);
            EXPECT_EQ(fake::TheWindow().messages, (std::vector<std::string>{c.message}));
            if (savingObservable) {
                EXPECT_TRUE(FileExists());
            }
        }
    }
}

TEST_F(SendTest, WithoutASocketNothingHappensButTheSave) {
    for (const SocketHandle socket : {0, -1}) {
        for (const Mode mode : {Mode::Lan, Mode::Wan}) {
            SCOPED_TRACE(std::to_string(socket) + (mode == Mode::Lan ? ", LAN" : ", WAN"));
            fake::ResetWindow();
            RemoveFile();
            WakeSocket = socket;
            fake::TheWindow().pendingEvents.push_back([] { SetText(Ctl::MAC框, "11-22-33-44-55-66"); });
            SetText(Ctl::MAC框, "bad");
            ClickSend(mode);
            EXPECT_TRUE(fake::TheNet().sent.empty());
            EXPECT_TRUE(fake::TheWindow().messages.empty());
            EXPECT_EQ(fake::TheWindow().pendingEventRuns, 0);
            if (savingObservable) {
                EXPECT_TRUE(FileExists());
            }
        }
    }
}

// Host and port are taken at the click; MAC框 only after the events queued behind the click ran.
TEST_F(SendTest, QueuedEventsRunBeforeTheMacBoxIsRead) {
    SetText(Ctl::MAC框, "bad");
    fake::TheWindow().pendingEvents.push_back([] {
        SetText(Ctl::MAC框, "01-02-03-04-05-06");
        SetText(Ctl::IP框, "10.9.9.9");
        SetText(Ctl::端口框, "99");
    });
    ClickWan("10.0.0.1", "7");
    ASSERT_EQ(fake::TheNet().sent.size(), 1u);
    EXPECT_EQ(fake::TheNet().sent[0].data, BuildMagicPacket({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(fake::TheNet().sent[0].address, fake::Address(10, 0, 0, 1));
    EXPECT_EQ(fake::TheNet().sent[0].port, 7);
    EXPECT_EQ(fake::TheWindow().messages, (std::vector<std::string>{"发送 WOL 成功！"}));
}

// The window closed by an event queued behind the click has saved the profiles as it went; the
// send stops there and saves nothing after it.
TEST_F(SendTest, AWindowClosedMeanwhileStopsTheSend) {
    for (const Mode mode : {Mode::Lan, Mode::Wan}) {
        SCOPED_TRACE(mode == Mode::Lan ? "LAN" : "WAN");
        fake::ResetWindow();
        fake::ResetNet();
        RemoveFile();
        bool savedOnClose = false;
        fake::TheWindow().pendingEvents.push_back([&] {
            fake::CloseWindow();
            savedOnClose = FileExists();
            RemoveFile();
        });
        SetText(Ctl::IP框, "10.0.0.1");
        ClickSend(mode);
        EXPECT_TRUE(fake::TheWindow().closed);
        EXPECT_TRUE(fake::TheNet().sent.empty());
        EXPECT_TRUE(fake::TheNet().lookedUp.empty());
        EXPECT_TRUE(fake::TheWindow().messages.empty());
        EXPECT_FALSE(FileExists());
        EXPECT_EQ(savedOnClose, savingObservable);
    }
}

TEST_F(SendTest, LookUpAddressTextGivesTheFirstAddress) {
    fake::TheNet().hosts["pc.example"] = {{192, 168, 1, 62}, {10, 0, 0, 6}};
    fake::TheNet().hosts["empty.example"] = {};
    EXPECT_EQ(LookUpAddressText("pc.example"), "192.168.1.62");
    EXPECT_EQ(LookUpAddressText("empty.example"), "");
    EXPECT_EQ(LookUpAddressText("nowhere.example"), "");
    EXPECT_EQ(ResolveHostAddress("pc.example"), fake::Address(192, 168, 1, 62));
    EXPECT_EQ(ResolveHostAddress("nowhere.example"), kBroadcast);
    EXPECT_EQ(ResolveHostAddress("10.1.2.3"), fake::Address(10, 1, 2, 3));
}

}  // namespace
