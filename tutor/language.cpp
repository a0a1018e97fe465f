// The language switch: only the language and four menu captions change here; every
// other text follows the language when a command next writes it.
#include "tutor.h"

#include <cstdlib>

namespace tutor {

void Tutor::Lingua_Click() {
    language = static_cast<std::int16_t>(std::abs(language - 1));
    Lingua.caption = say(vocabulary::menu_language);
    Frazioni.caption = say(vocabulary::menu_fractions);
    Componi.caption = say(vocabulary::menu_compose);
    Analizza.caption = say(vocabulary::menu_solve);
}

} // namespace tutor
