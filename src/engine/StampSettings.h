#pragma once

#include <QString>
#include <QtGlobal>

namespace markwell {

// The numeric values of these enumerations are stored in configuration files and are
// the item indexes of the window's lists: they are append-only and never renumbered.
enum class MarkType : qint32 { Picture = 0, Text = 1 };
enum class PositionType : qint32 { Absolute = 0, Relative = 1 };
enum class XOffsetFrom : qint32 { Left = 0, Right = 1 };
enum class YOffsetFrom : qint32 { Top = 0, Bottom = 1 };
enum class DestMode : qint32 { Original = 0, Custom = 1 };
enum class IfExists : qint32 { Overwrite = 0, Skip = 1, Ask = 2 };
enum class OutputPage : qint32 { DestFolder = 0, Reactions = 1, FileFormat = 2 };
enum class OutputFormat : qint32 { Original = 0, Jpeg = 1, Tiff = 2, Photoshop = 3, Tga = 4, Png = 5 };

// The extension a run gives its output files; empty for Original, which keeps the
// source file's own extension. Also empty for a code outside the list.
QString outputExtension(OutputFormat format);

// The face that stands in for the design's default face on this machine.
QString defaultFontFace();

struct StampFont
{
    QString face = QStringLiteral("宋体");
    qint32 pointSize = 20;    // 26 pixels of character height at 96 pixels per inch
    quint32 color = 0x000000; // 0x00BBGGRR
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    friend bool operator==(const StampFont &, const StampFont &) = default;
};

// Every stamp and output setting, with the design's defaults.
struct StampSettings
{
    MarkType markType = MarkType::Picture;
    QString markImagePath;
    QString markText = QStringLiteral("www.markwell.example");
    StampFont markFont;
    PositionType positionType = PositionType::Relative;
    QString xOffsetText = QStringLiteral("20");
    QString yOffsetText = QStringLiteral("20");
    XOffsetFrom xOffsetFrom = XOffsetFrom::Left;
    YOffsetFrom yOffsetFrom = YOffsetFrom::Top;
    qint32 markLeft = 9;
    qint32 markTop = 9;
    DestMode destMode = DestMode::Original;
    QString customFolder = QStringLiteral("./");
    IfExists ifExists = IfExists::Ask;
    OutputPage outputPage = OutputPage::DestFolder;
    OutputFormat outputFormat = OutputFormat::Original;
    qint32 jpegQuality = 80;
    QString languageFile;

    // The defaults with the font face resolved against the installed fonts.
    static StampSettings defaults();

    friend bool operator==(const StampSettings &, const StampSettings &) = default;
};

} // namespace markwell
