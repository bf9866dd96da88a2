// The pieces of the D-Bus wire format that the session bus probe needs: method calls to the
// bus itself with at most one string argument, and reading the messages that come back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace cocos2d::accessibility::dbus {

// A call of org.freedesktop.DBus.<member> on the bus, little-endian.
std::string busMethodCall(std::uint32_t serial, const std::string& member, const std::string* stringArgument);

struct Message {
  enum class Type { MethodCall = 1, MethodReturn = 2, Error = 3, Signal = 4 };
  Type type = Type::Signal;
  bool littleEndian = true;
  std::uint32_t replySerial = 0;  // 0 when the message is no reply
  std::string signature;          // of the body
  std::string body;
};

enum class ReadResult { Complete, NeedMore, Malformed };

// Reads the message at the start of the bytes; on Complete, length is how many bytes it took.
// Anything that is not a well-formed message header, or that would be larger than the limit
// for a bus message, is Malformed.
ReadResult readMessage(const std::string& bytes, std::size_t& length, Message& message);

// The value of a reply whose body is one boolean; false when it is something else.
bool readBooleanReply(const Message& message, bool& value);

}  // namespace cocos2d::accessibility::dbus
