#pragma once
// Drawing a sweep's plot with gnuplot (Debian: gnuplot-nox), a program of its
// own found on the PATH. Two panels share the turn axis: prey above, predators
// below; one line per design point for the mean over its runs, in a band
// shaded from the least to the greatest; colours run along the design points
// in their order. The file's ending picks the terminal: .svg (svg) or .png
// (pngcairo). The key names each line's values while there are at most 30.
#include <string>

#include "tools/sweep/output/PlotData.h"

// True when a program called gnuplot can be run from the PATH.
bool gnuplotInstalled();

// Draws the plot. Returns what went wrong, or "" when the file was drawn.
std::string drawPlot(const PlotData& data, const std::string& outputFile, const std::string& title);
