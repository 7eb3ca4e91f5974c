#include "xml/XmlDocument.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <unordered_map>
#include <vector>

#include "base/Utf.h"
#include "xml/AttributeScanner.h"
#include "xml/Charsets.h"
#include "xml/NamedEntities.h"
#include "xml/XmlChars.h"

// The result log is a fragment of empty elements, one per event, in the order they happened:
//   file_error        the file could not be opened, read or written ("msg")
//   bom               a byte order mark was found ("encoding")
//   read              the file was read ("length" in bytes)
//   truncation_error  fewer bytes were read than the file had ("n" expected, "length" read)
//   nulls_removed     characters with the value 0 were dropped ("count")
//   endian_swap       UTF-16 big-endian text was byte-swapped ("length" in characters)
//   utf8_detection    text without a named encoding was tested for UTF-8 ("encoding" chosen)
//   converted_to      8-bit text was converted to UTF-16 ("encoding", "length", "msg")
//   conversion_loss   characters that could not be converted ("encoding", "count")
//   converted_from    the text was converted for writing ("encoding", "length" in bytes)
//   write             the file was written ("length" in bytes)
//   lone_end_tag      an end tag matching no open element ("tagname", "offset")
//   unended_start_tag an element never ended ("tagname", "offset")
//   first_tag_syntax  the first malformed tag ("offset" to "offset2")
//   doctype_tag_syntax a document type declaration that does not end ("offset")
//   no_root_element   the document has no element
//   root_has_sibling  a second top-level element ("tagname", "offset")

namespace xml {

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";
// Longest text value copied into a log entry; the log is for people, not for the data.
constexpr size_t kLogTextLimit = 100;

std::u16string EscapeAttribute(std::u16string_view value) {
    std::u16string out;
    out.reserve(value.size() + 8);
    for (char16_t c : value) {
        switch (c) {
            case u'<':
                out += u"&lt;";
                break;
            case u'&':
                out += u"&amp;";
                break;
            case u'>':
                out += u"&gt;";
                break;
            case u'\'':
                out += u"&apos;";
                break;
            case u'"':
                out += u"&quot;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

// Value of a character reference name ("#65", "#x41", "amp"), already folded to lower case;
// 0 when it has none.
char32_t ReferenceValue(std::u16string_view name) {
    if (name.empty()) {
        return 0;
    }
    if (name[0] != u'#') {
        return LookupNamedEntity(name);
    }
    const bool hex = name.size() > 1 && name[1] == u'x';
    const std::u16string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) {
        return 0;
    }
    uint32_t value = 0;  // at most 8 digits fit the nine characters of a reference
    for (char16_t c : digits) {
        uint32_t digit;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (hex && c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else {
            return 0;
        }
        value = value * (hex ? 16 : 10) + digit;
    }
    return value <= 0x10FFFF ? value : 0;
}

// Resolves character references: "&" followed by at most nine ASCII characters and ";". The
// name is folded to lower case; decimal and hexadecimal numbers give that character (a pair of
// surrogates above U+FFFF), other names are looked up among the named entities. A reference
// without a value, or with the value 0, stays as written.
std::u16string UnescapeAttribute(std::u16string_view value) {
    std::u16string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const char16_t c = value[i];
        if (c != u'&') {
            out.push_back(c);
            continue;
        }
        size_t semicolon = std::u16string_view::npos;
        for (size_t j = i + 1; j < value.size() && j <= i + 10; ++j) {
            if (value[j] == u';') {
                semicolon = j;
                break;
            }
            if (value[j] >= 0x80) {
                break;
            }
        }
        if (semicolon == std::u16string_view::npos) {
            out.push_back(c);
            continue;
        }
        char16_t lower[9];
        const size_t length = semicolon - i - 1;
        for (size_t k = 0; k < length; ++k) {
            lower[k] = AsciiLower(value[i + 1 + k]);
        }
        const char32_t code = ReferenceValue(std::u16string_view(lower, length));
        if (code == 0) {
            out.push_back(c);
            continue;
        }
        if (code > 0xFFFF) {
            out.push_back(char16_t(0xD800 + ((code - 0x10000) >> 10)));
            out.push_back(char16_t(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            out.push_back(char16_t(code));
        }
        i = semicolon;
    }
    return out;
}

std::string ErrorText(int error) {
    char buffer[256];
    return strerror_r(error, buffer, sizeof buffer);
}

std::string TrimAscii(std::string text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.back())) {
        text.pop_back();
    }
    size_t first = 0;
    while (first < text.size() && blank(text[first])) {
        ++first;
    }
    return text.substr(first);
}

// The encoding named in an XML declaration at the very start of the text ("<?xml" followed by
// a blank); empty when there is none.
std::string DeclaredEncoding(std::u16string_view head) {
    if (head.substr(0, 5) != u"<?xml" || head.size() < 6 || !IsBlank(head[5])) {
        return {};
    }
    const size_t close = head.find(u"?>");
    const size_t limit = close == std::u16string_view::npos ? head.size() : close;
    AttributeScanner scanner(head, 5, limit);
    AttributeToken token;
    while (scanner.Next(token)) {
        if (!token.IsStray() &&
            head.substr(token.nameBegin, token.nameEnd - token.nameBegin) == u"encoding") {
            if (!token.hasValue) {
                return {};
            }
            return TrimAscii(base::Utf16ToUtf8(
                head.substr(token.valueBegin, token.valueEnd - token.valueBegin)));
        }
    }
    return {};
}

// The charset named by a "meta" element of an HTML document ("charset=" inside the tag, as in
// <meta http-equiv="Content-Type" content="text/html; charset=windows-1251">); empty if none.
std::string MetaCharset(std::u16string_view head) {
    std::u16string lower(head);
    for (char16_t& c : lower) {
        c = AsciiLower(c);
    }
    for (size_t pos = lower.find(u"<meta"); pos != std::u16string::npos;
         pos = lower.find(u"<meta", pos + 5)) {
        const size_t end = std::min(lower.find(u'>', pos), lower.size());
        const size_t key = lower.find(u"charset=", pos);
        if (key == std::u16string::npos || key >= end) {
            continue;
        }
        size_t begin = key + 8;
        if (begin < end && (lower[begin] == u'"' || lower[begin] == u'\'')) {
            ++begin;
        }
        size_t stop = begin;
        while (stop < end && !IsBlank(lower[stop]) && lower[stop] != u'"' && lower[stop] != u'\'' &&
               lower[stop] != u';' && lower[stop] != u'/') {
            ++stop;
        }
        return base::Utf16ToUtf8(head.substr(begin, stop - begin));
    }
    return {};
}

// Writes a file completely beside the target, then renames it over the target, so the old file
// stays whole if anything fails. A symbolic link is followed, so the file it points to is the
// one replaced. An existing file keeps its permission bits. 0 on success, else an errno value.
int ReplaceFile(const std::string& path, const std::string& bytes) {
    std::string target = path;
    if (char* resolved = realpath(path.c_str(), nullptr)) {
        target = resolved;
        free(resolved);
    }
    mode_t mode = 0644;
    struct stat st {};
    if (stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        }
        mode = st.st_mode & 07777;
    }
    std::string temp = target + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        return errno;
    }
    int error = 0;
    if (fchmod(fd, mode) != 0) {
        error = errno;
    }
    for (size_t done = 0; error == 0 && done < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno != EINTR) {
                error = errno;
            }
            continue;
        }
        done += static_cast<size_t>(n);
    }
    if (error == 0 && fsync(fd) != 0) {
        error = errno;
    }
    if (close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        unlink(temp.c_str());
    }
    return error;
}

