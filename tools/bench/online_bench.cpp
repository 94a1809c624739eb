// The online services' heavy paths, one per command, for tools/bench-online.sh
// to time against curl, unzip and md5sum on the same files:
//   online_bench serve FILE PORTFILE   serve FILE to every GET on 127.0.0.1
//   online_bench http URL OUT          HttpGetToFile
//   online_bench unzip PACKAGE FOLDER  ExtractFirstEntry into FOLDER
//   online_bench md5 FILE              FileMd5Hex, printed as md5sum does
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/sendfile.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "online/HttpGet.h"
#include "online/Md5.h"
#include "online/ZipReader.h"

namespace {

constexpr uint64_t kNoLimit = UINT64_MAX;

// A plain, fast server: the body goes out with sendfile, so the clients'
// own costs decide the timings.
int Serve(const char* path, const char* portFile) {
  int listener = socket(AF_INET, SOCK_STREAM, 0);
  int yes = 1;
  setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listener, 16) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    std::perror("listen");
    return 1;
  }
  FILE* f = std::fopen(portFile, "w");
  if (!f) return 1;
  std::fprintf(f, "%d\n", ntohs(addr.sin_port));
  std::fclose(f);
  for (;;) {
    int fd = accept(listener, nullptr, nullptr);
    if (fd < 0) continue;
    std::string request;
    char buf[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
      ssize_t n = recv(fd, buf, sizeof buf, 0);
      if (n <= 0) break;
      request.append(buf, static_cast<size_t>(n));
    }
    int file = open(path, O_RDONLY);
    struct stat st {};
    if (file >= 0 && fstat(file, &st) == 0) {
      std::string header = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                           std::to_string(st.st_size) + "\r\nConnection: close\r\n\r\n";
      if (send(fd, header.data(), header.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(header.size())) {
        off_t offset = 0;
        while (offset < st.st_size && sendfile(fd, file, &offset, static_cast<size_t>(st.st_size - offset)) > 0) {
        }
      }
    }
    if (file >= 0) close(file);
    shutdown(fd, SHUT_WR);
    close(fd);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "serve" && argc == 4) return Serve(argv[2], argv[3]);
  if (command == "http" && argc == 4) {
    HttpGetOptions options;
    options.maxBodyBytes = kNoLimit;
    return HttpGetToFile(argv[2], argv[3], options);
  }
  if (command == "unzip" && argc == 4) {
    std::string out;
    return ExtractFirstEntry(argv[2], out, argv[3], kNoLimit);
  }
  if (command == "md5" && argc == 3) {
    std::string digest;
    if (FileMd5Hex(argv[2], digest) != 0) return 1;
    std::printf("%s  %s\n", digest.c_str(), argv[2]);
    return 0;
  }
  std::fprintf(stderr, "usage: online_bench serve FILE PORTFILE | http URL OUT | unzip PACKAGE FOLDER | md5 FILE\n");
  return 2;
}
