#include "xml/IndexCheck.h"

#include <algorithm>
#include <vector>

namespace xml {

namespace {

std::string At(uint32_t index, const char* what) {
    return "entry " + std::to_string(index) + ": " + what;
}

}  // namespace

std::string CheckIndex(const XmlDocument& document) {
    const std::u16string& text = document.Text();
    const uint32_t count = document.NextFreeIndex();
    const ElementEntry& root = document.Entry(0);
    if (root.start != 0 || root.length != text.size()) {
        return At(0, "does not cover the text");
    }
    for (uint32_t i = 1; i < count; ++i) {
        const ElementEntry& e = document.Entry(i);
        if (uint64_t(e.start) + e.length > text.size() || e.length < 3) {
            return At(i, "lies outside the text");
        }
        if (text[e.start] != u'<') {
            return At(i, "does not start with '<'");
        }
        const uint32_t startTag = e.StartTagLength();
        const uint32_t endTag = e.EndTagLength();
        if (startTag < 3 || uint64_t(startTag) + endTag > e.length ||
            text[e.start + startTag - 1] != u'>') {
            return At(i, "start tag length is wrong");
        }
        if (document.ElementName(i).empty()) {
            return At(i, "has no name");
        }
        const bool emptyTag = text[e.start + startTag - 2] == u'/';
        if (e.flags & kEntryUnended) {
            if (endTag != 0 || e.length != startTag || e.firstChild != 0 || emptyTag) {
                return At(i, "unended element is inconsistent");
            }
        } else if (endTag == 0) {
            if (!emptyTag || e.length != startTag || e.firstChild != 0) {
                return At(i, "empty-element tag is inconsistent");
            }
        } else {
            const uint32_t endStart = e.start + e.length - endTag;
            if (text.compare(endStart, 2, u"</") != 0 || text[e.start + e.length - 1] != u'>' ||
                text.compare(endStart + 2, document.ElementName(i).size(),
                             document.ElementName(i)) != 0) {
                return At(i, "end tag is wrong");
            }
        }
        if (e.parent >= i) {
            return At(i, "parent does not precede it");
        }
        const ElementEntry& p = document.Entry(e.parent);
        const uint32_t depth =
            e.parent == 0 ? 0 : std::min<uint32_t>(p.Depth() + 1, kEntryDepthMask);
        if (e.Depth() != depth) {
            return At(i, "depth is wrong");
        }
        if (((e.flags & kEntryFirstChild) != 0) != (p.firstChild == i)) {
            return At(i, "first-child mark is wrong");
        }
    }
    // Walk the tree from the root: children in text order, inside the parent's content.
    std::vector<uint8_t> seen(count, 0);
    std::vector<uint32_t> pending{0};
    uint32_t reached = 1;
    seen[0] = 1;
    while (!pending.empty()) {
        const uint32_t parent = pending.back();
        pending.pop_back();
        const ElementEntry& p = document.Entry(parent);
        const uint64_t contentBegin = parent == 0 ? 0 : p.start + p.StartTagLength();
        const uint64_t contentEnd =
            parent == 0 ? text.size() : p.start + p.length - p.EndTagLength();
        uint64_t previousEnd = contentBegin;
        uint32_t last = 0;
        for (uint32_t c = p.firstChild; c != 0; c = document.Entry(c).nextSibling) {
            if (c >= count || seen[c]) {
                return At(c, "is linked twice");
            }
            seen[c] = 1;
            ++reached;
            const ElementEntry& e = document.Entry(c);
            if (e.parent != parent) {
                return At(c, "parent link is wrong");
            }
            if (e.start < previousEnd || uint64_t(e.start) + e.length > contentEnd) {
                return At(c, "overlaps its neighbours or leaves its parent");
            }
            if (last != 0 && e.previousSibling != last) {
                return At(c, "previous sibling is wrong");
            }
            previousEnd = uint64_t(e.start) + e.length;
            last = c;
            pending.push_back(c);
        }
        if (p.firstChild != 0 && document.Entry(p.firstChild).previousSibling != last) {
            return At(parent, "first child does not point to the last child");
        }
    }
    if (reached != count) {
        return "only " + std::to_string(reached) + " of " + std::to_string(count) +
               " entries are reachable";
    }
    return {};
}

}  // namespace xml
