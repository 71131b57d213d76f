#include "BatchWorker.h"

#include "FileStamper.h"
#include "MarkerSize.h"
#include "Placement.h"
#include "TLanguage.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

namespace markwell {

int runBatchWorker(const StampSettings &settings)
{
    // Ctrl+C reaches the whole process group; the coordinating process decides when
    // work stops, and a worker always finishes the file it has begun.
    std::signal(SIGINT, SIG_IGN);

    TLanguage language;
    language.Load(settings.languageFile);
    const QRect marker(QPoint(settings.markLeft, settings.markTop),
                       settings.positionType == PositionType::Relative
                           ? markerSize(language.GetText(QStringLiteral("Stamp")))
                           : QSize());

    const auto libraryLock = lockImageLibrary();
    const ImageLibrarySession session;
    const std::unique_ptr<FileStamper> stamper = FileStamper::prepare(settings);
    if (!stamper)
        return 2;
    PositionFields lastGood = PositionFields::from(settings);

    std::string line;
    while (std::getline(std::cin, line)) {
        const QList<QByteArray> fields = QByteArray::fromStdString(line).split(' ');
        if (fields.size() != 3)
            continue;
        const QString source = QString::fromUtf8(QByteArray::fromPercentEncoding(fields[1]));
        const QString destination = QString::fromUtf8(QByteArray::fromPercentEncoding(fields[2]));

        FileStamper::Outcome outcome = FileStamper::Outcome::NotLoaded;
        if (const std::optional<QSize> size = stamper->load(source, destination)) {
            const QPoint position = placeStamp(*size, stamper->stampSize(), settings, marker, lastGood);
            outcome = stamper->stampAndSave(position, settings, destination);
        }
        std::printf("%s %d\n", fields[0].constData(), int(outcome));
        std::fflush(stdout);
    }
    return 0;
}

} // namespace markwell