// Element names of the open elements, found by name in constant time, so that an end tag is
// matched without walking the whole stack (a deeply nested document stays linear).
struct NameHash {
    bool fold = false;
    size_t operator()(std::u16string_view name) const {
        size_t hash = 1469598103934665603ull;
        for (char16_t c : name) {
            hash = (hash ^ (fold ? AsciiLower(c) : c)) * 1099511628211ull;
        }
        return hash;
    }
};
struct NameEqual {
    bool fold = false;
    bool operator()(std::u16string_view a, std::u16string_view b) const {
        return fold ? EqualsIgnoringAsciiCase(a, b) : a == b;
    }
};
using OpenNames =
    std::unordered_map<std::u16string_view, std::vector<uint32_t>, NameHash, NameEqual>;

}  // namespace

XmlDocument::XmlDocument() {
    Empty();
}

XmlDocument::XmlDocument(std::u16string_view text) {
    SetText(text);
}

XmlDocument::LogField XmlDocument::LogText(std::string_view name, std::u16string_view text) {
    return {name, std::u16string(text.substr(0, kLogTextLimit)), 0, false};
}

XmlDocument::LogField XmlDocument::LogText(std::string_view name, std::string_view text) {
    return {name, base::Utf8ToUtf16(text.substr(0, kLogTextLimit)), 0, false};
}

void XmlDocument::Log(std::string_view keyword, std::initializer_list<LogField> fields) {
    if (!LogIsOpen()) {
        return;
    }
    std::u16string entry = u"<" + base::AsciiToUtf16(keyword);
    for (const LogField& field : fields) {
        entry += u' ';
        entry += base::AsciiToUtf16(field.name);
        entry += u"=\"";
        if (field.numeric) {
            entry += base::AsciiToUtf16(std::to_string(field.number));
        } else {
            // Escaped, then cut at a whole character or reference, so one entry stays short.
            const std::u16string escaped = EscapeAttribute(field.text);
            size_t cut = std::min(escaped.size(), kLogTextLimit);
            if (cut < escaped.size()) {
                const size_t amp = escaped.rfind(u'&', cut);
                if (amp != std::u16string::npos && escaped.find(u';', amp) >= cut) {
                    cut = amp;
                }
            }
            entry.append(escaped, 0, cut);
        }
        entry += u'"';
    }
    entry += u"/>";
    m_resultLog += entry;
}

