// Start-up and shut-down of the main window, status resets and the window openers.
#include "core/reMainForm.h"

#include "core/ValidationPart.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "dialogs/UserDialogs.h"
#include "documents/TDocument.h"
#include "program/VkNewversion.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <Qsci/qsciscintilla.h>

#include <algorithm>

void TMainForm::FormCreate()
{
    setWindowTitle(ProductTitle);
    OpenDialogFilter =
        "All Files (*.*)|*|Web Files (*.html,*.htm,*.xhtml,*.shtml,*.asp,*.wml,*.php,*.phtml)|"
        "*.html;*.htm*;*.xhtml;*.shtml;*.asp;*.wml;*.php;*.phtml|HTML Files (*.htm*)|*.html*|"
        "PHP Files (*.php)|*.php|CSS Files (*.css)|*.css|Javascript Files (*.js)|*.js|"
        "ASP Files (*.asp)|*.asp|XHTML Files (*.xhtm*)|*.xhtm*|SHTML Files (*.shtml)|*.shtml|"
        "TXT Files (*.txt)|*.txt| Image Files (*.jpg, *.jpeg, *.gif, *.png)|*.jpg;*.jpeg;*.gif;*.png";
    SaveDialogFilter =
        "All Files (*.*)|*|Config Files (*.cfg)|*.cfg|HTML Files (*.htm*)|*.html*|PHP Files (*.php)|*.php|"
        "CSS Files (*.css)|*.css|Javascript Files (*.js)|*.js|ASP Files (*.asp)|*.asp|"
        "XHTML Files (*.xhtm*)|*.xhtm*|SHTML Files (*.shtml)|*.shtml|TXT Files (*.txt)|*.txt|";
    ActivateBrowserEmulationStep();
    if (TBTidyConfig->ConfigList()->count() > 0)
        TBTidyConfig->ConfigList()->setCurrentIndex(0);
    if (CBFont->count() > 0)
        CBFont->setCurrentIndex(0);
    if (CBCharset->count() > 2)
        CBCharset->setCurrentIndex(2);
    CBCharset->setMaxVisibleItems(20);
    TBTidyConfig->ValueList()->hide();
    TBTidyConfig->ValueList()->setCurrentText(QString());
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TMainForm::FormShow()
{
    m_acceptDrops = true;
    setAcceptDrops(true);
    InitCBFont();
    OpenIniFile(Paths().IniFileName);
    // Reading the settings resizes the window, which placed the panel on its old side already.
    m_errorPanelDefaultSize = true;
    PanelGridErrorReplace();
    OpenLanguageFile(m_settings.LanguageFileName);
    const bool showErrors = Action("MenuShowErrorsComments")->isChecked();
    PanelGridErrors->setVisible(showErrors);
    Action("MenuErrorEditorToLeft")->setEnabled(showErrors);
    TidyConfigPageInit();
    Action("MenuEnableJavascript")->setChecked(m_settings.MenuEnableJavascript);
    PageControlHaut->setCurrentWidget(PageControlHaut->findChild<QWidget *>("TBHtmlTags"));
    SetShortCuts();
    if (m_settings.HasLastFiles)
        OpenLastFiles(m_settings.LastFiles);
    else
        MenuNewDocClick(this);
    InitMultiHighlighters();
    SEFontSizeChange();
    CBFontChange();
    OpenRememberedTheme();
    RecentFileListCreateMenu();
    if (m_settings.ShowNewVersion)
        TimerActualize->start();
    ShowQuickStart();
    m_startPlace.reset();
}

bool TMainForm::event(QEvent *event)
{
    // The first preview anywhere in the window makes the window anew, before it appears
    // when a box above ran the event loop.
    if (event->type() == QEvent::WinIdChange)
        GiveStartPlace();
    return QMainWindow::event(event);
}

void TMainForm::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    // Maximized, the window knows only where its inside would be: the frame's place is
    // kept while it is known, to be stored and given back at the next start.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        m_normalPlace = frameGeometry().topLeft();
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (m_shown)
        FormResize();
}

