// The network-namespace lab of the network tests (built by tests/net/run-in-lab): its hosts, and
// listeners opened on them. A test binary runs on the lab's sender host; a test that finds no lab
// around it skips.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/text.h"

namespace lab {

struct Host {
    const char* role;  // run-in-lab's name for it; its namespace is in WOL_LAB_<ROLE>
    const char* address;
    const char* mac;  // as the scanner writes it
};

constexpr Host kSender{"SENDER", "10.77.0.2", "02:77:00:00:00:02"};
constexpr Host kAlpha{"ALPHA", "10.77.0.11", "02:77:00:00:00:11"};      // alpha.lab, alpha
constexpr Host kBravo{"BRAVO", "10.77.0.12", "02:77:00:00:00:12"};      // bravo.lab
constexpr Host kCharlie{"CHARLIE", "10.77.0.13", "02:77:00:00:00:13"};  // no name
constexpr Host kSilent{"SILENT", "10.77.0.14", "02:77:00:00:00:14"};    // never answers ARP
constexpr const char* kAbsentAddress = "10.77.0.15";
constexpr Host kLongName{"LONGNAME", "10.77.0.16", "02:77:00:00:00:16"};  // a 300-byte name

// True inside run-in-lab.
bool InLab();

// The namespace of a lab host.
std::string NamespaceOf(const Host& host);

// A UDP socket bound to 0.0.0.0:port inside the host's namespace (made there by a thread that
// joins the namespace; the socket stays in it). It receives datagrams sent to the host's address
// and broadcasts. -1 on failure.
int OpenUdpListener(const Host& host, std::uint16_t port);

struct Datagram {
    Bytes data;
    std::string fromAddress;
};

// Everything the listener receives until nothing more arrives for quietMilliseconds.
std::vector<Datagram> ReceiveAll(int listener, int quietMilliseconds = 300);

}  // namespace lab

#define SKIP_UNLESS_IN_LAB()                                   \
    do {                                                       \
        if (!lab::InLab())                                     \
            GTEST_SKIP() << "not inside tests/net/run-in-lab"; \
    } while (0)