void XmlDocument::Empty() {
    m_text.clear();
    m_index.Reset(0);
    m_parent = m_current = m_child = 0;
    m_nodeKind = 0;
}

bool XmlDocument::SetText(std::u16string_view text) {
    m_resultLog.clear();
    if (text.size() > kMaxTextLength) {
        Empty();
        Log("file_error", {LogText("msg", "text too long")});
        return false;
    }
    m_text.assign(text);
    return Parse();
}

void XmlDocument::SetIgnoreNameCase(bool ignore) {
    m_flags = ignore ? (m_flags | kFlagIgnoreNameCase) : (m_flags & ~kFlagIgnoreNameCase);
}

bool XmlDocument::NamesEqual(std::u16string_view a, std::u16string_view b) const {
    return (m_flags & kFlagIgnoreNameCase) ? EqualsIgnoringAsciiCase(a, b) : a == b;
}

std::u16string_view XmlDocument::ElementName(uint32_t index) const {
    if (index == 0 || index >= m_index.Count()) {
        return {};
    }
    const ElementEntry& entry = m_index.At(index);
    const std::u16string_view text = m_text;
    const size_t limit = entry.start + entry.StartTagLength();
    return text.substr(entry.start + 1, NameLength(text, entry.start + 1, limit));
}

// ---- Parsing ------------------------------------------------------------------------------

void XmlDocument::LinkLastChild(uint32_t parent, uint32_t child) {
    ElementEntry& owner = m_index.At(parent);
    ElementEntry& added = m_index.At(child);
    added.parent = parent;
    added.nextSibling = 0;
    if (owner.firstChild == 0) {
        owner.firstChild = child;
        added.previousSibling = child;
        return;
    }
    ElementEntry& first = m_index.At(owner.firstChild);
    m_index.At(first.previousSibling).nextSibling = child;
    added.previousSibling = first.previousSibling;
    first.previousSibling = child;
}

// An element whose end tag never came ends at its start tag; its children move up to follow it
// as siblings, in their order.
void XmlDocument::MakeUnended(uint32_t index) {
    ElementEntry& entry = m_index.At(index);
    entry.length = entry.StartTagLength();
    entry.SetTagLengths(entry.StartTagLength(), 0);
    entry.flags |= kEntryUnended;
    const uint32_t first = entry.firstChild;
    if (first == 0) {
        return;
    }
    const uint32_t parent = entry.parent;
    const uint32_t last = m_index.At(first).previousSibling;
    for (uint32_t c = first; c != 0; c = m_index.At(c).nextSibling) {
        m_index.At(c).parent = parent;
    }
    const uint32_t after = entry.nextSibling;
    entry.nextSibling = first;
    entry.firstChild = 0;
    m_index.At(first).previousSibling = index;
    m_index.At(last).nextSibling = after;
    if (after != 0) {
        m_index.At(after).previousSibling = last;
    } else {
        m_index.At(m_index.At(parent).firstChild).previousSibling = last;
    }
}

// Depths and first-child marks follow from the links; they are set once after the scan, since
// rebuilding unended elements moves whole families up a level.
void XmlDocument::FinishIndex() {
    const uint32_t count = m_index.Count();
    for (uint32_t i = 1; i < count; ++i) {
        ElementEntry& entry = m_index.At(i);
        const ElementEntry& parent = m_index.At(entry.parent);
        uint32_t depth = 0;
        if (entry.parent != 0) {
            depth = std::min<uint32_t>(parent.Depth() + 1, kEntryDepthMask);
        }
        entry.flags = (entry.flags & ~(kEntryDepthMask | kEntryFirstChild)) | depth |
                      (parent.firstChild == i ? kEntryFirstChild : 0);
    }
}

// End of a document type declaration starting at text[lt]: its quoted strings and its internal
// subset in brackets (with the comments in it) are passed over. npos when it does not end.
size_t XmlDocument::ScanDoctype(size_t lt) const {
    const std::u16string_view text = m_text;
    const size_t npos = std::u16string_view::npos;
    size_t p = lt + 9;
    while (p < text.size()) {
        const char16_t c = text[p];
        if (c == u'"' || c == u'\'') {
            const size_t close = text.find(c, p + 1);
            if (close == npos) {
                return npos;
            }
            p = close + 1;
        } else if (c == u'[') {
            ++p;
            for (;;) {
                if (p >= text.size()) {
                    return npos;
                }
                const char16_t d = text[p];
                if (d == u'"' || d == u'\'') {
                    const size_t close = text.find(d, p + 1);
                    if (close == npos) {
                        return npos;
                    }
                    p = close + 1;
                } else if (text.substr(p, 4) == u"<!--") {
                    const size_t close = text.find(u"-->", p + 4);
                    if (close == npos) {
                        return npos;
                    }
                    p = close + 3;
                } else if (d == u']') {
                    ++p;
                    break;
                } else {
                    ++p;
                }
            }
        } else if (c == u'>') {
            return p + 1;
        } else {
            ++p;
        }
    }
    return npos;
}

