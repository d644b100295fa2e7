// The send command on a real network: the lab's sender host sends through the real socket and
// lookup seams, driven through the in-memory window as a user would, and listeners on the other
// lab hosts show what arrived where.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "core/socket.h"
#include "core/startup.h"
#include "core/state.h"
#include "tests/fakes/fake_window.h"
#include "tests/net/lab.h"
#include "ui/controls.h"

namespace {

using fake::State;

// The MAC typed into the box, and the packet that must arrive for it, laid out by hand.
constexpr const char* kMacText = "02-77-00-00-00-11";

Bytes ExpectedPacket() {
    Bytes packet(6, 0xFF);
    for (int copy = 0; copy < 16; ++copy) {
        packet.insert(packet.end(), {0x02, 0x77, 0x00, 0x00, 0x00, 0x11});
    }
    return packet;
}

// Each listener is closed at the end of its test.
class Listener {
public:
    Listener(const lab::Host& host, std::uint16_t port) : fd_(lab::OpenUdpListener(host, port)) {}
    ~Listener() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    bool Open() const { return fd_ >= 0; }
    std::vector<lab::Datagram> Received(int quietMilliseconds = 300) const {
        return lab::ReceiveAll(fd_, quietMilliseconds);
    }

private:
    int fd_;
};

class SendNetTest : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_UNLESS_IN_LAB();
        fake::ResetWindow();
        ProfileList.clear();
        std::string pattern = (std::filesystem::temp_directory_path() / "wol-sender-net-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        ConfigFilePath = folder_ + "/wol.ini";
        StartSockets();
        OpenWakeSocket();
        ASSERT_GT(WakeSocket, 0);
        ASSERT_TRUE(fake::TheWindow().messages.empty());
        SetText(Ctl::MAC框, kMacText);
    }

    void TearDown() override {
        if (WakeSocket > 0) {
            CloseSocket(WakeSocket);
        }
        WakeSocket = 0;
        if (!folder_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(folder_, ignored);
        }
    }

    static void ClickLan() {
        fake::Click(Ctl::单选框_内网);
        fake::Click(Ctl::按钮1);
    }

    static void ClickWan(const std::string& host, const std::string& port) {
        fake::Click(Ctl::单选框_外网);
        SetText(Ctl::IP框, host);
        SetText(Ctl::端口框, port);
        fake::Click(Ctl::按钮1);
    }

    static std::vector<std::string> Messages() { return fake::TheWindow().messages; }

    // Exactly one wake packet, from the sender.
    static void ExpectOnePacket(const std::vector<lab::Datagram>& received) {
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].data, ExpectedPacket());
        EXPECT_EQ(received[0].fromAddress, lab::kSender.address);
    }

private:
    std::string folder_;
};

const std::vector<std::string> kSuccess{"发送 WOL 成功！"};
const std::vector<std::string> kFailure{"发送 WOL 失败！"};

TEST_F(SendNetTest, LanModeReachesEveryHostOnPort9) {
    const Listener alpha(lab::kAlpha, 9);
    const Listener bravo(lab::kBravo, 9);
    ASSERT_TRUE(alpha.Open() && bravo.Open());
    SetText(Ctl::端口框, "40000");  // not read in LAN mode
    ClickLan();
    EXPECT_EQ(Messages(), kSuccess);
    {
        SCOPED_TRACE("alpha");
        ExpectOnePacket(alpha.Received());
    }
    {
        SCOPED_TRACE("bravo");
        ExpectOnePacket(bravo.Received(100));
    }
}

TEST_F(SendNetTest, WanToAnAddressReachesOnlyThatHostOnTheChosenPort) {
    const Listener alpha(lab::kAlpha, 40009);
    const Listener bravo(lab::kBravo, 40009);
    const Listener alphaDefault(lab::kAlpha, 9);
    ASSERT_TRUE(alpha.Open() && bravo.Open() && alphaDefault.Open());
    ClickWan(lab::kAlpha.address, "40009");
    EXPECT_EQ(Messages(), kSuccess);
    ExpectOnePacket(alpha.Received());
    EXPECT_TRUE(bravo.Received(100).empty());
    EXPECT_TRUE(alphaDefault.Received(100).empty());
}

TEST_F(SendNetTest, WanToANameFromTheHostsFile) {
    const Listener alpha(lab::kAlpha, 40010);
    const Listener bravo(lab::kBravo, 40010);
    ASSERT_TRUE(alpha.Open() && bravo.Open());
    ClickWan("bravo.lab", "40010");
    EXPECT_EQ(Messages(), kSuccess);
    ExpectOnePacket(bravo.Received());
    EXPECT_TRUE(alpha.Received(100).empty());
}

