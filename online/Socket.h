// The few TCP socket calls the HTTP client needs, behind one small interface
// so that the client itself stays portable. Blocking IPv4 sockets only.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace sock {

// A socket handle wide enough for both a POSIX descriptor and a Winsock SOCKET.
using Handle = std::intptr_t;
constexpr Handle kNoSocket = -1;

// Resolves a host name (or dotted address) to the dotted text of its first
// IPv4 address. False when the name does not resolve.
bool ResolveIPv4(const std::string& host, std::string& dotted);

// A new blocking TCP socket, or kNoSocket. On Windows the first call also
// starts Winsock 2.2 for the process.
Handle OpenTcp();

// Receive and send time-outs in milliseconds (SO_RCVTIMEO, SO_SNDTIMEO).
bool SetTimeouts(Handle s, int milliseconds);

bool Connect(Handle s, const std::string& dotted, uint16_t port);

// Bytes sent or received; -1 on error or time-out; Receive gives 0 at the
// orderly end of the connection.
long Send(Handle s, const char* data, size_t length);
long Receive(Handle s, char* buffer, size_t length);

// shutdown(both) and close.
void ShutdownAndClose(Handle s);

}  // namespace sock
