#pragma once
// The board that the program must paint for a frame of the text front end:
// grid lines, the selected object's hearing outline and sight fills, then every
// object's figure, with the cell geometry of the program's painting.
#include <string>
#include <vector>

#include "ExpectedBoard.h"
#include "Inputs.h"
#include "Image.h"

struct Selection {
    int column = -1;
    int row = -1;
    int hearing = 0;
    int sight = 0;
};

struct CellSize {
    int width = 0;
    int height = 0;
};
CellSize cellSizeOf(const Frame& frame, int areaWidth, int areaHeight);

// Which cells the selected object sees is not worked out here: each cell within
// its sight range must show the fill whole or not at all, whichever `shot` is
// closer to, and its own cell must show it. `problems` gets what is wrong.
ExpectedBoard paintExpectedBoard(const Frame& frame, const Selection& selection, const Image& shot,
                                 std::vector<std::string>& problems);
