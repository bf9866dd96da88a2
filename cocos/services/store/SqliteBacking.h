// The store's backing on Linux: one SQLite database file, shared by every running instance
// through SQLite's own locking, each commit durable when it returns.
#pragma once

#include <sqlite3.h>

#include <string>

#include "cocos/services/store/StoreBacking.h"

namespace cocos2d {
namespace storage {

class SqliteBacking : public Backing {
 public:
  SqliteBacking(const std::string& path, int busyTimeoutMs);
  ~SqliteBacking() override;
  SqliteBacking(const SqliteBacking&) = delete;
  SqliteBacking& operator=(const SqliteBacking&) = delete;

  bool persistent() const override { return _persistent; }
  Status read(const std::string& key, std::optional<Value>& value) override;
  Status write(const std::string& key, const Value& value) override;
  Status readAll(Entries& entries) override;
  Status begin() override;
  Status commit() override;
  void rollback() override;
  bool inTransaction() const override;
  void setBusyTimeout(int milliseconds) override;

 private:
  void close();
  int prepareStatements();
  Status lookup(const std::string& key, std::optional<Value>& value);

  std::string _path;
  sqlite3* _db = nullptr;
  sqlite3_stmt* _select = nullptr;
  sqlite3_stmt* _selectText = nullptr;
  sqlite3_stmt* _upsert = nullptr;
  bool _persistent = false;
};

}  // namespace storage
}  // namespace cocos2d
