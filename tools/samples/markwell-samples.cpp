// Writes the samples a newcomer's first run starts with: three small photos drawn from
// scratch, a stamp picture with transparency, and a start-up configuration that picks
// the stamp and puts it at the bottom right.

#include "ConfigFile.h"
#include "ConfigLocation.h"
#include "MarkerSize.h"
#include "Placement.h"
#include "TLanguage.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

using namespace markwell;

namespace {

QImage landscape(QSize size, QColor sky, QColor ground, QColor sun, int seed)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient skyGradient(0, 0, 0, size.height());
    skyGradient.setColorAt(0, sky.lighter(130));
    skyGradient.setColorAt(1, sky.darker(110));
    painter.fillRect(image.rect(), skyGradient);

    QRadialGradient glow(size.width() * 0.72, size.height() * 0.3, size.height() * 0.18);
    glow.setColorAt(0, sun);
    glow.setColorAt(1, Qt::transparent);
    painter.setBrush(glow);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(size.width() * 0.72, size.height() * 0.3), size.height() * 0.18, size.height() * 0.18);

    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath hills;
        const double base = size.height() * (0.55 + 0.12 * layer);
        hills.moveTo(0, size.height());
        for (int x = 0; x <= size.width(); x += 8) {
            const double wave = std::sin((x + seed * 97 + layer * 53) / (60.0 + 25 * layer)) * (22 - 5 * layer) +
                                std::sin((x + seed * 31) / 23.0) * 4;
            hills.lineTo(x, base + wave);
        }
        hills.lineTo(size.width(), size.height());
        painter.setBrush(ground.darker(100 + 25 * layer));
        painter.drawPath(hills);
    }
    return image;
}

QImage stampPicture()
{
    QImage image(QSize(150, 44), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.setPen(QPen(QColor(255, 255, 255, 200), 2));
    painter.drawRoundedRect(QRectF(1, 1, 148, 42), 10, 10);
    QFont font;
    font.setPixelSize(22);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, 230));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("© Markwell"));
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: markwell-samples PROGRAM-FOLDER\n", stderr);
        return 2;
    }
    const QDir program(QString::fromLocal8Bit(argv[1]));
    const QString samples = program.filePath(QStringLiteral("samples"));
    QDir().mkpath(samples);

    bool ok = landscape({640, 427}, QColor(90, 150, 220), QColor(70, 140, 60), QColor(255, 240, 180), 1)
                  .save(samples + QStringLiteral("/meadow.jpg"), "JPG", 88);
    ok = landscape({640, 427}, QColor(240, 140, 90), QColor(110, 70, 90), QColor(255, 220, 120), 2)
             .save(samples + QStringLiteral("/dusk.jpg"), "JPG", 88) &&
         ok;
    ok = landscape({427, 640}, QColor(150, 190, 230), QColor(120, 120, 135), QColor(255, 255, 255), 3)
             .save(samples + QStringLiteral("/peaks.jpg"), "JPG", 88) &&
         ok;
    ok = stampPicture().save(samples + QStringLiteral("/stamp.png")) && ok;

    const QString startup = program.filePath(StartupConfigName);
    if (ok && !QFileInfo::exists(startup)) {
        StampSettings settings = StampSettings::defaults();
        settings.markImagePath = samples + QStringLiteral("/stamp.png");
        settings.languageFile = program.filePath(QStringLiteral("languages/english.ini"));
        // The bottom-right place of the marker in its box, for the English caption.
        TLanguage english;
        english.Load(settings.languageFile);
        const QSize marker = markerSize(english.GetText(QStringLiteral("Stamp")));
        settings.markLeft = RelativePositionBox.right() - marker.width();
        settings.markTop = RelativePositionBox.bottom() - marker.height();
        ok = writeConfigFile(startup, settings);
    }
    return ok ? 0 : 1;
}
