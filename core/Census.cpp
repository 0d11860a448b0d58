#include "core/Census.h"

#include "core/Grid.h"

Census takeCensus(const Grid& grid) { return grid.census(); }
