// Which slots of a fixed table are taken, with the lowest free one found in
// a handful of word operations whatever the table's fill.
#pragma once

#include <bit>
#include <cstdint>

template <unsigned Count>
class SlotBits {
public:
    // The lowest free slot, or -1 when every slot is taken.
    int lowest_free() const
    {
        for (unsigned s = 0; s < summary_words; ++s) {
            const uint64_t open = ~full_[s];
            if (!open)
                continue;
            const unsigned word = s * 64 + unsigned(std::countr_zero(open));
            if (word >= words)
                return -1;
            const unsigned slot = word * 64 + unsigned(std::countr_zero(~taken_[word]));
            return slot < Count ? int(slot) : -1;
        }
        return -1;
    }

    bool taken(unsigned slot) const { return (taken_[slot / 64] >> (slot % 64)) & 1; }

    void take(unsigned slot)
    {
        uint64_t& word = taken_[slot / 64];
        word |= uint64_t(1) << (slot % 64);
        if (word == ~uint64_t(0))
            full_[slot / 4096] |= uint64_t(1) << (slot / 64 % 64);
    }

    void free(unsigned slot)
    {
        taken_[slot / 64] &= ~(uint64_t(1) << (slot % 64));
        full_[slot / 4096] &= ~(uint64_t(1) << (slot / 64 % 64));
    }

private:
    static constexpr unsigned words = (Count + 63) / 64;
    static constexpr unsigned summary_words = (words + 63) / 64;
    uint64_t taken_[words] = {};
    uint64_t full_[summary_words] = {};  // bit w: word w has no free slot
};