void TMainForm::FormResize()
{
    PanelGridErrorReplace();
    GridTidyConfigSize();
    GridTidyConfigInit();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

bool TMainForm::FormClose()
{
    // A version check still under way is dropped: no dialog may come up while closing.
    if (m_versionCheck)
        m_versionCheck->Abandon();
    // Every modified document is asked about, whatever its tab shows; a save that
    // is cancelled or fails keeps the program open.
    for (TDocument *document : Documents()) {
        if (!SaveBeforeExit(document))
            return false;
    }
    m_acceptDrops = false;
    setAcceptDrops(false);
    SaveIniFile(Paths().IniFileName);
    CloseToolWindows();
    m_validation->DeleteTemporaryFiles();
    return true;
}

bool TMainForm::AllFilesSaved() const
{
    const QList<TDocument *> documents = Documents();
    return std::none_of(documents.cbegin(), documents.cend(), [](const TDocument *d) { return d->isModified(); });
}

void TMainForm::SetShortCuts()
{
    const QList<QPair<QString, QString>> shortcuts = {
        {"PopupComments", "Alt+C"}, {"PopupParagraph", "Alt+P"}, {"PopupLineBreak", "Alt+L"},
        {"PopupLineBreakStrict", "Ctrl+Alt+L"}, {"PopupDiv", "Alt+D"}, {"PopupSpan", "Alt+S"},
        {"PopupBold", "Ctrl+B"}, {"PopupStrong", "Ctrl+Alt+B"}, {"PopupItalic", "Ctrl+I"},
        {"PopupEm", "Ctrl+Alt+I"}, {"PopupUnderline", "Ctrl+U"}, {"PopupStrikeHtml5_1", "Ctrl+Alt+S"},
        {"PopupDel_1", "Ctrl+D"},
    };
    // The popup is not on screen while typing: the editors' key filter carries these keys,
    // before the menu bar's hot keys (the French "É&dition" and "O&ptions" claim Alt+D and
    // Alt+P too). Elsewhere in the window the menu bar keeps them.
    m_editorShortcuts.clear();
    for (const auto &item : shortcuts) {
        if (QAction *a = Action(item.first)) {
            a->setShortcut(QKeySequence(item.second));
            a->setShortcutContext(Qt::WidgetShortcut);
            m_editorShortcuts << a;
        }
    }
}

void TMainForm::ShowQuickStart()
{
    QTextEdit *info = PanelGridErrors->info();
    info->clear();
    QTextCursor cursor(info->document());
    QTextBlockFormat block;
    block.setTextIndent(2);
    block.setRightMargin(2);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (int i = 0; i < 6; ++i) {
        if (i == 0)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        cursor.insertText(m_quickStartTexts[i], bold);
    }
}

void TMainForm::InitCBFont()
{
    CBFont->blockSignals(true);
    CBFont->clear();
    const QStringList families = QFontDatabase::families();
    for (const QString &family : families) {
        if (QFontDatabase::isFixedPitch(family) && !QFontDatabase::isPrivateFamily(family))
            CBFont->addItem(family.left(32));
    }
    if (CBFont->count() == 0) {
        // No fixed-pitch face known: offer the system's fixed font.
        CBFont->addItem(QFontDatabase::systemFont(QFontDatabase::FixedFont).family().left(32));
    }
    int index = 0;
    for (int i = 0; i < CBFont->count(); ++i) {
        if (CBFont->itemText(i).compare("Courier New", Qt::CaseInsensitive) == 0) {
            index = i;
            break;
        }
    }
    CBFont->setCurrentIndex(index);
    CBFont->setMaxVisibleItems(qMin(CBFont->count(), 20));
    CBFont->blockSignals(false);
}

void TMainForm::ResetAndNew()
{
    for (int i = 0; i < 7; ++i)
        StatusPanel(i)->clear();
    PanelGridErrors->info()->clear();
    // The configuration's comments belong to the option grid, not to a document.
    GridErrorsReset();
    SetStatusIcon(-1);
}

void TMainForm::ResetStatusBar()
{
    for (int i = 0; i < 7; ++i)
        StatusPanel(i)->clear();
    SetStatusIcon(-1);
}

void TMainForm::ResetTidyErrors()
{
    StatusPanel(6)->clear();
    PanelGridErrors->info()->clear();
    GridErrorsReset();
    SetStatusIcon(-1);
}
