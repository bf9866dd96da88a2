#include "cocos/accessibility/SessionBus.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "cocos/accessibility/DbusWire.h"

namespace cocos2d::accessibility {
namespace {

std::int64_t nowMilliseconds() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// An address value with its %XX escapes undone; empty on a broken escape.
std::string unescape(const std::string& value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '%') {
      out.push_back(value[i]);
      continue;
    }
    if (i + 2 >= value.size()) return {};
    const char hex[3] = {value[i + 1], value[i + 2], '\0'};
    char* end = nullptr;
    const long byte = std::strtol(hex, &end, 16);
    if (end != hex + 2) return {};
    out.push_back(static_cast<char>(byte));
    i += 2;
  }
  return out;
}

// The socket of one "unix:" entry: its path, or its abstract name (which starts with NUL).
bool socketAddress(const std::string& entry, sockaddr_un& address, socklen_t& length) {
  if (entry.compare(0, 5, "unix:") != 0) return false;
  std::string path;
  bool abstract = false;
  std::size_t start = 5;
  while (start <= entry.size()) {
    const std::size_t comma = entry.find(',', start);
    const std::string pair = entry.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const std::size_t equals = pair.find('=');
    if (equals != std::string::npos) {
      const std::string key = pair.substr(0, equals);
      if (key == "path" || key == "abstract") {
        path = unescape(pair.substr(equals + 1));
        abstract = key == "abstract";
      }
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  const std::size_t room = sizeof address.sun_path - (abstract ? 1 : 0);
  if (path.empty() || path.size() >= room) return false;
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path + (abstract ? 1 : 0), path.data(), path.size());
  length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + (abstract ? 1 : 0));
  return true;
}

class Connection {
 public:
  explicit Connection(std::int64_t deadline) : _deadline(deadline) {}
  ~Connection() {
    if (_fd >= 0) ::close(_fd);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  bool open(const sockaddr_un& address, socklen_t length) {
    _fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (_fd < 0) return false;
    if (::connect(_fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) return true;
    if (errno != EINPROGRESS && errno != EAGAIN) return false;
    return waitFor(POLLOUT);
  }

  bool send(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::send(_fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        if (!waitFor(POLLOUT)) return false;
      } else {
        return false;
      }
    }
    return true;
  }

  // Appends what arrives to `into`; false on end of stream, error or timeout.
  bool receive(std::string& into) {
    char buffer[4096];
    for (;;) {
      const ssize_t n = ::recv(_fd, buffer, sizeof buffer, 0);
      if (n > 0) {
        into.append(buffer, static_cast<std::size_t>(n));
        return true;
      }
      if (n == 0) return false;
      if (errno == EINTR) continue;
      if ((errno != EAGAIN && errno != EWOULDBLOCK) || !waitFor(POLLIN)) return false;
    }
  }

 private:
  bool waitFor(short events) {
    for (;;) {
      const std::int64_t left = _deadline - nowMilliseconds();
      if (left <= 0) return false;
      pollfd p{_fd, events, 0};
      const int rc = ::poll(&p, 1, static_cast<int>(left));
      if (rc > 0) return (p.revents & events) != 0;
      if (rc == 0 || errno != EINTR) return false;
    }
  }

  int _fd = -1;
  std::int64_t _deadline;
};

// Authenticates, then asks; false on any failure.
bool ownerOf(Connection& bus, const std::string& name) {
  // The EXTERNAL mechanism: the bus reads our credentials off the socket; we name our user id
  // in hexadecimal ASCII, as the protocol asks.
  const std::string uid = std::to_string(::getuid());
  std::string hexUid;
  static const char kHex[] = "0123456789abcdef";
  for (unsigned char c : uid) {
    hexUid.push_back(kHex[c >> 4]);
    hexUid.push_back(kHex[c & 15]);
  }
  if (!bus.send(std::string(1, '\0') + "AUTH EXTERNAL " + hexUid + "\r\n")) return false;
  std::string received;
  std::size_t lineEnd;
  while ((lineEnd = received.find("\r\n")) == std::string::npos) {
    if (received.size() > 4096 || !bus.receive(received)) return false;
  }
  if (received.compare(0, 3, "OK ") != 0) return false;
  received.erase(0, lineEnd + 2);
  // Hello must come first on a new connection; the question follows without waiting.
  constexpr std::uint32_t kQuestion = 2;
  const std::string request = "BEGIN\r\n" + dbus::busMethodCall(1, "Hello", nullptr) +
                              dbus::busMethodCall(kQuestion, "NameHasOwner", &name);
  if (!bus.send(request)) return false;
  for (;;) {
    std::size_t used = 0;
    dbus::Message message;
    switch (dbus::readMessage(received, used, message)) {
      case dbus::ReadResult::Malformed:
        return false;
      case dbus::ReadResult::NeedMore:
        if (!bus.receive(received)) return false;
        continue;
      case dbus::ReadResult::Complete:
        break;
    }
    received.erase(0, used);
    if (message.replySerial != kQuestion) continue;  // Hello's reply, NameAcquired and the like
    bool owned = false;
    return dbus::readBooleanReply(message, owned) && owned;
  }
}

}  // namespace

std::string sessionBusAddress() {
  if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address) return address;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    const std::string path = std::string(runtime) + "/bus";
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) return "unix:path=" + path;
  }
  return {};
}

bool busNameHasOwner(const std::string& address, const std::string& name, int timeoutMilliseconds) {
  const std::int64_t deadline = nowMilliseconds() + timeoutMilliseconds;
  std::size_t start = 0;
  while (start < address.size()) {
    const std::size_t semicolon = address.find(';', start);
    const std::string entry = address.substr(start, semicolon == std::string::npos ? std::string::npos : semicolon - start);
    sockaddr_un socket{};
    socklen_t length = 0;
    // The entries are ways to reach one bus: the first that connects answers.
    if (socketAddress(entry, socket, length)) {
      Connection bus(deadline);
      if (bus.open(socket, length)) return ownerOf(bus, name);
    }
    if (semicolon == std::string::npos) break;
    start = semicolon + 1;
  }
  return false;
}

}  // namespace cocos2d::accessibility
