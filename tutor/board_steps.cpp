// The worked solution on the board.
#include "board.h"
