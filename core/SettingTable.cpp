#include "core/SettingTable.h"

SettingTable::Slot* SettingTable::slotFor(std::string_view key) {
    const Words words(key);
    Slot* slot = &slots[probe(words)];
    while (slot->entry && !slot->holds(key, words))
        slot = next(slot);
    return slot;
}

void SettingTable::insertOrAssign(std::string key, std::string value) {
    // At most half full, so that every probe ends soon at an empty slot.
    if ((entries.size() + 1) * 2 > slots.size())
        grow();
    Slot* slot = slotFor(key);
    if (slot->entry) {
        slot->entry->second = std::move(value);
        return;
    }
    const Words words(key);
    entries.emplace_back(std::move(key), std::move(value));
    *slot = {words.head, words.tail, words.length, &entries.back()};
}

void SettingTable::grow() {
    std::vector<Slot> old = std::move(slots);
    const std::size_t size = old.empty() ? 16 : old.size() * 2;
    slots.assign(size, Slot{});
    shift = 64;
    for (std::size_t s = size; s > 1; s /= 2)
        --shift;
    for (const Slot& slot : old) {
        if (slot.entry)
            *slotFor(slot.entry->first) = slot;
    }
}
