#pragma once
// The columns of a sweep's two tables, named once: every record begins with
// the run's leading columns and the varied keys, then the table's or the
// summary's own columns follow (what each means: SweepTables.h). A varied key
// may not take one of these names.
#include <algorithm>
#include <array>
#include <string_view>

namespace columns {

inline constexpr std::array<std::string_view, 3> leading = {"run", "rep", "seed"};
inline constexpr std::array<std::string_view, 4> table = {"turn", "obstacles", "prey", "predators"};
inline constexpr std::array<std::string_view, 10> summary = {
    "turns",           "prey_start",      "prey_end",      "predators_end", "prey_gone_turn",
    "predators_start", "obstacles_start", "obstacles_end", "outcome",       "message"};

} // namespace columns

inline bool isColumnName(std::string_view name) {
    const auto in = [&](const auto& names) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    return in(columns::leading) || in(columns::table) || in(columns::summary);
}
