#pragma once
// The main window. Its implementation is split by concern over several files
// (reMainForm*.cpp), all one class.
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <optional>

#include "core/ErrorPanel.h"
#include "core/TidyConfigPage.h"
#include "documents/TDocument.h"
#include "validation/TidyConfigFile.h"
#include "program/TidyOptionTables.h"
#include "program/VkSettings.h"
#include "program/uDivStartVK.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class QTextEdit;
class QTimer;
class QToolBar;
class QToolButton;
class QWebEngineView;
class QsciScintilla;
class SyntaxColorModel;
class TDocument;
class TDocumentTabs;
class DocumentFiles;
class TRecentFilesMenu;
struct FileOutcome;
struct FileDialogSettings;
class TInsertionCommands;

// What changed in an editor, for SynEditStatusChange.
enum SynStatusChange {
    scCaretX = 0x01,
    scCaretY = 0x02,
    scModified = 0x04,
    scInsertMode = 0x08,
    scSelection = 0x10,
    scAll = 0x1F,
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // The document tabs: the documents, the one in front, and when it changes.
    TDocumentTabs *DocumentTabs() const { return m_documents; }
    // The settings as the window holds them, read-only: the parts that change a setting are
    // handed the object when they are made.
    const VkSettings &Settings() const { return m_settings; }

private:
    // The handlers, run from the window's own menu items, buttons and timers.

    // Start-up and shut-down.
    void FormCreate();
    void FormShow();
    void FormResize();
    // True when the window may close (nothing was cancelled).
    bool FormClose();
    bool AllFilesSaved() const;
    void SetShortCuts();
    void ShowQuickStart();
    void InitCBFont();
    void ResetAndNew();
    void ResetStatusBar();
    void ResetTidyErrors();

    // Openers of the other windows.
    void ShowTagNamesEditor();
    void ShowAbout();
    void ShowAddTidyConfigValue();
    void ShowNewVersionExists();
    void ShowOptimizer();
    void ShowFormReplaceSE();
    void ShowGeneratorContainer();
    void ShowGeneratorTable();
    void ShowSyntaxColor();
    void ShowFormTable();
    void ShowHTMLEntitiesList();
    void ShowRecalcImageSize();

    // Documents and tabs.
    // The document in front; null while the Tidy configuration page is in front or none is open.
    TDocument *ActiveDocument() const;
    // The open documents in tab order.
    QList<TDocument *> Documents() const;
    // The editor of the document in front (null when none).
    QsciScintilla *ActiveSynEdit() const;
    void CreateTabSheetAndEditor();
    void TBSynEditDynShow(TDocument *document);
    void SynEditStatusChange(QsciScintilla *sender, int changes);
    void ActualiseSynEditStatus();
    void ActualizeStatusBar();
    // Asks whether to save a modified document; false when the document must stay
    // (Cancel, or Yes and the save did not happen).
    bool SaveBeforeExit(TDocument *document);
    void PopUpCloseClick();
    void PopUpTabSheetPopup();
    void PopupRenameFileClick();
    void PopupPathClick();
    void DropFiles(const QStringList &paths);
    void ButtonWordWrapClick();
    void ButtonShowHiddenCharsClick();
    void ShowHiddenChars(bool show);
    void SEFontSizeChange();
    void CBFontChange();
    static QString SelectionStatusText(QsciScintilla *editor);
    void ShowCaretStatus(QsciScintilla *editor);
    void ShowModifiedStatus(QsciScintilla *editor);
    void ShowUndoRedoStatus(QsciScintilla *editor);
    void ApplyEditorFont(QsciScintilla *editor, const QFont &font);
    static QFont EditorFont(QsciScintilla *editor);
    void ApplyGutterColors(QsciScintilla *editor);
    bool DocumentPageInFront() const;

    // New, open and save.
    bool MenuSaveClick();
    bool MenuSaveAsClick();
    void MenuNewDocClick(QObject *sender);
    void MenuOpenClick();
    void MenuBlankWebsiteTemplateClick();
    // Opens a file in a tab of its own, or brings the tab that has it to the front.
    // Nothing is left behind when it cannot be read (false, and the user is told why).
    bool OpenDocument(const QString &path);
    // Shows a document just read from its file.
    void ShowOpenedFile(TDocument *document);
    void OpenTabOfTheFile(const QString &path);
    bool IsSameFile(const QString &path);
    bool SaveFileAs(const QString &proposed);
    // Writes the document's text in its encoding; false (and a message) on failure.
    bool SaveFileAsType(const QString &path, TDocument *document);
    void ShowFileType(const QString &encoding);
    void ActualizeFileType();
    void EncodingRadioClick(const QString &encoding);
    void SetCBCharset();
    // The Encoding page's buttons with the encoding each stands for.
    QList<QPair<QRadioButton *, QString>> EncodingButtons() const;
    void CBCharsetChange();
    void RecentFileListCreateMenu();
    void ItemRecentFilesClick(int position);
    void EraseRecentFilesClick();
    // The temporary copy moves to another folder; the copy at the old path is deleted
    // when the program wrote it.
    void MoveTemporaryCopy(const QString &folder);

