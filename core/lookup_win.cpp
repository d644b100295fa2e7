// Name lookups on Windows Sockets. The host entries of gethostbyname and gethostbyaddr live in
// storage of the calling thread, so workers may look up at the same time.
#include "core/lookup.h"

#include "core/windows_api.h"

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
    const hostent* entry = gethostbyname(name.c_str());
    if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_length != 4) {
        return addresses;
    }
    for (char** a = entry->h_addr_list; *a != nullptr; ++a) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(*a);
        addresses.emplace_back(bytes, bytes + 4);
    }
    return addresses;
}

std::string ReverseLookUpName(std::uint32_t address) {
    const hostent* entry = gethostbyaddr(reinterpret_cast<const char*>(&address), 4, AF_INET);
    if (entry == nullptr || entry->h_name == nullptr) {
        return {};
    }
    return entry->h_name;
}
