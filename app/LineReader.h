// Reads lines of any bytes (NUL and non-ASCII included) from a file descriptor, in blocks.
#pragma once

#include <string>
#include <vector>

class LineReader {
 public:
  explicit LineReader(int fd) : _fd(fd) {}

  // The next line without its "\n" (or "\r\n"); false at the end of input. A last line
  // without a line break still counts as a line.
  bool next(std::string& line);
  // How many blocks of input have been read so far.
  unsigned long blocksRead() const { return _blocks; }

 private:
  bool fill();

  int _fd;
  std::vector<char> _buffer = std::vector<char>(1 << 16);
  std::size_t _begin = 0, _end = 0;
  bool _eof = false;
  unsigned long _blocks = 0;
};
