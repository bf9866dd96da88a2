// File-system work around the store's database file: creating its folder and moving a damaged
// file out of the way, with the journal files SQLite keeps beside it.
#pragma once

#include <string>

namespace cocos2d {
namespace storage {

// Creates the folder and any missing parents.
bool createFolders(const std::string& folder, std::string& reason);

// Renames path, and any -wal and -shm beside it, to <path>.damaged-<time>[-n]; names `aside`.
// A stale WAL left next to a fresh database could be replayed into it, so it must not stay.
bool setAside(const std::string& path, std::string& aside, std::string& reason);

}  // namespace storage
}  // namespace cocos2d
