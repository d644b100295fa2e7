// Asking for a neighbour's hardware address on Linux, the way SendARP does on Windows, without
// privileges: the kernel's own ARP does the work, and rtnetlink tells us how it went.
//
// One probe: ask the routing table through which interface the address is a direct unicast
// neighbour (a local, broadcast or gatewayed address gets no ARP, so it fails at once); subscribe to
// the neighbour events; dump the neighbour table and answer at once from a confirmed entry
// (REACHABLE or PERMANENT, or STALE but confirmed within the last minute); otherwise send one empty
// UDP datagram to the address's discard port, which makes the kernel resolve the address (or
// re-check its stale entry), and wait for the verdict: REACHABLE carries the MAC, FAILED means
// nobody answered. A silent address fails after the kernel's three requests one second apart,
// about 3 s, as SendARP gives up. Every probe has sockets of its own, so many workers in parallel
// each get their own answer.
#include "scan/arp.h"

#include <linux/neighbour.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// How long we wait for the kernel's verdict after the datagram: a fresh resolution gives up after
// about 3.05 s; re-checking a STALE entry first waits 5 s, then probes it three times.
constexpr auto kResolveLimit = std::chrono::milliseconds(3400);
constexpr auto kRecheckLimit = std::chrono::milliseconds(9500);
// The route question and the table dump are answered at once; this only bounds a kernel that does not.
constexpr auto kQuestionLimit = std::chrono::milliseconds(1000);
constexpr std::uint16_t kDiscardPort = 9;
// An entry the kernel no longer calls REACHABLE (STALE, or being re-checked) still answers if the
// host confirmed it this recently: the minute after which the kernel itself may drop a stale entry.
constexpr auto kFreshEnough = std::chrono::seconds(60);

