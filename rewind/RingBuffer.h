#pragma once

#include <cstddef>
#include <vector>

#include "core/Assert.h"

namespace Rewind {

// A fixed-capacity queue in one contiguous block, allocated once: pushing onto a full buffer drops
// the oldest entry, so steady-state recording never allocates.
template <typename T>
class RingBuffer {
public:
    explicit RingBuffer(std::size_t capacity) : slots(capacity) { KELVARIN_ASSERT(capacity > 0); }

    std::size_t size() const { return count; }
    std::size_t capacity() const { return slots.size(); }
    bool empty() const { return count == 0; }
    bool full() const { return count == slots.size(); }

    // Index 0 is the oldest entry.
    const T& operator[](std::size_t i) const {
        KELVARIN_ASSERT(i < count);
        return slots[(head + i) % slots.size()];
    }
    const T& front() const { return (*this)[0]; }
    const T& back() const {
        KELVARIN_ASSERT(!empty());
        return (*this)[count - 1];
    }

    void pushBack(const T& value) {
        if (full()) popFront();
        slots[(head + count) % slots.size()] = value;
        ++count;
    }
    void popFront() {
        if (empty()) return;
        head = (head + 1) % slots.size();
        --count;
    }
    void popBack() {
        if (!empty()) --count;
    }

private:
    std::vector<T> slots;
    std::size_t head = 0;
    std::size_t count = 0;
};

}  // namespace Rewind
