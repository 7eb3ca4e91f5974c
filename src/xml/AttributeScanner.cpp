#include "xml/AttributeScanner.h"

#include "xml/XmlChars.h"

namespace xml {

void AttributeScanner::SkipBlanks() {
    while (m_pos < m_limit && IsBlank(m_text[m_pos])) {
        ++m_pos;
    }
}

bool AttributeScanner::Next(AttributeToken& token) {
    SkipBlanks();
    if (m_pos >= m_limit) {
        return false;
    }
    const char16_t first = m_text[m_pos];
    if (first == u'/' || first == u'>' || first == u'?') {
        return false;
    }
    token = AttributeToken{};
    token.nameBegin = m_pos;
    token.nameEnd = m_pos + NameLength(m_text, m_pos, m_limit);
    if (token.nameEnd == token.nameBegin) {
        // '=', '<' or a quote where a name should be.
        token.end = ++m_pos;
        return true;
    }
    m_pos = token.nameEnd;
    token.end = token.nameEnd;
    size_t after = m_pos;
    while (after < m_limit && IsBlank(m_text[after])) {
        ++after;
    }
    if (after >= m_limit || m_text[after] != u'=') {
        return true;  // an attribute without a value
    }
    m_pos = after + 1;
    SkipBlanks();
    token.hasValue = true;
    if (m_pos < m_limit && (m_text[m_pos] == u'"' || m_text[m_pos] == u'\'')) {
        const char16_t quote = m_text[m_pos];
        token.quoted = true;
        token.valueBegin = m_pos + 1;
        size_t close = token.valueBegin;
        while (close < m_limit && m_text[close] != quote) {
            ++close;
        }
        if (close >= m_limit) {
            token.terminated = false;
            token.valueEnd = m_limit;
            token.end = m_limit;
        } else {
            token.valueEnd = close;
            token.end = close + 1;
        }
    } else {
        token.valueBegin = m_pos;
        size_t stop = m_pos;
        while (stop < m_limit) {
            const char16_t c = m_text[stop];
            if (IsBlank(c) || c == u'>') {
                break;
            }
            if ((c == u'/' || c == u'?') && stop + 1 < m_limit && m_text[stop + 1] == u'>') {
                break;
            }
            ++stop;
        }
        token.valueEnd = stop;
        token.end = stop;
    }
    m_pos = token.end;
    return true;
}

}  // namespace xml
