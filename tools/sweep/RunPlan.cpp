#include "tools/sweep/RunPlan.h"

RunPlan::RunPlan(std::vector<VariedKey> varied, std::uint64_t reps, unsigned firstSeed)
    : keys(std::move(varied)), repCount(reps), seed(firstSeed) {
    for (const VariedKey& key : keys) {
        pointCount *= key.values.size();
        if (pointCount > maxRuns)
            pointCount = maxRuns + 1;
    }
    if (repCount > maxRuns)
        repCount = maxRuns + 1;
}

std::vector<std::int32_t> RunPlan::valuesOf(std::uint64_t point) const {
    std::vector<std::int32_t> values(keys.size());
    // The last key varies fastest: peel the point's index from the right.
    for (std::size_t i = keys.size(); i-- > 0;) {
        const std::uint64_t size = keys[i].values.size();
        values[i] = keys[i].values.at(point % size);
        point /= size;
    }
    return values;
}

std::vector<std::string> RunPlan::variedKeys() const {
    std::vector<std::string> names;
    for (const VariedKey& key : keys)
        names.push_back(key.key);
    return names;
}

std::vector<SettingLine> RunPlan::linesOf(std::uint64_t point) const {
    const std::vector<std::int32_t> values = valuesOf(point);
    std::vector<SettingLine> lines;
    for (std::size_t i = 0; i < keys.size(); ++i)
        lines.push_back({keys[i].key, std::to_string(values[i])});
    return lines;
}

std::string RunPlan::pointText(std::uint64_t point) const {
    const std::vector<std::int32_t> values = valuesOf(point);
    std::string text;
    for (std::size_t i = 0; i < keys.size(); ++i)
        text += (i > 0 ? ", " : "") + keys[i].key + "=" + std::to_string(values[i]);
    return text;
}

RunSequence::RunSequence(std::uint64_t total, std::uint64_t index, std::uint64_t shards)
    : first(index - 1), stride(shards),
      count(first < total ? (total - first - 1) / shards + 1 : 0) {}
