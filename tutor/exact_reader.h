// Exact numbers read back from text: the board's own way of writing them, (−1 + √5)/2,
// 3i√7, −1/2 ± (√3/2)·i, and the ways a student types them, (3+sqrt5)/2, -1 - 2i, 0,5.
#pragma once

#include "exact.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace tutor::exact {

enum class ReadError {
    None,
    Empty,          // nothing to read
    Unexpected,     // a character that cannot stand there
    Unclosed,       // a bracket opened and not closed
    TooLarge,       // a number beyond the exact arithmetic
    DivisionByZero, //
    MixedRoots,     // two different square roots in one number (√2 + √3)
    RootOfRoot,     // a square root of a number that is not rational
};

struct Reading {
    // The value; two where the text holds ± (the one with + first).
    std::vector<Number> values;
    ReadError error = ReadError::None;
    std::size_t stopped = 0; // the byte at which reading stopped, for an error
    bool decimal = false;    // a number was written with a decimal point or comma

    bool ok() const { return error == ReadError::None; }
};

// Letters that stand for a formula of their own (Δ for "1", A for "2" ...).
using Names = std::map<std::string, std::string>;

// Reads the whole text as one number. Understood: whole numbers and decimals ("0.5",
// "0,5"), + − - ± · * / ² ^2, brackets, √ and sqrt (√5, sqrt(5), sqrt5, √(−3) = i√3), i,
// and products written without a sign, which bind closer than "/" (2√3/3 is (2√3)/3,
// −B/2A is −B/(2A)). Blanks may stand between the parts of a sum or a quotient.
Reading read_exact(const std::string& text, const Names& names = {});

} // namespace tutor::exact
