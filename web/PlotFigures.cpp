#include "web/PlotFigures.h"

#include <cstdlib>
#include <fstream>

namespace {

// Adds one row of the data file to the line; false when it is not seven numbers.
bool addRow(const std::string& row, PlotLine& line) {
    std::array<double, 7> numbers{};
    const char* at = row.c_str();
    for (double& number : numbers) {
        char* end = nullptr;
        number = std::strtod(at, &end);
        if (end == at)
            return false;
        at = end;
    }
    if (*at != '\0')
        return false;
    line.turns.push_back(numbers[0]);
    for (std::size_t i = 0; i < 3; ++i) {
        line.prey[i].push_back(numbers[1 + i]);
        line.predators[i].push_back(numbers[4 + i]);
    }
    return true;
}

} // namespace

std::vector<PlotLine> readPlotLines(const PlotData& data, std::string& problem) {
    std::ifstream file(data.dataFile());
    if (!data.error().empty() || !file) {
        problem = data.error().empty() ? "cannot read the chart's figures" : data.error();
        return {};
    }
    std::vector<PlotLine> lines;
    bool inBlock = false;
    for (std::string row; std::getline(file, row);) {
        if (row.empty()) {
            inBlock = false;
            continue;
        }
        if (!inBlock) {
            if (lines.size() == data.lines().size())
                break;
            const PlotData::Line& drawn = data.lines()[lines.size()];
            lines.push_back({drawn.label, drawn.shade, {}, {}, {}});
            inBlock = true;
        }
        if (!addRow(row, lines.back())) {
            problem = "the chart's figures are not the plot's: " + row;
            return {};
        }
    }
    if (lines.size() != data.lines().size()) {
        problem = "the chart's figures lack lines of the plot";
        return {};
    }
    return lines;
}
