// Fuzz target of the XML document layer. The input is a file's bytes (or, when its first byte
// is odd, UTF-16 text handed to SetText). Every parse and every edit must leave an index that
// describes the text (CheckIndex); for a well-formed document, the edited text must parse back
// to the same elements; saving and loading again must give a sound index. Any violation aborts,
// and AddressSanitizer catches every read or write out of bounds.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "xml/IndexCheck.h"
#include "xml/XmlDocument.h"

namespace {

using Node = std::tuple<uint32_t, uint32_t, uint32_t, uint32_t>;

std::vector<Node> Flatten(const xml::XmlDocument& doc) {
    std::vector<Node> nodes;
    std::vector<uint32_t> pending{doc.Entry(0).firstChild};
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

void Check(const xml::XmlDocument& doc, const char* step) {
    const std::string problem = xml::CheckIndex(doc);
    if (!problem.empty()) {
        std::fprintf(stderr, "index broken after %s: %s\n", step, problem.c_str());
        std::abort();
    }
}

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "failed: %s\n", what);
        std::abort();
    }
}

// Walks the whole tree with the navigation operations, reading attributes on the way.
void Walk(xml::XmlDocument& doc) {
    const uint32_t limit = doc.NextFreeIndex() * 4 + 8;
    for (uint32_t steps = 0; steps < limit; ++steps) {
        if (doc.Current() != 0) {
            doc.GetAttribute(u"name");
            doc.GetAttribute(u"a");
        }
        const uint32_t next = doc.Current() ? doc.Entry(doc.Current()).nextSibling
                                            : doc.Entry(doc.Parent()).firstChild;
        if (next != 0) {
            Require(doc.FindNextElement(std::u16string(doc.ElementName(next))), "find by name");
            if (doc.Entry(doc.Current()).firstChild != 0) {
                doc.EnterElement();
            }
            continue;
        }
        if (!doc.LeaveElement()) {
            return;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    xml::XmlDocument doc;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (size > 0 && (data[0] & 1)) {
        std::u16string text;
        for (size_t i = 1; i + 1 < size; i += 2) {
            text.push_back(char16_t(data[i] | (data[i + 1] << 8)));
        }
        doc.SetText(text);
    } else {
        doc.LoadBytes(bytes);
    }
    Check(doc, "parse");
    // The entry that crosses the limit is the last, and no entry is longer than a few hundred
    // characters.
    Require(doc.ResultLog().size() <= xml::kResultLogLimit + 400, "log limit");
    Walk(doc);

    // Edits: an attribute on the first element (every character that needs escaping), a child
    // and a sibling.
    const bool wellFormed = doc.IsWellFormed();
    doc.SetText(std::u16string(doc.Text()));
    const uint32_t first = doc.Entry(0).firstChild;
    if (first != 0 && doc.FindNextElement(std::u16string(doc.ElementName(first)))) {
        const std::u16string value = u"\"'<&>&amp;\r\n";
        if (doc.SetAttribute(u"name", value)) {
            Require(doc.GetAttribute(u"name") == value, "attribute reads back");
        }
        Check(doc, "SetAttribute");
        if (doc.EnterElement()) {
            doc.AppendElement(u"child");
            Check(doc, "AppendElement into");
            doc.SetAttribute(u"x", u"1");
            Check(doc, "SetAttribute on the new element");
            doc.LeaveElement();
        }
        doc.AppendElement(u"sibling");
        Check(doc, "AppendElement after");
        if (wellFormed) {
            xml::XmlDocument fresh(doc.Text());
            Require(Flatten(fresh) == Flatten(doc), "edited text parses to the same index");
        }
    }

    std::string saved;
    if (doc.SaveBytes(saved)) {
        xml::XmlDocument again;
        again.LoadBytes(saved);
        Check(again, "reload");
    }
    return 0;
}
