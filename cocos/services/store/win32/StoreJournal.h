// The journal of a transaction: all its writes in one registry value, written before any of
// them is applied. Writing one value is atomic, so a journal is there whole or not at all, and
// whoever finds one applies it again: an instance killed halfway through applying leaves the
// rest to the next.
#pragma once

#include <string>
#include <string_view>

#include "cocos/services/store/StoreBacking.h"

namespace cocos2d {
namespace storage {

// The journal's value name. It starts with a lone high surrogate, which no key's name does
// (see WideText.h), so it never stands for a key.
extern const wchar_t* const kJournalValueName;

// Integers and byte strings; a real is written as its text.
std::string encodeJournal(const Entries& writes);
// False when the bytes are not a whole journal.
bool decodeJournal(std::string_view bytes, Entries& writes);

}  // namespace storage
}  // namespace cocos2d
