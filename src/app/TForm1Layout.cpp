// Builds the window's controls with the geometry, anchors and built-in state of the
// window design. Captions here are the built-in English texts that stand until a
// language is applied.

#include "ControlsResources.h"
#include "FormSurface.h"
#include "MarkerSize.h"
#include "TForm1.h"
#include "TStripedListBox.h"
#include "TaTagButton.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

namespace markwell {

namespace {

constexpr int TopRight = AnchorTop | AnchorRight;

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QFrame *panel(QWidget *parent, const char *name, QFrame::Shadow shadow = QFrame::Raised)
{
    auto *frame = named(new QFrame(parent), name);
    frame->setFrameStyle(QFrame::Panel | shadow);
    frame->setAutoFillBackground(true);
    return frame;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *result = named(new QLabel(caption, parent), name);
    // Captions come from language files and are shown as written, never as markup.
    result->setTextFormat(Qt::PlainText);
    result->setGeometry(geometry);
    return result;
}

QComboBox *dropDown(QWidget *parent, const char *name, const QStringList &items, int index)
{
    auto *combo = named(new QComboBox(parent), name);
    combo->addItems(items);
    combo->setCurrentIndex(index);
    return combo;
}

TaTagButton *tagButton(QWidget *parent, const char *name, const QString &glyph, const QColor &transparent)
{
    auto *button = named(new TaTagButton(parent), name);
    button->SetElevation(25);
    button->SetGlyph(QImage(glyph));
    button->SetTransparentColor(transparent);
    return button;
}

} // namespace

void TForm1::buildControls()
{
    initControlsResources();
    m_surface = new FormSurface(*this, this);
    m_surface->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(m_surface);

    buildMenus();
    buildFileListPanel();
    buildStampPanels();
    buildPositionPanels();
    buildOptionsPanel();
    buildOutputPages();
    buildPreviewAndProceed();
}

void TForm1::buildMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    Proceed1 = named(mnuFile->addAction(QStringLiteral("Proceed")), "Proceed1");
    mnuFile->addSeparator();
    FileExit = named(mnuFile->addAction(QStringLiteral("&Exit")), "FileExit");

    FileList1 = menuBar()->addMenu(QStringLiteral("File &List"));
    FileList1->setObjectName(QStringLiteral("FileList1"));
    AddFiles = named(new QAction(QStringLiteral("&Add Files"), this), "AddFiles");
    AddFiles->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    RemFiles = named(new QAction(QStringLiteral("&Remove Files"), this), "RemFiles");
    RemFiles->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    ClearList = named(new QAction(QStringLiteral("&Clear List"), this), "ClearList");
    ClearList->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    FileList1->addActions({AddFiles, RemFiles, ClearList});

    mnuLanguages = menuBar()->addMenu(QStringLiteral("Language"));
    mnuLanguages->setObjectName(QStringLiteral("mnuLanguages"));

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    HelpContents1 = named(new QAction(QStringLiteral("&Contents"), this), "HelpContents1");
    HelpContents1->setShortcut(QKeySequence(Qt::Key_F1));
    HelpIndex = named(new QAction(QStringLiteral("I&ndex"), this), "HelpIndex");
    HelpIndex->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    HelpTutorials = named(new QAction(QStringLiteral("Tutorials"), this), "HelpTutorials");
    HelpTutorials->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    mnuHelp->addActions({HelpContents1, HelpIndex, HelpTutorials});
    mnuHelp->addSeparator();
    ContactOrbisoft1 = named(mnuHelp->addAction(QStringLiteral("Contact &Orbisoft")), "ContactOrbisoft1");
    HelpAbout = named(mnuHelp->addAction(QStringLiteral("&About")), "HelpAbout");

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addActions({AddFiles, RemFiles, ClearList});
}

void TForm1::buildFileListPanel()
{
    lstFiles = named(new TStripedListBox(m_surface), "lstFiles");
    lstFiles->SetStripeDifference(20);
    lstFiles->SetShowIcons(true);
    lstFiles->SetAcceptFiles(true);
    lstFiles->SetFileFilter(QStringLiteral("*.bmp;*.jpg;*.jpeg;*.tif;*.png;*.tga;*.psd"));
    lstFiles->SetItemHeight(20);
    lstFiles->SetMultiSelect(true);
    lstFiles->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lstFiles, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(lstFiles->viewport()->mapToGlobal(at)); });
    m_layout.add(lstFiles, {8, 32, 205, 386}, AnchorLeft | AnchorTop | AnchorRight | AnchorBottom);

    btnAddFiles = tagButton(m_surface, "btnAddFiles", glyphs::plus, Qt::white);
    btnRemFiles = tagButton(m_surface, "btnRemFiles", glyphs::minus, Qt::white);
    btnClearFiles = tagButton(m_surface, "btnClearFiles", glyphs::cross, Qt::white);
    const QList<std::pair<TaTagButton *, QString>> fileButtons = {{btnAddFiles, QStringLiteral("Add Files")},
                                                                  {btnRemFiles, QStringLiteral("Remove Files")},
                                                                  {btnClearFiles, QStringLiteral("Clear List")}};
    int left = 140;
    for (const auto &[button, hint] : fileButtons) {
        // The buttons stand on the file list's header bar, in its colours.
        button->SetBackgroundColor(ControlColor(QPalette::Highlight));
        button->SetFontColor(ControlColor(QPalette::HighlightedText));
        button->setToolTip(hint);
        m_layout.add(button, {left, 10, 23, 17}, TopRight);
        left += 24;
    }

    lstLog = named(new QComboBox(m_surface), "lstLog");
    m_layout.add(lstLog, {8, 444, 205, 21}, AnchorLeft | AnchorRight | AnchorBottom);
}

