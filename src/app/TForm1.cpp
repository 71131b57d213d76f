#include "TForm1.h"

#include "BatchRun.h"
#include "CaptionGradient.h"
#include "ConfigLocation.h"
#include "Dialogs.h"
#include "DragStep.h"
#include "FormSurface.h"
#include "ImageOps.h"
#include "LogMessages.h"
#include "RunLog.h"
#include "TPreviewThread.h"
#include "TStripedListBox.h"
#include "TaTagButton.h"
#include "WindowBatchHost.h"
#include "WindowPreviewHost.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

namespace markwell {

namespace {

// The design's client area, in which every control's place is given.
constexpr QSize DesignClientSize{668, 481};
constexpr QSize ClientSize{760, 469};

class ComboBoxLogSink final : public LogSink
{
public:
    explicit ComboBoxLogSink(QComboBox *&box)
        : m_box(box)
    {
    }
    void appendEntry(const QString &entry) override
    {
        m_box->addItem(entry);
        // The closed box always shows the newest entry.
        m_box->setCurrentIndex(m_box->count() - 1);
    }

private:
    QComboBox *&m_box;
};

QString withSlash(QString folder)
{
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

// The file types the picture and file dialogs offer; the first is selected.
QStringList imageFileFilters()
{
    return {QStringLiteral("All supported (*.bmp *.jpg *.jpeg *.tif *.png *.tga *.psd)"),
            QStringLiteral("JPEG (*.jpg *.jpeg)"),
            QStringLiteral("Photoshop (*.psd)"),
            QStringLiteral("Tag Image File Format (*.tif)"),
            QStringLiteral("Portable Network Graphics (*.png)"),
            QStringLiteral("Targa (*.tga)"),
            QStringLiteral("Windows Bitmap (*.bmp)")};
}

QFont windowFont()
{
    QFont font(defaultFontFace());
    font.setPixelSize(12);
    return font;
}

} // namespace

TForm1::TForm1(const QString &programFolder, Dialogs &dialogs, const QStringList &commandLine, QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_layout(DesignClientSize)
{
    setWindowTitle(QStringLiteral("Orbisoft Markwell"));
    setFont(windowFont());
    buildControls();
    m_markFont.face = defaultFontFace();
    updateFontSample();
    connectHandlers();

    AppDir = withSlash(programFolder);
    ConfigDir = configurationFolder(AppDir);
    LanguagesDir = AppDir + QStringLiteral("languages/");
    VersionText = QStringLiteral("1.5");

    // The client area is set first; the window can never be made smaller than that.
    m_surface->setMinimumSize(ClientSize);
    resize(minimumSizeHint());
    setMinimumSize(size());
    layoutControls();

    lstLog->clear();
    m_logSink = std::make_unique<ComboBoxLogSink>(lstLog);
    m_runLog = std::make_unique<RunLog>(*m_logSink);

    FillConfigList();
    BuildLanguageMenu();
    StartupConfigPath = ConfigDir + StartupConfigName;
    LoadConfig(StartupConfigPath);

    PreviewFilePath = ConfigDir + QStringLiteral("markwell_preview.bmp");

    m_batchHost = std::make_unique<WindowBatchHost>(*this);
    m_batchRun = std::make_unique<BatchRun>(*m_batchHost, Language);
    m_previewHost = std::make_unique<WindowPreviewHost>(*this);
    m_previewThread = std::make_unique<TPreviewThread>(*m_previewHost, this, PreviewFilePath);
    m_previewThread->start(QThread::LowestPriority);

    GradientBitmap = BuildCaptionGradient(palette().color(QPalette::Active, QPalette::Highlight),
                                          palette().color(QPalette::Active, QPalette::Highlight).lighter(160));

    AddToLog(startedMessage(Language, VersionText));
    appendCommandLine(commandLine);
}

TForm1::~TForm1()
{
    stopPreviewThread();
    SaveConfig(StartupConfigPath);
}

void TForm1::stopPreviewThread()
{
    // The thread may be waiting for a capture from this window or rendering; it is woken,
    // and it reads no control and shows no picture once it has been asked to stop.
    if (m_previewThread) {
        m_previewThread->requestStop();
        m_previewThread->wait();
    }
}

void TForm1::connectHandlers()
{
    connect(btnProceed, &QPushButton::clicked, this, &TForm1::btnProceedClick);
    connect(Proceed1, &QAction::triggered, this, &TForm1::btnProceedClick);
    connect(FileExit, &QAction::triggered, this, &TForm1::FileExitClick);
    connect(AddFiles, &QAction::triggered, this, &TForm1::btnAddFilesClick);
    connect(RemFiles, &QAction::triggered, this, &TForm1::btnRemFilesClick);
    connect(ClearList, &QAction::triggered, this, &TForm1::btnClearFilesClick);
    connect(btnAddFiles, &TaTagButton::clicked, this, &TForm1::btnAddFilesClick);
    connect(btnRemFiles, &TaTagButton::clicked, this, &TForm1::btnRemFilesClick);
    connect(btnClearFiles, &TaTagButton::clicked, this, &TForm1::btnClearFilesClick);
    connect(lstMarkType, &QComboBox::activated, this, &TForm1::lstMarkTypeChange);
    connect(lstMarkPosType, &QComboBox::activated, this, &TForm1::lstMarkPosTypeChange);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm1::Edit1Change);
    connect(tbQuality, &QSlider::valueChanged, this, &TForm1::tbQualityChange);
    connect(btnSetMark, &TaTagButton::clicked, this, &TForm1::btnSetMarkClick);
    connect(btnSetFont, &QPushButton::clicked, this, &TForm1::btnSetFontClick);
    connect(btnSetDir, &TaTagButton::clicked, this, &TForm1::btnSetDirClick);
    connect(chkSnap, &QCheckBox::clicked, this, &TForm1::chkSnapClick);
    lblMark->installEventFilter(this);
    connect(btnSaveConfig, &TaTagButton::clicked, this, &TForm1::btnSaveConfigClick);
    connect(lstConfigs, &QComboBox::activated, this, &TForm1::lstConfigsChange);
    connect(lstConfigs->lineEdit(), &QLineEdit::textEdited, this, &TForm1::completeConfigName);
    lstConfigs->setCompleter(nullptr);
    connect(HelpContents1, &QAction::triggered, this, &TForm1::Contents1Click);
    connect(HelpIndex, &QAction::triggered, this, &TForm1::HelpIndexExecute);
    connect(HelpTutorials, &QAction::triggered, this, &TForm1::HelpTutorialsExecute);
    connect(ContactOrbisoft1, &QAction::triggered, this, &TForm1::ContactOrbisoft1Click);
    connect(HelpAbout, &QAction::triggered, this, &TForm1::HelpAboutClick);
}

void TForm1::AddToLog(const QString &message)
{
    m_runLog->AddToLog(message);
}

void TForm1::widenScrollWidthFor(const QString &path)
{
    const int width = lstFiles->fontMetrics().horizontalAdvance(path) + 8;
    if (lstFiles->ScrollWidth() < width)
        lstFiles->SetScrollWidth(width);
}

void TForm1::appendCommandLine(const QStringList &paths)
{
    for (const QString &path : paths) {
        widenScrollWidthFor(path);
        lstFiles->addItem(path);
    }
}

void TForm1::btnProceedClick()
{
    m_batchRun->btnProceedClick();
    if (m_closeAfterRun && !m_batchRun->busy())
        close();
}

void TForm1::btnAddFilesClick()
{
    const QStringList paths = m_dialogs.chooseFilesToOpen(this, imageFileFilters());
    appendCommandLine(paths);
}

void TForm1::btnRemFilesClick()
{
    lstFiles->DeleteSelected();
}

void TForm1::btnClearFilesClick()
{
    lstFiles->clear();
    lstFiles->SetScrollWidth(0);
}

void TForm1::FileExitClick()
{
    close();
}

void TForm1::lstMarkTypeChange()
{
    if (lstMarkType->currentIndex() == 0) {
        pnlTextMark->hide();
        pnlPicMark->show();
    } else if (lstMarkType->currentIndex() == 1) {
        pnlPicMark->hide();
        pnlTextMark->show();
    }
}

void TForm1::lstMarkPosTypeChange()
{
    if (lstMarkPosType->currentIndex() == 0) {
        pnlRelPos->hide();
        chkSnap->hide();
        pnlAbsPos->show();
    } else if (lstMarkPosType->currentIndex() == 1) {
        pnlAbsPos->hide();
        pnlRelPos->show();
        chkSnap->show();
    }
    m_surface->update();
}

void TForm1::Edit1Change()
{
    lblFontSample->setText(Edit1->text());
}

void TForm1::tbQualityChange()
{
    lblQuality->setText(QString::number(tbQuality->value()));
}

void TForm1::btnSetMarkClick()
{
    const QString path = m_dialogs.chooseFileToOpen(this, imageFileFilters());
    if (!path.isEmpty())
        txtMark->setText(path);
}

void TForm1::btnSetFontClick()
{
    QFont start(m_markFont.face);
    start.setPointSize(std::max(1, m_markFont.pointSize));
    start.setBold(m_markFont.bold);
    start.setItalic(m_markFont.italic);
    start.setUnderline(m_markFont.underline);
    start.setStrikeOut(m_markFont.strikeOut);
    if (const auto chosen = m_dialogs.chooseFont(this, {start, m_markFont.color})) {
        StampFont font;
        font.face = chosen->font.family();
        font.pointSize =
            chosen->font.pointSize() > 0 ? chosen->font.pointSize() : std::max(1, chosen->font.pixelSize() * 72 / 96);
        font.color = chosen->color & 0xFFFFFF;
        font.bold = chosen->font.bold();
        font.italic = chosen->font.italic();
        font.underline = chosen->font.underline();
        font.strikeOut = chosen->font.strikeOut();
        m_markFont = font;
        // The stamp font is not among the values the preview compares.
        m_previewThread->setForceRefresh();
    }
    updateFontSample();
}

void TForm1::btnSetDirClick()
{
    const QString folder = m_dialogs.chooseFolder(this, QStringLiteral("Choose a destination folder"));
    if (!folder.isEmpty()) {
        txtDestFolder->setText(folder);
        radCustomDir->setChecked(true);
    }
}

void TForm1::chkSnapClick()
{
    SnapDistance = chkSnap->isChecked() ? 10 : 0;
}

void TForm1::lblMarkMouseDown(QPoint position)
{
    Dragging = true;
    DragStartX = position.x();
    DragStartY = position.y();
}

void TForm1::lblMarkMouseMove(QPoint position)
{
    if (!Dragging)
        return;
    lblMark->move(dragStep(lblMark->geometry(), position, {DragStartX, DragStartY}, Shape1->geometry(), SnapDistance));
}

void TForm1::lblMarkMouseUp()
{
    Dragging = false;
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblMark) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            lblMarkMouseDown(static_cast<QMouseEvent *>(event)->position().toPoint());
            return true;
        case QEvent::MouseMove:
            lblMarkMouseMove(static_cast<QMouseEvent *>(event)->position().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            lblMarkMouseUp();
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    m_previewHost->setWindowVisible(true);
}

void TForm1::hideEvent(QHideEvent *event)
{
    m_previewHost->setWindowVisible(false);
    QMainWindow::hideEvent(event);
}

void TForm1::setMarkFont(const StampFont &font)
{
    m_markFont = font;
    updateFontSample();
}

void TForm1::updateFontSample()
{
    // The sample shows the stamp's own font, at the size it has on an image.
    lblFontSample->setFont(stampQFont(m_markFont));
    const quint32 color = m_markFont.color & 0xFFFFFF;
    QPalette palette = lblFontSample->palette();
    palette.setColor(QPalette::WindowText, colorFromBgr(color));
    palette.setColor(QPalette::Window, colorFromBgr(0xFFFFFF - color));
    lblFontSample->setPalette(palette);
}

StampSettings TForm1::currentSettings() const
{
    StampSettings s;
    s.markType = MarkType(lstMarkType->currentIndex());
    s.markImagePath = txtMark->text();
    s.markText = Edit1->text();
    s.markFont = m_markFont;
    s.positionType = PositionType(lstMarkPosType->currentIndex());
    s.xOffsetText = txtXOffset->text();
    s.yOffsetText = txtYOffset->text();
    s.xOffsetFrom = XOffsetFrom(lstXOffset->currentIndex());
    s.yOffsetFrom = YOffsetFrom(lstYOffset->currentIndex());
    s.markLeft = lblMark->x();
    s.markTop = lblMark->y();
    s.destMode = radCustomDir->isChecked() ? DestMode::Custom : DestMode::Original;
    s.customFolder = txtDestFolder->text();
    s.ifExists = radFEOverwrite->isChecked() ? IfExists::Overwrite
                 : radFESkip->isChecked()    ? IfExists::Skip
                                             : IfExists::Ask;
    s.outputPage = OutputPage(pcOutputSettings->currentIndex());
    s.outputFormat = OutputFormat(lstOutputFormat->currentIndex());
    s.jpegQuality = tbQuality->value();
    s.languageFile = LanguageFile;
    return s;
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // The run is on the stack below the event loop that delivered this close: ask it
    // to stop, and close once it has.
    if (m_batchRun && m_batchRun->busy()) {
        if (m_batchRun->tag() == 1)
            m_batchRun->btnProceedClick();
        m_closeAfterRun = true;
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TForm1::layoutControls()
{
    m_layout.apply(m_surface->size());
}

} // namespace markwell
