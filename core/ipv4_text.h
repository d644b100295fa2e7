// Dotted decimal text of IPv4 address bytes.
#pragma once

#include <string>

#include "core/text.h"

// "192.168.1.62" for the bytes C0 A8 01 3E: each byte as an unsigned decimal number, "." between.
std::string AddressBytesToText(const Bytes& address);
