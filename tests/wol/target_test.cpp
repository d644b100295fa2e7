// The dotted-address test and the destination port.
#include "wol/target.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(IsDottedQuad, FourPiecesOfZeroTo255) {
    struct Case {
        std::string text;
        bool dotted;
    } cases[] = {
        {"192.168.1.62", true},
        {"0.0.0.0", true},
        {"255.255.255.255", true},
        {"1.2.3.256", false},  // looked up as a name
        {"1.2.3.-1", false},
        {"256.1.1.1", false},
        {"1.2.3", false},
        {"1.2.3.4.5", false},
        {"", false},
        {"example.org", false},
        {"pc", false},
        // A piece without digits counts as 0: these pass and are not looked up.
        {"a.b.c.d", true},
        {"host.example.co.uk", true},
        {"1.2..4", true},
        {"....", true},
        // A trailing "." gives no fifth piece.
        {"1.2.3.4.", true},
        {" 1. 2. 3. 4", true},
        {"\xA3\xB1.\xA3\xB2.\xA3\xB3.\xA3\xB4", true},  // full-width digits read as numbers
        {"1.2.3.\xA3\xB2\xA3\xB5\xA3\xB6", false},      // full-width 256
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsDottedQuad(c.text), c.dotted);
    }
}

TEST(DestinationPort, LowSixteenBitsOrTheDefaultPort) {
    struct Case {
        std::int32_t port;
        std::uint16_t destination;
    } cases[] = {
        {9, 9},
        {1, 1},
        {7, 7},
        {40000, 40000},
        {65535, 65535},
        {65545, 9},  // 65536 + 9
        {65537, 1},
        {INT32_MAX, 65535},
        // Nothing that would be port 0 is sent there.
        {0, kDefaultWakePort},
        {65536, kDefaultWakePort},
        {131072, kDefaultWakePort},
        {-1, kDefaultWakePort},
        {-65535, kDefaultWakePort},  // low 16 bits 1, but not above 0
        {INT32_MIN, kDefaultWakePort},
    };
    EXPECT_EQ(kDefaultWakePort, 9);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        EXPECT_EQ(DestinationPort(c.port), c.destination);
    }
}

}  // namespace
