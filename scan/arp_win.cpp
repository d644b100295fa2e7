// Asking for a neighbour's hardware address on Windows: SendARP, which blocks until the host has
// answered or the system has given up.
//
// Where SendARP is not implemented (it reports ERROR_NOT_SUPPORTED under Wine, where it is a stub)
// we do what it would have done through the system's own ARP: send one empty datagram to the
// address's discard port, which makes the system resolve the address, and read the system's
// neighbour table until the address is listed with its MAC or about 3 s have passed, as long as
// SendARP waits for a silent address.
#include "scan/arp.h"

#include "core/windows_api.h"

#include <iphlpapi.h>

#include <cstring>
#include <memory>

namespace {

constexpr DWORD kFallbackMilliseconds = 3000;
constexpr DWORD kPollMilliseconds = 50;
constexpr u_short kDiscardPort = 9;

void SendTriggerDatagram(std::uint32_t address) {
    const SOCKET udp = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (udp == INVALID_SOCKET) {
        return;
    }
    sockaddr_in destination{};
    destination.sin_family = AF_INET;
    destination.sin_port = htons(kDiscardPort);
    destination.sin_addr.s_addr = address;
    sendto(udp, "", 0, 0, reinterpret_cast<const sockaddr*>(&destination), sizeof destination);
    closesocket(udp);
}

// The MAC of the address in the system's neighbour table, if it is there resolved: entries still
// being resolved (or failed) are listed with an all-zero MAC.
bool FindInNeighbourTable(std::uint32_t address, std::uint8_t (&mac)[6]) {
    ULONG size = 0;
    std::unique_ptr<DWORD[]> storage;  // DWORD-aligned, as the table's rows need
    DWORD rc = GetIpNetTable(nullptr, &size, FALSE);
    for (int attempt = 0; attempt < 4 && rc == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        storage.reset(new DWORD[size / sizeof(DWORD) + 1]);
        rc = GetIpNetTable(reinterpret_cast<MIB_IPNETTABLE*>(storage.get()), &size, FALSE);
    }
    if (rc != NO_ERROR || !storage) {
        return false;
    }
    const auto* table = reinterpret_cast<const MIB_IPNETTABLE*>(storage.get());
    static const std::uint8_t kNoMac[6] = {};
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_IPNETROW& row = table->table[i];
        if (row.dwAddr != address || row.dwPhysAddrLen != 6 || row.dwType == MIB_IPNET_TYPE_INVALID ||
            std::memcmp(row.bPhysAddr, kNoMac, 6) == 0) {
            continue;
        }
        std::memcpy(mac, row.bPhysAddr, 6);
        return true;
    }
    return false;
}

bool ResolveThroughNeighbourTable(std::uint32_t address, std::uint8_t (&mac)[6]) {
    SendTriggerDatagram(address);
    const DWORD start = GetTickCount();
    for (;;) {
        if (FindInNeighbourTable(address, mac)) {
            return true;
        }
        if (GetTickCount() - start >= kFallbackMilliseconds) {
            return false;
        }
        Sleep(kPollMilliseconds);
    }
}

}  // namespace

bool RequestHardwareAddress(std::uint32_t address, std::uint8_t (&mac)[6]) {
    // SendARP may write a longer hardware address than it was asked for: room for eight bytes.
    ULONG buffer[2] = {};
    ULONG length = 6;
    const DWORD rc = SendARP(address, 0, buffer, &length);
    if (rc == ERROR_NOT_SUPPORTED) {
        return ResolveThroughNeighbourTable(address, mac);
    }
    if (rc != NO_ERROR) {
        return false;
    }
    std::memcpy(mac, buffer, 6);
    return true;
}
