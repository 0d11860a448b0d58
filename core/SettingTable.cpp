#include "core/SettingTable.h"

void SettingTable::insertOrAssign(std::string key, std::string value) {
    // At most half full, so that every probe ends soon at an empty slot.
    if ((entries.size() + 1) * 2 > slots.size())
        grow();
    const Words words(key);
    Slot& slot = slotOf(key, words);
    if (slot.entry) {
        slot.entry->second = std::move(value);
        return;
    }
    entries.emplace_back(std::move(key), std::move(value));
    slot = {words.head, words.tail, words.length, &entries.back()};
}

void SettingTable::grow() {
    std::vector<Slot> old = std::move(slots);
    const std::size_t size = old.empty() ? 16 : old.size() * 2;
    slots.assign(size, Slot{});
    shift = 64;
    for (std::size_t s = size; s > 1; s /= 2)
        --shift;
    for (const Slot& slot : old) {
        if (slot.entry) {
            const std::string& key = slot.entry->first;
            slotOf(key, Words(key)) = slot;
        }
    }
}