    // Validation with HTML Tidy.
    void ButtonAnalyzeClick();
    void ButtonCleanClick();
    void ButtonCancelChangesClick();
    // One run: mode 0 analyses, mode 1 cleans.
    void CallTidy(int mode);
    bool TidyVersion4() const;
    void ShowEditorPage();
    void GridErrorsDblClick();

    // Edit commands, search dispatch, printing and the preview page (reMainFormEdit.cpp).
    void ConnectEditCommands();
    void InstallDocumentHooks(TDocument *document);
    // The search and replace window, made on first use.
    class TSearchReplaceSE *SearchReplaceSE();
    // The document the edit commands act on: the one in front, or the last one shown
    // while the Tidy page is in front; null when none is open.
    TDocument *EditDocument() const;
    bool TidyPageInFront() const;
    // The editor of the document when its editor page is in front; null otherwise.
    QsciScintilla *EditorInFront(TDocument *document) const;
    static bool PreviewShown(TDocument *document);
    void MenuEditClick();
    void MenuEditSub();
    void MenuUndoClick();
    void MenuRedoClick();
    void MenuCutClick();
    void MenuCopyClick();
    void MenuPasteClick();
    void MenuDeleteClick();
    void MenuSelectAllClick();
    void MenuSearchClick();
    void MenuSearchNextClick();
    void MenuReplaceClick();
    void WBFindDialog();
    void MenuPrintClick();
    void MenuPrinterSetupClick();
    void TBPreviewShow();
    void ButtonWBReload();
    void ButtonWBOutputPreviousClick();
    void ButtonWBOutputNextClick();
    static void LoadHtmlPage(QWebEngineView *browser, const QString &path);
    void EditorMouseKeyUp(QsciScintilla *editor);
    // The editor's printer and the preview's page set-up, kept between uses.
    class TDocumentPrinting *m_printing = nullptr;

    // Error list.
    void GridErrorsReset();
    void GridErrorsSize();
    void PanelGridErrorReplace();
    void ButtonCloseGridErrorsClick();

    // Status bar panels 0 to 6.
    QLabel *StatusPanel(int index) const;
    QString StatusPanelText(int index) const;
    void SetStatusIcon(int imageIndex);

    // The Tidy configuration page (TTidyConfigPage); the handlers forward to it.
    void CBTidyConfigInit();
    void CBTidyConfigChange();
    void LoadGridTidyConfig(const QString &file);
    void GridTidyConfigInit();
    void GridTidyConfigSize();
    void GridTidyConfigReset();
    void GridTidyConfigSelectCell(int column, int row);
    void CBTidyConfigValuesClick();
    void GridTidyConfigTopLeftChanged();
    bool GridTidyConfigSave(const QString &file, int mode);
    bool ButtonGridTidyConfigSaveClick();
    void ButtonGridTydiConfigDeleteItemClick();
    void DeleteGridEmptyClasses();
    bool AddOptionToConfigGrid(const QString &name, const QString &value);
    void TBTidyConfigShow();
    void TBTidyConfigHide();

    // Steps of start-up that other parts of the window supply.
    void ActivateBrowserEmulationStep();
    void TidyConfigPageInit();
    void OpenLastFiles(const QStringList &lastFiles);
    void InitMultiHighlighters();
    void OpenRememberedTheme();
    void CloseToolWindows();

    // View, Options and Help menus, the version check (reMainFormMenus.cpp).
    void ConnectMenuCommands();
    void MenuShowErrorsCommentsClick();
    void MenuErrorEditorToLeftClick();
    void MenuEnableJavascriptClick();
    void MenuTidy4Click();
    void MenuTidy5Click();
    void CallHelpHtml();
    void MenuWebsiteClick();
    void MenuTidySourceForgeClick();
    void MenuTidyHtmlpediaClick();
    void MenuAboutClick();
    void TimerActualizeTimer();
    // Starts the check without waiting for it; its answer is acted on when it comes.
    void CheckNewVersion();
    // Each request of the check gives up after this.
    void SetVersionCheckTimeout(int milliseconds) { m_versionCheckTimeoutMs = milliseconds; }

