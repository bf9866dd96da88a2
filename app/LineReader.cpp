#include "app/LineReader.h"

#include <cstring>

#include "cocos/base/Files.h"

bool LineReader::fill() {
  if (_eof) return false;
  if (_begin > 0) {
    std::memmove(_buffer.data(), _buffer.data() + _begin, _end - _begin);
    _end -= _begin;
    _begin = 0;
  }
  if (_end == _buffer.size()) _buffer.resize(_buffer.size() * 2);
  const long n = cocos2d::files::readDescriptor(_fd, _buffer.data() + _end, _buffer.size() - _end);
  if (n <= 0) {
    _eof = true;
    return false;
  }
  _end += static_cast<std::size_t>(n);
  ++_blocks;
  return true;
}

bool LineReader::next(std::string& line) {
  std::size_t scanned = _begin;
  for (;;) {
    const void* found = std::memchr(_buffer.data() + scanned, '\n', _end - scanned);
    if (found) {
      const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - _buffer.data());
      // A carriage return before the line feed belongs to the line end (files written on
      // Windows), not to the expression.
      const std::size_t end = at > _begin && _buffer[at - 1] == '\r' ? at - 1 : at;
      line.assign(_buffer.data() + _begin, end - _begin);
      _begin = at + 1;
      return true;
    }
    scanned = _end - _begin;  // offset relative to _begin, which fill() moves to 0
    if (!fill()) {
      if (_begin == _end) return false;
      line.assign(_buffer.data() + _begin, _end - _begin);
      _begin = _end;
      return true;
    }
  }
}
