// The credits box.
#include "form1.h"

#include <cmath>

void Form1::Credits_Click() {
    // The draw comes first, in both languages: the e-mail line shows on a 9 only.
    const int r = static_cast<int>(std::floor(static_cast<double>(next_random()) * 10));
    const QString cr = QStringLiteral("\r");
    QString m = say(vocabulary::credits_author);
    m += cr + cr + say(vocabulary::credits_date_place);
    m += cr + cr + QStringLiteral(" ");
    m += cr + cr + QString::fromUtf8(credits::web_address);
    if (r > 8)
        m += cr + QString::fromUtf8(credits::email);
    show_message(QMessageBox::Information, say(vocabulary::credits_title), m);
}
