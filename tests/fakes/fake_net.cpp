// The fake network: socket, lookup and ARP seams in memory.
#include "tests/fakes/fake_net.h"

#include <arpa/inet.h>

#include <cstring>
#include <memory>

#include "core/lookup.h"
#include "scan/arp.h"

namespace fake {

namespace {

std::unique_ptr<Net> theNet = std::make_unique<Net>();

}  // namespace

Net& TheNet() {
    return *theNet;
}

void ResetNet() {
    theNet = std::make_unique<Net>();
}

std::uint32_t Address(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    const std::uint8_t bytes[4] = {a, b, c, d};
    std::uint32_t address;
    std::memcpy(&address, bytes, 4);
    return address;
}

}  // namespace fake

using fake::TheNet;

void StartSockets() {
    TheNet().socketsStarted = true;
}

SocketHandle OpenUdpSocket() {
    return TheNet().nextSocket;
}

void EnableBroadcast(SocketHandle) {
    TheNet().broadcastEnabled = true;
}

bool BindToAnyAddress(SocketHandle) {
    TheNet().bound = !TheNet().bindFails;
    return TheNet().bound;
}

void CloseSocket(SocketHandle socket) {
    TheNet().closedSockets.push_back(socket);
}

std::int32_t SendDatagram(SocketHandle socket, const Bytes& data, std::uint32_t address, std::uint16_t port) {
    TheNet().sent.push_back({socket, data, address, port});
    return TheNet().overrideSendResult ? TheNet().sendResult : static_cast<std::int32_t>(data.size());
}

std::uint32_t ParseAddressText(const std::string& text) {
    return inet_addr(text.c_str());  // pure parsing: the same rules as the real POSIX seam
}

std::string OwnHostName() {
    return TheNet().ownHostName;
}

std::vector<Bytes> LookUpHostAddresses(const std::string& name) {
    TheNet().lookedUp.push_back(name);
    const auto found = TheNet().hosts.find(name);
    return found == TheNet().hosts.end() ? std::vector<Bytes>{} : found->second;
}

std::string ReverseLookUpName(std::uint32_t address) {
    std::lock_guard<std::mutex> hold(TheNet().mutex);
    TheNet().reverseLookups.push_back(address);
    const auto found = TheNet().reverseNames.find(address);
    return found == TheNet().reverseNames.end() ? std::string{} : found->second;
}

bool RequestHardwareAddress(std::uint32_t address, std::uint8_t (&mac)[6]) {
    std::function<bool(std::uint32_t, std::uint8_t(&)[6])> hook;
    {
        std::lock_guard<std::mutex> hold(TheNet().mutex);
        TheNet().arpRequests.push_back(address);
        hook = TheNet().arpHook;
        if (!hook) {
            const auto found = TheNet().arpTable.find(address);
            if (found == TheNet().arpTable.end()) {
                return false;
            }
            std::memcpy(mac, found->second.data(), 6);
            return true;
        }
    }
    return hook(address, mac);
}
