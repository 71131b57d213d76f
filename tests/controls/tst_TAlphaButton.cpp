#include "TAlphaButton.h"

#include <QEnterEvent>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using markwell::TAlphaButton;
using markwell::TAlphaButtonState;

namespace {

const QColor buttonColour(0, 0, 255);

std::unique_ptr<TAlphaButton> makeButton()
{
    auto button = std::make_unique<TAlphaButton>();
    button->SetColor(buttonColour);
    button->setLoadFailureHandler([](const QString &message) { QFAIL(qPrintable(message)); });
    // Away from the pointer, which rests at the screen's corner: no enter event at showing.
    button->move(200, 200);
    button->show();
    if (!QTest::qWaitForWindowExposed(button.get()))
        qFatal("button window not exposed");
    return button;
}

void sendEnter(QWidget &widget)
{
    const QPointF at(5, 5);
    QEnterEvent event(at, at, widget.mapToGlobal(at));
    QCoreApplication::sendEvent(&widget, &event);
}

void sendPress(QWidget &widget)
{
    const QPointF at(5, 5);
    QMouseEvent event(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

QColor centre(QWidget &widget)
{
    const QImage image = widget.grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

class TestAlphaButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaults();
    void blend();
    void pictureChoice_data();
    void pictureChoice();
    void loadFailure_data();
    void loadFailure();

private:
    QString writePicture(const QString &name, const QColor &colour, QSize size = QSize(10, 10));

    QTemporaryDir m_dir;
};

QString TestAlphaButton::writePicture(const QString &name, const QColor &colour, QSize size)
{
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(colour);
    const QString path = m_dir.filePath(name);
    if (!picture.save(path, "PNG"))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestAlphaButton::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestAlphaButton::defaults()
{
    TAlphaButton button;
    QCOMPARE(button.geometry(), QRect(0, 0, 75, 25));
    QCOMPARE(button.ButtonState(), TAlphaButtonState::absNormal);
    button.setEnabled(false);
    QCOMPARE(button.ButtonState(), TAlphaButtonState::absDisabled);
}

void TestAlphaButton::blend()
{
    QImage picture(20, 10, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            picture.setPixelColor(x, y, QColor(255, 0, 0, 128));
    const QString path = m_dir.filePath("half.png");
    QVERIFY(picture.save(path, "PNG"));

    auto button = makeButton();
    button->SetBitmapNormal(path);
    QCOMPARE(button->BitmapNormal(), path);

    // The picture lies at (27, 7): its left half is half transparent red, its right half clear.
    const QImage image = button->grab().toImage();
    const QColor blended = image.pixelColor(30, 12);
    QVERIFY2(qAbs(blended.red() - 128) <= 2 && blended.green() == 0 && qAbs(blended.blue() - 127) <= 2,
             qPrintable(blended.name()));
    QCOMPARE(image.pixelColor(42, 12), buttonColour);
    QCOMPARE(image.pixelColor(3, 3), buttonColour);
}

void TestAlphaButton::pictureChoice_data()
{
    QTest::addColumn<QString>("pictures");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<TAlphaButtonState>("state");

    QTest::addRow("no picture") << ""
                                << "" << true << "" << TAlphaButtonState::absNormal;
    QTest::addRow("normal") << "NOD"
                            << "" << true << "N" << TAlphaButtonState::absNormal;
    QTest::addRow("only normal, hover") << "N"
                                        << "enter" << true << "N" << TAlphaButtonState::absOver;
    QTest::addRow("only normal, down") << "N"
                                       << "press" << true << "N" << TAlphaButtonState::absDown;
    QTest::addRow("hover") << "NOD"
                           << "enter" << true << "O" << TAlphaButtonState::absOver;
    QTest::addRow("down") << "NOD"
                          << "press" << true << "D" << TAlphaButtonState::absDown;
    QTest::addRow("disabled without its picture") << "NO"
                                                  << "enter" << false << "O" << TAlphaButtonState::absDisabled;
    QTest::addRow("disabled") << "NOX"
                              << "enter" << false << "X" << TAlphaButtonState::absDisabled;
    QTest::addRow("glyph over picture") << "NG"
                                        << "" << true << "G" << TAlphaButtonState::absNormal;
}

void TestAlphaButton::pictureChoice()
{
    QFETCH(QString, pictures);
    QFETCH(QString, action);
    QFETCH(bool, enabled);
    QFETCH(QString, expected);
    QFETCH(TAlphaButtonState, state);

    const QMap<QChar, QColor> colours{
        {'N', Qt::red}, {'O', Qt::green}, {'D', Qt::yellow}, {'X', Qt::gray}, {'G', Qt::magenta}};
    auto button = makeButton();
    for (const QChar slot : pictures) {
        const QString path =
            writePicture(QString(slot) + ".png", colours[slot], slot == 'G' ? QSize(4, 4) : QSize(10, 10));
        switch (slot.toLatin1()) {
        case 'N':
            button->SetBitmapNormal(path);
            break;
        case 'O':
            button->SetBitmapOver(path);
            break;
        case 'D':
            button->SetBitmapDown(path);
            break;
        case 'X':
            button->SetBitmapDisabled(path);
            break;
        case 'G':
            button->SetBitmapGlyph(path);
            break;
        }
    }
    if (action == "enter")
        sendEnter(*button);
    else if (action == "press")
        sendPress(*button);
    button->setEnabled(enabled);

    QCOMPARE(button->ButtonState(), state);
    QCOMPARE(centre(*button), expected.isEmpty() ? buttonColour : colours[expected[0]]);
}

void TestAlphaButton::loadFailure_data()
{
    QTest::addColumn<bool>("normalSlot");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("reported");

    QTest::addRow("missing normal picture") << true << "missing.png" << true;
    QTest::addRow("broken normal picture") << true << "broken.png" << true;
    QTest::addRow("missing hover picture") << false << "missing.png" << false;
    QTest::addRow("normal picture removed") << true << "" << false;
}

void TestAlphaButton::loadFailure()
{
    QFETCH(bool, normalSlot);
    QFETCH(QString, file);
    QFETCH(bool, reported);

    QFile broken(m_dir.filePath("broken.png"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    QVERIFY(broken.write("not a picture") > 0);
    broken.close();

    auto button = makeButton();
    QStringList messages;
    button->setLoadFailureHandler([&messages](const QString &message) { messages.append(message); });
    button->SetBitmapNormal(writePicture("normal.png", Qt::red));
    if (!normalSlot)
        button->SetBitmapOver(writePicture("over.png", Qt::green));
    const QString path = file.isEmpty() ? QString() : m_dir.filePath(file);

    for (int attempt = 0; attempt < 2; ++attempt) {
        if (normalSlot)
            button->SetBitmapNormal(path);
        else
            button->SetBitmapOver(path);
        QCOMPARE(normalSlot ? button->BitmapNormal() : button->BitmapOver(), QString());
    }
    // The path went back to empty, so the second attempt loads again and reports again.
    QCOMPARE(messages, reported ? QStringList(2, "Couldn't load " + path + "!") : QStringList());

    // A failed picture still takes its look, which then shows no picture; a removed
    // normal picture leaves nothing to fall back on.
    sendEnter(*button);
    QCOMPARE(centre(*button), buttonColour);
}

QTEST_MAIN(TestAlphaButton)
#include "tst_TAlphaButton.moc"
