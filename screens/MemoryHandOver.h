// The three values through which the calculator and the memory screen exchange a text.
#pragma once

#include <string>

// True when the memory screen opens to store memoryTransfer, false when it opens to recall.
extern bool memoryStoreMode;
// The text to store (set by the calculator) or the text recalled (set by the memory screen).
extern std::string memoryTransfer;
// Set by the memory screen when a slot was recalled; the calculator clears it on return.
extern bool memoryPicked;
