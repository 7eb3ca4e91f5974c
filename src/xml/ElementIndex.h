#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "xml/ElementEntry.h"

namespace xml {

// The growable array of element entries. An index is 32 bits: the high 16 bits select a block
// of at most 65536 entries, the low 16 bits the entry inside it, so growing never moves more
// than one block. The array starts with room for (text length / 64 + 8) entries and grows by
// half its size whenever it is full. Entry 0 always exists.
//
// References returned by At() stay valid until the next Add() or Reset().
class ElementIndex {
  public:
    ElementIndex();

    // Forgets every entry and prepares room for a text of the given length; entry 0 is a fresh
    // entry and the next free index is 1.
    void Reset(size_t textLength);

    // Appends a fresh entry and returns its index.
    uint32_t Add();

    ElementEntry& At(uint32_t index) { return m_blocks[index >> 16][index & 0xFFFF]; }
    const ElementEntry& At(uint32_t index) const { return m_blocks[index >> 16][index & 0xFFFF]; }

    // The next free index, which is also the number of entries.
    uint32_t Count() const { return m_count; }
    // The number of entries there is room for before the next growth.
    uint32_t Capacity() const { return m_capacity; }

  private:
    void Reserve(uint32_t capacity);

    std::vector<std::vector<ElementEntry>> m_blocks;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
};

}  // namespace xml
