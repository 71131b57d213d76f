#include "ControlsResources.h"
#include "TaTagButton.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using markwell::TaTagButton;
using markwell::TaTagButtonState;

namespace {

const QColor fill(200, 100, 250);
const QColor downFill(40, 40, 40);

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

std::unique_ptr<TaTagButton> makeButton(QSize size = QSize(23, 17))
{
    auto button = std::make_unique<TaTagButton>();
    button->resize(size);
    button->SetBackgroundColor(fill);
    button->SetDownColor(downFill);
    // Away from the pointer, which rests at the screen's corner: no enter event at showing.
    button->move(200, 200);
    button->show();
    if (!QTest::qWaitForWindowExposed(button.get()))
        qFatal("button window not exposed");
    return button;
}

// Sends one pointer event by name: enter, leave, press, release, release-outside, right-press.
void send(QWidget &widget, const QString &name)
{
    const QPointF inside(5, 5);
    const QPointF outside(-20, 5);
    if (name == "enter") {
        QEnterEvent event(inside, inside, widget.mapToGlobal(inside));
        QCoreApplication::sendEvent(&widget, &event);
    } else if (name == "leave") {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(&widget, &event);
    } else {
        const bool press = name.endsWith("press");
        const QPointF at = name == "release-outside" ? outside : inside;
        const Qt::MouseButton button = name.startsWith("right") ? Qt::RightButton : Qt::LeftButton;
        QMouseEvent event(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, at, widget.mapToGlobal(at),
                          button, press ? button : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &event);
    }
}

QImage glyphImage(QSize size)
{
    // Every pixel tells where it lies in the glyph.
    QImage glyph(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            glyph.setPixelColor(x, y, QColor(x * 8, y * 8, 77));
    return glyph;
}

} // namespace

class TestTagButton : public QObject
{
    Q_OBJECT

private slots:
    void bevel_data();
    void bevel();
    void hoverColorFollowsSetters();
    void stateTable_data();
    void stateTable();
    void clickAfterHoverPainted();
    void glyphPlacement_data();
    void glyphPlacement();
    void iconOverGlyph();
    void caption();
    void resourceGlyphs_data();
    void resourceGlyphs();
};

void TestTagButton::bevel_data()
{
    QTest::addColumn<int>("elevation");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QColor>("expectedFill");
    QTest::addColumn<QColor>("first");
    QTest::addColumn<QColor>("second");

    QTest::addRow("normal") << 25 << fill << QStringList{} << fill << QColor(225, 125, 255) << QColor(175, 75, 225);
    QTest::addRow("hover") << 25 << fill << QStringList{"enter"} << QColor(225, 125, 255) << QColor(250, 150, 255)
                           << QColor(200, 100, 230);
    QTest::addRow("down, sunken") << 25 << fill << QStringList{"enter", "press"} << downFill << QColor(15, 15, 15)
                                  << QColor(65, 65, 65);
    QTest::addRow("elevation 0") << 0 << fill << QStringList{"enter"} << fill << fill << fill;
    QTest::addRow("elevation 255") << 255 << fill << QStringList{} << fill << QColor(Qt::white) << QColor(Qt::black);
    QTest::addRow("white hover stays white") << 25 << QColor(Qt::white) << QStringList{"enter"} << QColor(Qt::white)
                                             << QColor(Qt::white) << QColor(230, 230, 230);
}

void TestTagButton::bevel()
{
    QFETCH(int, elevation);
    QFETCH(QColor, background);
    QFETCH(QStringList, events);
    QFETCH(QColor, expectedFill);
    QFETCH(QColor, first);
    QFETCH(QColor, second);

    auto button = makeButton();
    button->SetElevation(quint8(elevation));
    button->SetBackgroundColor(background);
    for (const QString &event : events)
        send(*button, event);

    const QImage image = button->grab().toImage();
    const int w = image.width();
    const int h = image.height();
    QCOMPARE(image.pixelColor(w / 2, h / 2), expectedFill);
    // Raised: light top and left; the top-right corner belongs to the right edge and the
    // bottom-left corner to the left edge.
    for (const QPoint at : {QPoint(0, 0), QPoint(w / 2, 0), QPoint(w - 2, 0), QPoint(0, h / 2), QPoint(0, h - 1)})
        QCOMPARE(image.pixelColor(at), first);
    for (const QPoint at : {QPoint(w - 1, 0), QPoint(w - 1, h / 2), QPoint(w - 1, h - 1), QPoint(1, h - 1)})
        QCOMPARE(image.pixelColor(at), second);
}

void TestTagButton::hoverColorFollowsSetters()
{
    TaTagButton button;
    QCOMPARE(button.Elevation(), 25);
    button.SetBackgroundColor(fill);
    QCOMPARE(button.HoverColor(), QColor(225, 125, 255));
    button.SetElevation(60);
    QCOMPARE(button.HoverColor(), QColor(255, 160, 255));

    // A style colour is looked up in the palette, also when the palette changes later.
    button.SetBackgroundColor(QPalette::Button);
    QPalette colours = button.palette();
    colours.setColor(QPalette::Button, QColor(10, 20, 30));
    button.setPalette(colours);
    QCOMPARE(button.HoverColor(), QColor(70, 80, 90));
}

void TestTagButton::stateTable_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<TaTagButtonState>("expected");

