#include "app_icon.h"

#include "icon.xpm"

#include <QPixmap>

QIcon app_icon() {
    // The pictures live in a static library, whose resources are registered only when
    // something asks for them.
    static const bool resources = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)resources;

    QIcon icon;
    icon.addPixmap(QPixmap(icon_xpm));
    for (const int size : {16, 24, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}
