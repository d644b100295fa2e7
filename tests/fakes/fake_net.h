// The fake network of the handler tests: the socket, lookup and ARP seams in memory. Sends are
// recorded instead of sent; lookups and ARP answer from tables the test fills. The ARP seam is
// called from scan worker threads, so its table sits behind a mutex.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "core/socket.h"
#include "core/text.h"

namespace fake {

struct SentDatagram {
    SocketHandle socket;
    Bytes data;
    std::uint32_t address;  // network byte order
    std::uint16_t port;     // host byte order
};

struct Net {
    // The socket: what OpenUdpSocket gives (-1: it fails), and whether binding fails.
    SocketHandle nextSocket = 7;
    bool bindFails = false;
    bool socketsStarted = false;
    bool broadcastEnabled = false;
    bool bound = false;
    std::vector<SocketHandle> closedSockets;

    // Sending: each call recorded; the result is the datagram's length unless sendResult is set.
    std::vector<SentDatagram> sent;
    bool overrideSendResult = false;
    std::int32_t sendResult = 0;

    // Lookups: name → addresses (4 bytes each, in order); the computer's own name.
    std::string ownHostName = "testpc";
    std::map<std::string, std::vector<Bytes>> hosts;
    std::vector<std::string> lookedUp;  // every name looked up, in order

    // Reverse lookups and ARP by address (network byte order). Guarded by mutex: workers call them.
    std::mutex mutex;
    std::map<std::uint32_t, std::string> reverseNames;
    std::map<std::uint32_t, std::array<std::uint8_t, 6>> arpTable;
    std::vector<std::uint32_t> arpRequests;
    std::vector<std::uint32_t> reverseLookups;
    // When set, answers ARP in place of the table (still called under no lock: it may block).
    std::function<bool(std::uint32_t address, std::uint8_t (&mac)[6])> arpHook;
};

Net& TheNet();
void ResetNet();

// An address in network byte order from its four numbers.
std::uint32_t Address(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d);

}  // namespace fake
