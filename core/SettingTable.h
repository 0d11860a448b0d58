#pragma once
// The dictionary behind Config: setting keys to their value text.
//
// Every property query and every reaction time of every object on every turn
// looks a key up here, so a lookup must cost a few nanoseconds. The table is
// open addressing over a power-of-two array of slots. Each slot keeps the first
// and last eight bytes of its key and the key's length: they make the hash, and
// for keys of up to 16 bytes (most of them) comparing them compares the whole
// key, without touching the key's own bytes.
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class SettingTable {
public:
    SettingTable() = default;
    // The slots point into the entries: a copy would point into the original's.
    // Moving keeps the entries where they are, and the slots with them.
    SettingTable(const SettingTable&) = delete;
    SettingTable& operator=(const SettingTable&) = delete;
    SettingTable(SettingTable&&) noexcept = default;
    SettingTable& operator=(SettingTable&&) noexcept = default;

    // The value stored under the key, or null when the key is absent.
    const std::string* find(std::string_view key) const {
        if (slots.empty())
            return nullptr;
        const Slot& slot = slotOf(key, Words(key));
        return slot.entry ? &slot.entry->second : nullptr;
    }

    // Stores the pair, replacing the value of an equal key.
    void insertOrAssign(std::string key, std::string value);

private:
    using Entry = std::pair<std::string, std::string>;

    // A key's first and last eight bytes (overlapping when it is shorter than
    // 16; short keys are packed so that the words and the length still tell
    // every key apart).
    struct Words {
        explicit Words(std::string_view key);
        std::uint64_t head = 0;
        std::uint64_t tail = 0;
        std::uint64_t length;
    };

    struct Slot {
        std::uint64_t head = 0;
        std::uint64_t tail = 0;
        std::uint64_t length = 0;
        // Null marks an empty slot. Entries live in a deque, so they never move.
        Entry* entry = nullptr;

        bool holds(std::string_view key, const Words& words) const;
    };

    static std::uint64_t load8(const char* bytes) {
        std::uint64_t word;
        std::memcpy(&word, bytes, sizeof word);
        return word;
    }
    static std::uint32_t load4(const char* bytes) {
        std::uint32_t word;
        std::memcpy(&word, bytes, sizeof word);
        return word;
    }

    std::size_t probe(const Words& words) const {
        const std::uint64_t h =
            (words.head ^ (words.tail << 23 | words.tail >> 41) ^ words.length) *
            0x9E3779B97F4A7C15ULL;
        return static_cast<std::size_t>(h >> shift);
    }
    // The slot that holds the key, or the empty slot where it would go; the
    // table must have slots.
    const Slot& slotOf(std::string_view key, const Words& words) const {
        const Slot* slot = &slots[probe(words)];
        while (slot->entry && !slot->holds(key, words))
            slot = slot + 1 == slots.data() + slots.size() ? slots.data() : slot + 1;
        return *slot;
    }
    Slot& slotOf(std::string_view key, const Words& words) {
        return const_cast<Slot&>(std::as_const(*this).slotOf(key, words));
    }
    void grow();

    std::vector<Slot> slots;
    // 64 minus the number of bits that index a slot.
    unsigned shift = 64;
    std::deque<Entry> entries;
};

inline SettingTable::Words::Words(std::string_view key) : length(key.size()) {
    const char* bytes = key.data();
    const std::size_t n = key.size();
    if (n >= 8) {
        head = load8(bytes);
        tail = load8(bytes + n - 8);
    } else if (n >= 4) {
        head = load4(bytes) | std::uint64_t{load4(bytes + n - 4)} << 32;
    } else if (n > 0) {
        head = static_cast<unsigned char>(bytes[0]) |
               static_cast<unsigned char>(bytes[n / 2]) << 8 |
               static_cast<unsigned char>(bytes[n - 1]) << 16;
    }
}

inline bool SettingTable::Slot::holds(std::string_view key, const Words& words) const {
    if (head != words.head || tail != words.tail || length != words.length)
        return false;
    // Up to 16 bytes the two words cover the whole key; past that the middle
    // bytes still have to be compared.
    const char* mine = entry->first.data();
    for (std::size_t i = 8; i + 8 < key.size(); i += 8) {
        if (load8(mine + i) != load8(key.data() + i))
            return false;
    }
    return true;
}
