// Name lookups on POSIX, through the thread-safe resolver calls.
#include "core/lookup.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

std::string OwnHostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name) != 0) {
        return {};
    }
    name[sizeof name - 1] = '\0';
    return name;
}

std::vector<Bytes> LookUpHostAddresses(const std::string& name) {
    std::vector<Bytes> addresses;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;  // one entry per address, not one per socket type
    addrinfo* found = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0) {
        return addresses;
    }
    for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(a->ai_addr);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&in->sin_addr.s_addr);
        addresses.emplace_back(bytes, bytes + 4);
    }
    freeaddrinfo(found);
    return addresses;
}

std::string ReverseLookUpName(std::uint32_t address) {
    std::string buffer(1024, '\0');
    for (;;) {
        hostent entry{};
        hostent* result = nullptr;
        int error = 0;
        const int rc = gethostbyaddr_r(&address, 4, AF_INET, &entry, buffer.data(), buffer.size(), &result, &error);
        if (rc == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (rc != 0 || result == nullptr || result->h_name == nullptr) {
            return {};
        }
        return result->h_name;
    }
}
