// Opens the store and reads the stored history (and, for the window, its kept size) on a
// second thread while the window is being made, so that a large store (or a long history)
// adds no start-up time of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

// Starts opening the process-wide store and reading the history in the background. Nothing
// else may use the store until finishStorePrefetch returns.
void startStorePrefetch();
// The same, reading the window's kept size first, for takePrefetchedWindowSize.
void startStorePrefetchWithWindowSize();

// Waits for the window's kept size ("winW" x "winH") to be read, and gives it: false when it
// was not asked for (or was taken already) or is not stored. Whether it fits is the window's
// business.
bool takePrefetchedWindowSize(int& width, int& height);

// Waits for the background work, if any was started, and makes the store the engine's
// preference source. Safe to call when nothing was started.
void finishStorePrefetch();

// The history read ahead, handed over once; false when there is none (no prefetch, or it was
// taken already), and the caller reads the store itself.
bool takePrefetchedHistory(std::vector<std::shared_ptr<const std::string>>& entries);

// The history as the store holds it: "nHistStrings" entries of "histString<i>", at most
// a number that start-up can afford.
std::vector<std::shared_ptr<const std::string>> readStoredHistory();