    // Settings and language (filled in by their own files).
    void OpenIniFile(const QString &path);
    // Puts the window's frame at the stored place, on a screen.
    void PlaceWindow(const QPoint &frameTopLeft);
    void SaveIniFile(const QString &path);
    void OpenLanguageFile(const QString &path);
    void MenuLanguageClick();
    void CreateIniFile(const QString &path);
    void ApplyLanguageTexts(const QList<struct LanguageText> &texts);
    // The settings as they stand now, as the settings file stores them.
    VkSettings CurrentSettings() const;
    // The window's settings: what it read from the settings file and keeps up to date
    // (what its controls hold is taken from them when saving), and the language's files.

    // The colour model every editor follows; it exists, with the built-in colours, from the
    // window's creation, so the first document is coloured.
    SyntaxColorModel *SyntaxColors() const { return m_syntaxColors; }

private:
    // Components.
    QTabWidget *PageControlMemos = nullptr;
    QTabWidget *PageControlHaut = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QComboBox *CBFont = nullptr;
    QSpinBox *SEFontSize = nullptr;
    QToolButton *ButtonShowHiddenChars = nullptr;
    QToolButton *ButtonWordWrap = nullptr;
    QComboBox *CBCharset = nullptr;
    QRadioButton *RBAnsi = nullptr;
    QRadioButton *RBUtf8 = nullptr;
    QRadioButton *RBUtf8Bom = nullptr;
    QRadioButton *RBUtf16LE = nullptr;
    QRadioButton *RBUtf16BE = nullptr;
    QToolButton *ButtonSave = nullptr;
    QMenu *PopupHtmlTagsAndAttributes = nullptr;
    QMenu *PopUpTabSheet = nullptr;
    QMenu *MenuRecentFiles = nullptr;
    QTimer *TimerActualize = nullptr;

    // Insertion commands: tool bars, drop-down menus, the editors' pop-up menu.
    TInsertionCommands *Insertion() const { return m_insertion; }

    // A menu action or other component by its name.
    QAction *Action(const QString &name) const;

    QString OpenDialogFilter;
    QString SaveDialogFilter;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The paths stay as they are while the window lives; declared first, it holds them
    // before anything reads them.
    ProgramPathsInUse m_pathsInUse;
    VkSettings m_settings;
    QString m_quickStartTexts[6];
    // The error panel takes its default size until the user drags it.
    bool m_errorPanelDefaultSize = true;
    // Markup the generators and the plain-table dialog hand over for insertion.
    QString m_generatedHtml;
    QString m_newDocExtension = QStringLiteral("html");
    int m_versionCheckTimeoutMs = 10000;
    // False once a completed check said the running version is old.
    bool m_versionIsCurrent = true;

    void buildMenus();
    void buildTopArea();
    void buildDocumentArea();
    void buildStatusBar();
    void buildInsertion(QWidget *htmlTags, QWidget *tablesLists, QWidget *forms, QWidget *attributes);
    QAction *addAction(QMenu *menu, const QString &name, const QString &caption,
                       const QKeySequence &shortcut = QKeySequence());
    void connectEditor(QsciScintilla *editor);
    // The enabled pop-up menu item a key press in an editor stands for; null when none.
    QAction *EditorShortcutOf(const class QKeyEvent *key) const;
    QList<QPointer<QAction>> m_editorShortcuts;
    void OpenThroughDialog(const QString &presetFile);
    // The documents' file work, and what the window shows of it.
    void buildDocumentFiles();
    FileDialogSettings FileSettings() const;
    bool Opened(const FileOutcome &outcome);
    bool SavedAs(const FileOutcome &outcome);
    DocumentFiles *m_files = nullptr;
    TRecentFilesMenu *m_recentMenu = nullptr;
    // The tabs' pictures and the page captions of the language file.
    void ApplyDocumentLook();
    TDocumentTabs *m_documents = nullptr;

    static SyntaxColorModel *NewSyntaxColors(QObject *owner);

    // The document area: the tabs, the Tidy page and the error panel.
    QSplitter *SplitterPanelGridError = nullptr;
    TTidyConfigPage *TBTidyConfig = nullptr;
    TErrorPanel *PanelGridErrors = nullptr;
    // Runs of Tidy, and what they show in this window.
    class ValidationFrame;
    class TValidationPart *m_validation = nullptr;
    void CreateValidationPart();

    SyntaxColorModel *m_syntaxColors = NewSyntaxColors(this);
    TInsertionCommands *m_insertion = nullptr;
    bool m_shown = false;
    bool m_acceptDrops = false;
    bool m_settingsNotRead = false;
    // The frame's place read at start-up, while the window is being shown.
    std::optional<QPoint> m_startPlace;
    void GiveStartPlace();
    // The frame's place out of the maximized state.
    QPoint m_normalPlace;
    QLabel *m_statusPanels[7] = {};
    QPointer<class TSearchReplaceSE> m_searchWindow;
    QPointer<class TVersionCheck> m_versionCheck;
};
