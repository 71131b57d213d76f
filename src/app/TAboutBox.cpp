#include "TAboutBox.h"

#include "Dialogs.h"
#include "TForm1.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

namespace markwell {

namespace {

const QString WebAddress = QStringLiteral("https://markwell.example");
const QString MailAddress = QStringLiteral("support@markwell.example");

QLabel *link(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

QPixmap programIcon(int size)
{
    QPixmap icon(size, size);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x5a, 0x96, 0xdc));
    painter.drawRoundedRect(QRectF(4, 8, 56, 44), 4, 4);
    painter.setBrush(QColor(0x3f, 0x8a, 0x3c));
    painter.drawPolygon(QPolygonF({{4, 40}, {20, 26}, {32, 36}, {44, 24}, {60, 38}, {60, 52}, {4, 52}}));
    painter.setBrush(QColor(0xff, 0xf0, 0xb4));
    painter.drawEllipse(QPointF(46, 18), 5, 5);
    painter.setBrush(QColor(0, 0, 0, 140));
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawRoundedRect(QRectF(22, 40, 36, 16), 3, 3);
    return icon;
}

TAboutBox::TAboutBox(TForm1 &form, QWidget *parent)
    : QDialog(parent)
    , m_form(form)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Markwell"));
    setFixedSize(298, 286);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 281, 233);

    ProgramIcon = new QLabel(panel);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(programIcon(48));
    ProgramIcon->setGeometry(8, 8, 48, 48);

    ProductName = new QLabel(QStringLiteral("Markwell"), panel);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setTextFormat(Qt::PlainText);
    QFont bold = ProductName->font();
    bold.setBold(true);
    ProductName->setFont(bold);
    ProductName->setGeometry(72, 12, 200, 18);

    Version = new QLabel(panel);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setTextFormat(Qt::PlainText);
    Version->setGeometry(72, 36, 200, 18);

    Comments = new QLabel(panel);
    Comments->setObjectName(QStringLiteral("Comments"));
    Comments->setTextFormat(Qt::PlainText);
    Comments->setWordWrap(true);
    Comments->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Comments->setGeometry(8, 64, 265, 81);

    Copyright = new QLabel(QStringLiteral("Copyright © 2026 the Markwell developers"), panel);
    Copyright->setObjectName(QStringLiteral("Copyright"));
    Copyright->setTextFormat(Qt::PlainText);
    Copyright->setGeometry(8, 150, 265, 18);

    Label1 = link(panel, "Label1", QStringLiteral("Web: ") + WebAddress, {8, 172, 265, 18});
    Label2 = link(panel, "Label2", QStringLiteral("E-mail: ") + MailAddress, {8, 192, 265, 18});
    License = link(panel, "License", QString(), {8, 212, 265, 18});
    License->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLabel *label : {Label1, Label2, License})
        label->installEventFilter(this);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    OKButton->resize(75, 25);
    OKButton->move((width() - OKButton->width()) / 2, 250);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TAboutBox::FormShow()
{
    const TLanguage &language = m_form.language();
    Version->setText(language.GetText(QStringLiteral("Version")) + u' ' + m_form.VersionText);
    Comments->setText(language.GetText(QStringLiteral("ShortDescription")));
    License->setText(language.GetText(QStringLiteral("LicenseAgreement")));
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == Label1)
            m_form.dialogs().openUrl(QUrl(WebAddress));
        else if (watched == Label2)
            m_form.dialogs().openUrl(QUrl(QStringLiteral("mailto:") + MailAddress));
        else if (watched == License)
            m_form.dialogs().openUrl(QUrl::fromLocalFile(m_form.AppDir + QStringLiteral("license.txt")));
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace markwell