void TForm1::buildStampPanels()
{
    lstMarkType = dropDown(m_surface, "lstMarkType", {QStringLiteral("Picture"), QStringLiteral("Text")}, 0);
    m_layout.add(lstMarkType, {220, 32, 217, 21}, TopRight);

    pnlPicMark = panel(m_surface, "pnlPicMark");
    Label4 = label(pnlPicMark, "Label4", QStringLiteral("Stamp :"), {6, 8, 44, 17});
    txtMark = named(new QLineEdit(pnlPicMark), "txtMark");
    txtMark->setEnabled(false);
    txtMark->setGeometry(52, 6, 137, 21);
    btnSetMark = tagButton(pnlPicMark, "btnSetMark", glyphs::folder, QColor(255, 243, 156));
    btnSetMark->setGeometry(192, 6, 21, 21);
    m_layout.add(pnlPicMark, {220, 56, 217, 33}, TopRight);

    pnlTextMark = panel(m_surface, "pnlTextMark");
    Label5 = label(pnlTextMark, "Label5", QStringLiteral("Text :"), {6, 8, 40, 17});
    Edit1 = named(new QLineEdit(StampSettings{}.markText, pnlTextMark), "Edit1");
    Edit1->setGeometry(44, 6, 169, 21);
    Label6 = label(pnlTextMark, "Label6", QStringLiteral("Font :"), {6, 32, 40, 17});
    lblFontSample = label(pnlTextMark, "lblFontSample", Edit1->text(), {44, 32, 169, 65});
    lblFontSample->setAlignment(Qt::AlignCenter);
    lblFontSample->setAutoFillBackground(true);
    btnSetFont = named(new QPushButton(QStringLiteral("Change"), pnlTextMark), "btnSetFont");
    btnSetFont->setGeometry(138, 100, 75, 25);
    pnlTextMark->hide();
    m_layout.add(pnlTextMark, {220, 56, 217, 129}, TopRight);
}

void TForm1::buildPositionPanels()
{
    chkSnap = named(new QCheckBox(m_surface), "chkSnap");
    chkSnap->setChecked(true);
    m_layout.add(chkSnap, {386, 200, 13, 13}, TopRight);

    lstMarkPosType = dropDown(m_surface, "lstMarkPosType", {QStringLiteral("Absolute"), QStringLiteral("Relative")}, 1);
    m_layout.add(lstMarkPosType, {220, 220, 217, 21}, TopRight);

    pnlAbsPos = panel(m_surface, "pnlAbsPos");
    txtXOffset = named(new QLineEdit(QStringLiteral("20"), pnlAbsPos), "txtXOffset");
    txtXOffset->setGeometry(6, 5, 49, 21);
    Label3 = label(pnlAbsPos, "Label3", QStringLiteral("pixels from"), {60, 7, 70, 17});
    lstXOffset = dropDown(pnlAbsPos, "lstXOffset", {QStringLiteral("left"), QStringLiteral("right")}, 0);
    lstXOffset->setGeometry(132, 5, 79, 21);
    txtYOffset = named(new QLineEdit(QStringLiteral("20"), pnlAbsPos), "txtYOffset");
    txtYOffset->setGeometry(6, 31, 49, 21);
    Label8 = label(pnlAbsPos, "Label8", QStringLiteral("pixels from"), {60, 33, 70, 17});
    lstYOffset = dropDown(pnlAbsPos, "lstYOffset", {QStringLiteral("top"), QStringLiteral("bottom")}, 0);
    lstYOffset->setGeometry(132, 31, 79, 21);
    pnlAbsPos->hide();
    m_layout.add(pnlAbsPos, {220, 244, 217, 57}, TopRight);

    pnlRelPos = panel(m_surface, "pnlRelPos");
    Shape1 = named(new QFrame(pnlRelPos), "Shape1");
    Shape1->setGeometry(8, 8, 200, 200);
    Shape1->setStyleSheet(QStringLiteral("QFrame#Shape1 { background: white; border: 1px solid %1; }")
                              .arg(palette().color(QPalette::Mid).name()));
    lblMark = label(pnlRelPos, "lblMark", QStringLiteral("Stamp"), {9, 9, 47, 20});
    lblMark->setAutoFillBackground(true);
    lblMark->setFont(markerFont());
    lblMark->resize(markerSize(lblMark->text()));
    m_layout.add(pnlRelPos, {220, 244, 217, 217}, TopRight);
}

