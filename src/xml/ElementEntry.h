#pragma once

#include <cstdint>

namespace xml {

// Bits of ElementEntry::tagLengths: the low 22 bits hold the length of the start tag, the high
// 10 bits the length of the end tag (0 for an empty-element tag ending in "/>" and for an
// element without end tag).
inline constexpr uint32_t kStartTagLengthMask = 0x3FFFFF;
inline constexpr uint32_t kMaxStartTagLength = 0x3FFFFF;
inline constexpr uint32_t kMaxEndTagLength = 0x3FF;
inline constexpr int kEndTagLengthShift = 22;

// Bits of ElementEntry::flags.
inline constexpr uint32_t kEntryDepthMask = 0xFFFF;       // nesting depth (top level is 0)
inline constexpr uint32_t kEntryFirstChild = 0x80000;     // first child of its parent
inline constexpr uint32_t kEntryUnended = 0x100000;       // start tag that was never ended
inline constexpr uint32_t kDocumentIllFormed = 0x800000;  // on entry 0 only

// One entry of the element index: where an element lies in the document text and how it is
// linked to its family. Entry 0 stands for the whole document (the virtual root); its children
// are the top-level elements. Offsets and lengths count UTF-16 code units.
struct ElementEntry {
    uint32_t start = 0;            // offset of the element's '<'
    uint32_t length = 0;           // start tag to the end of the end tag
    uint32_t tagLengths = 0;       // start tag length | end tag length << 22
    uint32_t flags = 0;            // depth, first child, unended; ill-formed on entry 0
    uint32_t parent = 0;           // parent entry (0: the virtual root)
    uint32_t firstChild = 0;       // 0 when the element has no children
    uint32_t nextSibling = 0;      // 0 for the last child
    uint32_t previousSibling = 0;  // for the first child: the last child

    uint32_t StartTagLength() const { return tagLengths & kStartTagLengthMask; }
    uint32_t EndTagLength() const { return tagLengths >> kEndTagLengthShift; }
    uint32_t Depth() const { return flags & kEntryDepthMask; }
    uint32_t End() const { return start + length; }
    void SetTagLengths(uint32_t startTag, uint32_t endTag) {
        tagLengths = (startTag & kStartTagLengthMask) | (endTag << kEndTagLengthShift);
    }
};

}  // namespace xml
