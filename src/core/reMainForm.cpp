// Construction of the main window: menus, tool bars, document area, error panel, status bar.
#include "core/reMainForm.h"

#include "authoring/TInsertionCommands.h"
#include "util/DocumentText.h"
#include "core/ErrorPanel.h"
#include "core/ImageList.h"
#include "documents/TDocument.h"
#include "program/uDivStartVK.h"
#include "core/Highlighters.h"
#include "documents/TDocument.h"
#include "documents/TDocumentTabs.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *toolButton(QWidget *parent, const QString &name, int image, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(ImageList1(image));
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setToolTip(hint);
    return button;
}
} // namespace

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName("MainForm");
    resize(840, 600);
    buildMenus();
    buildTopArea();
    buildDocumentArea();
    buildDocumentFiles();
    buildStatusBar();
    TimerActualize = new QTimer(this);
    TimerActualize->setObjectName("TimerActualize");
    TimerActualize->setInterval(300000);
    TimerActualize->setSingleShot(true);
    ConnectEditCommands();
    ConnectMenuCommands();
    FormCreate();
    CreateValidationPart();
}

TMainForm::~TMainForm() = default;

QAction *TMainForm::addAction(QMenu *menu, const QString &name, const QString &caption,
                              const QKeySequence &shortcut)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

QAction *TMainForm::Action(const QString &name) const
{
    return findChild<QAction *>(name);
}

void TMainForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName("MainMenu1");

    auto menu = [&](const QString &name, const QString &caption) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };
    auto subMenu = [&](QMenu *parentMenu, const QString &name, const QString &caption) {
        QMenu *m = parentMenu->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };

    QMenu *file = menu("MenuFile", tr("&File"));
    QMenu *newMenu = subMenu(file, "MenuNew", tr("&New"));
    const QStringList newItems = {"MenuNewDocHTML5", "MenuNewDocHTML4", "NewDocPHP", "NewDocCss", "NewDocTXT"};
    const QStringList newCaptions = {tr("HTML5 document"), tr("HTML 4.01 document"), tr("PHP document"),
                                     tr("CSS style sheet"), tr("Text document")};
    for (int i = 0; i < newItems.size(); ++i) {
        QAction *a = addAction(newMenu, newItems[i], newCaptions[i]);
        connect(a, &QAction::triggered, this, [this, a] { MenuNewDocClick(a); });
    }
    connect(addAction(file, "MenuOpen", tr("&Open..."), QKeySequence("Ctrl+O")), &QAction::triggered,
            this, &TMainForm::MenuOpenClick);
    MenuRecentFiles = subMenu(file, "MenuRecentFiles", tr("&Recent files"));
    file->addSeparator();
    connect(addAction(file, "MenuSave", tr("&Save"), QKeySequence("Ctrl+S")), &QAction::triggered, this,
            [this] { MenuSaveClick(); });
    connect(addAction(file, "MenuSaveAs", tr("Save &as...")), &QAction::triggered, this,
            [this] { MenuSaveAsClick(); });
    connect(addAction(file, "MenuCloseActiveTab", tr("&Close document")), &QAction::triggered, this,
            &TMainForm::PopUpCloseClick);
    file->addSeparator();
    connect(addAction(file, "MenuBlankWebsiteTemplate", tr("Blank &website template")), &QAction::triggered,
            this, &TMainForm::MenuBlankWebsiteTemplateClick);
    file->addSeparator();
    addAction(file, "MenuPrint", tr("&Print..."), QKeySequence("Ctrl+P"));
    addAction(file, "MenuPrinterSetup", tr("Printer set&up..."));
    file->addSeparator();
    connect(addAction(file, "MenuClose", tr("E&xit")), &QAction::triggered, this, &QWidget::close);

    QMenu *edit = menu("MenuEdit", tr("&Edit"));
    addAction(edit, "MenuUndo", tr("&Undo"), QKeySequence("Ctrl+Z"))->setIcon(ImageList1(imgUndoOff));
    addAction(edit, "MenuRedo", tr("&Redo"))->setIcon(ImageList1(imgRedoOff));
    edit->addSeparator();
    addAction(edit, "MenuCut", tr("Cu&t"), QKeySequence("Ctrl+X"));
    addAction(edit, "MenuCopy", tr("&Copy"), QKeySequence("Ctrl+C"));
    addAction(edit, "MenuPaste", tr("&Paste"), QKeySequence("Ctrl+V"));
    addAction(edit, "MenuDelete", tr("&Delete"));
    edit->addSeparator();
    addAction(edit, "MenuSearch", tr("&Search..."), QKeySequence("Ctrl+F"));
    addAction(edit, "MenuSearchNext", tr("Search &next"), QKeySequence("F3"));
    addAction(edit, "MenuReplace", tr("&Replace..."), QKeySequence("Ctrl+R"));
    edit->addSeparator();
    addAction(edit, "MenuSelectAll", tr("Select &all"), QKeySequence("Ctrl+A"));
    // Editor shortcuts act on the focused editor; the menu items must not steal them.
    for (QAction *a : edit->actions())
        a->setShortcutContext(Qt::WidgetShortcut);

    QMenu *view = menu("MenuView", tr("&View"));
    QAction *showErrors = addAction(view, "MenuShowErrorsComments", tr("&Errors and comments"));
    showErrors->setCheckable(true);
    showErrors->setChecked(true);
    addAction(view, "MenuErrorEditorToLeft", tr("Errors panel on the &left"))->setCheckable(true);

    QMenu *tidy = menu("MenuTidy", tr("&Tidy"));
    connect(addAction(tidy, "MenuAnalyze", tr("&Analyze")), &QAction::triggered, this,
            &TMainForm::ButtonAnalyzeClick);
    connect(addAction(tidy, "MenuClean", tr("&Clean")), &QAction::triggered, this, &TMainForm::ButtonCleanClick);
    connect(addAction(tidy, "MenuUndoAllChanges", tr("&Undo clean")), &QAction::triggered, this,
            &TMainForm::ButtonCancelChangesClick);
    tidy->addSeparator();
    QAction *tidy4 = addAction(tidy, "MenuTidy4", tr("Tidy &4"));
    QAction *tidy5 = addAction(tidy, "MenuTidy5", tr("Tidy &5"));
    tidy4->setCheckable(true);
    tidy5->setCheckable(true);
    tidy5->setChecked(true);

    QMenu *tools = menu("MenuTools", tr("T&ools"));
    addAction(tools, "MenuContainerEditor", tr("&Container generator..."));
    addAction(tools, "MenuTableEditor", tr("&Table generator..."));
    connect(addAction(tools, "MenuHTMLEntities", tr("HTML &entities")), &QAction::triggered, this,
            &TMainForm::ShowHTMLEntitiesList);
    connect(addAction(tools, "MenuImageResizingCalculator", tr("&Image resizing calculator")),
            &QAction::triggered, this, &TMainForm::ShowRecalcImageSize);

    QMenu *options = menu("MenuOptions", tr("O&ptions"));
    connect(addAction(options, "MenuLanguage", tr("&Language...")), &QAction::triggered, this,
            &TMainForm::MenuLanguageClick);
    QAction *js = addAction(options, "MenuEnableJavascript", tr("Enable &JavaScript in the preview"));
    js->setCheckable(true);
    connect(addAction(options, "MenuSyntaxHighlighting", tr("&Syntax highlighting...")), &QAction::triggered,
            this, &TMainForm::ShowSyntaxColor);

    QMenu *help = menu("MenuHelp", tr("&Help"));
    addAction(help, "MenuHelpIndex", tr("&Help"), QKeySequence("F1"));
    addAction(help, "MenuWebsite", tr("&Website"));
    addAction(help, "MenuTidySourceForge", tr("HTML Tidy &project"));
    addAction(help, "MenuTidyHtmlpedia", tr("HTML &reference"));
    help->addSeparator();
    connect(addAction(help, "MenuAbout", tr("&About...")), &QAction::triggered, this, &TMainForm::ShowAbout);

    // The editors' context menu and the document tab menu.
    PopupHtmlTagsAndAttributes = new QMenu(this);
    PopupHtmlTagsAndAttributes->setObjectName("PopupHtmlTagsAndAttributes");
    addAction(PopupHtmlTagsAndAttributes, "PopupCut", tr("Cu&t"));
    addAction(PopupHtmlTagsAndAttributes, "PopupCopy", tr("&Copy"));
    addAction(PopupHtmlTagsAndAttributes, "PopupPaste", tr("&Paste"));
    PopupHtmlTagsAndAttributes->addSeparator();

    PopUpTabSheet = new QMenu(this);
    PopUpTabSheet->setObjectName("PopUpTabSheet");
    connect(addAction(PopUpTabSheet, "PopupSave", tr("&Save")), &QAction::triggered, this,
            [this] { MenuSaveClick(); });
    connect(addAction(PopUpTabSheet, "PopupSaveAs", tr("Save &as...")), &QAction::triggered, this,
            [this] { MenuSaveAsClick(); });
    connect(addAction(PopUpTabSheet, "PopupRenameFile", tr("&Rename...")), &QAction::triggered, this,
            &TMainForm::PopupRenameFileClick);
    connect(addAction(PopUpTabSheet, "PopupPath", tr("&Path")), &QAction::triggered, this,
            &TMainForm::PopupPathClick);
    connect(addAction(PopUpTabSheet, "PopUpClose", tr("&Close")), &QAction::triggered, this,
            &TMainForm::PopUpCloseClick);
    connect(PopUpTabSheet, &QMenu::aboutToShow, this, &TMainForm::PopUpTabSheetPopup);
}

