#pragma once

#include <cstddef>
#include <string_view>

namespace xml {

// One attribute as it is written in a tag.
struct AttributeToken {
    size_t nameBegin = 0;  // the attribute name (empty for a stray character)
    size_t nameEnd = 0;
    bool hasValue = false;   // an '=' followed the name
    bool quoted = false;     // the value is in single or double quotes
    bool terminated = true;  // a quoted value found its closing quote before the limit
    size_t valueBegin = 0;   // the value, without its quotes
    size_t valueEnd = 0;
    size_t end = 0;  // one past the attribute (past the closing quote of a quoted value)

    bool IsStray() const { return nameBegin == nameEnd; }
};

// Walks the attributes of a tag: name, optional blanks, '=', optional blanks, and a value in
// double quotes, in single quotes, or unquoted up to the next blank or '>' (a '/' or '?' right
// before the '>' ends the tag, not the value). The walk stops at '/', '>' or '?', or at the
// limit. A character that cannot start a name is returned as a stray token one character long,
// so the caller decides what a malformed tag means and the walk always advances.
class AttributeScanner {
  public:
    // Scans text[pos, limit).
    AttributeScanner(std::u16string_view text, size_t pos, size_t limit)
        : m_text(text), m_pos(pos), m_limit(limit) {}

    // Reads the next attribute. False at a stop character or at the limit; Position() is then
    // on the stop character (or equals the limit).
    bool Next(AttributeToken& token);

    size_t Position() const { return m_pos; }
    // Moves past a stop character the caller has dealt with.
    void Skip() { ++m_pos; }

  private:
    void SkipBlanks();

    std::u16string_view m_text;
    size_t m_pos;
    size_t m_limit;
};

}  // namespace xml
