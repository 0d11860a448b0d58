#pragma once
// The figures of a sweep's plot as numbers, for the page's chart: what PlotData
// (tools/sweep/output/PlotData.h) works out for gnuplot, read back from its
// data file once it is finished. A line for each design point it drew, with
// PlotData's label and shade, and for each of the line's recorded turns the
// mean, least and most prey and predators over the point's played runs.
// The data file's rows are PlotData::writePoint's: the turn, the three prey
// figures, the three predator figures; its blocks are the lines, in order.
#include <array>
#include <string>
#include <vector>

#include "tools/sweep/output/PlotData.h"

struct PlotLine {
    std::string label;
    double shade = 0;
    std::vector<double> turns;
    // The mean, least and most, each for every turn of `turns`.
    std::array<std::vector<double>, 3> prey;
    std::array<std::vector<double>, 3> predators;
};

// The lines of a finished PlotData. Empty, with what went wrong in `problem`,
// when its data file cannot be read back or does not hold its lines.
std::vector<PlotLine> readPlotLines(const PlotData& data, std::string& problem);