bool XmlDocument::Parse() {
    m_parent = m_current = m_child = 0;
    m_nodeKind = 0;
    m_index.Reset(m_text.size());
    m_index.At(0).length = static_cast<uint32_t>(m_text.size());

    const std::u16string_view text = m_text;
    const size_t n = text.size();
    const size_t npos = std::u16string_view::npos;
    const bool fold = (m_flags & kFlagIgnoreNameCase) != 0;

    struct Open {
        uint32_t entry;
        std::u16string_view name;
    };
    std::vector<Open> open;
    OpenNames names(16, NameHash{fold}, NameEqual{fold});

    bool syntaxLogged = false;
    const auto tagProblem = [&](size_t offset, size_t offset2) {
        MarkIllFormed();
        if (!syntaxLogged) {
            syntaxLogged = true;
            Log("first_tag_syntax", {LogNumber("offset", offset), LogNumber("offset2", offset2)});
        }
    };
    const auto forget = [&](const Open& element) {
        const auto it = names.find(element.name);
        it->second.pop_back();
        if (it->second.empty()) {
            names.erase(it);
        }
    };
    // Every open element from stack position `from` up becomes unended. Outermost first, so
    // each child moves up once, straight to the element that stays open (or the root).
    const auto unendFrom = [&](size_t from) {
        for (size_t k = open.size(); k-- > from;) {
            MarkIllFormed();
            if (LogIsOpen()) {
                Log("unended_start_tag", {LogText("tagname", open[k].name),
                                          LogNumber("offset", m_index.At(open[k].entry).start)});
            }
        }
        for (size_t k = from; k < open.size(); ++k) {
            MakeUnended(open[k].entry);
            forget(open[k]);
        }
        open.resize(from);
    };

    size_t pos = 0;
    while (pos < n) {
        const size_t lt = text.find(u'<', pos);
        if (lt == npos) {
            break;
        }
        if (lt + 1 >= n) {
            tagProblem(lt, n);
            break;
        }
        const char16_t kind = text[lt + 1];
        if (kind == u'!') {
            if (text.substr(lt, 4) == u"<!--") {
                const size_t close = text.find(u"-->", lt + 4);
                if (close == npos) {
                    tagProblem(lt, n);
                    break;
                }
                pos = close + 3;
            } else if (text.substr(lt, 9) == u"<![CDATA[") {
                const size_t close = text.find(u"]]>", lt + 9);
                if (close == npos) {
                    tagProblem(lt, n);
                    break;
                }
                pos = close + 3;
            } else if (EqualsIgnoringAsciiCase(text.substr(lt, 9), u"<!DOCTYPE")) {
                const size_t end = ScanDoctype(lt);
                if (end == npos) {
                    MarkIllFormed();
                    Log("doctype_tag_syntax", {LogNumber("offset", lt)});
                    break;
                }
                pos = end;
            } else {
                const size_t close = text.find(u'>', lt + 2);
                tagProblem(lt, close == npos ? n : close + 1);
                if (close == npos) {
                    break;
                }
                pos = close + 1;
            }
        } else if (kind == u'?') {
            const size_t close = text.find(u"?>", lt + 2);
            if (close == npos) {
                tagProblem(lt, n);
                break;
            }
            pos = close + 2;
        } else if (kind == u'/') {
            // End tag: "</" name, optional blanks, ">".
            const size_t nameBegin = lt + 2;
            const size_t nameLength = NameLength(text, nameBegin, n);
            size_t p = nameBegin + nameLength;
            while (p < n && IsBlank(text[p])) {
                ++p;
            }
            bool malformed = nameLength == 0;
            if (p < n && text[p] != u'>') {
                malformed = true;
                p = text.find(u'>', p);
            }
            if (p >= n) {
                tagProblem(lt, n);
                break;
            }
            const size_t tagEnd = p + 1;
            pos = tagEnd;
            const bool usable = nameLength != 0 && tagEnd - lt <= kMaxEndTagLength;
            if (malformed || !usable) {
                tagProblem(lt, tagEnd);
            }
            if (!usable) {
                continue;
            }
            const std::u16string_view name = text.substr(nameBegin, nameLength);
            const auto it = names.find(name);
            if (it == names.end()) {
                MarkIllFormed();
                if (LogIsOpen()) {
                    Log("lone_end_tag", {LogText("tagname", name), LogNumber("offset", lt)});
                }
                continue;
            }
            const size_t match = it->second.back();
            unendFrom(match + 1);
            ElementEntry& closed = m_index.At(open[match].entry);
            closed.length = static_cast<uint32_t>(tagEnd - closed.start);
            closed.SetTagLengths(closed.StartTagLength(), static_cast<uint32_t>(tagEnd - lt));
            forget(open[match]);
            open.pop_back();
        } else if (IsNameStart(kind)) {
            // Start tag or empty-element tag.
            const size_t nameLength = NameLength(text, lt + 1, n);
            AttributeScanner scanner(text, lt + 1 + nameLength, n);
            AttributeToken token;
            bool malformed = false;
            bool empty = false;
            size_t tagEnd = npos;
            for (;;) {
                while (scanner.Next(token)) {
                    malformed = malformed || token.IsStray();
                }
                const size_t p = scanner.Position();
                if (p >= n) {
                    break;
                }
                if (text[p] == u'>') {
                    tagEnd = p + 1;
                    break;
                }
                if (text[p] == u'/' && p + 1 < n && text[p + 1] == u'>') {
                    tagEnd = p + 2;
                    empty = true;
                    break;
                }
                malformed = true;  // a '/' or '?' inside the tag
                scanner.Skip();
            }
            if (tagEnd == npos) {
                tagProblem(lt, n);
                break;
            }
            pos = tagEnd;
            if (tagEnd - lt > kMaxStartTagLength) {
                tagProblem(lt, tagEnd);
                continue;
            }
            if (malformed) {
                tagProblem(lt, tagEnd);
            }
            const uint32_t parent = open.empty() ? 0 : open.back().entry;
            const uint32_t index = m_index.Add();
            ElementEntry& entry = m_index.At(index);
            entry.start = static_cast<uint32_t>(lt);
            entry.length = static_cast<uint32_t>(tagEnd - lt);
            entry.SetTagLengths(entry.length, 0);
            LinkLastChild(parent, index);
            if (!empty) {
                const std::u16string_view name = text.substr(lt + 1, nameLength);
                names[name].push_back(static_cast<uint32_t>(open.size()));
                open.push_back({index, name});
            }
        } else {
            tagProblem(lt, lt + 1);  // a '<' that starts no markup
            pos = lt + 1;
        }
    }
    unendFrom(0);
    FinishIndex();

    const uint32_t first = m_index.At(0).firstChild;
    bool oneRoot = true;
    if (first == 0) {
        oneRoot = false;
        Log("no_root_element");
    } else if (const uint32_t sibling = m_index.At(first).nextSibling; sibling != 0) {
        oneRoot = false;
        Log("root_has_sibling", {LogText("tagname", ElementName(sibling)),
                                 LogNumber("offset", m_index.At(sibling).start)});
    }
    return oneRoot && IsWellFormed();
}

