// Text as screen readers read it: the whole text, its characters, words and lines, and the
// caret. Every text here is one line (the expression line, a line of the tape, a message
// body line), so line, sentence and paragraph all mean the whole text. Offsets are in
// characters; the published text is always valid UTF-8.
#include <string>

#include "cocos/backend/atk/AccessibleObject.h"

namespace cocos2d::accessibility::atk {
namespace {

const std::string* textOf(AtkText* text) {
  const ObjectData* data = dataOf(text);
  return data ? &data->node.text : nullptr;
}

gint length(const std::string& text) { return static_cast<gint>(g_utf8_strlen(text.c_str(), -1)); }

// The characters [start, end) as a new string; end -1 means the end of the text.
gchar* slice(const std::string& text, gint start, gint end) {
  const gint n = length(text);
  if (end < 0 || end > n) end = n;
  if (start < 0) start = 0;
  if (start >= end) return g_strdup("");
  const gchar* from = g_utf8_offset_to_pointer(text.c_str(), start);
  const gchar* to = g_utf8_offset_to_pointer(text.c_str(), end);
  return g_strndup(from, static_cast<gsize>(to - from));
}

// Letters and digits make words; other characters run together into their own pieces, and
// spaces separate.
int characterClass(gunichar c) {
  if (g_unichar_isalnum(c)) return 1;
  return g_unichar_isspace(c) ? 0 : 2;
}

void wordAround(const std::string& text, gint offset, gint& start, gint& end) {
  const gint n = length(text);
  if (offset < 0 || offset >= n) {
    start = end = offset < 0 ? 0 : n;
    return;
  }
  auto at = [&text](gint i) { return g_utf8_get_char(g_utf8_offset_to_pointer(text.c_str(), i)); };
  const int kind = characterClass(at(offset));
  start = offset;
  while (start > 0 && characterClass(at(start - 1)) == kind) --start;
  end = offset + 1;
  while (end < n && characterClass(at(end)) == kind) ++end;
}

enum class Unit { Character, Word, Line };

gchar* pieceAt(AtkText* atkText, gint offset, Unit unit, gint* startOffset, gint* endOffset) {
  gint start = 0, end = 0;
  const std::string* text = textOf(atkText);
  if (text) {
    const gint n = length(*text);
    switch (unit) {
      case Unit::Character:
        start = offset < 0 ? 0 : offset > n ? n : offset;
        end = start < n ? start + 1 : n;
        break;
      case Unit::Word:
        wordAround(*text, offset, start, end);
        break;
      case Unit::Line:
        start = 0;
        end = n;
        break;
    }
  }
  if (startOffset) *startOffset = start;
  if (endOffset) *endOffset = end;
  return text ? slice(*text, start, end) : g_strdup("");
}

Unit unitOf(AtkTextGranularity granularity) {
  switch (granularity) {
    case ATK_TEXT_GRANULARITY_CHAR: return Unit::Character;
    case ATK_TEXT_GRANULARITY_WORD: return Unit::Word;
    default: return Unit::Line;
  }
}

Unit unitOf(AtkTextBoundary boundary) {
  switch (boundary) {
    case ATK_TEXT_BOUNDARY_CHAR: return Unit::Character;
    case ATK_TEXT_BOUNDARY_WORD_START:
    case ATK_TEXT_BOUNDARY_WORD_END: return Unit::Word;
    default: return Unit::Line;
  }
}

gchar* getText(AtkText* atkText, gint start, gint end) {
  const std::string* text = textOf(atkText);
  return text ? slice(*text, start, end) : g_strdup("");
}

gint characterCount(AtkText* atkText) {
  const std::string* text = textOf(atkText);
  return text ? length(*text) : 0;
}

gint caretOffset(AtkText* atkText) {
  const ObjectData* data = dataOf(atkText);
  return data ? data->node.caret : -1;
}

gunichar characterAt(AtkText* atkText, gint offset) {
  const std::string* text = textOf(atkText);
  if (!text || offset < 0 || offset >= length(*text)) return 0;
  return g_utf8_get_char(g_utf8_offset_to_pointer(text->c_str(), offset));
}

gchar* stringAt(AtkText* text, gint offset, AtkTextGranularity granularity, gint* start, gint* end) {
  return pieceAt(text, offset, unitOf(granularity), start, end);
}

gchar* textAt(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
  return pieceAt(text, offset, unitOf(boundary), start, end);
}

// Before and after: the neighbouring character; one line has no neighbouring words or lines
// worth reading apart from it, so those are empty.
gchar* textBefore(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
  if (unitOf(boundary) == Unit::Character && offset > 0) return pieceAt(text, offset - 1, Unit::Character, start, end);
  if (start) *start = 0;
  if (end) *end = 0;
  return g_strdup("");
}

gchar* textAfter(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
  const gint n = characterCount(text);
  if (unitOf(boundary) == Unit::Character && offset + 1 < n) return pieceAt(text, offset + 1, Unit::Character, start, end);
  if (start) *start = n;
  if (end) *end = n;
  return g_strdup("");
}

gint selectionCount(AtkText*) { return 0; }

// The caret belongs to the calculator's editor; moving it from outside is not offered.
gboolean setCaret(AtkText*, gint) { return FALSE; }

}  // namespace

void initTextInterface(AtkTextIface* iface) {
  iface->get_text = getText;
  iface->get_character_count = characterCount;
  iface->get_caret_offset = caretOffset;
  iface->get_character_at_offset = characterAt;
  iface->get_string_at_offset = stringAt;
  iface->get_text_at_offset = textAt;
  iface->get_text_before_offset = textBefore;
  iface->get_text_after_offset = textAfter;
  iface->get_n_selections = selectionCount;
  iface->set_caret_offset = setCaret;
}

}  // namespace cocos2d::accessibility::atk
