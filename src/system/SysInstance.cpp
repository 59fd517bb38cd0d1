#include "system/SysInstance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <climits>
#include <cstddef>
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
  // Abstract namespace: leading NUL byte, nothing on disk. Long paths are cut
  // to what fits, which still separates every realistic pair of folders.
  const std::size_t room = sizeof(address.sun_path) - 1;
  const std::size_t length = name.size() < room ? name.size() : room;
  std::memcpy(address.sun_path + 1, name.data(), length);

  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return true;  // no sockets at all: do not keep the player out
  const socklen_t size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0) {
    close(fd);
    return false;
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