// ---- Navigation and attributes -----------------------------------------------------------

bool XmlDocument::FindNextElement(std::u16string_view name) {
    uint32_t candidate =
        m_current != 0 ? m_index.At(m_current).nextSibling : m_index.At(m_parent).firstChild;
    for (; candidate != 0; candidate = m_index.At(candidate).nextSibling) {
        if (NamesEqual(ElementName(candidate), name)) {
            m_current = candidate;
            m_child = 0;
            m_nodeKind = 1;
            return true;
        }
    }
    return false;
}

bool XmlDocument::EnterElement() {
    if (m_current == 0) {
        return false;
    }
    m_parent = m_current;
    m_current = m_child;
    m_child = 0;
    m_nodeKind = m_current != 0 ? 1 : 0;
    return true;
}

bool XmlDocument::LeaveElement() {
    if (m_parent == 0) {
        return false;
    }
    m_child = m_current;
    m_current = m_parent;
    m_parent = m_index.At(m_parent).parent;
    m_nodeKind = 1;
    return true;
}

std::u16string XmlDocument::GetAttribute(std::u16string_view name) const {
    if (m_current == 0) {
        return {};
    }
    const ElementEntry& entry = m_index.At(m_current);
    const std::u16string_view text = m_text;
    const size_t limit = entry.start + entry.StartTagLength();
    AttributeScanner scanner(text, entry.start + 1 + ElementName(m_current).size(), limit);
    AttributeToken token;
    while (scanner.Next(token)) {
        if (!token.IsStray() &&
            text.substr(token.nameBegin, token.nameEnd - token.nameBegin) == name) {
            if (!token.hasValue) {
                return {};
            }
            return UnescapeAttribute(
                text.substr(token.valueBegin, token.valueEnd - token.valueBegin));
        }
    }
    return {};
}

// Replaces text[pos, pos + removed) with `inserted` and moves the index along: everything that
// starts at or after pos moves by the difference, and `grownFrom` with all its ancestors grows
// by it.
void XmlDocument::Splice(size_t pos, size_t removed, std::u16string_view inserted,
                         uint32_t grownFrom) {
    m_text.replace(pos, removed, inserted);
    const uint32_t delta = static_cast<uint32_t>(inserted.size() - removed);  // modulo 2^32
    const uint32_t count = m_index.Count();
    for (uint32_t i = 1; i < count; ++i) {
        ElementEntry& entry = m_index.At(i);
        if (entry.start >= pos) {
            entry.start += delta;
        }
    }
    for (uint32_t a = grownFrom; a != 0; a = m_index.At(a).parent) {
        m_index.At(a).length += delta;
    }
    m_index.At(0).length = static_cast<uint32_t>(m_text.size());
}