void TMainForm::buildTopArea()
{
    auto *top = new QFrame(this);
    top->setObjectName("PanelMainTop");
    auto *layout = new QHBoxLayout(top);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);

    auto *left = new QWidget(top);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);
    auto buttonRow = [left](const QString &name) {
        auto *row = new QFrame(left);
        row->setObjectName(name);
        auto *rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        rowLayout->setSpacing(1);
        return row;
    };
    QFrame *newOpenSave = buttonRow("ToolBarNewOpenSave");
    QToolButton *buttonNew = toolButton(newOpenSave, "ButtonNew", imgNew, tr("New HTML5 document"));
    QToolButton *buttonOpen = toolButton(newOpenSave, "ButtonOpen", imgOpen, tr("Open a file"));
    ButtonSave = toolButton(newOpenSave, "ButtonSave", imgSaveIdle, tr("Save"));
    connect(buttonNew, &QToolButton::clicked, this, [this] { MenuNewDocClick(this); });
    connect(buttonOpen, &QToolButton::clicked, this, &TMainForm::MenuOpenClick);
    connect(ButtonSave, &QToolButton::clicked, this, [this] { MenuSaveClick(); });
    newOpenSave->layout()->addWidget(buttonNew);
    newOpenSave->layout()->addWidget(buttonOpen);
    newOpenSave->layout()->addWidget(ButtonSave);
    QFrame *toolBar1 = buttonRow("ToolBar1");
    QToolButton *optimizer = toolButton(toolBar1, "ButtonOptimizer", imgOptimizer, tr("HTML optimizer"));
    QToolButton *resize = toolButton(toolBar1, "ButtonImageResize", imgImageResize, tr("Image resizing calculator"));
    QToolButton *entities = toolButton(toolBar1, "ButtonHTMLEntitiesList", imgEntities, tr("HTML entities"));
    connect(optimizer, &QToolButton::clicked, this, &TMainForm::ShowOptimizer);
    connect(resize, &QToolButton::clicked, this, &TMainForm::ShowRecalcImageSize);
    connect(entities, &QToolButton::clicked, this, &TMainForm::ShowHTMLEntitiesList);
    toolBar1->layout()->addWidget(optimizer);
    toolBar1->layout()->addWidget(resize);
    toolBar1->layout()->addWidget(entities);
    leftLayout->addWidget(newOpenSave);
    leftLayout->addWidget(toolBar1);
    layout->addWidget(left);

    PageControlHaut = new QTabWidget(top);
    PageControlHaut->setObjectName("PageControlHaut");
    PageControlHaut->setDocumentMode(true);
    PageControlHaut->tabBar()->setUsesScrollButtons(true);
    auto page = [&](const QString &name, const QString &caption) {
        auto *w = new QWidget(PageControlHaut);
        w->setObjectName(name);
        auto *l = new QHBoxLayout(w);
        l->setContentsMargins(4, 2, 4, 2);
        l->setSpacing(2);
        PageControlHaut->addTab(w, caption);
        return w;
    };
    QWidget *tidyPage = page("TBTidyCommands", tr("Tidy"));
    const QList<std::tuple<QString, int, QString>> tidyButtons = {
        {"ButtonAnalyze", imgAnalyze, tr("Analyze")},
        {"ButtonClean", imgClean, tr("Clean")},
        {"ButtonUndoClean", imgUndoClean, tr("Undo clean")},
    };
    for (const auto &[name, image, caption] : tidyButtons) {
        QToolButton *b = toolButton(tidyPage, name, image, caption);
        b->setText(caption);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        tidyPage->layout()->addWidget(b);
        if (name == "ButtonAnalyze")
            connect(b, &QToolButton::clicked, this, &TMainForm::ButtonAnalyzeClick);
        else if (name == "ButtonClean")
            connect(b, &QToolButton::clicked, this, &TMainForm::ButtonCleanClick);
        else
            connect(b, &QToolButton::clicked, this, &TMainForm::ButtonCancelChangesClick);
    }
    static_cast<QHBoxLayout *>(tidyPage->layout())->addStretch();
    QWidget *htmlTags = page("TBHtmlTags", tr("HTML tags"));
    QWidget *tablesLists = page("TBTableLists", tr("Tables and lists"));
    QWidget *forms = page("TBForms", tr("Forms"));
    QWidget *attributes = page("TBAttributes", tr("Attributes"));
    buildInsertion(htmlTags, tablesLists, forms, attributes);
    QWidget *encoding = page("TBEncoding", tr("Encoding"));
    CBCharset = new QComboBox(encoding);
    CBCharset->setObjectName("CBCharset");
    CBCharset->setMinimumWidth(140);
    CBCharset->addItems(DocumentText::CBCharsetItems());
    connect(CBCharset, qOverload<int>(&QComboBox::activated), this, &TMainForm::CBCharsetChange);
    encoding->layout()->addWidget(CBCharset);
    auto radio = [&](const QString &name, const QString &caption) {
        auto *r = new QRadioButton(caption, encoding);
        r->setObjectName(name);
        encoding->layout()->addWidget(r);
        return r;
    };
    RBAnsi = radio("RBAnsi", tr("ANSI"));
    RBUtf8 = radio("RBUtf8", tr("UTF8 no BOM"));
    RBUtf8Bom = radio("RBUtf8Bom", tr("UTF8 BOM"));
    RBUtf16LE = radio("RBUtf16LE", tr("UTF16 LE"));
    RBUtf16BE = radio("RBUtf16BE", tr("UTF16 BE"));
    for (const auto &e : EncodingButtons()) {
        const QString name = e.second;
        connect(e.first, &QRadioButton::clicked, this, [this, name] { EncodingRadioClick(name); });
    }
    static_cast<QHBoxLayout *>(encoding->layout())->addStretch();
    // The window is never narrower than the widest tool page: a tool bar outside a main
    // window's tool bar area cannot show what it folds away, and plain rows overlap.
    int widestPage = 0;
    for (int i = 0; i < PageControlHaut->count(); ++i)
        widestPage = qMax(widestPage, PageControlHaut->widget(i)->sizeHint().width());
    PageControlHaut->setMinimumWidth(widestPage);
    layout->addWidget(PageControlHaut, 1);

    auto *fontPanel = new QFrame(top);
    fontPanel->setObjectName("PanelMemosFontSize");
    auto *fontLayout = new QHBoxLayout(fontPanel);
    fontLayout->setContentsMargins(0, 0, 0, 0);
    fontLayout->setSpacing(2);
    ButtonShowHiddenChars = toolButton(fontPanel, "ButtonShowHiddenChars", imgHiddenChars, tr("Show special characters"));
    ButtonShowHiddenChars->setCheckable(true);
    ButtonWordWrap = toolButton(fontPanel, "ButtonWordWrap", imgWordWrap, tr("Word wrap"));
    ButtonWordWrap->setCheckable(true);
    CBFont = new QComboBox(fontPanel);
    CBFont->setObjectName("CBFont");
    CBFont->setMinimumWidth(130);
    SEFontSize = new QSpinBox(fontPanel);
    SEFontSize->setObjectName("SEFontSize");
    SEFontSize->setRange(6, 16);
    SEFontSize->setValue(9);
    fontLayout->addWidget(ButtonShowHiddenChars);
    fontLayout->addWidget(ButtonWordWrap);
    fontLayout->addWidget(CBFont);
    fontLayout->addWidget(SEFontSize);
    connect(ButtonShowHiddenChars, &QToolButton::clicked, this, &TMainForm::ButtonShowHiddenCharsClick);
    connect(ButtonWordWrap, &QToolButton::clicked, this, &TMainForm::ButtonWordWrapClick);
    connect(CBFont, &QComboBox::currentTextChanged, this, &TMainForm::CBFontChange);
    connect(SEFontSize, qOverload<int>(&QSpinBox::valueChanged), this, &TMainForm::SEFontSizeChange);
    layout->addWidget(fontPanel, 0, Qt::AlignTop);

    auto *topBar = new QToolBar(this);
    topBar->setObjectName("TopArea");
    topBar->setMovable(false);
    topBar->setFloatable(false);
    topBar->addWidget(top);
    addToolBar(Qt::TopToolBarArea, topBar);
}

