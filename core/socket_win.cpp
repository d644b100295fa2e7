// The UDP socket on Windows Sockets.
#include "core/socket.h"

#include "core/windows_api.h"

void StartSockets() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
}

SocketHandle OpenUdpSocket() {
    // INVALID_SOCKET becomes -1 as a signed 32-bit value; SOCKET is 32 bits wide on i686.
    return static_cast<SocketHandle>(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
}

void EnableBroadcast(SocketHandle s) {
    const BOOL on = TRUE;
    setsockopt(static_cast<SOCKET>(s), SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on), sizeof on);
}

bool BindToAnyAddress(SocketHandle s) {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = 0;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    return bind(static_cast<SOCKET>(s), reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
}

void CloseSocket(SocketHandle s) {
    closesocket(static_cast<SOCKET>(s));
}

std::int32_t SendDatagram(SocketHandle s, const Bytes& data, std::uint32_t address, std::uint16_t port) {
    sockaddr_in destination{};
    destination.sin_family = AF_INET;
    destination.sin_port = htons(port);
    destination.sin_addr.s_addr = address;
    return sendto(static_cast<SOCKET>(s), reinterpret_cast<const char*>(data.data()), static_cast<int>(data.size()), 0,
                  reinterpret_cast<const sockaddr*>(&destination), sizeof destination);
}

std::uint32_t ParseAddressText(const std::string& text) {
    return inet_addr(text.c_str());
}
