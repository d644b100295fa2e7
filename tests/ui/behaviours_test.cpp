// Start-up and the window behaviours, on the in-memory window.
#include "ui/behaviours.h"

#include "core/startup.h"
#include "core/state.h"
#include "tests/fakes/fake_net.h"
#include "tests/fakes/fake_window.h"
#include "tests/fakes/handler_fixture.h"

namespace {

using fake::State;

class BehaviourTest : public HandlerTest {};

TEST_F(BehaviourTest, StartUpOpensTheSocketAndNarrowsTheWindow) {
    FullPanelWidth = 0;
    OnMainWindowCreated();
    EXPECT_TRUE(fake::TheNet().socketsStarted);
    EXPECT_TRUE(fake::TheNet().broadcastEnabled);
    EXPECT_TRUE(fake::TheNet().bound);
    EXPECT_EQ(WakeSocket, 7);
    EXPECT_TRUE(fake::TheWindow().messages.empty());
    EXPECT_EQ(FullPanelWidth, 616);
    EXPECT_EQ(State(Ctl::分组框).width, 296);
    EXPECT_EQ(State(Ctl::主窗口).width, 302);
    EXPECT_NE(FindText(ConfigFilePath, "wol.ini"), -1);
    EXPECT_EQ(TextRight(ConfigFilePath, 8), "/wol.ini");
}

TEST_F(BehaviourTest, SocketFailuresAreReportedOnceAndStartUpGoesOn) {
    struct Case {
        const char* name;
        SocketHandle opened;
        bool bindFails;
        SocketHandle wakeSocket;
        const char* message;
        bool closed;
    } cases[] = {
        {"no socket", -1, false, -1, "创建 Socket 失败！", false},
        {"bind fails", 9, true, 0, "启动 Socket 失败！", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::ResetWindow();
        fake::ResetNet();
        fake::TheNet().nextSocket = c.opened;
        fake::TheNet().bindFails = c.bindFails;
        OnMainWindowCreated();
        EXPECT_EQ(WakeSocket, c.wakeSocket);
        ASSERT_EQ(fake::TheWindow().messages.size(), 1u);
        EXPECT_EQ(fake::TheWindow().messages[0], c.message);
        EXPECT_EQ(fake::TheNet().closedSockets.size(), c.closed ? 1u : 0u);
        EXPECT_EQ(State(Ctl::主窗口).width, 302);  // start-up went on to the narrowing
    }
}

TEST_F(BehaviourTest, HelpButtonTogglesBetweenNarrowAndWide) {
    SetWindowWide(false);
    fake::Click(Ctl::按钮2);
    EXPECT_EQ(State(Ctl::分组框).width, 616);
    EXPECT_EQ(State(Ctl::主窗口).width, 622);
    fake::Click(Ctl::按钮2);
    EXPECT_EQ(State(Ctl::分组框).width, 296);
    EXPECT_EQ(State(Ctl::主窗口).width, 302);
}

TEST_F(BehaviourTest, PageChangesSetTheWidthAndRefillThePrefix) {
    auto& net = fake::TheNet();
    struct Case {
        const char* name;
        std::vector<Bytes> addresses;
        const char* prefix;
    } cases[] = {
        {"first of two addresses", {{10, 0, 0, 7}, {192, 168, 56, 1}}, "10.0.0."},
        {"a single address", {{10, 77, 0, 2}}, "10.77.0."},
        {"no address", {}, "typed by the user"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        net.hosts["testpc"] = c.addresses;
        SetWindowWide(false);
        fake::Click(Ctl::按钮2);  // usage panel open
        SetText(Ctl::编辑框_扫描网段, "typed by the user");
        fake::ChangePage(1);
        EXPECT_EQ(State(Ctl::编辑框_扫描网段).text, c.prefix);
        EXPECT_EQ(State(Ctl::主窗口).width, 622);
        fake::ChangePage(0);
        EXPECT_EQ(State(Ctl::主窗口).width, 302);
        EXPECT_EQ(State(Ctl::分组框).width, 296);
    }
}

TEST_F(BehaviourTest, NoHostNameLeavesThePrefixAndStillWidens) {
    fake::TheNet().ownHostName = "";
    SetWindowWide(false);
    fake::ChangePage(1);
    EXPECT_EQ(State(Ctl::编辑框_扫描网段).text, "192.168.1.");
    EXPECT_EQ(State(Ctl::主窗口).width, 622);
    EXPECT_TRUE(fake::TheWindow().messages.empty());
}

TEST_F(BehaviourTest, LocalAddressListKeepsLookupOrderAndAtMostTen) {
    std::vector<Bytes> twelve;
    for (std::uint8_t i = 1; i <= 12; ++i) {
        twelve.push_back({10, 0, i, 1});
    }
    fake::TheNet().hosts["testpc"] = twelve;
    const auto list = LocalAddressList();
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list.front(), "10.0.1.1");
    EXPECT_EQ(list.back(), "10.0.10.1");
}

TEST_F(BehaviourTest, SubnetPrefixOfCutsAfterTheLastDot) {
    EXPECT_EQ(SubnetPrefixOf("192.168.56.1"), "192.168.56.");
    EXPECT_EQ(SubnetPrefixOf("192.168.1.62"), "192.168.1.");
    EXPECT_EQ(SubnetPrefixOf("localhost"), "");
    EXPECT_EQ(SubnetPrefixOf(""), "");
}

TEST_F(BehaviourTest, RadioButtonsShowAndHideTheWanGroupKeepingItsTexts) {
    SetText(Ctl::IP框, "example.org");
    EXPECT_FALSE(State(Ctl::分组框_外网信息).visible);
    fake::Click(Ctl::单选框_外网);
    EXPECT_TRUE(State(Ctl::分组框_外网信息).visible);
    EXPECT_EQ(State(Ctl::IP框).text, "example.org");
    fake::Click(Ctl::单选框_外网);  // the checked one again: nothing changes
    EXPECT_TRUE(State(Ctl::分组框_外网信息).visible);
    fake::Click(Ctl::单选框_内网);
    EXPECT_FALSE(State(Ctl::分组框_外网信息).visible);
    EXPECT_EQ(State(Ctl::IP框).text, "example.org");
}

}  // namespace