    QTest::addRow("start") << QStringList{} << TaTagButtonState::absNormal;
    QTest::addRow("enter") << QStringList{"enter"} << TaTagButtonState::absHover;
    QTest::addRow("press") << QStringList{"enter", "press"} << TaTagButtonState::absDown;
    QTest::addRow("release") << QStringList{"enter", "press", "release"} << TaTagButtonState::absHover;
    QTest::addRow("release outside") << QStringList{"enter", "press", "release-outside"} << TaTagButtonState::absHover;
    QTest::addRow("leave") << QStringList{"enter", "press", "release", "leave"} << TaTagButtonState::absNormal;
    QTest::addRow("leave while down") << QStringList{"enter", "press", "leave"} << TaTagButtonState::absNormal;
    QTest::addRow("right button ignored") << QStringList{"enter", "right-press"} << TaTagButtonState::absHover;
}

void TestTagButton::stateTable()
{
    QFETCH(QStringList, events);
    QFETCH(TaTagButtonState, expected);

    auto button = makeButton();
    PaintCounter counter;
    button->installEventFilter(&counter);
    for (const QString &event : events) {
        const int before = counter.paints;
        send(*button, event);
        // Every state change is on screen before the event returns.
        if (!event.startsWith("right"))
            QVERIFY2(counter.paints > before, qPrintable(event));
    }
    QCOMPARE(button->State(), expected);
}

void TestTagButton::clickAfterHoverPainted()
{
    auto button = makeButton();
    PaintCounter counter;
    button->installEventFilter(&counter);
    QSignalSpy clicks(button.get(), &TaTagButton::clicked);
    int paintsAtPress = 0;
    int paintsAtClick = 0;
    TaTagButtonState stateAtClick = TaTagButtonState::absNormal;
    connect(button.get(), &TaTagButton::clicked, this, [&] {
        paintsAtClick = counter.paints;
        stateAtClick = button->State();
    });

    send(*button, "enter");
    send(*button, "press");
    paintsAtPress = counter.paints;
    send(*button, "release");
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(stateAtClick, TaTagButtonState::absHover);
    QVERIFY(paintsAtClick > paintsAtPress);

    send(*button, "press");
    send(*button, "release-outside");
    QCOMPARE(clicks.count(), 1);
}

void TestTagButton::glyphPlacement_data()
{
    QTest::addColumn<QSize>("glyphSize");
    QTest::addColumn<QPoint>("offset");

    QTest::addRow("file list glyph") << QSize(16, 16) << QPoint(3, 0);
    QTest::addRow("small") << QSize(5, 5) << QPoint(9, 6);
    QTest::addRow("larger than the button") << QSize(30, 30) << QPoint(-3, -6);
}

