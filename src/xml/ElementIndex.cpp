#include "xml/ElementIndex.h"

#include <algorithm>

namespace xml {

namespace {
constexpr uint32_t kBlockSize = 0x10000;
}  // namespace

ElementIndex::ElementIndex() {
    Reset(0);
}

void ElementIndex::Reset(size_t textLength) {
    m_blocks.clear();
    m_count = 0;
    m_capacity = 0;
    const size_t wanted = std::min<size_t>(textLength / 64 + 8, UINT32_MAX / 2);
    Reserve(static_cast<uint32_t>(wanted));
    Add();
}

void ElementIndex::Reserve(uint32_t capacity) {
    m_capacity = capacity;
    const uint32_t blocks = (capacity + kBlockSize - 1) / kBlockSize;
    if (m_blocks.size() < blocks) {
        m_blocks.resize(blocks);
    }
    for (uint32_t b = 0; b < blocks; ++b) {
        const uint32_t room = std::min(kBlockSize, capacity - b * kBlockSize);
        if (m_blocks[b].capacity() < room) {
            m_blocks[b].reserve(room);
        }
    }
}

uint32_t ElementIndex::Add() {
    if (m_count == m_capacity) {
        const uint64_t grown = uint64_t(m_capacity) + std::max<uint32_t>(m_capacity / 2, 1);
        Reserve(static_cast<uint32_t>(std::min<uint64_t>(grown, UINT32_MAX)));
    }
    const uint32_t index = m_count++;
    m_blocks[index >> 16].emplace_back();
    return index;
}

}  // namespace xml
