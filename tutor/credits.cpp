// The credits box.
#include "tutor.h"

#include <cmath>

namespace tutor {

void Tutor::Credits_Click() {
    // The draw comes first, in both languages: the e-mail line shows on a 9 only.
    const int r = static_cast<int>(std::floor(static_cast<double>(next_random()) * 10));
    const std::string cr = "\r";
    std::string m = say(vocabulary::credits_author);
    m += cr + cr + say(vocabulary::credits_date_place);
    m += cr + cr + " ";
    m += cr + cr + credits::web_address;
    if (r > 8)
        m += cr + credits::email;
    platform_.message(Icon::Information, say(vocabulary::credits_title), m);
}

} // namespace tutor
