// The language switch: only the language and four menu captions change here; every
// other text follows the language when a command next writes it.
#include "form1.h"

#include <QAction>

#include <cstdlib>

void Form1::Lingua_Click() {
    language = static_cast<std::int16_t>(std::abs(language - 1));
    Lingua->setText(say(vocabulary::menu_language));
    Frazioni->setText(say(vocabulary::menu_fractions));
    Componi->setText(say(vocabulary::menu_compose));
    Analizza->setText(say(vocabulary::menu_solve));
}
