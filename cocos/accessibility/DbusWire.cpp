#include "cocos/accessibility/DbusWire.h"

namespace cocos2d::accessibility::dbus {
namespace {

// The largest message the D-Bus protocol allows.
constexpr std::uint64_t kMaxMessage = 128ull * 1024 * 1024;

constexpr std::uint8_t kFieldPath = 1, kFieldInterface = 2, kFieldMember = 3, kFieldDestination = 6,
                       kFieldSignature = 8, kFieldReplySerial = 5;

class Writer {
 public:
  void align(std::size_t n) {
    while (bytes.size() % n) bytes.push_back('\0');
  }
  void byte(std::uint8_t v) { bytes.push_back(static_cast<char>(v)); }
  void uint32(std::uint32_t v) {
    align(4);
    for (int i = 0; i < 4; ++i) byte(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void string(const std::string& s) {
    uint32(static_cast<std::uint32_t>(s.size()));
    bytes += s;
    byte(0);
  }
  void signature(const std::string& s) {
    byte(static_cast<std::uint8_t>(s.size()));
    bytes += s;
    byte(0);
  }
  // A header field: a struct of the code and a variant holding a string-like value.
  void field(std::uint8_t code, char type, const std::string& value) {
    align(8);
    byte(code);
    signature(std::string(1, type));
    if (type == 'g') signature(value);
    else string(value);
  }
  void patch32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(v >> (8 * i));
  }
  std::string bytes;
};

class Reader {
 public:
  Reader(const std::string& bytes, bool littleEndian, std::size_t end) : _b(bytes), _little(littleEndian), _end(end) {}
  std::size_t pos = 0;
  bool align(std::size_t n) {
    while (pos % n) {
      if (pos >= _end) return false;
      ++pos;
    }
    return pos <= _end;
  }
  bool uint32(std::uint32_t& v) {
    if (!align(4) || _end - pos < 4) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) {
      const auto byte = static_cast<std::uint32_t>(static_cast<unsigned char>(_b[pos + (_little ? i : 3 - i)]));
      v |= byte << (8 * i);
    }
    pos += 4;
    return true;
  }
  bool byte(std::uint8_t& v) {
    if (pos >= _end) return false;
    v = static_cast<std::uint8_t>(_b[pos++]);
    return true;
  }
  bool string(std::string& s) {
    std::uint32_t n = 0;
    if (!uint32(n) || _end - pos < static_cast<std::size_t>(n) + 1) return false;
    s.assign(_b, pos, n);
    pos += static_cast<std::size_t>(n) + 1;
    return true;
  }
  bool signature(std::string& s) {
    std::uint8_t n = 0;
    if (!byte(n) || _end - pos < static_cast<std::size_t>(n) + 1) return false;
    s.assign(_b, pos, n);
    pos += static_cast<std::size_t>(n) + 1;
    return true;
  }

 private:
  const std::string& _b;
  bool _little;
  std::size_t _end;
};

}  // namespace

std::string busMethodCall(std::uint32_t serial, const std::string& member, const std::string* stringArgument) {
  Writer w;
  w.byte('l');
  w.byte(static_cast<std::uint8_t>(Message::Type::MethodCall));
  w.byte(0);  // flags
  w.byte(1);  // protocol version
  w.uint32(0);  // body length, patched below
  w.uint32(serial);
  w.uint32(0);  // header field array length, patched below
  const std::size_t fieldsStart = w.bytes.size();
  w.field(kFieldPath, 'o', "/org/freedesktop/DBus");
  w.field(kFieldInterface, 's', "org.freedesktop.DBus");
  w.field(kFieldMember, 's', member);
  w.field(kFieldDestination, 's', "org.freedesktop.DBus");
  if (stringArgument) w.field(kFieldSignature, 'g', "s");
  w.patch32(12, static_cast<std::uint32_t>(w.bytes.size() - fieldsStart));
  w.align(8);
  const std::size_t bodyStart = w.bytes.size();
  if (stringArgument) w.string(*stringArgument);
  w.patch32(4, static_cast<std::uint32_t>(w.bytes.size() - bodyStart));
  return w.bytes;
}

ReadResult readMessage(const std::string& bytes, std::size_t& length, Message& message) {
  if (bytes.size() < 16) return bytes.empty() || bytes[0] == 'l' || bytes[0] == 'B' ? ReadResult::NeedMore
                                                                                     : ReadResult::Malformed;
  if (bytes[0] != 'l' && bytes[0] != 'B') return ReadResult::Malformed;
  message = Message();
  message.littleEndian = bytes[0] == 'l';
  Reader fixed(bytes, message.littleEndian, 16);
  fixed.pos = 4;
  std::uint32_t bodyLength = 0, serial = 0, fieldsLength = 0;
  fixed.uint32(bodyLength);
  fixed.uint32(serial);
  fixed.uint32(fieldsLength);
  const auto type = static_cast<unsigned char>(bytes[1]);
  if (type < 1 || type > 4 || bytes[3] != 1) return ReadResult::Malformed;
  message.type = static_cast<Message::Type>(type);
  const std::uint64_t fieldsEnd = 16ull + fieldsLength;
  const std::uint64_t bodyStart = (fieldsEnd + 7) / 8 * 8;
  const std::uint64_t total = bodyStart + bodyLength;
  if (total > kMaxMessage) return ReadResult::Malformed;
  if (bytes.size() < total) return ReadResult::NeedMore;

  Reader fields(bytes, message.littleEndian, static_cast<std::size_t>(fieldsEnd));
  fields.pos = 16;
  while (fields.pos < fieldsEnd) {
    std::uint8_t code = 0;
    std::string type;
    if (!fields.align(8) || fields.pos >= fieldsEnd) break;
    if (!fields.byte(code) || !fields.signature(type)) return ReadResult::Malformed;
    bool ok = false;
    if (type == "u") {
      std::uint32_t v = 0;
      ok = fields.uint32(v);
      if (code == kFieldReplySerial) message.replySerial = v;
    } else if (type == "s" || type == "o") {
      std::string v;
      ok = fields.string(v);
    } else if (type == "g") {
      std::string v;
      ok = fields.signature(v);
      if (code == kFieldSignature) message.signature = v;
    }
    // The bus never sends other types in a header; a message that does cannot be walked.
    if (!ok) return ReadResult::Malformed;
  }
  message.body.assign(bytes, static_cast<std::size_t>(bodyStart), bodyLength);
  length = static_cast<std::size_t>(total);
  return ReadResult::Complete;
}

bool readBooleanReply(const Message& message, bool& value) {
  if (message.type != Message::Type::MethodReturn || message.signature != "b") return false;
  Reader body(message.body, message.littleEndian, message.body.size());
  std::uint32_t v = 0;
  if (!body.uint32(v) || v > 1) return false;
  value = v == 1;
  return true;
}

}  // namespace cocos2d::accessibility::dbus