void TestTagButton::glyphPlacement()
{
    QFETCH(QSize, glyphSize);
    QFETCH(QPoint, offset);

    auto button = makeButton();
    const QImage glyph = glyphImage(glyphSize);
    button->SetGlyph(glyph);
    QCOMPARE(button->TransparentColor(), glyph.pixelColor(0, glyphSize.height() - 1));

    QImage image = button->grab().toImage();
    const QPoint centre(11, 8);
    QCOMPARE(image.pixelColor(centre), glyph.pixelColor(centre - offset));
    // The bottom-left pixel is the transparent colour: the fill shows through.
    const QPoint bottomLeft = offset + QPoint(0, glyphSize.height() - 1);
    if (QRect(1, 1, 21, 15).contains(bottomLeft))
        QCOMPARE(image.pixelColor(bottomLeft), fill);

    button->SetTransparentColor(glyph.pixelColor(centre - offset));
    image = button->grab().toImage();
    QCOMPARE(image.pixelColor(centre), fill);
}

void TestTagButton::iconOverGlyph()
{
    auto button = makeButton();
    QImage glyph(10, 10, QImage::Format_RGB32);
    glyph.fill(Qt::green);
    glyph.setPixelColor(0, 9, Qt::white);
    button->SetGlyph(glyph);
    QPixmap square(4, 4);
    square.fill(Qt::magenta);
    button->SetIcon(QIcon(square));

    // The glyph covers (6, 3) to (15, 12), the icon (9, 6) to (12, 9).
    QImage image = button->grab().toImage();
    QCOMPARE(image.pixelColor(10, 7), QColor(Qt::magenta));
    QCOMPARE(image.pixelColor(7, 4), QColor(Qt::green));

    button->SetDrawIcon(false);
    image = button->grab().toImage();
    QCOMPARE(image.pixelColor(10, 7), QColor(Qt::green));

    button->SetDrawGlyph(false);
    image = button->grab().toImage();
    QCOMPARE(image.pixelColor(7, 4), fill);
}

void TestTagButton::caption()
{
    auto button = makeButton(QSize(61, 25));
    button->SetBackgroundColor(Qt::white);
    button->SetFontColor(Qt::black);
    button->SetCaption("MM");

    const auto inkBounds = [&button] {
        const QImage image = button->grab().toImage();
        QRect bounds;
        for (int y = 1; y < image.height() - 1; ++y)
            for (int x = 1; x < image.width() - 1; ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    };
    const QRect bounds = inkBounds();
    QVERIFY(!bounds.isEmpty());
    QVERIFY2(qAbs(bounds.center().x() - 30) <= 2, qPrintable(QString::number(bounds.center().x())));

    button->SetDrawText(false);
    QVERIFY(inkBounds().isEmpty());
}

void TestTagButton::resourceGlyphs_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QColor>("transparent");

    QTest::addRow("plus") << markwell::glyphs::plus << QColor(Qt::white);
    QTest::addRow("minus") << markwell::glyphs::minus << QColor(Qt::white);
    QTest::addRow("cross") << markwell::glyphs::cross << QColor(Qt::white);
    QTest::addRow("folder") << markwell::glyphs::folder << QColor(255, 243, 156);
    QTest::addRow("floppy") << markwell::glyphs::floppy << QColor(255, 0, 255);
}

void TestTagButton::resourceGlyphs()
{
    QFETCH(QString, path);
    QFETCH(QColor, transparent);

    markwell::initControlsResources();
    const QImage glyph(path);
    QCOMPARE(glyph.size(), QSize(16, 16));

    auto button = makeButton(QSize(21, 21));
    button->SetGlyph(glyph);
    QCOMPARE(button->TransparentColor(), transparent);

    // Where the glyph has its transparent colour the fill shows, elsewhere the picture.
    const QImage image = button->grab().toImage();
    int drawn = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QColor expected = glyph.pixelColor(x, y) == transparent ? fill : glyph.pixelColor(x, y);
            QCOMPARE(image.pixelColor(x + 2, y + 2), expected);
            drawn += expected != fill;
        }
    }
    QVERIFY(drawn > 20);
}

QTEST_MAIN(TestTagButton)
#include "tst_TaTagButton.moc"