bool XmlDocument::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (m_current == 0 || !IsWritableName(name)) {
        return false;
    }
    const ElementEntry& entry = m_index.At(m_current);
    const std::u16string_view text = m_text;
    const size_t limit = entry.start + entry.StartTagLength();
    size_t insertAt = entry.start + 1 + ElementName(m_current).size();
    AttributeScanner scanner(text, insertAt, limit);
    AttributeToken token;
    bool found = false;
    bool lastValueEmptyUnquoted = false;
    while (scanner.Next(token)) {
        if (token.IsStray()) {
            continue;
        }
        if (text.substr(token.nameBegin, token.nameEnd - token.nameBegin) == name) {
            found = true;
            break;
        }
        insertAt = token.end;
        lastValueEmptyUnquoted =
            token.hasValue && !token.quoted && token.valueBegin == token.valueEnd;
    }
    const std::u16string quoted = u"\"" + EscapeAttribute(value) + u"\"";
    size_t from = insertAt;
    size_t to = insertAt;
    std::u16string replacement;
    if (found && token.hasValue) {
        from = token.quoted ? token.valueBegin - 1 : token.valueBegin;
        to = token.end;
        replacement = quoted;
    } else if (found) {
        from = to = token.nameEnd;
        replacement = u"=" + quoted;
    } else {
        replacement = u" " + std::u16string(name) + u"=" + quoted;
        if (lastValueEmptyUnquoted) {
            // "a=" followed by the new attribute would read as a's unquoted value: give a its
            // empty value in quotes first.
            replacement = u"\"\"" + replacement;
        }
    }
    const size_t startTag = entry.StartTagLength() - (to - from) + replacement.size();
    if (startTag > kMaxStartTagLength ||
        m_text.size() - (to - from) + replacement.size() > kMaxTextLength) {
        return false;
    }
    m_index.At(m_current).SetTagLengths(static_cast<uint32_t>(startTag), entry.EndTagLength());
    Splice(from, to - from, replacement, m_current);
    return true;
}

bool XmlDocument::AppendElement(std::u16string_view name) {
    if (!IsWritableName(name) || name.size() + 3 > kMaxEndTagLength) {
        return false;
    }
    const std::u16string element = u"<" + std::u16string(name) + u"/>" + std::u16string(kLineBreak);
    const uint32_t tagLength = static_cast<uint32_t>(name.size() + 3);

    uint32_t parent = m_parent;
    size_t pos;          // where the text goes
    size_t removed = 0;  // characters it replaces
    std::u16string inserted;
    size_t newStart;  // where the new element's '<' ends up
    if (m_current != 0) {
        // After the current element: at the next tag after its end (past its line break).
        parent = m_index.At(m_current).parent;
        pos = m_text.find(u'<', m_index.At(m_current).End());
        if (pos == std::u16string::npos) {
            pos = m_text.size();
        }
        inserted = element;
        newStart = pos;
    } else if (parent == 0) {
        pos = m_text.size();
        inserted = element;
        newStart = pos;
    } else {
        const ElementEntry& owner = m_index.At(parent);
        if (owner.flags & kEntryUnended) {
            return false;  // it has no content to append to
        }
        if (owner.EndTagLength() == 0) {
            // "<p/>" becomes "<p>", a line break, the element, and "</p>".
            const std::u16string_view ownerName = ElementName(parent);
            if (ownerName.size() + 3 > kMaxEndTagLength) {
                return false;
            }
            pos = owner.start + owner.StartTagLength() - 2;  // the '/' of "/>"
            removed = 1;
            inserted =
                u">" + std::u16string(kLineBreak) + element + u"</" + std::u16string(ownerName);
            newStart = pos + 1 + kLineBreak.size();
        } else if (owner.length == owner.StartTagLength() + owner.EndTagLength()) {
            // Nothing between the tags: a line break after the start tag, then the element.
            pos = owner.start + owner.StartTagLength();
            inserted = std::u16string(kLineBreak) + element;
            newStart = pos + kLineBreak.size();
        } else {
            pos = owner.End() - owner.EndTagLength();  // just before the end tag
            inserted = element;
            newStart = pos;
        }
    }
    if (m_text.size() - removed + inserted.size() > kMaxTextLength) {
        return false;
    }
    if (parent != 0 && removed == 1) {
        ElementEntry& owner = m_index.At(parent);
        owner.SetTagLengths(owner.StartTagLength() - 1,
                            static_cast<uint32_t>(ElementName(parent).size() + 3));
    }
    Splice(pos, removed, inserted, parent);

    const uint32_t index = m_index.Add();
    ElementEntry& added = m_index.At(index);
    added.start = static_cast<uint32_t>(newStart);
    added.length = tagLength;
    added.SetTagLengths(tagLength, 0);
    const uint32_t depth =
        parent == 0 ? 0 : std::min<uint32_t>(m_index.At(parent).Depth() + 1, kEntryDepthMask);
    if (m_current != 0) {
        ElementEntry& before = m_index.At(m_current);
        ElementEntry& fresh = m_index.At(index);
        fresh.parent = parent;
        fresh.previousSibling = m_current;
        fresh.nextSibling = before.nextSibling;
        if (before.nextSibling != 0) {
            m_index.At(before.nextSibling).previousSibling = index;
        } else {
            m_index.At(m_index.At(parent).firstChild).previousSibling = index;
        }
        before.nextSibling = index;
        fresh.flags = depth;
    } else {
        LinkLastChild(parent, index);
        ElementEntry& fresh = m_index.At(index);
        fresh.flags = depth | (m_index.At(parent).firstChild == index ? kEntryFirstChild : 0);
    }
    m_current = index;
    m_child = 0;
    m_nodeKind = 1;
    return true;
}

