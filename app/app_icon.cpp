#include "app_icon.h"

#include "icon.xpm"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <optional>

// The pictures live in a static library, whose resources are registered only when
// something asks for them (and from the global namespace).
static void register_icon_resources() {
    Q_INIT_RESOURCE(icons);
}

namespace {

constexpr int sizes[] = {16, 24, 32, 48, 64, 128, 256};

// The pictures are read the first time a size is asked for, not when the window is
// built: where nothing asks (no window manager, a platform without window icons), start-up
// does not decode seven PNGs.
class AppIconEngine : public QIconEngine {
  public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> list;
        for (int size : sizes)
            list << QSize(size, size);
        return list;
    }
    QIconEngine* clone() const override { return new AppIconEngine; }
    QString key() const override { return QStringLiteral("AppIconEngine"); }

  private:
    const QIcon& icon() {
        if (!icon_) {
            register_icon_resources();
            icon_.emplace();
            icon_->addPixmap(QPixmap(icon_xpm));
            for (const int size : sizes)
                if (size != 32)
                    icon_->addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
        }
        return *icon_;
    }

    std::optional<QIcon> icon_;
};

} // namespace

QIcon app_icon() {
    return QIcon(new AppIconEngine);
}

QIcon design_icon() {
    return QIcon(QPixmap(icon_xpm));
}
