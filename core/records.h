// The two records of the tool.
#pragma once

#include <string>

// One saved wake configuration; Mode is "内网" (LAN) or "外网" (WAN).
struct WakeProfile {
    std::string Name;
    std::string Mode;
    std::string Mac;
    std::string Host;
    std::string Port;

    bool operator==(const WakeProfile&) const = default;
};

// One host found by a scan; Mac is text like "00:1A:2B:0C:D4:FF".
struct ScanResult {
    std::string Ip;
    std::string HostName;
    std::string Mac;

    bool operator==(const ScanResult&) const = default;
};
