#include "BoardPainting.h"

#include <algorithm>

CellSize cellSizeOf(const Frame& frame, int areaWidth, int areaHeight) {
    return CellSize{areaWidth / frame.width, areaHeight / frame.height};
}

namespace {

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
    struct Box {
        int left, top, right, bottom;
    };
    Box sightBox(int column, int row) const {
        return Box{column * cell.width + 4, row * cell.height + 4, (column + 1) * cell.width - 3,
                   (row + 1) * cell.height - 3};
    }

    bool showsFill(const Image& shot, Box box) const {
        int yellow = 0, other = 0;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if (shot.contains(x, y))
                    ++(shot.at(x, y) == paleYellow ? yellow : other);
        return yellow > other;
    }

    void sightFills(const Frame& frame, const Selection& s, const Image& shot, std::vector<std::string>& problems) {
        for (int row = std::max(0, s.row - s.sight); row <= std::min(frame.height - 1, s.row + s.sight); ++row) {
            for (int column = std::max(0, s.column - s.sight); column <= std::min(frame.width - 1, s.column + s.sight);
                 ++column) {
                const Box box = sightBox(column, row);
                if (showsFill(shot, box)) {
                    board.fill(box.left, box.top, box.right, box.bottom, paleYellow, Part::sightFill);
                } else if (column == s.column && row == s.row) {
                    problems.push_back("the selected cell (" + std::to_string(column) + ", " + std::to_string(row) +
                                       ") shows no sight fill, but every cell is in sight of itself");
                    board.fill(box.left, box.top, box.right, box.bottom, paleYellow, Part::sightFill);
                }
            }
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

} // namespace

ExpectedBoard paintExpectedBoard(const Frame& frame, const Selection& selection, const Image& shot,
                                 std::vector<std::string>& problems) {
    ExpectedBoard board(shot.width, shot.height);
    Painter painter{board, cellSizeOf(frame, shot.width, shot.height)};
    if (painter.cell.width == 0 || painter.cell.height == 0) {
        problems.push_back("the window is smaller than the grid: no cell is a pixel wide or high");
        return board;
    }
    painter.gridLines();
    const bool selected = selection.column >= 0 && selection.row >= 0 && selection.column < frame.width &&
                          selection.row < frame.height;
    if (selected && frame.at(selection.column, selection.row) != '.') {
        painter.hearingOutline(selection);
        if (selection.sight > 0)
            painter.sightFills(frame, selection, shot, problems);
    }
    for (int row = 0; row < frame.height; ++row)
        for (int column = 0; column < frame.width; ++column)
            painter.figure(frame.at(column, row), column, row);
    return board;
}