// ---- Files --------------------------------------------------------------------------------

bool XmlDocument::LoadFile(const std::string& path) {
    m_resultLog.clear();
    m_flags &= ~kBomFlags;
    Empty();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        Log("file_error", {LogText("msg", ErrorText(errno))});
        return false;
    }
    struct stat st {};
    std::string failure;
    if (fstat(fd, &st) != 0) {
        failure = ErrorText(errno);
    } else if (!S_ISREG(st.st_mode)) {
        failure = S_ISDIR(st.st_mode) ? ErrorText(EISDIR) : "not a regular file";
    } else if (static_cast<uint64_t>(st.st_size) > kMaxFileBytes) {
        failure = "file larger than " + std::to_string(kMaxFileBytes) + " bytes";
    }
    std::string bytes;
    if (failure.empty()) {
        bytes.reserve(static_cast<size_t>(st.st_size));
        char buffer[65536];
        for (;;) {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR) {
                    continue;
                }
                failure = ErrorText(errno);
                break;
            }
            if (got == 0) {
                break;
            }
            if (bytes.size() + static_cast<size_t>(got) > kMaxFileBytes) {
                failure = "file larger than " + std::to_string(kMaxFileBytes) + " bytes";
                break;
            }
            bytes.append(buffer, static_cast<size_t>(got));
        }
    }
    close(fd);
    if (!failure.empty()) {
        Log("file_error", {LogText("msg", failure)});
        return false;
    }
    Log("read", {LogNumber("length", bytes.size())});
    bool complete = true;
    if (bytes.size() < static_cast<uint64_t>(st.st_size)) {
        // The file shrank while it was read.
        complete = false;
        Log("truncation_error",
            {LogNumber("n", static_cast<uint64_t>(st.st_size)), LogNumber("length", bytes.size())});
    }
    return Decode(bytes) && complete;
}

bool XmlDocument::LoadBytes(std::string_view bytes) {
    m_resultLog.clear();
    m_flags &= ~kBomFlags;
    Empty();
    if (bytes.size() > kMaxFileBytes) {
        Log("file_error",
            {LogText("msg", "larger than " + std::to_string(kMaxFileBytes) + " bytes")});
        return false;
    }
    return Decode(bytes);
}

bool XmlDocument::Decode(std::string_view bytes) {
    const auto at = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
    enum class Wide { None, Little, Big } wide = Wide::None;
    std::string charset;
    if (bytes.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        m_flags |= kFlagBomUtf8;
        charset = "UTF-8";
        bytes.remove_prefix(3);
        Log("bom", {LogText("encoding", u"UTF-8")});
    } else if (bytes.size() >= 2 && at(0) == 0xFF && at(1) == 0xFE) {
        m_flags |= kFlagBomUtf16Le;
        wide = Wide::Little;
        bytes.remove_prefix(2);
        Log("bom", {LogText("encoding", u"UTF-16LE")});
    } else if (bytes.size() >= 2 && at(0) == 0xFE && at(1) == 0xFF) {
        m_flags |= kFlagBomUtf16Be;
        wide = Wide::Big;
        bytes.remove_prefix(2);
        Log("bom", {LogText("encoding", u"UTF-16BE")});
    } else {
        const std::u16string head = base::Utf8ToUtf16(bytes.substr(0, 1024));
        charset = DeclaredEncoding(head);
        if (charset.empty()) {
            charset = MetaCharset(head);
        }
        if (charset.empty() && !bytes.empty() && bytes[0] == '<') {
            charset = "UTF-8";
        }
    }

    std::u16string text;
    if (wide != Wide::None) {
        if (bytes.size() % 2 != 0) {
            bytes.remove_suffix(1);
            Log("conversion_loss",
                {LogText("encoding", wide == Wide::Little ? u"UTF-16LE" : u"UTF-16BE"),
                 LogNumber("count", 1)});
        }
        text.reserve(bytes.size() / 2);
        size_t nulls = 0;
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            const char16_t c = wide == Wide::Little ? char16_t(at(i) | (at(i + 1) << 8))
                                                    : char16_t((at(i) << 8) | at(i + 1));
            if (c == 0) {
                ++nulls;
            } else {
                text.push_back(c);
            }
        }
        if (nulls != 0) {
            Log("nulls_removed", {LogNumber("count", nulls)});
        }
        if (wide == Wide::Big) {
            Log("endian_swap", {LogNumber("length", text.size())});
        }
    } else {
        std::string cleaned;
        std::string_view body = bytes;
        const size_t nulls = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\0'));
        if (nulls != 0) {
            cleaned.reserve(bytes.size() - nulls);
            std::copy_if(bytes.begin(), bytes.end(), std::back_inserter(cleaned),
                         [](char c) { return c != '\0'; });
            body = cleaned;
            Log("nulls_removed", {LogNumber("count", nulls)});
        }
        if (charset.empty()) {
            charset = base::IsValidUtf8(body) ? "UTF-8" : kAnsiCharset;
            Log("utf8_detection", {LogText("encoding", charset)});
        }
        std::string used = charset;
        std::string note;
        const CharsetKind kind = KindOfCharset(charset);
        size_t lost = 0;
        if (kind == CharsetKind::Utf16 || kind == CharsetKind::Utf32) {
            // The declaration was readable as 8-bit text, so the file is not in that encoding.
            used = base::IsValidUtf8(body) ? "UTF-8" : kAnsiCharset;
            note = "declared " + charset + " does not match the file";
        } else if (kind == CharsetKind::EightBit && !DecodeCharset(body, charset, text, lost)) {
            used = kAnsiCharset;
            note = "unknown encoding " + charset;
        }
        if (KindOfCharset(used) == CharsetKind::Utf8) {
            text = DecodeUtf8(body, lost);
        } else if (used != charset) {
            DecodeCharset(body, used, text, lost);
        }
        if (note.empty()) {
            Log("converted_to", {LogText("encoding", used), LogNumber("length", text.size())});
        } else {
            Log("converted_to", {LogText("encoding", used), LogNumber("length", text.size()),
                                 LogText("msg", note)});
        }
        if (lost != 0) {
            Log("conversion_loss", {LogText("encoding", used), LogNumber("count", lost)});
        }
    }
    m_text = std::move(text);
    return Parse();
}

