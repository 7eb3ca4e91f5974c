#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "base/Utf.h"
#include "xml/IndexCheck.h"
#include "xml/XmlDocument.h"

namespace xml_test {

// Literals: tests write UTF-8 and compare UTF-16.
inline std::u16string U(std::string_view utf8) {
    return base::Utf8ToUtf16(utf8);
}
inline std::string N(std::u16string_view text) {
    return base::Utf16ToUtf8(text);
}

inline const std::u16string kDeclaration = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

// One element as the index describes it, in document order, so that two documents can be
// compared whatever order their entries were created in.
using Node = std::tuple<uint32_t, uint32_t, uint32_t, uint32_t>;  // start, length, tags, flags

inline std::vector<Node> Flatten(const xml::XmlDocument& doc) {
    std::vector<Node> nodes;
    std::vector<uint32_t> pending;  // next element to visit at each open level
    pending.push_back(doc.Entry(0).firstChild);
    while (!pending.empty()) {
        const uint32_t c = pending.back();
        if (c == 0) {
            pending.pop_back();
            continue;
        }
        const xml::ElementEntry& e = doc.Entry(c);
        nodes.emplace_back(e.start, e.length, e.tagLengths, e.flags);
        pending.back() = e.nextSibling;
        pending.push_back(e.firstChild);
    }
    return nodes;
}

// The index is consistent with the text, and parsing the text afresh gives the same elements:
// what edits did to the index is what a reader of the saved file will see.
inline void ExpectIndexSound(const xml::XmlDocument& doc) {
    EXPECT_EQ(xml::CheckIndex(doc), "");
    xml::XmlDocument fresh(doc.Text());
    EXPECT_EQ(Flatten(fresh), Flatten(doc)) << N(doc.Text());
}

inline bool LogHas(const xml::XmlDocument& doc, std::string_view keyword) {
    return N(doc.ResultLog()).find("<" + std::string(keyword)) != std::string::npos;
}

}  // namespace xml_test
