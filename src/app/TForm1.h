#pragma once

#include "AnchorLayout.h"
#include "StampSettings.h"
#include "TLanguage.h"

#include <QImage>
#include <QMainWindow>
#include <QStringList>

#include <memory>

class QAction;
class QPainter;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QWidget;

namespace markwell {

class BatchRun;
class Dialogs;
class RunLog;
class TStripedListBox;
class TaTagButton;
class WindowBatchHost;
class WindowPreviewHost;
class TPreviewThread;
class TAboutBox;
class FormSurface;
class LogSink;

// The main window. It owns every control, and each control holds one setting: the
// settings are read from the controls whenever they are needed.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    // `programFolder` is where the program finds its languages and help; configurations
    // and the preview file go there too while it can be written to.
    TForm1(const QString &programFolder, Dialogs &dialogs, const QStringList &commandLine = {},
           QWidget *parent = nullptr);
    ~TForm1() override;

    void AddToLog(const QString &message);

    // The settings as the controls hold them now.
    StampSettings currentSettings() const;

    const TLanguage &language() const { return Language; }
    Dialogs &dialogs() const { return m_dialogs; }
    BatchRun &batchRun() const { return *m_batchRun; }

    // The window's drawing of its section header bars, behind the controls.
    void PaintWindow(QPainter &painter);
    // Moves the controls by their anchors to the client area's size.
    void layoutControls();

    // Paths worked out at construction.
    QString AppDir;
    QString ConfigDir;
    QString StartupConfigPath;
    QString LanguagesDir;
    QString PreviewFilePath;
    QString VersionText;
    QString LanguageFile;
    QStringList LanguageFiles;
    int SnapDistance = 10;
    bool Dragging = false;
    int DragStartX = 0;
    int DragStartY = 0;
    QImage GradientBitmap;

    // Controls, named as in the window design.
    TStripedListBox *lstFiles = nullptr;
    TaTagButton *btnAddFiles = nullptr;
    TaTagButton *btnRemFiles = nullptr;
    TaTagButton *btnClearFiles = nullptr;
    QComboBox *lstLog = nullptr;
    QComboBox *lstMarkType = nullptr;
    QFrame *pnlPicMark = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *txtMark = nullptr;
    TaTagButton *btnSetMark = nullptr;
    QFrame *pnlTextMark = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *lblFontSample = nullptr;
    QPushButton *btnSetFont = nullptr;
    QCheckBox *chkSnap = nullptr;
    QComboBox *lstMarkPosType = nullptr;
    QFrame *pnlAbsPos = nullptr;
    QLineEdit *txtXOffset = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *lstXOffset = nullptr;
    QLineEdit *txtYOffset = nullptr;
    QLabel *Label8 = nullptr;
    QComboBox *lstYOffset = nullptr;
    QFrame *pnlRelPos = nullptr;
    QFrame *Shape1 = nullptr;
    QLabel *lblMark = nullptr;
    QFrame *pnlOptions = nullptr;
    QLabel *Label11 = nullptr;
    QComboBox *lstConfigs = nullptr;
    TaTagButton *btnSaveConfig = nullptr;
    QTabWidget *pcOutputSettings = nullptr;
    QWidget *pagDFolder = nullptr;
    QRadioButton *radOrigDir = nullptr;
    QRadioButton *radCustomDir = nullptr;
    QLineEdit *txtDestFolder = nullptr;
    TaTagButton *btnSetDir = nullptr;
    QWidget *pagReactions = nullptr;
    QLabel *Label14 = nullptr;
    QRadioButton *radFEOverwrite = nullptr;
    QRadioButton *radFESkip = nullptr;
    QRadioButton *radFEAsk = nullptr;
    QWidget *tabFileFormat = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *lstOutputFormat = nullptr;
    QLabel *Label2 = nullptr;
    QSlider *tbQuality = nullptr;
    QLabel *lblQuality = nullptr;
    QFrame *pnlPreview = nullptr;
    QLabel *Image1 = nullptr;
    QProgressBar *ProgressBar = nullptr;
    QPushButton *btnProceed = nullptr;

    QMenu *mnuFile = nullptr;
    QAction *Proceed1 = nullptr;
    QAction *FileExit = nullptr;
    QMenu *FileList1 = nullptr;
    QAction *AddFiles = nullptr;
    QAction *RemFiles = nullptr;
    QAction *ClearList = nullptr;
    QMenu *mnuLanguages = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *HelpContents1 = nullptr;
    QAction *HelpIndex = nullptr;
    QAction *HelpTutorials = nullptr;
    QAction *ContactOrbisoft1 = nullptr;
    QAction *HelpAbout = nullptr;
    QMenu *PopupMenu1 = nullptr;

    enum class SaveOutcome { Saved, Declined, Failed };
    SaveOutcome SaveConfig(const QString &path);
    void LoadConfig(const QString &path);
    void FillConfigList();
    void ApplyLanguage(const QString &path);
    void BuildLanguageMenu();
    void LanguageMenuClick(QObject *sender);

    // Where the design puts the position-type list and the snap box.
    static constexpr int DesignMarkPosTypeLeft = 220;
    static constexpr int DesignSnapTop = 200;

    // The stamp font: lblFontSample shows it.
    StampFont markFont() const { return m_markFont; }
    void setMarkFont(const StampFont &font);

public slots:
    void btnProceedClick();
    void btnAddFilesClick();
    void btnRemFilesClick();
    void btnClearFilesClick();
    void FileExitClick();
    void lstMarkTypeChange();
    void lstMarkPosTypeChange();
    void Edit1Change();
    void tbQualityChange();
    void btnSetMarkClick();
    void btnSetFontClick();
    void btnSetDirClick();
    void chkSnapClick();
    void btnSaveConfigClick();
    void lstConfigsChange();
    void Contents1Click();
    void HelpIndexExecute();
    void HelpTutorialsExecute();
    void ContactOrbisoft1Click();
    void HelpAboutClick();

    TPreviewThread *PreviewThread() const { return m_previewThread.get(); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void buildFileListPanel();
    void buildStampPanels();
    void buildPositionPanels();
    void buildOptionsPanel();
    void buildOutputPages();
    void buildPreviewAndProceed();
    void connectHandlers();
    void appendCommandLine(const QStringList &paths);
    void widenScrollWidthFor(const QString &path);
    void paintBar(QPainter &painter, const QRect &bar, const QString &text);
    void updateFontSample();
    void lblMarkMouseDown(QPoint position);
    void lblMarkMouseMove(QPoint position);
    void lblMarkMouseUp();
    void stopPreviewThread();
    void completeConfigName(const QString &typed);

    Dialogs &m_dialogs;
    TLanguage Language;
    StampFont m_markFont;
    FormSurface *m_surface = nullptr;
    AnchorLayout m_layout;
    std::unique_ptr<WindowBatchHost> m_batchHost;
    std::unique_ptr<BatchRun> m_batchRun;
    std::unique_ptr<LogSink> m_logSink;
    std::unique_ptr<RunLog> m_runLog;
    std::unique_ptr<WindowPreviewHost> m_previewHost;
    std::unique_ptr<TPreviewThread> m_previewThread;
    TAboutBox *m_aboutBox = nullptr;
    bool m_closeAfterRun = false;
};

} // namespace markwell
