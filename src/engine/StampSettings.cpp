#include "StampSettings.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace markwell {

QString outputExtension(OutputFormat format)
{
    switch (format) {
    case OutputFormat::Jpeg:
        return QStringLiteral(".jpg");
    case OutputFormat::Tiff:
        return QStringLiteral(".tif");
    case OutputFormat::Photoshop:
        return QStringLiteral(".psd");
    case OutputFormat::Tga:
        return QStringLiteral(".tga");
    case OutputFormat::Png:
        return QStringLiteral(".png");
    case OutputFormat::Original:
        break;
    }
    return {};
}

QString defaultFontFace()
{
    const QString designFace = StampFont{}.face;
    // Without a GUI application there is no font database to ask; the drawing code
    // then substitutes a face of its own.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return designFace;

    const QStringList families = QFontDatabase::families();
    const QStringList candidates = {designFace,
                                    QStringLiteral("SimSun"),
                                    QStringLiteral("NSimSun"),
                                    QStringLiteral("WenQuanYi Micro Hei"),
                                    QStringLiteral("Noto Serif CJK SC"),
                                    QStringLiteral("Noto Sans CJK SC"),
                                    QStringLiteral("DejaVu Sans")};
    for (const QString &face : candidates) {
        if (families.contains(face, Qt::CaseInsensitive))
            return face;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

StampSettings StampSettings::defaults()
{
    StampSettings settings;
    settings.markFont.face = defaultFontFace();
    return settings;
}

} // namespace markwell