void TForm1::buildOptionsPanel()
{
    pnlOptions = panel(m_surface, "pnlOptions");
    Label11 = label(pnlOptions, "Label11", QStringLiteral("Configuration"), {8, 6, 177, 17});
    lstConfigs = named(new QComboBox(pnlOptions), "lstConfigs");
    lstConfigs->setEditable(true);
    lstConfigs->setInsertPolicy(QComboBox::NoInsert);
    lstConfigs->setGeometry(8, 24, 177, 21);
    btnSaveConfig = tagButton(pnlOptions, "btnSaveConfig", glyphs::floppy, QColor(255, 0, 255));
    btnSaveConfig->setGeometry(192, 24, 21, 21);
    m_layout.add(pnlOptions, {444, 32, 217, 57}, TopRight);
}

void TForm1::buildOutputPages()
{
    pcOutputSettings = named(new QTabWidget(m_surface), "pcOutputSettings");
    // Three captions share 217 pixels: the tabs take only the room their text needs.
    pcOutputSettings->setUsesScrollButtons(false);
    pcOutputSettings->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 4px; min-width: 0px; }"
                                                   "QTabBar::tab:hover { color: palette(highlight); }"));

    pagDFolder = named(new QWidget, "pagDFolder");
    radOrigDir = named(new QRadioButton(QStringLiteral("Original"), pagDFolder), "radOrigDir");
    radOrigDir->setGeometry(8, 6, 190, 19);
    radOrigDir->setChecked(true);
    radCustomDir = named(new QRadioButton(QStringLiteral("Custom"), pagDFolder), "radCustomDir");
    radCustomDir->setGeometry(8, 28, 190, 19);
    txtDestFolder = named(new QLineEdit(QStringLiteral("./"), pagDFolder), "txtDestFolder");
    txtDestFolder->setGeometry(8, 50, 177, 21);
    btnSetDir = tagButton(pagDFolder, "btnSetDir", glyphs::folder, QColor(255, 243, 156));
    btnSetDir->setGeometry(188, 50, 21, 21);
    pcOutputSettings->addTab(pagDFolder, QStringLiteral("Dest. Folder"));

    pagReactions = named(new QWidget, "pagReactions");
    Label14 = label(pagReactions, "Label14", QStringLiteral("If destination file exists"), {8, 4, 200, 17});
    radFEOverwrite = named(new QRadioButton(QStringLiteral("Overwrite"), pagReactions), "radFEOverwrite");
    radFEOverwrite->setGeometry(8, 22, 190, 17);
    radFESkip = named(new QRadioButton(QStringLiteral("Skip"), pagReactions), "radFESkip");
    radFESkip->setGeometry(8, 40, 190, 17);
    radFEAsk = named(new QRadioButton(QStringLiteral("Ask"), pagReactions), "radFEAsk");
    radFEAsk->setGeometry(8, 58, 190, 17);
    radFEAsk->setChecked(true);
    pcOutputSettings->addTab(pagReactions, QStringLiteral("Reactions"));

    tabFileFormat = named(new QWidget, "tabFileFormat");
    Label1 = label(tabFileFormat, "Label1", QStringLiteral("File format:"), {8, 8, 80, 17});
    lstOutputFormat = dropDown(tabFileFormat, "lstOutputFormat",
                               {QStringLiteral("Original"), QStringLiteral("JPEG"), QStringLiteral("TIFF"),
                                QStringLiteral("Photoshop"), QStringLiteral("TGA"), QStringLiteral("PNG")},
                               0);
    lstOutputFormat->setGeometry(96, 5, 113, 21);
    Label2 = label(tabFileFormat, "Label2", QStringLiteral("JPEG Quality:"), {8, 32, 120, 17});
    lblQuality = label(tabFileFormat, "lblQuality", QStringLiteral("80"), {169, 32, 40, 17});
    lblQuality->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tbQuality = named(new QSlider(Qt::Horizontal, tabFileFormat), "tbQuality");
    tbQuality->setRange(0, 99);
    tbQuality->setTickInterval(10);
    tbQuality->setTickPosition(QSlider::TicksBelow);
    tbQuality->setValue(80);
    tbQuality->setGeometry(4, 50, 205, 26);
    pcOutputSettings->addTab(tabFileFormat, QStringLiteral("File Format"));

    m_layout.add(pcOutputSettings, {444, 120, 217, 105}, TopRight);
}

void TForm1::buildPreviewAndProceed()
{
    pnlPreview = panel(m_surface, "pnlPreview", QFrame::Sunken);
    Image1 = named(new QLabel(pnlPreview), "Image1");
    Image1->setGeometry(1, 1, 214, 151);
    Image1->setAlignment(Qt::AlignCenter);
    m_layout.add(pnlPreview, {444, 256, 216, 153}, TopRight);

    ProgressBar = named(new QProgressBar(m_surface), "ProgressBar");
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    m_layout.add(ProgressBar, {444, 416, 217, 16}, TopRight);

    btnProceed = named(new QPushButton(QStringLiteral("Proceed"), m_surface), "btnProceed");
    m_layout.add(btnProceed, {588, 440, 75, 25}, TopRight);
}

} // namespace markwell
