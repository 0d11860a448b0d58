// boardcheck: does a screenshot of the Lurkfield window show the board that the
// text front end printed? Used by the Windows stage, which runs the program
// under Wine, where the real GDI draws.
//
//   boardcheck board SHOT.ppm FRAME.txt [--config FILE --select C R]
//       SHOT is the client area; FRAME the output of lurkfield-text. With
//       --select, cell (C, R) is selected and its object's "hearing" and
//       "sight" are read from FILE.
//   boardcheck same SHOT_A.ppm SHOT_B.ppm FRAME.txt [--config FILE --select C R]
//       Both must show the board, and the same pixels but for the circles'
//       outlines, which may differ by a pixel.
//   boardcheck find FRAME.txt SYMBOL
//       Prints "C R" of the first cell holding SYMBOL (row by row).
//
// Exit status: 0 match, 1 mismatch (reported on standard error), 2 usage.
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "BoardPainting.h"
#include "ExpectedBoard.h"
#include "Image.h"
#include "Inputs.h"

namespace {

struct Arguments {
    std::vector<std::string> files;
    std::string config;
    int selectColumn = -1, selectRow = -1;
};

Arguments parse(int argc, char** argv) {
    Arguments a;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--config" && i + 1 < argc) {
            a.config = argv[++i];
        } else if (arg == "--select" && i + 2 < argc) {
            a.selectColumn = std::atoi(argv[++i]);
            a.selectRow = std::atoi(argv[++i]);
        } else {
            a.files.push_back(arg);
        }
    }
    return a;
}

Selection selectionOf(const Arguments& a, const Frame& frame) {
    Selection s{a.selectColumn, a.selectRow, 0, 0};
    if (s.column < 0 || s.row < 0 || s.column >= frame.width() || s.row >= frame.height())
        return s;
    const std::string prefix = kindPrefix(frame.at(s.column, s.row));
    if (!prefix.empty() && !a.config.empty()) {
        s.hearing = readSetting(a.config, prefix + "hearing");
        s.sight = readSetting(a.config, prefix + "sight");
    }
    return s;
}

std::string where(int x, int y, CellSize cell) {
    std::string text = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    if (cell.width > 0 && cell.height > 0)
        text += " in cell (" + std::to_string(x / cell.width) + ", " + std::to_string(y / cell.height) + ")";
    return text;
}

// Every outline must be there: along each ray from its centre, one of the four
// pixels around a point within the tolerance of the ideal circle is black. (Four,
// because an outline is 8-connected: a diagonal ray can pass between two of its
// pixels that touch only at their corners.)
void checkCirclesClosed(const ExpectedBoard& board, const Image& shot, std::vector<std::string>& problems) {
    const double pi = std::acos(-1.0);
    for (const ExpectedBoard::Circle& c : board.circles()) {
        for (int step = 0; step < 64; ++step) {
            const double angle = 2 * pi * step / 64;
            bool inked = false;
            for (double t = -ExpectedBoard::circleTolerance; t <= ExpectedBoard::circleTolerance && !inked; t += 0.25) {
                const int x = static_cast<int>(std::floor(c.centreX + (c.radiusX + t) * std::cos(angle)));
                const int y = static_cast<int>(std::floor(c.centreY + (c.radiusY + t) * std::sin(angle)));
                for (int corner = 0; corner < 4 && !inked; ++corner) {
                    const int px = x + corner % 2, py = y + corner / 2;
                    inked = shot.contains(px, py) && shot.at(px, py) == black;
                }
            }
            if (!inked) {
                problems.push_back("the circle around (" + std::to_string(c.centreX) + ", " + std::to_string(c.centreY) +
                                   ") has no outline in direction " + std::to_string(step * 360 / 64) + " degrees");
                break;
            }
        }
    }
}

bool reportProblems(const std::string& shotName, const std::vector<std::string>& problems) {
    for (const std::string& problem : problems)
        std::cerr << shotName << ": " << problem << '\n';
    return problems.empty();
}

// Wrong pixels, told cell by cell: a misdrawn figure is one entry, not dozens.
class MismatchReport {
public:
    MismatchReport(const Frame& frame, CellSize cell) : frame_(frame), cell_(cell) {}

    void add(int x, int y, const Expectation& expected, Rgb actual) {
        ++total_;
        const std::pair<int, int> key = cellOf(x, y);
        auto [entry, isNew] = entries_.try_emplace(key, Entry{});
        if (isNew) {
            order_.push_back(key);
            entry->second.first = "first " + where(x, y, CellSize{}) + " is " + describe(actual) + ", expected " +
                                  (expected.onCircle ? "black, white or " : "") + describe(expected.colour) + " (" +
                                  describe(expected.part) + ")";
        }
        ++entry->second.count;
    }

