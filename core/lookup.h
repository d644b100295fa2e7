// Name lookups: forward (name to addresses), reverse (address to name) and the computer's own name.
// Each call blocks its thread until the system's resolver answers or gives up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/text.h"

// The computer's host name, or the empty text when the system gives none.
std::string OwnHostName();

// The IPv4 addresses the name resolves to, in the order of the lookup, each as its bytes in network
// order (four bytes). No result gives an empty list.
std::vector<Bytes> LookUpHostAddresses(const std::string& name);

// The official name of the host at the IPv4 address (network byte order), or the empty text when
// the reverse lookup finds no entry or no name. The name is given as found, whatever its length.
std::string ReverseLookUpName(std::uint32_t address);
