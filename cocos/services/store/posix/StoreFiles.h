// File-system work around the store's database file: creating its folder and moving a damaged
// file out of the way, with the journal files SQLite keeps beside it.
#pragma once

#include <string>

namespace cocos2d {
namespace storage {

// Creates the folder and any missing parents, readable by the owner alone: the store holds
// the user's history. Folders that already exist keep their permissions.
bool createPrivateFolders(const std::string& folder, std::string& reason);

// Creates an empty file readable and writable by the owner alone, unless something is already
// at path. SQLite gives the -wal and -shm files it makes the permissions of the database.
bool createPrivateFile(const std::string& path, std::string& reason);

// Renames path, and any -wal and -shm beside it, to <path>.damaged-<time>[-n]; names `aside`.
// A stale WAL left next to a fresh database could be replayed into it, so it must not stay.
// The database goes first: an instance that still finds it at path knows the journal files
// beside it are its own.
bool setAside(const std::string& path, std::string& aside, std::string& reason);

// Tells the file found at a path apart from one put there later by another instance.
struct FileIdentity {
  bool exists = false;
  unsigned long long device = 0;
  unsigned long long inode = 0;

  bool operator==(const FileIdentity& other) const {
    return exists == other.exists && device == other.device && inode == other.inode;
  }
  bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

FileIdentity identityOf(const std::string& path);

// An advisory lock on a folder, held by an instance while it replaces a file in it, so that
// instances doing the same take turns. Waits up to timeoutMs for another holder; when the lock
// cannot be had the work goes on without it.
class FolderLock {
 public:
  FolderLock(const std::string& folder, int timeoutMs);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int _fd = -1;
};

}  // namespace storage
}  // namespace cocos2d
