// The UDP socket through which wake packets are sent, as plain calls on a socket handle.
#pragma once

#include <cstdint>
#include <string>

#include "core/text.h"

// A socket handle as a signed 32-bit value: greater than 0 is an open socket; 0 or below is none
// (a failed open gives -1).
using SocketHandle = std::int32_t;

// Starts the system's sockets library (Windows Sockets 2.2; nothing to do on POSIX).
void StartSockets();

// A new IPv4 UDP socket, or -1.
SocketHandle OpenUdpSocket();
// Turns broadcast sending on. Its outcome is not needed by any caller.
void EnableBroadcast(SocketHandle socket);
// Binds to 0.0.0.0, port 0, so that the system picks the local port. Gives false on failure.
bool BindToAnyAddress(SocketHandle socket);
void CloseSocket(SocketHandle socket);

// Sends one datagram to the IPv4 address (network byte order) and port (host byte order). Gives
// the number of bytes sent, or a value of 0 or below on failure.
std::int32_t SendDatagram(SocketHandle socket, const Bytes& data, std::uint32_t address, std::uint16_t port);

// The dotted text read as an IPv4 address in network byte order, by the rules of inet_addr; a text
// that cannot be read (the empty text included) gives 0xFFFFFFFF, the limited broadcast address.
std::uint32_t ParseAddressText(const std::string& text);
