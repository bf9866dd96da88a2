#include "app/LineReader.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

bool LineReader::fill() {
  if (eof_) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
    if (n > 0) {
      end_ += static_cast<std::size_t>(n);
      ++blocks_;
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    eof_ = true;
    return false;
  }
}

bool LineReader::next(std::string& line) {
  std::size_t scanned = begin_;
  for (;;) {
    const void* found = std::memchr(buffer_.data() + scanned, '\n', end_ - scanned);
    if (found) {
      const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - buffer_.data());
      // A carriage return before the line feed belongs to the line end (files written on
      // Windows), not to the expression.
      const std::size_t end = at > begin_ && buffer_[at - 1] == '\r' ? at - 1 : at;
      line.assign(buffer_.data() + begin_, end - begin_);
      begin_ = at + 1;
      return true;
    }
    scanned = end_ - begin_;  // offset relative to begin_, which fill() moves to 0
    if (!fill()) {
      if (begin_ == end_) return false;
      line.assign(buffer_.data() + begin_, end_ - begin_);
      begin_ = end_;
      return true;
    }
  }
}
