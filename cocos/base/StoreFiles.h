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
bool setAside(const std::string& path, std::string& aside, std::string& reason);

}  // namespace storage
}  // namespace cocos2d
