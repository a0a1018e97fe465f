// The two fraction methods; they leave their results in the working state.
#include "tutor.h"

#include "fractions/fraction.h"

namespace tutor {

void Tutor::simple_fraction(std::int16_t n, std::int16_t d) {
    // On a failure the previous results stay, as nothing is assigned.
    const fractions::Fraction reduced = fractions::reduce_fraction(n, d);
    reduced_num = reduced.num;
    reduced_den = reduced.den;
}

void Tutor::mostra_frazione(std::int16_t n, std::int16_t d) {
    fraction_text = fractions::fraction_text(n, d);
}

} // namespace tutor
