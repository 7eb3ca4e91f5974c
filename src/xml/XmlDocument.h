#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "xml/ElementEntry.h"
#include "xml/ElementIndex.h"

namespace xml {

// Document flags.
inline constexpr uint32_t kFlagBomUtf16Le = 0x1;      // read from, and written with, FF FE
inline constexpr uint32_t kFlagBomUtf8 = 0x4;         // read from, and written with, EF BB BF
inline constexpr uint32_t kFlagIgnoreNameCase = 0x8;  // element names compare ignoring ASCII case
inline constexpr uint32_t kFlagBomUtf16Be = 0x80;     // read from, and written with, FE FF
inline constexpr uint32_t kBomFlags = kFlagBomUtf16Le | kFlagBomUtf8 | kFlagBomUtf16Be;

// Files larger than this are refused by LoadFile ("file_error"): the catalogue and the exchange
// files are a few kilobytes, and the cap keeps the text and the index of a hostile file bounded.
inline constexpr size_t kMaxFileBytes = 64 * 1024 * 1024;
// The text never grows beyond this many UTF-16 units, so every offset fits the index's 32 bits.
inline constexpr size_t kMaxTextLength = 0x7FFFFFFF;

// The result log stops taking entries once it is longer than this many characters.
inline constexpr size_t kResultLogLimit = 999;

// An XML document kept as one UTF-16 text with an index of where every element lies in it.
// Parsing fills the index in one pass; edits splice text into the document and adjust the
// index, so the text is always exactly what SaveFile writes. Only elements and their
// attributes are used; character data, comments, processing instructions, CDATA sections and
// document type declarations are kept in the text but skipped.
//
// Navigation works on a current position: a parent level (0 is the virtual root above the
// top-level element), a current element among its children (0: none, searches start at the
// first child) and a remembered child inside the current element, which EnterElement returns
// to. A search continues after the last match, so elements that a reader looks for one after
// another must appear in that order.
//
// Nothing throws; every operation reports with its result. Not thread-safe: one document
// belongs to the operation that reads or writes one file.
class XmlDocument {
  public:
    XmlDocument();
    // SetText of the given text.
    explicit XmlDocument(std::u16string_view text);

    // Replaces the text (an empty one empties the document and the index), clears the result
    // log and parses. True when the document is well formed with exactly one top-level element.
    // A text longer than kMaxTextLength is refused: the document is emptied and false returned.
    bool SetText(std::u16string_view text);

    // Reads a file (byte order mark, declared encoding, UTF-8 detection, 8-bit charsets by
    // name) into the text and parses it. True only when the whole file was read and the parse
    // reports a well-formed document. On a file error the document is empty.
    bool LoadFile(const std::string& path);
    // LoadFile from bytes already in memory (the same decoding, log and result).
    bool LoadBytes(std::string_view bytes);

    // Writes the text to the file, replacing any earlier one: with the byte order mark the
    // document carries, else in the encoding its XML declaration names, else in UTF-8. The new
    // file replaces the old one only when it was written completely, so a failed save never
    // leaves a damaged file. True when the file was written completely.
    bool SaveFile(const std::string& path);
    // The bytes SaveFile would write. False when the declared encoding cannot be written.
    bool SaveBytes(std::string& bytes);

    // Searches the children of the parent level after the current element (from the first
    // child when there is none) for an element with exactly this name. On success it becomes
    // current with no remembered child; on failure nothing changes.
    bool FindNextElement(std::u16string_view name);
    // Makes the current element the parent level; its remembered child becomes current. False
    // (nothing changes) without a current element.
    bool EnterElement();
    // Makes the parent the current element, remembering the element that was current. False at
    // the top level.
    bool LeaveElement();

    // The unescaped value of an attribute of the current element; empty when there is no
    // current element or no such attribute.
    std::u16string GetAttribute(std::u16string_view name) const;
    // Replaces the value of an attribute of the current element, or adds the attribute after
    // the last one. The value is escaped and written in double quotes. False without a current
    // element, or when the name is not a writable name (XmlChars.h).
    bool SetAttribute(std::u16string_view name, std::u16string_view value);
    // Inserts a new empty element "<name/>" and a line break: after the current element, or as
    // the last child of the parent level when there is none. It becomes current. False when the
    // name is not writable or the parent is an element without end tag.
    bool AppendElement(std::u16string_view name);

    // Compares element names ignoring ASCII case (flag 0x8) from the next parse or search on.
    void SetIgnoreNameCase(bool ignore);

    const std::u16string& Text() const { return m_text; }
    // What the last load, parse or save did: one empty element per event (XmlDocument.cpp).
    const std::u16string& ResultLog() const { return m_resultLog; }
    uint32_t Flags() const { return m_flags; }
    // True when the last parse found no problem (the ill-formed flag of entry 0 is clear).
    bool IsWellFormed() const { return (m_index.At(0).flags & kDocumentIllFormed) == 0; }

    // The position and the index, for inspection.
    uint32_t Parent() const { return m_parent; }
    uint32_t Current() const { return m_current; }
    uint32_t Child() const { return m_child; }
    int NodeKind() const { return m_nodeKind; }
    uint32_t NextFreeIndex() const { return m_index.Count(); }
    const ElementEntry& Entry(uint32_t index) const { return m_index.At(index); }
    // The tag name of an entry (empty for entry 0).
    std::u16string_view ElementName(uint32_t index) const;

  private:
    struct LogField {
        std::string_view name;
        std::u16string text;
        uint64_t number = 0;
        bool numeric = false;
    };
    static LogField LogText(std::string_view name, std::u16string_view text);
    static LogField LogText(std::string_view name, std::string_view text);
    static LogField LogNumber(std::string_view name, uint64_t number) {
        return {name, {}, number, true};
    }

    void Log(std::string_view keyword, std::initializer_list<LogField> fields = {});
    bool LogIsOpen() const { return m_resultLog.size() <= kResultLogLimit; }
    void MarkIllFormed() { m_index.At(0).flags |= kDocumentIllFormed; }

    void Empty();
    bool Parse();
    bool Decode(std::string_view bytes);
    size_t ScanDoctype(size_t lt) const;
    void LinkLastChild(uint32_t parent, uint32_t child);
    void MakeUnended(uint32_t entry);
    void FinishIndex();
    bool NamesEqual(std::u16string_view a, std::u16string_view b) const;
    void Splice(size_t pos, size_t removed, std::u16string_view inserted, uint32_t grownFrom);

    std::u16string m_text;       // the document text
    std::u16string m_resultLog;  // events of the last load, parse or save
    uint32_t m_parent = 0;       // element whose children are walked; 0 the virtual root
    uint32_t m_current = 0;      // current element; 0 none
    uint32_t m_child = 0;        // remembered position inside the current element; 0 none
    int m_nodeKind = 0;          // 1 when there is a current element
    uint32_t m_flags = 0;        // byte order marks read, name case
    ElementIndex m_index;        // entry 0 is the whole document; next free = Count()
};

}  // namespace xml
