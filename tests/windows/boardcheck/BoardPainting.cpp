#include "BoardPainting.h"

#include <algorithm>

CellSize cellSizeOf(const Frame& frame, int areaWidth, int areaHeight) {
    return CellSize{areaWidth / frame.width(), areaHeight / frame.height()};
}

namespace {

struct Box {
    int left, top, right, bottom;
};

struct Cell {
    int column, row;
};

bool isOccupied(const Frame& frame, const Selection& s) {
    return s.column >= 0 && s.row >= 0 && s.column < frame.width() && s.row < frame.height() &&
           frame.at(s.column, s.row) != '.';
}

// The cells on the grid within the selected object's sight range.
std::vector<Cell> cellsPossiblyInSight(const Frame& frame, const Selection& s) {
    std::vector<Cell> cells;
    if (!isOccupied(frame, s) || s.sight <= 0)
        return cells;
    for (int row = std::max(0, s.row - s.sight); row <= std::min(frame.height() - 1, s.row + s.sight); ++row)
        for (int column = std::max(0, s.column - s.sight); column <= std::min(frame.width() - 1, s.column + s.sight);
             ++column)
            cells.push_back(Cell{column, row});
    return cells;
}

struct Painter {
    ExpectedBoard& board;
    CellSize cell;

    void gridLines() {
        for (int x = 0; x < board.width(); x += cell.width)
            board.line(x, 0, x, board.height(), black, Part::gridLine);
        for (int y = 0; y < board.height(); y += cell.height)
            board.line(0, y, board.width(), y, black, Part::gridLine);
    }

    void hearingOutline(const Selection& s) {
        const int h = s.hearing;
        board.outline((s.column - h) * cell.width + 1, (s.row - h) * cell.height + 1,
                      (s.column + h + 1) * cell.width - 1, (s.row + h + 1) * cell.height - 1, green,
                      Part::hearingOutline);
    }

    // The fill of a cell in sight: the cell less 4 pixels at its top left and 3 at its bottom right.
    Box sightBox(int column, int row) const {
        return Box{column * cell.width + 4, row * cell.height + 4, (column + 1) * cell.width - 3,
                   (row + 1) * cell.height - 3};
    }

    void sightFills(const std::vector<Cell>& cells) {
        for (const Cell& c : cells) {
            const Box box = sightBox(c.column, c.row);
            board.fill(box.left, box.top, box.right, box.bottom, paleYellow, Part::sightFill);
        }
    }

    void figure(char symbol, int column, int row) {
        const int cx = column * cell.width + cell.width / 2;
        const int cy = row * cell.height + cell.height / 2;
        const int m = std::min(cell.width, cell.height);
        if (symbol == 'H') {
            const int rr = (2 * m / 3) / 2;
            board.circle(cx - rr, cy - rr, cx + rr, cy + rr);
            const int e = cell.width / 10, f = cell.height / 10;
            board.line(cx - e, cy - f, cx - e, cy + f, black, Part::predatorH);
            board.line(cx + e, cy - f, cx + e, cy + f, black, Part::predatorH);
            board.line(cx - e, cy, cx + e, cy, black, Part::predatorH);
        } else if (symbol == 'o') {
            const int rr = m / 5;
            board.outline(cx - rr, cy - rr, cx + rr, cy + rr, black, Part::prey);
        } else if (symbol == '#') {
            const int rr = m / 3;
            board.outline(cx - rr, cy - rr, cx + rr, cy + rr, black, Part::obstacle);
            board.line(cx - rr, cy - rr, cx + rr, cy + rr, black, Part::obstacle);
            board.line(cx - rr, cy + rr, cx + rr, cy - rr, black, Part::obstacle);
        }
    }
};

// The whole board with the sight fills of `filled`.
ExpectedBoard paintWithFills(const Frame& frame, const Selection& selection, CellSize cell, int width, int height,
                             const std::vector<Cell>& filled) {
    ExpectedBoard board(width, height);
    Painter painter{board, cell};
    painter.gridLines();
    if (isOccupied(frame, selection)) {
        painter.hearingOutline(selection);
        painter.sightFills(filled);
    }
    for (int row = 0; row < frame.height(); ++row)
        for (int column = 0; column < frame.width(); ++column)
            painter.figure(frame.at(column, row), column, row);
    return board;
}

int wrongPixels(const ExpectedBoard& board, const Image& shot, const Box& area) {
    int wrong = 0;
    for (int y = std::max(0, area.top); y < std::min(shot.height, area.bottom); ++y)
        for (int x = std::max(0, area.left); x < std::min(shot.width, area.right); ++x)
            wrong += !board.allows(x, y, shot.at(x, y));
    return wrong;
}

} // namespace

ExpectedBoard paintExpectedBoard(const Frame& frame, const Selection& selection, const Image& shot,
                                 std::vector<std::string>& problems) {
    const CellSize cell = cellSizeOf(frame, shot.width, shot.height);
    if (cell.width == 0 || cell.height == 0) {
        problems.push_back("the window is smaller than the grid: no cell is a pixel wide or high");
        return ExpectedBoard(shot.width, shot.height);
    }
    const std::vector<Cell> candidates = cellsPossiblyInSight(frame, selection);
    if (candidates.empty())
        return paintWithFills(frame, selection, cell, shot.width, shot.height, {});
    // Each cell that might be in sight shows whichever of "filled" and "not
    // filled" its pixels match better; the figures on top are the same in both.
    const ExpectedBoard without = paintWithFills(frame, selection, cell, shot.width, shot.height, {});
    const ExpectedBoard with = paintWithFills(frame, selection, cell, shot.width, shot.height, candidates);
    std::vector<Cell> filled;
    for (const Cell& c : candidates) {
        const Box area{c.column * cell.width, c.row * cell.height, (c.column + 1) * cell.width,
                       (c.row + 1) * cell.height};
        const bool own = c.column == selection.column && c.row == selection.row;
        const int wrongWith = wrongPixels(with, shot, area), wrongWithout = wrongPixels(without, shot, area);
        if (wrongWith < wrongWithout) {
            filled.push_back(c);
        } else if (own && wrongWith > wrongWithout) {
            problems.push_back("the selected cell (" + std::to_string(c.column) + ", " + std::to_string(c.row) +
                               ") shows no sight fill, but every cell is in sight of itself");
            filled.push_back(c);
        }
    }
    return paintWithFills(frame, selection, cell, shot.width, shot.height, filled);
}
