#include "window/qt/program_icon.h"

#include <QImage>
#include <QPixmap>
#include <QResource>

// The resources live in this static library, whose own initializer the linker would drop, so
// they are registered by hand. Q_INIT_RESOURCE must be used outside any namespace.
static void register_icon_resources() {
    Q_INIT_RESOURCE(icon);
}

namespace window::qt {

QIcon program_icon() {
    static const bool registered = (register_icon_resources(), true);
    Q_UNUSED(registered);
    // Raw pixels, not PNG: any QImageReader, even one told the format, asks Qt's plugin loader,
    // which opens every image-format plugin at start-up. Window icons are never drawn larger
    // than 64 pixels here; launchers take the large sizes from the installed theme icons.
    const QByteArray pixels =
        QResource(QStringLiteral(":/kirune/window-icon.rgba")).uncompressedData();
    const auto* data = reinterpret_cast<const uchar*>(pixels.constData());
    QIcon icon;
    qsizetype offset = 0;
    for (const int size : {16, 32, 48, 64}) {
        const qsizetype bytes = qsizetype{size} * size * 4;
        if (offset + bytes > pixels.size()) {
            break;
        }
        // The image only borrows the bytes; the pixmap is a copy of its own.
        const QImage image(data + offset, size, size, size * 4, QImage::Format_RGBA8888);
        icon.addPixmap(QPixmap::fromImage(image));
        offset += bytes;
    }
    return icon;
}

}  // namespace window::qt
