// The lab itself: the socket seam reaches a listener on another lab host, and only that host.
#include "tests/net/lab.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "core/socket.h"

namespace {

TEST(Lab, ADatagramReachesOnlyTheHostItIsSentTo) {
    SKIP_UNLESS_IN_LAB();
    const int alpha = lab::OpenUdpListener(lab::kAlpha, 40000);
    const int bravo = lab::OpenUdpListener(lab::kBravo, 40000);
    ASSERT_GE(alpha, 0);
    ASSERT_GE(bravo, 0);

    const SocketHandle s = OpenUdpSocket();
    ASSERT_GT(s, 0);
    ASSERT_TRUE(BindToAnyAddress(s));
    EXPECT_EQ(SendDatagram(s, Bytes{1, 2, 3}, ParseAddressText(lab::kAlpha.address), 40000), 3);

    const auto atAlpha = lab::ReceiveAll(alpha);
    ASSERT_EQ(atAlpha.size(), 1u);
    EXPECT_EQ(atAlpha[0].data, (Bytes{1, 2, 3}));
    EXPECT_EQ(atAlpha[0].fromAddress, lab::kSender.address);
    EXPECT_TRUE(lab::ReceiveAll(bravo, 100).empty());
    CloseSocket(s);
    close(alpha);
    close(bravo);
}

}  // namespace
