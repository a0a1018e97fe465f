// The graph on the board: its view box and its marked points.
#include "board.h"