bool XmlDocument::SaveBytes(std::string& bytes) {
    bytes.clear();
    enum class Target { Utf8, Utf16Le, Utf16Be, Charset } target = Target::Utf8;
    std::string charset;
    bool mark = false;
    if (m_flags & kFlagBomUtf8) {
        mark = true;
    } else if (m_flags & kFlagBomUtf16Le) {
        target = Target::Utf16Le;
        mark = true;
    } else if (m_flags & kFlagBomUtf16Be) {
        target = Target::Utf16Be;
        mark = true;
    } else {
        charset = DeclaredEncoding(std::u16string_view(m_text).substr(0, 1024));
        switch (charset.empty() ? CharsetKind::Utf8 : KindOfCharset(charset)) {
            case CharsetKind::Utf8:
                break;
            case CharsetKind::Utf16: {
                // Written with its byte order mark, so that it reads back.
                std::string upper = charset;
                for (char& c : upper) {
                    c = (c >= 'a' && c <= 'z') ? char(c - 32) : c;
                }
                const bool big = upper.size() >= 2 && upper.substr(upper.size() - 2) == "BE";
                target = big ? Target::Utf16Be : Target::Utf16Le;
                mark = true;
                break;
            }
            case CharsetKind::Utf32:
                Log("converted_from",
                    {LogText("encoding", charset), LogText("msg", "cannot be written")});
                return false;
            case CharsetKind::EightBit:
                target = Target::Charset;
                break;
        }
    }
    size_t lost = 0;
    std::string encoding;
    switch (target) {
        case Target::Utf8:
            encoding = "UTF-8";
            if (mark) {
                bytes = "\xEF\xBB\xBF";
            }
            bytes += EncodeUtf8(m_text, lost);
            break;
        case Target::Utf16Le:
        case Target::Utf16Be: {
            const bool big = target == Target::Utf16Be;
            encoding = big ? "UTF-16BE" : "UTF-16LE";
            bytes.reserve(2 + m_text.size() * 2);
            const auto put = [&](char16_t c) {
                const char high = static_cast<char>(c >> 8);
                const char low = static_cast<char>(c & 0xFF);
                bytes.push_back(big ? high : low);
                bytes.push_back(big ? low : high);
            };
            if (mark) {
                put(0xFEFF);
            }
            for (char16_t c : m_text) {
                put(c);
            }
            break;
        }
        case Target::Charset:
            encoding = charset;
            if (!EncodeCharset(m_text, charset, bytes, lost)) {
                Log("converted_from",
                    {LogText("encoding", charset), LogText("msg", "unknown encoding")});
                return false;
            }
            break;
    }
    Log("converted_from", {LogText("encoding", encoding), LogNumber("length", bytes.size())});
    if (lost != 0) {
        Log("conversion_loss", {LogText("encoding", encoding), LogNumber("count", lost)});
    }
    return true;
}

bool XmlDocument::SaveFile(const std::string& path) {
    m_resultLog.clear();
    std::string bytes;
    if (!SaveBytes(bytes)) {
        return false;
    }
    if (const int error = ReplaceFile(path, bytes); error != 0) {
        Log("file_error", {LogText("msg", ErrorText(error))});
        return false;
    }
    Log("write", {LogNumber("length", bytes.size())});
    return true;
}

}  // namespace xml
