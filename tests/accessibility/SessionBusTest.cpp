// The session bus question (does a name have an owner?) against scripted buses that answer,
// refuse, stall or send rubbish, and against a real dbus-daemon where one is installed; and the
// wire format under it, which must read whatever a bus sends without reading out of bounds.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "cocos/accessibility/DbusWire.h"
#include "cocos/accessibility/SessionBus.h"

extern char** environ;

namespace pemtrix_test {
namespace {

using namespace cocos2d::accessibility;

// A message as a bus sends it, in either byte order: a reply (or error) to a serial, or a
// signal, with a body of one boolean or one string.
std::string busMessage(dbus::Message::Type type, std::uint32_t replySerial, char bodyType, const std::string& body,
                       bool bigEndian = false) {
  std::string m;
  auto align = [&m](std::size_t n) {
    while (m.size() % n) m.push_back('\0');
  };
  auto u32 = [&](std::uint32_t v) {
    align(4);
    for (int i = 0; i < 4; ++i) m.push_back(static_cast<char>(v >> (8 * (bigEndian ? 3 - i : i))));
  };
  m += bigEndian ? 'B' : 'l';
  m.push_back(static_cast<char>(type));
  m.push_back('\0');
  m.push_back('\1');
  u32(0);  // body length, below
  u32(77);
  u32(0);  // field array length, below
  const std::size_t fieldsStart = m.size();
  if (replySerial) {
    m += std::string("\x05\x01u\0", 4);
    u32(replySerial);
  }
  align(8);
  m += std::string("\x08\x01g\0\x01", 5);
  m.push_back(bodyType);
  m.push_back('\0');
  const std::size_t fieldsLength = m.size() - fieldsStart;
  align(8);
  const std::size_t bodyStart = m.size();
  if (bodyType == 'b') {
    u32(body == "true" ? 1 : body == "false" ? 0 : 2);
  } else {
    u32(static_cast<std::uint32_t>(body.size()));
    m += body;
    m.push_back('\0');
  }
  const auto patch = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) m[at + i] = static_cast<char>(v >> (8 * (bigEndian ? 3 - i : i)));
  };
  patch(4, static_cast<std::uint32_t>(m.size() - bodyStart));
  patch(12, static_cast<std::uint32_t>(fieldsLength));
  return m;
}

const auto kReturn = dbus::Message::Type::MethodReturn;

TEST(DbusWire, DamagedMessagesNeverReadOutOfBounds) {
  // Under the sanitizers, any read past the bytes fails the test.
  const std::string whole = busMessage(kReturn, 2, 's', "a reply with some text");
  std::mt19937 random(20240607);
  for (int round = 0; round < 20000; ++round) {
    std::string bytes = whole.substr(0, random() % (whole.size() + 1));
    const int flips = static_cast<int>(random() % 4);
    for (int f = 0; f < flips && !bytes.empty(); ++f) bytes[random() % bytes.size()] = static_cast<char>(random());
    dbus::Message m;
    std::size_t used = 0;
    if (dbus::readMessage(bytes, used, m) == dbus::ReadResult::Complete) {
      EXPECT_LE(used, bytes.size());
      bool owned;
      dbus::readBooleanReply(m, owned);
    }
  }
}

