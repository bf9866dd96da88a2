#include "cocos/services/store/win32/StoreJournal.h"

#include <cstdint>

namespace cocos2d {
namespace storage {
namespace {

// "PTJ" and a format number.
constexpr std::string_view kMagic("PTJ\x01", 4);
constexpr unsigned char kInteger = 'i';
constexpr unsigned char kBytes = 'b';

void putNumber(std::string& out, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void putString(std::string& out, std::string_view s) {
  putNumber(out, s.size());
  out.append(s.data(), s.size());
}

// Reads from the front of the journal, refusing to read past its end.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : _rest(bytes) {}

  bool number(std::uint64_t& v) {
    if (_rest.size() < 8) return false;
    v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(_rest[i]);
    _rest.remove_prefix(8);
    return true;
  }
  bool string(std::string& s) {
    std::uint64_t size = 0;
    if (!number(size) || size > _rest.size()) return false;
    s.assign(_rest.data(), static_cast<std::size_t>(size));
    _rest.remove_prefix(static_cast<std::size_t>(size));
    return true;
  }
  bool byte(unsigned char& c) {
    if (_rest.empty()) return false;
    c = static_cast<unsigned char>(_rest.front());
    _rest.remove_prefix(1);
    return true;
  }
  bool prefix(std::string_view p) {
    if (_rest.substr(0, p.size()) != p) return false;
    _rest.remove_prefix(p.size());
    return true;
  }
  bool atEnd() const { return _rest.empty(); }

 private:
  std::string_view _rest;
};

}  // namespace

const wchar_t* const kJournalValueName = L"\xD800Pemtrix journal";

std::string encodeJournal(const Entries& writes) {
  std::string out(kMagic);
  putNumber(out, writes.size());
  for (const auto& write : writes) {
    putString(out, write.first);
    if (write.second.kind == Value::Kind::Integer) {
      out += static_cast<char>(kInteger);
      putNumber(out, static_cast<std::uint64_t>(write.second.integer));
    } else {
      out += static_cast<char>(kBytes);
      putString(out, write.second.kind == Value::Kind::Bytes ? write.second.bytes : textOf(write.second));
    }
  }
  return out;
}

bool decodeJournal(std::string_view bytes, Entries& writes) {
  Reader in(bytes);
  std::uint64_t count = 0;
  if (!in.prefix(kMagic) || !in.number(count)) return false;
  writes.clear();
  for (std::uint64_t i = 0; i < count; ++i) {
    std::string key;
    unsigned char kind = 0;
    if (!in.string(key) || !in.byte(kind)) return false;
    if (kind == kInteger) {
      std::uint64_t bits = 0;
      if (!in.number(bits)) return false;
      writes.emplace_back(std::move(key), Value::ofInteger(static_cast<std::int64_t>(bits)));
    } else if (kind == kBytes) {
      std::string text;
      if (!in.string(text)) return false;
      writes.emplace_back(std::move(key), Value::ofBytes(std::move(text)));
    } else {
      return false;
    }
  }
  return in.atEnd();
}

}  // namespace storage
}  // namespace cocos2d
