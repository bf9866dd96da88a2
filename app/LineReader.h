// Reads lines of any bytes (NUL and non-ASCII included) from a file descriptor, in blocks.
#pragma once

#include <string>
#include <vector>

class LineReader {
 public:
  explicit LineReader(int fd) : fd_(fd) {}

  // The next line without its "\n" (or "\r\n"); false at the end of input. A last line
  // without a line break still counts as a line.
  bool next(std::string& line);
  // How many blocks of input have been read so far.
  unsigned long blocksRead() const { return blocks_; }

 private:
  bool fill();

  int fd_;
  std::vector<char> buffer_ = std::vector<char>(1 << 16);
  std::size_t begin_ = 0, end_ = 0;
  bool eof_ = false;
  unsigned long blocks_ = 0;
};