// A bus on a Unix socket that authenticates (or not) and answers with scripted bytes.
class ScriptedBus {
 public:
  ScriptedBus(std::string greeting, std::string reply, bool hangUp = true)
      : _path(std::string(::testing::TempDir()) + "bus-" + std::to_string(::getpid()) + "-" + std::to_string(++count)) {
    _listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    _path.copy(address.sun_path, sizeof address.sun_path - 1);
    ::unlink(_path.c_str());
    EXPECT_EQ(::bind(_listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(::listen(_listener, 1), 0);
    _thread = std::thread([this, greeting, reply, hangUp] {
      const int fd = ::accept(_listener, nullptr, nullptr);
      if (fd < 0) return;
      char buffer[4096];
      const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);  // the AUTH line
      if (n > 0) _received.assign(buffer, static_cast<std::size_t>(n));
      ::send(fd, greeting.data(), greeting.size(), MSG_NOSIGNAL);
      if (!reply.empty()) {
        const ssize_t m = ::recv(fd, buffer, sizeof buffer, 0);  // BEGIN and the calls
        if (m > 0) _received.append(buffer, static_cast<std::size_t>(m));
        ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
      }
      if (!hangUp) std::this_thread::sleep_for(std::chrono::milliseconds(600));
      ::close(fd);
    });
  }
  ~ScriptedBus() {
    ::shutdown(_listener, SHUT_RDWR);
    if (_thread.joinable()) _thread.join();
    ::close(_listener);
    ::unlink(_path.c_str());
  }
  std::string address() const { return "unix:path=" + _path; }
  // What the client sent, once the conversation is over.
  const std::string& received() {
    if (_thread.joinable()) _thread.join();
    return _received;
  }

 private:
  static inline int count = 0;
  std::string _path;
  int _listener = -1;
  std::thread _thread;
  std::string _received;
};

TEST(SessionBus, TheAnswerToTheQuestionIsTheOwnership) {
  const std::string ok = "OK 0123456789abcdef0123456789abcdef\r\n";
  const std::string acquired = busMessage(dbus::Message::Type::Signal, 0, 's', ":1.7");
  const std::string hello = busMessage(kReturn, 1, 's', ":1.7");
  struct Case {
    const char* what;
    std::string greeting, reply;
    bool owned;
  };
  const Case cases[] = {
      {"owned", ok, busMessage(kReturn, 2, 'b', "true"), true},
      {"owned, big-endian", ok, busMessage(kReturn, 2, 'b', "true", true), true},
      {"not a boolean", ok, busMessage(kReturn, 2, 's', "yes"), false},
      {"after the other traffic", ok, hello + acquired + busMessage(kReturn, 2, 'b', "true"), true},
      {"not owned", ok, hello + busMessage(kReturn, 2, 'b', "false"), false},
      {"an error", ok, busMessage(dbus::Message::Type::Error, 2, 's', "denied"), false},
      {"refused", "REJECTED EXTERNAL\r\n", "", false},
      {"rubbish", ok, std::string(64, '\xff'), false},
      {"hung up", "", "", false},
      {"reply in pieces never finished", ok, busMessage(kReturn, 2, 'b', "true").substr(0, 20), false},
  };
  for (const Case& c : cases) {
    ScriptedBus bus(c.greeting, c.reply);
    EXPECT_EQ(busNameHasOwner(bus.address(), "org.a11y.Bus", 2000), c.owned) << c.what;
  }
  ScriptedBus bus(ok, busMessage(kReturn, 2, 'b', "true"));
  busNameHasOwner(bus.address(), "org.a11y.Bus", 2000);
  EXPECT_EQ(bus.received().compare(0, 15, std::string("\0AUTH EXTERNAL ", 15)), 0);
  EXPECT_NE(bus.received().find("NameHasOwner"), std::string::npos);
  EXPECT_NE(bus.received().find("org.a11y.Bus"), std::string::npos);
}

TEST(SessionBus, ASilentBusCostsNoMoreThanTheTimeout) {
  ScriptedBus bus("OK 0123456789abcdef0123456789abcdef\r\n", "", false);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(busNameHasOwner(bus.address(), "org.a11y.Bus", 150));
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(140));
  EXPECT_LT(took, std::chrono::milliseconds(500));
}

TEST(SessionBus, AddressesAreTriedInOrderAndUnreachableOnesSkipped) {
  ScriptedBus bus("OK 0123456789abcdef0123456789abcdef\r\n", busMessage(kReturn, 2, 'b', "true"));
  const std::string unreachable = "unix:path=/nonexistent/socket";
  EXPECT_TRUE(busNameHasOwner("tcp:host=localhost,port=1;" + unreachable + ";" + bus.address(), "x", 2000));
  EXPECT_FALSE(busNameHasOwner(unreachable, "x", 2000));
  EXPECT_FALSE(busNameHasOwner("", "x", 2000));
  EXPECT_FALSE(busNameHasOwner("unix:path=%zz", "x", 2000)) << "a broken escape is no address";
}

TEST(SessionBus, ARealBusKnowsItsOwnNameAndNotAnAbsentOne) {
  if (::access("/usr/bin/dbus-daemon", X_OK) != 0) GTEST_SKIP() << "dbus-daemon is not installed";
  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  char program[] = "/usr/bin/dbus-daemon";
  char session[] = "--session";
  char nofork[] = "--nofork";
  char print[] = "--print-address=1";
  char* argv[] = {program, session, nofork, print, nullptr};
  pid_t daemon = 0;
  ASSERT_EQ(posix_spawn(&daemon, program, &actions, nullptr, argv, environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  std::string address;
  char c;
  while (::read(out[0], &c, 1) == 1 && c != '\n') address.push_back(c);
  ::close(out[0]);
  ASSERT_FALSE(address.empty());
  EXPECT_TRUE(busNameHasOwner(address, "org.freedesktop.DBus", 2000));
  EXPECT_FALSE(busNameHasOwner(address, "org.a11y.Bus", 2000));
  ::kill(daemon, SIGTERM);
  ::waitpid(daemon, nullptr, 0);
}

}  // namespace
}  // namespace pemtrix_test
