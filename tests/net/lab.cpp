// Listeners on the lab's hosts.
#include "tests/net/lab.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

namespace lab {

bool InLab() {
    return std::getenv("WOL_LAB") != nullptr;
}

std::string NamespaceOf(const Host& host) {
    const char* name = std::getenv((std::string("WOL_LAB_") + host.role).c_str());
    return name == nullptr ? std::string() : std::string(name);
}

int OpenUdpListener(const Host& host, std::uint16_t port) {
    const std::string path = "/var/run/netns/" + NamespaceOf(host);
    int listener = -1;
    // Joining a network namespace changes only the calling thread: do it on a thread of its own.
    std::thread maker([&] {
        const int ns = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (ns < 0 || setns(ns, CLONE_NEWNET) != 0) {
            if (ns >= 0)
                close(ns);
            return;
        }
        close(ns);
        const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = htons(port);
        local.sin_addr.s_addr = htonl(INADDR_ANY);
        if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0) {
            listener = fd;
        } else if (fd >= 0) {
            close(fd);
        }
    });
    maker.join();
    return listener;
}

std::vector<Datagram> ReceiveAll(int listener, int quietMilliseconds) {
    std::vector<Datagram> received;
    pollfd ready{listener, POLLIN, 0};
    while (poll(&ready, 1, quietMilliseconds) == 1) {
        std::uint8_t buffer[2048];
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        const ssize_t n = recvfrom(listener, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (n < 0) {
            break;
        }
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
        received.push_back({Bytes(buffer, buffer + n), text});
    }
    return received;
}

}  // namespace lab