    void writeTo(std::vector<std::string>& problems) const {
        for (std::size_t i = 0; i < order_.size() && i < 12; ++i) {
            const auto [column, row] = order_[i];
            const Entry& entry = entries_.at(order_[i]);
            problems.push_back("cell (" + std::to_string(column) + ", " + std::to_string(row) + ")" + holding(column, row) +
                               ": " + std::to_string(entry.count) + " wrong pixels, " + entry.first);
        }
        if (total_ > 0)
            problems.push_back(std::to_string(total_) + " wrong pixels in " + std::to_string(order_.size()) + " cells");
    }

private:
    struct Entry {
        std::string first;
        int count = 0;
    };
    std::pair<int, int> cellOf(int x, int y) const {
        if (cell_.width == 0 || cell_.height == 0)
            return {0, 0};
        return {x / cell_.width, y / cell_.height};
    }
    std::string holding(int column, int row) const {
        if (column >= frame_.width() || row >= frame_.height())
            return " (past the grid)";
        return std::string(" (holding '") + frame_.at(column, row) + "')";
    }

    const Frame& frame_;
    CellSize cell_;
    std::map<std::pair<int, int>, Entry> entries_;
    std::vector<std::pair<int, int>> order_;
    int total_ = 0;
};

// Compares a screenshot with the board it must show; says what differs.
bool checkBoard(const std::string& shotName, const Image& shot, const Frame& frame, const Selection& selection) {
    std::vector<std::string> problems;
    const ExpectedBoard board = paintExpectedBoard(frame, selection, shot, problems);
    const CellSize cell = cellSizeOf(frame, shot.width, shot.height);
    MismatchReport mismatches(frame, cell);
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (!board.allows(x, y, shot.at(x, y)))
                mismatches.add(x, y, board.at(x, y), shot.at(x, y));
    mismatches.writeTo(problems);
    checkCirclesClosed(board, shot, problems);
    if (!problems.empty())
        std::cerr << shotName << ": " << shot.width << " x " << shot.height << " pixels, cells " << cell.width
                  << " x " << cell.height << ", grid " << frame.width() << " x " << frame.height() << '\n';
    return reportProblems(shotName, problems);
}

bool blackNear(const Image& shot, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (shot.contains(x + dx, y + dy) && shot.at(x + dx, y + dy) == black)
                return true;
    return false;
}

// Two drawings of one board: equal pixels, except that a circle's outline pixel
// may sit one pixel away in the other drawing.
bool checkSame(const Arguments& args, const Frame& frame) {
    const Image a = readPpm(args.files[0]), b = readPpm(args.files[1]);
    if (a.width != b.width || a.height != b.height) {
        std::cerr << "the two screenshots differ in size: " << a.width << " x " << a.height << " and " << b.width
                  << " x " << b.height << '\n';
        return false;
    }
    const Selection selection = selectionOf(args, frame);
    bool ok = checkBoard(args.files[0], a, frame, selection);
    ok = checkBoard(args.files[1], b, frame, selection) && ok;
    std::vector<std::string> ignored;
    const ExpectedBoard board = paintExpectedBoard(frame, selection, a, ignored);
    std::vector<std::string> problems;
    int differing = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (a.at(x, y) == b.at(x, y))
                continue;
            ++differing;
            const bool shifted = board.at(x, y).onCircle && (a.at(x, y) != black || blackNear(b, x, y)) &&
                                 (b.at(x, y) != black || blackNear(a, x, y));
            if (!shifted && problems.size() < 12)
                problems.push_back("pixel " + where(x, y, cellSizeOf(frame, a.width, a.height)) + " is " +
                                   describe(a.at(x, y)) + " in the first and " + describe(b.at(x, y)) +
                                   " in the second (" + describe(board.at(x, y).part) + ")");
        }
    }
    std::cout << differing << " of " << a.width * a.height << " pixels differ, all on circle outlines\n";
    return reportProblems("comparison", problems) && ok;
}

int run(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const Arguments args = parse(argc, argv);
    if (mode == "find" && args.files.size() == 2 && args.files[1].size() == 1) {
        const Frame frame = readLastFrame(args.files[0]);
        for (int row = 0; row < frame.height(); ++row)
            for (int column = 0; column < frame.width(); ++column)
                if (frame.at(column, row) == args.files[1][0]) {
                    std::cout << column << ' ' << row << '\n';
                    return 0;
                }
        std::cerr << args.files[0] << ": no cell holds '" << args.files[1] << "'\n";
        return 1;
    }
    if (mode == "board" && args.files.size() == 2) {
        const Frame frame = readLastFrame(args.files[1]);
        const Image shot = readPpm(args.files[0]);
        return checkBoard(args.files[0], shot, frame, selectionOf(args, frame)) ? 0 : 1;
    }
    if (mode == "same" && args.files.size() == 3)
        return checkSame(args, readLastFrame(args.files[2])) ? 0 : 1;
    std::cerr << "usage: boardcheck board SHOT.ppm FRAME.txt [--config FILE --select C R]\n"
                 "       boardcheck same SHOT_A.ppm SHOT_B.ppm FRAME.txt [--config FILE --select C R]\n"
                 "       boardcheck find FRAME.txt SYMBOL\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "boardcheck: " << error.what() << '\n';
        return 1;
    }
}