// A name that cannot be looked up is no error: the packet goes to the LAN broadcast, still on the
// port from the box.
TEST_F(SendNetTest, WanToAnUnknownNameBroadcastsOnTheBoxPort) {
    const Listener alpha(lab::kAlpha, 40011);
    const Listener bravo(lab::kBravo, 40011);
    const Listener alphaDefault(lab::kAlpha, 9);
    ASSERT_TRUE(alpha.Open() && bravo.Open() && alphaDefault.Open());
    ClickWan("nowhere.lab", "40011");
    EXPECT_EQ(Messages(), kSuccess);
    {
        SCOPED_TRACE("alpha");
        ExpectOnePacket(alpha.Received());
    }
    {
        SCOPED_TRACE("bravo");
        ExpectOnePacket(bravo.Received(100));
    }
    EXPECT_TRUE(alphaDefault.Received(100).empty());
}

// Linux refuses a datagram to port 0, and Windows drops it unsent while reporting success: port
// texts that give no port, and an empty host, go to port 9 and arrive.
TEST_F(SendNetTest, PortsThatGiveNoneGoToPort9) {
    const Listener alpha(lab::kAlpha, 9);
    ASSERT_TRUE(alpha.Open());
    {
        SCOPED_TRACE("the system itself");
        EXPECT_LE(SendDatagram(WakeSocket, ExpectedPacket(), ParseAddressText(lab::kAlpha.address), 0), 0);
        EXPECT_TRUE(alpha.Received(100).empty());
    }
    for (const char* port : {"", "0", "-7", "abc", "65536", "65545"}) {
        SCOPED_TRACE(std::string("port box \"") + port + "\"");
        fake::TheWindow().messages.clear();
        ClickWan(lab::kAlpha.address, port);
        EXPECT_EQ(Messages(), kSuccess);
        ExpectOnePacket(alpha.Received(100));
    }
    {
        SCOPED_TRACE("empty host");
        fake::TheWindow().messages.clear();
        ClickWan("", "40012");
        EXPECT_EQ(Messages(), kSuccess);
        ExpectOnePacket(alpha.Received(100));
    }
}

// A send the system refuses is reported as a failure.
TEST_F(SendNetTest, ARefusedSendIsReportedAsAFailure) {
    const Listener alpha(lab::kAlpha, 9);
    ASSERT_TRUE(alpha.Open());
    const SocketHandle wakeSocket = WakeSocket;

    {
        SCOPED_TRACE("broadcast without permission");
        const SocketHandle plain = OpenUdpSocket();
        ASSERT_GT(plain, 0);
        ASSERT_TRUE(BindToAnyAddress(plain));
        WakeSocket = plain;
        ClickLan();
        EXPECT_EQ(Messages(), kFailure);
        CloseSocket(plain);
    }
    {
        // A fresh network namespace has no route at all; the socket stays in it once made there.
        SCOPED_TRACE("no route to the broadcast");
        SocketHandle unrouted = -1;
        std::thread maker([&] {
            if (unshare(CLONE_NEWNET) == 0) {
                unrouted = OpenUdpSocket();
            }
        });
        maker.join();
        ASSERT_GT(unrouted, 0);
        EnableBroadcast(unrouted);
        ASSERT_TRUE(BindToAnyAddress(unrouted));
        WakeSocket = unrouted;
        fake::TheWindow().messages.clear();
        ClickLan();
        EXPECT_EQ(Messages(), kFailure);
        CloseSocket(unrouted);
    }
    WakeSocket = wakeSocket;
    EXPECT_TRUE(alpha.Received(100).empty());
}

// Started without standard input, the program gets descriptor 0 for its first socket; a handle of
// 0 counts as no socket, so the seam must never give it.
TEST(WakeSocketSeam, NeverGivesDescriptor0) {
    const int savedInput = dup(0);
    ASSERT_GE(savedInput, 0);
    close(0);
    const SocketHandle s = OpenUdpSocket();
    const bool descriptor0Free = fcntl(0, F_GETFD) < 0;
    dup2(savedInput, 0);
    close(savedInput);
    EXPECT_GT(s, 0);
    EXPECT_TRUE(descriptor0Free);
    if (s > 0) {
        CloseSocket(s);
    }
}

}  // namespace