// Owns a socket descriptor.
struct Descriptor {
    explicit Descriptor(int descriptor) : fd(descriptor) {}
    ~Descriptor() {
        if (fd >= 0) {
            close(fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int fd;
};

constexpr std::size_t Align4(std::size_t length) {
    return (length + 3) & ~static_cast<std::size_t>(3);
}

constexpr std::size_t kMessageHeaderLength = Align4(sizeof(nlmsghdr));

// One attribute of a route or neighbour message: its type and payload.
struct Attribute {
    std::uint16_t type;
    const std::uint8_t* data;
    std::size_t length;
};

// Calls visit(attribute) for each attribute in the block; a malformed one ends the walk.
template <typename Visit>
void ForEachAttribute(const std::uint8_t* data, std::size_t size, Visit visit) {
    std::size_t offset = 0;
    while (size - offset >= sizeof(rtattr)) {
        rtattr header;
        std::memcpy(&header, data + offset, sizeof header);
        if (header.rta_len < sizeof(rtattr) || header.rta_len > size - offset) {
            return;
        }
        visit(Attribute{header.rta_type, data + offset + sizeof(rtattr), header.rta_len - sizeof(rtattr)});
        offset += Align4(header.rta_len);
        if (offset >= size) {
            return;
        }
    }
}

// Calls visit(header, payload, payloadLength) for each netlink message in a received block.
template <typename Visit>
void ForEachMessage(const std::uint8_t* data, std::size_t size, Visit visit) {
    std::size_t offset = 0;
    while (size - offset >= sizeof(nlmsghdr)) {
        nlmsghdr header;
        std::memcpy(&header, data + offset, sizeof header);
        if (header.nlmsg_len < kMessageHeaderLength || header.nlmsg_len > size - offset) {
            return;
        }
        visit(header, data + offset + kMessageHeaderLength, header.nlmsg_len - kMessageHeaderLength);
        offset += Align4(header.nlmsg_len);
        if (offset >= size) {
            return;
        }
    }
}

bool SendToKernel(int fd, const void* request, std::size_t length) {
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    return sendto(fd, request, length, 0, reinterpret_cast<const sockaddr*>(&kernel), sizeof kernel) ==
           static_cast<ssize_t>(length);
}

// Waits until the descriptor is readable or the deadline passes; false at the deadline.
bool WaitReadable(int fd, Clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return false;
        }
        pollfd ready{fd, POLLIN, 0};
        const int rc = poll(&ready, 1, static_cast<int>(left));
        if (rc > 0) {
            return true;
        }
        if (rc < 0 && errno != EINTR) {
            return false;
        }
    }
}

// The interface through which the kernel would resolve the address by ARP (a unicast route straight
// to it, no gateway), or 0 when it would not.
int NeighbourInterface(int fd, std::uint32_t address) {
    struct {
        nlmsghdr header;
        rtmsg route;
        rtattr destinationHeader;
        std::uint32_t destination;
    } request{};
    request.header.nlmsg_len = sizeof request;
    request.header.nlmsg_type = RTM_GETROUTE;
    request.header.nlmsg_flags = NLM_F_REQUEST;
    request.header.nlmsg_seq = 1;
    request.route.rtm_family = AF_INET;
    request.route.rtm_dst_len = 32;
    request.destinationHeader.rta_len = sizeof(rtattr) + sizeof(std::uint32_t);
    request.destinationHeader.rta_type = RTA_DST;
    request.destination = address;
    if (!SendToKernel(fd, &request, sizeof request)) {
        return 0;
    }

    const Clock::time_point deadline = Clock::now() + kQuestionLimit;
    std::vector<std::uint8_t> buffer(16384);
    while (WaitReadable(fd, deadline)) {
        const ssize_t received = recv(fd, buffer.data(), buffer.size(), 0);
        if (received < 0) {
            if (errno == EINTR) {
                continue;
            }
            return 0;
        }
        bool answered = false;
        bool direct = false;
        int interface = 0;
        ForEachMessage(buffer.data(), static_cast<std::size_t>(received),
                       [&](const nlmsghdr& header, const std::uint8_t* payload, std::size_t length) {
                           if (header.nlmsg_seq != request.header.nlmsg_seq) {
                               return;
                           }
                           answered = true;  // the route, or an error: no route
                           if (header.nlmsg_type != RTM_NEWROUTE || length < sizeof(rtmsg)) {
                               return;
                           }
                           rtmsg route;
                           std::memcpy(&route, payload, sizeof route);
                           direct = route.rtm_type == RTN_UNICAST;
                           const std::size_t skip = Align4(sizeof(rtmsg));
                           if (length > skip) {
                               ForEachAttribute(payload + skip, length - skip, [&](const Attribute& a) {
                                   if (a.type == RTA_GATEWAY || a.type == RTA_VIA) {
                                       direct = false;
                                   } else if (a.type == RTA_OIF && a.length == sizeof(int)) {
                                       std::memcpy(&interface, a.data, sizeof(int));
                                   }
                               });
                           }
                       });
        if (answered) {
            return direct ? interface : 0;
        }
    }
    return 0;
}

// The neighbour entry of our address as a message tells it.
struct Entry {
    std::uint16_t state = 0;
    bool hasMac = false;
    std::uint8_t mac[6] = {};
    bool confirmedLately = false;  // the host confirmed the entry within kFreshEnough
};

// Reads a neighbour message; true when it is about the address on the interface.
bool ReadEntry(const std::uint8_t* payload, std::size_t length, std::uint32_t address, int interface, Entry& entry) {
    if (length < sizeof(ndmsg)) {
        return false;
    }
    ndmsg neighbour;
    std::memcpy(&neighbour, payload, sizeof neighbour);
    if (neighbour.ndm_family != AF_INET || neighbour.ndm_ifindex != interface) {
        return false;
    }
    bool ours = false;
    entry = Entry{};
    entry.state = neighbour.ndm_state;
    const std::size_t skip = Align4(sizeof(ndmsg));
    if (length > skip) {
        ForEachAttribute(payload + skip, length - skip, [&](const Attribute& a) {
            if (a.type == NDA_DST && a.length == 4) {
                ours = std::memcmp(a.data, &address, 4) == 0;
            } else if (a.type == NDA_LLADDR && a.length == 6) {
                entry.hasMac = true;
                std::memcpy(entry.mac, a.data, 6);
            } else if (a.type == NDA_CACHEINFO && a.length >= sizeof(nda_cacheinfo)) {
                nda_cacheinfo cache;
                std::memcpy(&cache, a.data, sizeof cache);
                // Ticks of the user clock since the host last confirmed the entry.
                static const long ticksPerSecond = sysconf(_SC_CLK_TCK);
                entry.confirmedLately =
                    ticksPerSecond > 0 && cache.ndm_confirmed / ticksPerSecond < kFreshEnough.count();
            }
        });
    }
    return ours;
}

bool SendTriggerDatagram(std::uint32_t address) {
    const Descriptor udp(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (udp.fd < 0) {
        return false;
    }
    sockaddr_in destination{};
    destination.sin_family = AF_INET;
    destination.sin_port = htons(kDiscardPort);
    destination.sin_addr.s_addr = address;
    // Sent even when the neighbour is still unknown: the kernel queues it until ARP has answered.
    return sendto(udp.fd, "", 0, 0, reinterpret_cast<const sockaddr*>(&destination), sizeof destination) == 0;
}

// The conversation with the kernel about one address, from the table dump to the verdict.
class NeighbourWatch {
public:
    NeighbourWatch(int fd, std::uint32_t address, int interface) : fd_(fd), address_(address), interface_(interface) {}

    bool Resolve(std::uint8_t (&mac)[6]) {
        if (!StartDump()) {
            return false;
        }
        // Before the datagram: only a confirmed entry answers; anything else needs our datagram.
        deadline_ = Clock::now() + kQuestionLimit;
        while (dumping_) {
            if (!ReadMessages(/*triggered=*/false)) {
                return false;
            }
            if (verdict_ != Verdict::Pending) {
                return Answer(mac);
            }
        }
        if (!SendTriggerDatagram(address_)) {
            return false;
        }
        sentAt_ = Clock::now();
        deadline_ = sentAt_ + (recheck_ ? kRecheckLimit : kResolveLimit);
        while (verdict_ == Verdict::Pending) {
            if (!dumping_ && redumpWanted_ && !StartDump()) {
                return false;
            }
            if (!ReadMessages(/*triggered=*/true)) {
                return false;
            }
        }
        return Answer(mac);
    }

private:
    enum class Verdict { Pending, Found, Failed };

    bool StartDump() {
        struct {
            nlmsghdr header;
            ndmsg neighbour;
        } request{};
        request.header.nlmsg_len = sizeof request;
        request.header.nlmsg_type = RTM_GETNEIGH;
        request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
        request.header.nlmsg_seq = ++dumpSequence_;
        request.neighbour.ndm_family = AF_INET;
        redumpWanted_ = false;
        dumping_ = SendToKernel(fd_, &request, sizeof request);
        return dumping_;
    }

    // Reads what arrived before the deadline; false at the deadline or on a socket failure.
    bool ReadMessages(bool triggered) {
        if (!WaitReadable(fd_, deadline_)) {
            return false;
        }
        const ssize_t received = recv(fd_, buffer_.data(), buffer_.size(), 0);
        if (received < 0) {
            // Too many events at once (many probes run in parallel) overflowed our socket: events
            // were lost, so ask for the table again, which tells the state as it is now.
            if (errno == ENOBUFS) {
                redumpWanted_ = true;
                return true;
            }
            return errno == EINTR || errno == EAGAIN;
        }
        ForEachMessage(
            buffer_.data(), static_cast<std::size_t>(received),
            [&](const nlmsghdr& header, const std::uint8_t* payload, std::size_t length) {
                if ((header.nlmsg_type == NLMSG_DONE || header.nlmsg_type == NLMSG_ERROR) &&
                    header.nlmsg_seq == dumpSequence_) {
                    dumping_ = false;
                    return;
                }
                Entry entry;
                if (header.nlmsg_type == RTM_NEWNEIGH && ReadEntry(payload, length, address_, interface_, entry)) {
                    Judge(entry, triggered);
                }
            });
        return true;
    }

    void Judge(const Entry& entry, bool triggered) {
        if (verdict_ != Verdict::Pending) {
            return;
        }
        const bool confirmed = (entry.state & (NUD_REACHABLE | NUD_PERMANENT)) != 0 ||
                               ((entry.state & (NUD_STALE | NUD_DELAY | NUD_PROBE)) != 0 && entry.confirmedLately);
        if (confirmed && entry.hasMac) {
            verdict_ = Verdict::Found;
            std::memcpy(mac_, entry.mac, 6);
        } else if ((entry.state & NUD_NOARP) != 0) {
            verdict_ = Verdict::Failed;  // an interface without ARP: nobody can answer
        } else if ((entry.state & (NUD_STALE | NUD_DELAY | NUD_PROBE)) != 0) {
            // Known, but not confirmed lately: the kernel re-checks it, which takes longer.
            recheck_ = true;
            if (triggered) {
                deadline_ = std::max(deadline_, sentAt_ + kRecheckLimit);
            }
        } else if ((entry.state & NUD_FAILED) != 0 && triggered) {
            // Before our datagram a FAILED entry is an old verdict; after it, the new one.
            verdict_ = Verdict::Failed;
        }
    }

    bool Answer(std::uint8_t (&mac)[6]) const {
        if (verdict_ != Verdict::Found) {
            return false;
        }
        std::memcpy(mac, mac_, 6);
        return true;
    }

    int fd_;
    std::uint32_t address_;
    int interface_;
    std::vector<std::uint8_t> buffer_ = std::vector<std::uint8_t>(65536);
    std::uint32_t dumpSequence_ = 100;
    bool dumping_ = false;
    bool redumpWanted_ = false;
    bool recheck_ = false;
    Verdict verdict_ = Verdict::Pending;
    std::uint8_t mac_[6] = {};
    Clock::time_point sentAt_{};
    Clock::time_point deadline_{};
};

}  // namespace

bool RequestHardwareAddress(std::uint32_t address, std::uint8_t (&mac)[6]) {
    const Descriptor netlink(socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE));
    if (netlink.fd < 0) {
        return false;
    }
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    if (bind(netlink.fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        return false;
    }
    const int interface = NeighbourInterface(netlink.fd, address);
    if (interface == 0) {
        return false;
    }
    // Subscribed before the dump, so that no change after the dump goes unseen.
    const int group = RTNLGRP_NEIGH;
    if (setsockopt(netlink.fd, SOL_NETLINK, NETLINK_ADD_MEMBERSHIP, &group, sizeof group) != 0) {
        return false;
    }
    NeighbourWatch watch(netlink.fd, address, interface);
    return watch.Resolve(mac);
}