void TMainForm::buildDocumentArea()
{
    SplitterPanelGridError = new QSplitter(Qt::Vertical, this);
    SplitterPanelGridError->setObjectName("SplitterPanelGridError");
    SplitterPanelGridError->setChildrenCollapsible(false);

    PageControlMemos = new QTabWidget(SplitterPanelGridError);
    PageControlMemos->setObjectName("PageControlMemos");
    PageControlMemos->setDocumentMode(true);
    PageControlMemos->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PageControlMemos->tabBar(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopUpTabSheet->popup(PageControlMemos->tabBar()->mapToGlobal(pos)); });
    m_documents = new TDocumentTabs(PageControlMemos, this);
    m_documents->setObjectName("DocumentTabs");
    connect(m_documents, &TDocumentTabs::documentCreated, this, [this](TDocument *document) {
        ApplyHighlighter(document->editor(), document->highlighter());
        connect(document, &TDocument::highlighterChanged, this,
                [document](DocumentText::HighlighterKind kind) { ApplyHighlighter(document->editor(), kind); });
        document->setModified(false);
        connectEditor(document->editor());
        InstallDocumentHooks(document);
    });
    connect(m_documents, &TDocumentTabs::currentChanged, m_insertion, &TInsertionCommands::setDocument);
    connect(m_documents, &TDocumentTabs::currentChanged, this, [this](TDocument *document) {
        // The Tidy page disables the font controls; any other page enables them.
        if (PageControlMemos->currentWidget() == TBTidyConfig)
            TBTidyConfigShow();
        else
            TBTidyConfigHide();
        if (document) {
            TBSynEditDynShow(document);
        } else {
            // Nothing in front can be saved: Save must not look ready.
            Action("MenuSave")->setEnabled(false);
            Action("PopupSave")->setEnabled(false);
            ButtonSave->setIcon(ImageList1(imgSaveIdle));
        }
    });
    ApplyDocumentLook();

    TBTidyConfig = new TTidyConfigPage(m_settings, PageControlMemos);
    TBTidyConfig->SetSaveDialogFilter([this] { return SaveDialogFilter; });
    PageControlMemos->addTab(TBTidyConfig, tr("Tidy configuration"));

    PanelGridErrors = new TErrorPanel(SplitterPanelGridError);
    connect(PanelGridErrors, &TErrorPanel::closeRequested, this, &TMainForm::ButtonCloseGridErrorsClick);
    connect(PanelGridErrors, &TErrorPanel::jumpRequested, this,
            [this](TDocument *document, int line, int column, int tabSize) {
                PageControlMemos->setCurrentWidget(document->container());
                ShowEditorPage();
                TErrorPanel::SelectReportedPlace(document->editor(), line, column, tabSize);
            });
    SplitterPanelGridError->setStretchFactor(0, 1);
    SplitterPanelGridError->setStretchFactor(1, 0);
    connect(SplitterPanelGridError, &QSplitter::splitterMoved, this, [this] {
        GridErrorsSize();
        m_settings.PanelGridErrorsWidth = PanelGridErrors->width();
        m_settings.PanelGridErrorsHeight = PanelGridErrors->height();
    });
    connect(PanelGridErrors->splitter(), &QSplitter::splitterMoved, this, &TMainForm::GridErrorsSize);

    setCentralWidget(SplitterPanelGridError);
}

void TMainForm::buildStatusBar()
{
    StatusBar1 = statusBar();
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(true);
    const int widths[7] = {70, 100, 80, 150, 150, 22, 40};
    for (int i = 0; i < 7; ++i) {
        auto *panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("StatusBar1_Panel%1").arg(i));
        panel->setMinimumWidth(widths[i]);
        if (i == 3)
            panel->setAlignment(Qt::AlignCenter);
        if (i != 5)
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        else
            panel->setFixedWidth(widths[i]);
        m_statusPanels[i] = panel;
        StatusBar1->addWidget(panel, i == 6 ? 1 : 0);
    }
}

QLabel *TMainForm::StatusPanel(int index) const
{
    return index >= 0 && index < 7 ? m_statusPanels[index] : nullptr;
}

QString TMainForm::StatusPanelText(int index) const
{
    QLabel *panel = StatusPanel(index);
    return panel ? panel->text() : QString();
}

void TMainForm::SetStatusIcon(int imageIndex)
{
    if (imageIndex < 0)
        m_statusPanels[5]->setPixmap(QPixmap());
    else
        m_statusPanels[5]->setPixmap(ImageListPixmap(imageIndex, 16));
}
