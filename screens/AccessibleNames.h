// What a screen reader says for each key and row: the key's text where it reads well aloud,
// otherwise a spoken form of its symbol ("square root" for the radical sign), and a
// description of what pressing it does.
#pragma once

#include <string>

struct SpokenKey {
  const char* image;  // the base name of the key's image, as in "num-7" or "sqrt"
  const char* name;
  const char* description;
};

// The key drawn from an image base name; null for an image the table does not know.
const SpokenKey* spokenKey(const std::string& image);

// Every key in the table, for tests that check the names are complete and distinct.
const SpokenKey* spokenKeysBegin();
const SpokenKey* spokenKeysEnd();

// The descriptions of the settings rows, top to bottom (their names are their captions);
// null past the last row.
const char* settingsRowDescription(int row);

// What a screen reader says after an operation that changed the whole line at once (undo,
// redo): the operation, then the line, cut short when it is long; an empty line says so.
std::string spokenLine(const std::string& operation, const std::string& line);
