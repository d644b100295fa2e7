// The UDP socket on POSIX sockets.
#include "core/socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

void StartSockets() {}

SocketHandle OpenUdpSocket() {
    const int s = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (s != 0) {
        return s;
    }
    // Descriptor 0 is free when the program was started without standard input, but a handle of
    // 0 means "no socket" to its users: move the socket above it.
    const int moved = fcntl(s, F_DUPFD_CLOEXEC, 1);
    close(s);
    return moved;
}

void EnableBroadcast(SocketHandle s) {
    const int on = 1;
    setsockopt(s, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
}

bool BindToAnyAddress(SocketHandle s) {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = 0;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    return bind(s, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
}

void CloseSocket(SocketHandle s) {
    close(s);
}

std::int32_t SendDatagram(SocketHandle s, const Bytes& data, std::uint32_t address, std::uint16_t port) {
    sockaddr_in destination{};
    destination.sin_family = AF_INET;
    destination.sin_port = htons(port);
    destination.sin_addr.s_addr = address;
    ssize_t sent;
    do {
        sent =
            sendto(s, data.data(), data.size(), 0, reinterpret_cast<const sockaddr*>(&destination), sizeof destination);
    } while (sent < 0 && errno == EINTR);
    return static_cast<std::int32_t>(sent);
}

std::uint32_t ParseAddressText(const std::string& text) {
    return inet_addr(text.c_str());
}
