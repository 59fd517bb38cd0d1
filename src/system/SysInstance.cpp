#include "system/SysInstance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

CInstanceLock::~CInstanceLock() { Release(); }

bool CInstanceLock::Acquire(const std::string& gameFolder) {
  Release();
  char resolved[PATH_MAX];
  std::string folder = realpath(gameFolder.c_str(), resolved) ? std::string(resolved) : gameFolder;
  std::string name = "Vorlumen" + folder;

  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  // Abstract namespace: leading NUL byte, nothing on disk. A path too long
  // for the address keeps its start and ends in a hash of all of it, so two
  // long folders that differ only near the end still do not collide.
  const std::size_t room = sizeof(address.sun_path) - 1;
  if (name.size() > room) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
    char tail[18];
    std::snprintf(tail, sizeof tail, "#%016llx", static_cast<unsigned long long>(hash));
    name.resize(room - 17);
    name += tail;
  }
  const std::size_t length = name.size();
  std::memcpy(address.sun_path + 1, name.data(), length);

  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return true;  // no sockets at all: do not keep the player out
  const socklen_t size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0) {
    // Only a name in use means another copy; a system that refuses such
    // sockets altogether must not keep the player out.
    const bool taken = errno == EADDRINUSE;
    close(fd);
    return !taken;
  }
  Socket = fd;
  return true;
}

void CInstanceLock::Release() {
  if (Socket >= 0) {
    close(Socket);
    Socket = -1;
  }
}
