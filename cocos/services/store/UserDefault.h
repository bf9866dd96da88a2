// The persistent key/value store: integers and byte strings by key, shared safely by every
// running instance: an SQLite database file on Linux, a registry key on Windows. It never
// throws and falls back to memory when the location cannot be used.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace cocos2d {

// One instance owns one connection to its location; it is meant for use from a single thread.
class UserDefault {
 public:
  // The process-wide store, opened on first use at the path given to setStorePath, or in
  // memory when none was given.
  static UserDefault* getInstance();
  // Takes effect at the next opening of the process-wide store (first getInstance, or the
  // first one after destroyInstance).
  static void setStorePath(const std::string& path);
  static void destroyInstance();

  // Opens (creating when missing, readable by the owner alone) the store at path; "" or
  // ":memory:" is a store in memory. On Windows path names a registry key instead: a store
  // name under HKEY_CURRENT_USER\Software\Pemtrix\Stores, or a key path that starts with
  // "HKEY_CURRENT_USER\". A damaged file is set aside and replaced. A location that cannot
  // be written falls back to memory, with what it holds read into it; another program's
  // database falls back to memory and is left as it is. Each of these is reported in one line
  // on standard error.
  explicit UserDefault(const std::string& path);
  ~UserDefault();
  UserDefault(const UserDefault&) = delete;
  UserDefault& operator=(const UserDefault&) = delete;

  // Integer reads convert text as atoi does, clamped to the int range; absent keys give the
  // default.
  int getIntegerForKey(const char* key, int defaultValue);
  int getIntegerForKey(const char* key);
  // String reads give integers as decimal text; absent keys give the default.
  std::string getStringForKey(const char* key);
  std::string getStringForKey(const char* key, const std::string& defaultValue);

  // Durable when the call returns. A write the file refuses is kept in memory for the rest of
  // this run, so it still reads back, and the failure is reported once per kind on stderr.
  void setIntegerForKey(const char* key, int value);
  void setStringForKey(const char* key, const std::string& value);
  // Writes are already durable; kept for callers written against the engine API.
  void flush();

  // Runs body with all its writes in one transaction: other instances see all of them or
  // none. Nested calls join the outermost transaction. If body throws, its writes are rolled
  // back and the exception propagates.
  void runInTransaction(const std::function<void()>& body);

  // Every key with its value as text, sorted by key bytes.
  std::vector<std::pair<std::string, std::string>> allEntries();

  // False when running in memory, by request or as a fallback.
  bool isPersistent() const;
  // How long a write waits for another instance to finish its own before failing.
  void setBusyTimeout(int milliseconds);

 private:
  struct Impl;
  std::unique_ptr<Impl> _impl;
};

}  // namespace cocos2d
