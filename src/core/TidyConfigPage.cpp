#include "core/TidyConfigPage.h"

#include "dialogs/MessageBoxes.h"

#include "core/ImageList.h"
#include "program/MessagesKandrix.h"
#include "core/TidyValueValidator.h"
#include "core/reAddTidyConfigValue.h"
#include "core/reTagNamesEditor.h"
#include "program/VkSettings.h"
#include "program/uDivStartVK.h"
#include "platform/Platform.h"
#include "dialogs/UserDialogs.h"
#include "util/uDivFiles.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

const QColor kHeaderColor(0xC0, 0xC0, 0xC0);
const char *const kDocumentationSite = "https://api.html-tidy.org/";

bool isFreeTextType(TidyValueType type)
{
    return type == TidyValueType::tpString || type == TidyValueType::tpInteger;
}

// In-place typing in the value cell of a text or number option, limited to
// what the option's type allows.
class TidyValueDelegate : public QStyledItemDelegate {
public:
    TidyValueDelegate(TTidyConfigPage *form, QObject *parent) : QStyledItemDelegate(parent), m_form(form) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        const QString name = index.column() == 1 ? m_form->GridTidyConfigOptionAt(index.row()) : QString();
        const TidyValueType type = m_form->Options().typeOf(name);
        if (name.isEmpty() || !isFreeTextType(type))
            return nullptr;
        auto *edit = new QLineEdit(parent);
        edit->setObjectName("EditGridTidyConfigValue");
        edit->setFrame(false);
        edit->setValidator(new TidyValueValidator(type, edit));
        return edit;
    }

    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        // A value the type refuses (an emptied number) leaves the old one.
        m_form->GridTidyConfigSetValue(index.row(), static_cast<QLineEdit *>(editor)->text());
    }

private:
    TTidyConfigPage *m_form;
};

// Events of the option grid and of its value combo.
class TidyGridEvents : public QObject {
public:
    explicit TidyGridEvents(TTidyConfigPage *form) : QObject(form), m_form(form) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The wheel must not change a value the user did not choose.
        if (event->type() == QEvent::Wheel && watched == m_form->ValueList())
            return true;
        if (watched == m_form->Grid()->viewport()) {
            if (event->type() == QEvent::Resize) {
                m_form->GridTidyConfigSize();
            } else if (event->type() == QEvent::MouseButtonPress) {
                // A click on the current cell opens its editor again; a click
                // elsewhere does so through the change of the current cell.
                auto *mouse = static_cast<QMouseEvent *>(event);
                const QModelIndex index = m_form->Grid()->indexAt(mouse->position().toPoint());
                if (mouse->button() == Qt::LeftButton && index.isValid()
                    && index == m_form->Grid()->currentIndex()) {
                    QPointer<TTidyConfigPage> form = m_form;
                    const int row = index.row();
                    const int column = index.column();
                    QTimer::singleShot(0, m_form, [form, row, column] {
                        if (form)
                            form->GridTidyConfigSelectCell(column, row);
                    });
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TTidyConfigPage *m_form;
};

} // namespace

QAction *TTidyConfigPage::addAction(QMenu *menu, const QString &name, const QString &caption)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    menu->addAction(action);
    return action;
}

TTidyConfigPage::TTidyConfigPage(VkSettings &settings, QWidget *parent) : QWidget(parent), m_settings(settings)
{
    setObjectName("TBTidyConfig");
    auto *pageLayout = new QHBoxLayout(this);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName("SplitterTidyConfig");
    splitter->setChildrenCollapsible(false);
    pageLayout->addWidget(splitter);

    // Left: the configuration list, its commands, the options and the comments.
    auto *left = new QWidget(splitter);
    left->setObjectName("PanelTidyConfigOptions");
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(4);
    auto *bar = new QHBoxLayout;
    bar->setSpacing(2);
    CBConfigTidy = new QComboBox(left);
    CBConfigTidy->setObjectName("CBConfigTidy");
    CBConfigTidy->setMinimumWidth(160);
    connect(CBConfigTidy, qOverload<int>(&QComboBox::activated), this, &TTidyConfigPage::CBTidyConfigChange);
    bar->addWidget(CBConfigTidy, 1);

    PopupMenuGridConfig = new QMenu(this);
    PopupMenuGridConfig->setObjectName("PopupMenuGridConfig");
    QAction *deleteOption = addAction(PopupMenuGridConfig, "MenuDeleteOption", tr("&Delete the option"));
    QAction *addOption = addAction(PopupMenuGridConfig, "MenuAddOption", tr("&Add an option..."));
    QAction *saveAs = addAction(PopupMenuGridConfig, "MenuSaveConfigurationFileAs",
                                tr("&Save the configuration as..."));
    deleteOption->setIcon(ImageList1(imgDeleteOption));
    addOption->setIcon(ImageList1(imgAddOption));
    saveAs->setIcon(ImageList1(imgSaveActive));
    connect(deleteOption, &QAction::triggered, this, &TTidyConfigPage::ButtonGridTydiConfigDeleteItemClick);
    connect(addOption, &QAction::triggered, this, &TTidyConfigPage::ShowAddTidyConfigValue);
    connect(saveAs, &QAction::triggered, this, [this] { ButtonGridTidyConfigSaveClick(); });
    // The buttons take their picture and hint from the menu items (and so the language file).
    const QList<QPair<const char *, QAction *>> buttons = {{"ButtonGridTydiConfigDeleteItem", deleteOption},
                                                           {"ButtonGridTidyConfigAdd", addOption},
                                                           {"ButtonGridTidyConfigSave", saveAs}};
    for (const auto &[name, action] : buttons) {
        auto *button = new QToolButton(left);
        button->setObjectName(name);
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setIconSize(QSize(16, 16));
        bar->addWidget(button);
    }
    leftLayout->addLayout(bar);

    PageControlConfigFile = new QTabWidget(left);
    PageControlConfigFile->setObjectName("PageControlConfigFile");
    auto *optionsPage = new QWidget(PageControlConfigFile);
    optionsPage->setObjectName("TBConfigFileOptions");
    auto *optionsLayout = new QVBoxLayout(optionsPage);
    optionsLayout->setContentsMargins(0, 0, 0, 0);
    GridTidyConfig = new QTableWidget(optionsPage);
    GridTidyConfig->setObjectName("GridTidyConfig");
    GridTidyConfig->setColumnCount(2);
    GridTidyConfig->horizontalHeader()->hide();
    GridTidyConfig->verticalHeader()->hide();
    GridTidyConfig->horizontalHeader()->setStretchLastSection(true);
    const int rowHeight = qMax(18, GridTidyConfig->fontMetrics().height() + 6);
    GridTidyConfig->verticalHeader()->setMinimumSectionSize(rowHeight);
    GridTidyConfig->verticalHeader()->setDefaultSectionSize(rowHeight);
    GridTidyConfig->setSelectionMode(QAbstractItemView::SingleSelection);
    GridTidyConfig->setSelectionBehavior(QAbstractItemView::SelectItems);
    GridTidyConfig->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                                    | QAbstractItemView::DoubleClicked);
    GridTidyConfig->setItemDelegate(new TidyValueDelegate(this, GridTidyConfig));
    GridTidyConfig->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(GridTidyConfig, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        PopupMenuGridConfig->popup(GridTidyConfig->viewport()->mapToGlobal(pos));
    });
    connect(GridTidyConfig, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        OptionGridRow = row;
        CBTidyOptions->hide();
        // The editor opens once the selection is done, never inside the mouse press.
        QTimer::singleShot(0, this, [this, row, column] {
            if (GridTidyConfig->currentRow() == row && GridTidyConfig->currentColumn() == column)
                GridTidyConfigSelectCell(column, row);
        });
    });
    connect(GridTidyConfig->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &TTidyConfigPage::GridTidyConfigTopLeftChanged);
    connect(GridTidyConfig->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &TTidyConfigPage::GridTidyConfigTopLeftChanged);
    optionsLayout->addWidget(GridTidyConfig);
    PageControlConfigFile->addTab(optionsPage, tr("Options"));

    auto *commentsPage = new QWidget(PageControlConfigFile);
    commentsPage->setObjectName("TBConfigFileComments");
    auto *commentsLayout = new QVBoxLayout(commentsPage);
    commentsLayout->setContentsMargins(0, 0, 0, 0);
    MemoConfigFileComments = new QTextEdit(commentsPage);
    MemoConfigFileComments->setObjectName("MemoConfigFileComments");
    MemoConfigFileComments->setAcceptRichText(false);
    // Long comments wrap at words; the lines kept are the blocks, which wrapping never splits.
    MemoConfigFileComments->setLineWrapMode(QTextEdit::WidgetWidth);
    MemoConfigFileComments->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    connect(MemoConfigFileComments, &QTextEdit::textChanged, this, [this] {
        // Blocks, not toPlainText(), so that a no-break space stays one.
        QStringList lines;
        for (QTextBlock b = MemoConfigFileComments->document()->begin(); b.isValid(); b = b.next())
            lines << b.text();
        m_config.setComments(lines);
    });
    commentsLayout->addWidget(MemoConfigFileComments);
    PageControlConfigFile->addTab(commentsPage, tr("Comments"));
    leftLayout->addWidget(PageControlConfigFile, 1);

    CBTidyOptions = new QComboBox(GridTidyConfig);
    CBTidyOptions->setObjectName("CBTidyOptions");
    CBTidyOptions->setEditable(true);
    CBTidyOptions->setInsertPolicy(QComboBox::NoInsert);
    CBTidyOptions->setMaxVisibleItems(20);
    CBTidyOptions->hide();
    connect(CBTidyOptions, qOverload<int>(&QComboBox::activated), this, &TTidyConfigPage::CBTidyConfigValuesClick);
    // A typed value (a quoted doctype, say) is taken with Enter.
    connect(CBTidyOptions->lineEdit(), &QLineEdit::returnPressed, this, &TTidyConfigPage::CBTidyConfigValuesClick);

    auto *events = new TidyGridEvents(this);
    CBTidyOptions->installEventFilter(events);
    GridTidyConfig->viewport()->installEventFilter(events);

    // Right: the quick reference, loaded when the page is first shown.
    auto *right = new QWidget(splitter);
    right->setObjectName("PanelTidyDocumentation");
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(2);
    // Its browser comes with the page's first showing: the first browser starts the
    // browser engine's processes.
    PanelQuickReference = new QWidget(right);
    PanelQuickReference->setObjectName("PanelQuickReference");
    new QVBoxLayout(PanelQuickReference);
    PanelQuickReference->layout()->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(PanelQuickReference, 1);
    auto *linkRow = new QHBoxLayout;
    LabelForTheLastVersion = new QLabel(tr("For the latest version:"), right);
    LabelForTheLastVersion->setObjectName("LabelForTheLastVersion");
    auto *link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(QLatin1String(kDocumentationSite)), right);
    link->setObjectName("LabelTidyDocumentationLink");
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, this, [](const QString &address) { OpenOrSay(address); });
    linkRow->addWidget(LabelForTheLastVersion);
    linkRow->addWidget(link);
    linkRow->addStretch();
    rightLayout->addLayout(linkRow);

    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({1, 1});
}

void TTidyConfigPage::Init(const TidyOptionTables &tables)
{
    m_options.load(tables);
    CBTidyConfigInit();
    GridTidyConfigInit();
    // The list names only the configuration the grid holds: none while nothing is loaded,
    // so that a run says no configuration is chosen instead of running on Tidy's defaults.
    {
        const QSignalBlocker blocker(CBConfigTidy);
        CBConfigTidy->setCurrentIndex(-1);
    }
    if (m_settings.FTidyConfigFile.isEmpty())
        return;
    QString error;
    if (LoadGridTidyConfig(m_settings.FTidyConfigFile, &error)) {
        CBTidyConfigShowCurrent();
    } else if (!QFileInfo::exists(m_settings.FTidyConfigFile)) {
        // Kept in the settings: the file may come back (a folder mounted again).
        ShowMessageKind(3, FormatMessageText(SConfigFileMissing, {QDir::toNativeSeparators(m_settings.FTidyConfigFile)}));
    } else {
        ShowMessageKind(2, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_settings.FTidyConfigFile), error));
    }
}

void TTidyConfigPage::CBTidyConfigInit()
{
    const QSignalBlocker blocker(CBConfigTidy);
    CBConfigTidy->clear();
    const QStringList files = QDir(Paths().ConfigDir).entryList({QStringLiteral("*.cfg")},
                                                        QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    CBConfigTidy->addItems(files);
    if (CBConfigTidy->count() > 0)
        CBConfigTidy->setCurrentIndex(0);
    CBConfigTidy->setMaxVisibleItems(qMax(1, CBConfigTidy->count()));
}

void TTidyConfigPage::CBTidyConfigShowCurrent()
{
    const QSignalBlocker blocker(CBConfigTidy);
    // A file of the same name in another folder is another file.
    const QFileInfo current(m_settings.FTidyConfigFile);
    const bool listed = QDir(current.absolutePath()) == QDir(Paths().ConfigDir);
    CBConfigTidy->setCurrentIndex(listed ? CBConfigTidy->findText(current.fileName()) : -1);
}

void TTidyConfigPage::CBTidyConfigChange()
{
    CBTidyOptions->hide();
    const QString path = Paths().ConfigDir + CBConfigTidy->currentText();
    if (CBConfigTidy->currentText().isEmpty() || !QFileInfo(path).isFile()) {
        CBTidyConfigShowCurrent();
        return;
    }
    if (GridTidyConfigModified()) {
        const QString text = FormatMessageText(SWarningSaveChanges, {QFileInfo(m_settings.FTidyConfigFile).fileName()});
        const auto answer = Dialogs().message(QMessageBox::Question, QStringLiteral("Confirmation"), text,
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        // Yes keeps the edits in a file of the user's choice first; a cancelled
        // save keeps them in the grid.
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Yes && !ButtonGridTidyConfigSaveClick())) {
            CBTidyConfigShowCurrent();
            return;
        }
    }
    QString error;
    if (!LoadGridTidyConfig(path, &error)) {
        ShowMessageKind(2, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), error));
        CBTidyConfigShowCurrent();
        return;
    }
    m_settings.FTidyConfigFile = path;
    CBTidyConfigShowCurrent();
    GridTidyConfig->setFocus();
}

bool TTidyConfigPage::LoadGridTidyConfig(const QString &file, QString *error)
{
    TidyConfiguration loaded;
    if (!TidyConfiguration::Load(file, &loaded, error))
        return false;
    CBTidyOptions->hide();
    m_config = loaded;
    m_saved = loaded;
    {
        const QSignalBlocker blocker(MemoConfigFileComments);
        MemoConfigFileComments->setPlainText(loaded.comments().join(QLatin1Char('\n')));
    }
    PageControlConfigFile->setCurrentWidget(PageControlConfigFile->findChild<QWidget *>("TBConfigFileOptions"));
    GridTidyConfigFill();
    OptionGridRow = 0;
    GridTidyConfig->setCurrentCell(0, 0);
    GridTidyConfig->scrollToTop();
    return true;
}

void TTidyConfigPage::GridTidyConfigInit()
{
    // Wide enough for the longest option name the model knows.
    int nameWidth = 140;
    const QFontMetrics metrics = GridTidyConfig->fontMetrics();
    for (const TidyOption &option : m_options.options())
        nameWidth = qMax(nameWidth, metrics.horizontalAdvance(option.name) + 16);
    GridTidyConfig->setColumnWidth(0, nameWidth);
}

void TTidyConfigPage::GridTidyConfigSize()
{
    const int rowHeight = GridTidyConfig->verticalHeader()->defaultSectionSize();
    const int rows = qMax(GridTidyConfig->viewport()->height() / qMax(1, rowHeight) + 1, OptionRowCount);
    if (GridTidyConfig->rowCount() != rows)
        GridTidyConfig->setRowCount(rows);
}

void TTidyConfigPage::GridTidyConfigReset()
{
    const QSignalBlocker blocker(GridTidyConfig);
    GridTidyConfig->clearSpans();
    GridTidyConfig->setRowCount(0);
    OptionRowCount = 0;
    ClassHeaderCount = 0;
    GridTidyConfigSize();
}

void TTidyConfigPage::GridTidyConfigFill()
{
    GridTidyConfigReset();
    const QSignalBlocker blocker(GridTidyConfig);
    const QList<TidyConfigBlock> blocks = m_config.blocks(m_options);
    // Options of no class are kept at the end, so what is saved is what is shown.
    const QList<TidyConfigEntry> others = m_config.unclassified(m_options);
    GridTidyConfig->setRowCount(m_config.entries().size() + blocks.size());
    int row = 0;
    auto addOption = [&](const TidyConfigEntry &entry) {
        auto *name = new QTableWidgetItem(entry.name);
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        auto *value = new QTableWidgetItem(entry.value);
        value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable
                        | (isFreeTextType(m_options.typeOf(entry.name)) ? Qt::ItemIsEditable : Qt::NoItemFlags));
        GridTidyConfig->setItem(row, 0, name);
        GridTidyConfig->setItem(row, 1, value);
        ++row;
    };
    for (const TidyConfigBlock &block : blocks) {
        auto *header = new QTableWidgetItem(block.title);
        header->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        QFont bold = GridTidyConfig->font();
        bold.setBold(true);
        header->setFont(bold);
        header->setBackground(kHeaderColor);
        header->setForeground(Qt::black);
        GridTidyConfig->setItem(row, 0, header);
        GridTidyConfig->setSpan(row, 0, 1, 2);
        ++row;
        ++ClassHeaderCount;
        for (const TidyConfigEntry &entry : block.entries)
            addOption(entry);
    }
    for (const TidyConfigEntry &entry : others)
        addOption(entry);
    OptionRowCount = row;
    GridTidyConfigSize();
}

QString TTidyConfigPage::GridTidyConfigOptionAt(int row) const
{
    if (row < 0 || row >= OptionRowCount)
        return QString();
    const QTableWidgetItem *cell = GridTidyConfig->item(row, 0);
    if (!cell || TidyOptionModel::IsClassHeader(cell->text()))
        return QString();
    return cell->text();
}

int TTidyConfigPage::GridTidyConfigRowOf(const QString &name) const
{
    const QString normalized = TidyOptionModel::NormalizedName(name);
    for (int row = 0; row < OptionRowCount; ++row) {
        if (!normalized.isEmpty() && GridTidyConfigOptionAt(row) == normalized)
            return row;
    }
    return -1;
}

bool TTidyConfigPage::GridTidyConfigSetValue(int row, const QString &value)
{
    const QString name = GridTidyConfigOptionAt(row);
    if (name.isEmpty() || !m_options.isValidValue(name, value))
        return false;
    m_config.setValue(name, value);
    if (QTableWidgetItem *cell = GridTidyConfig->item(row, 1))
        cell->setText(m_config.value(name));
    return true;
}

bool TTidyConfigPage::GridTidyConfigModified() const
{
    return !m_config.sameAs(m_saved);
}

void TTidyConfigPage::GridTidyConfigSelectCell(int column, int row)
{
    OptionGridRow = row;
    CBTidyOptions->hide();
    const QString name = column == 1 ? GridTidyConfigOptionAt(row) : QString();
    if (name.isEmpty())
        return;
    const TidyValueType type = m_options.typeOf(name);
    if (type == TidyValueType::tpTagNames) {
        ShowTagNamesEditor();
    } else if (isFreeTextType(type)) {
        if (QTableWidgetItem *cell = GridTidyConfig->item(row, 1))
            GridTidyConfig->editItem(cell);
    } else if (TidyOptionModel::IsEnumerated(type)) {
        const QString value = m_config.value(name);
        QRect rect = GridTidyConfig->visualRect(GridTidyConfig->model()->index(row, 1));
        rect.translate(GridTidyConfig->viewport()->pos());
        CBTidyOptions->clear();
        CBTidyOptions->addItems(m_options.valuesOf(type));
        CBTidyOptions->setValidator(new TidyValueValidator(type, CBTidyOptions));
        CBTidyOptions->setCurrentIndex(CBTidyOptions->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive));
        // A value outside the list (a quoted doctype) is shown as it is.
        CBTidyOptions->setEditText(value);
        CBTidyOptions->setGeometry(rect.left(), rect.top(), rect.width() + 1, rect.height() + 1);
        CBTidyOptions->show();
        CBTidyOptions->raise();
        CBTidyOptions->setFocus();
    }
}

void TTidyConfigPage::CBTidyConfigValuesClick()
{
    if (!CBTidyOptions->isVisible())
        return;
    GridTidyConfigSetValue(OptionGridRow, CBTidyOptions->currentText());
    CBTidyOptions->hide();
    GridTidyConfig->setFocus();
}

void TTidyConfigPage::GridTidyConfigTopLeftChanged()
{
    CBTidyOptions->hide();
}

bool TTidyConfigPage::GridTidyConfigSave(const QString &file, int mode)
{
    if (mode == 1 && !ConfirmOverwrite(file))
        return false;
    QString error;
    if (!m_config.save(file, m_options, &error)) {
        ShowMessageKind(2, error);
        return false;
    }
    if (mode == 1) {
        // The edits are in a file now; the new file can be chosen from the list.
        m_saved = m_config;
        CBTidyConfigInit();
        CBTidyConfigShowCurrent();
    }
    return true;
}

bool TTidyConfigPage::ButtonGridTidyConfigSaveClick()
{
    CBTidyOptions->hide();
    int filterIndex = 2;
    QString path = Dialogs().saveFile(FSaveDialogTitle, Paths().ConfigDir + QStringLiteral("current-config.cfg"),
                                      m_saveFilter ? m_saveFilter() : QString(), &filterIndex);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".cfg");
    return GridTidyConfigSave(path, 1);
}

bool TTidyConfigPage::HasConfigurationChosen() const
{
    return !CBConfigTidy->currentText().isEmpty();
}

void TTidyConfigPage::ButtonGridTydiConfigDeleteItemClick()
{
    const int row = OptionGridRow;
    const QString name = GridTidyConfigOptionAt(row);
    // Class titles and empty rows stay.
    if (name.isEmpty())
        return;
    CBTidyOptions->hide();
    m_config.removeOption(name);
    {
        const QSignalBlocker blocker(GridTidyConfig);
        GridTidyConfig->removeRow(row);
    }
    --OptionRowCount;
    DeleteGridEmptyClasses();
    const int next = qMax(0, qMin(row, OptionRowCount - 1));
    OptionGridRow = next;
    GridTidyConfig->setCurrentCell(next, 0);
}

void TTidyConfigPage::DeleteGridEmptyClasses()
{
    const QSignalBlocker blocker(GridTidyConfig);
    int row = 0;
    while (row < OptionRowCount) {
        const QTableWidgetItem *cell = GridTidyConfig->item(row, 0);
        const TidyOptionClass header = cell ? TidyOptionModel::ClassOfTitle(cell->text()) : TidyOptionClass::clNone;
        const QString next = GridTidyConfigOptionAt(row + 1);
        if (header != TidyOptionClass::clNone && (next.isEmpty() || m_options.classOf(next) != header)) {
            GridTidyConfig->removeRow(row);
            --OptionRowCount;
            --ClassHeaderCount;
            continue;
        }
        ++row;
    }
    GridTidyConfigSize();
}

bool TTidyConfigPage::AddOptionToConfigGrid(const QString &name, const QString &value)
{
    const QString normalized = TidyOptionModel::NormalizedName(name);
    if (!TidyConfiguration::IsValidOptionName(normalized) || !m_options.isValidValue(normalized, value))
        return false;
    CBTidyOptions->hide();
    m_config.setValue(normalized, value);
    GridTidyConfigFill();
    const int row = GridTidyConfigRowOf(normalized);
    OptionGridRow = row;
    GridTidyConfig->setCurrentCell(row, 0);
    GridTidyConfig->scrollToItem(GridTidyConfig->item(row, 0));
    return true;
}

void TTidyConfigPage::ShowAddTidyConfigValue()
{
    CBTidyOptions->hide();
    QStringList offered;
    for (const QString &name : m_options.typedOptionNames()) {
        if (!m_config.contains(name))
            offered << name;
    }
    QPointer<TAddTidyConfigValue> dialog = new TAddTidyConfigValue(m_options, offered, this);
    const int result = dialog->exec();
    if (!dialog)
        return;
    if (result == QDialog::Accepted)
        AddOptionToConfigGrid(dialog->OptionName(), dialog->OptionValue());
    delete dialog;
}

void TTidyConfigPage::ShowTagNamesEditor()
{
    const int row = OptionGridRow;
    const QString name = GridTidyConfigOptionAt(row);
    if (name.isEmpty())
        return;
    QPointer<TTagNamesEditor> editor = new TTagNamesEditor(this);
    editor->FormShow(m_config.value(name));
    const int result = editor->exec();
    if (!editor)
        return;
    if (result == QDialog::Accepted)
        GridTidyConfigSetValue(row, editor->Value());
    delete editor;
    GridTidyConfig->setFocus();
}

void TTidyConfigPage::QuickReferenceChanged()
{
    // Not shown yet: the first showing loads the file of that time.
    if (!WebBrowserDocumentation || !QFileInfo::exists(m_settings.QuickRefFileName))
        return;
    WebBrowserDocumentation->load(QUrl::fromLocalFile(m_settings.QuickRefFileName));
    QuickRefNavigated = true;
}

void TTidyConfigPage::PageShown()
{
    if (!QFileInfo::exists(m_settings.QuickRefFileName))
        return;
    if (!WebBrowserDocumentation) {
        WebBrowserDocumentation = new QWebEngineView(PanelQuickReference);
        WebBrowserDocumentation->setObjectName("WebBrowserDocumentation");
        WebBrowserDocumentation->setAcceptDrops(false);
        WebBrowserDocumentation->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
        PanelQuickReference->layout()->addWidget(WebBrowserDocumentation);
        WebBrowserDocumentation->show();
    }
    if (!QuickRefNavigated) {
        WebBrowserDocumentation->load(QUrl::fromLocalFile(m_settings.QuickRefFileName));
        QuickRefNavigated = true;
    } else {
        WebBrowserDocumentation->reload();
    }
}

void TTidyConfigPage::PageHidden()
{
    CBTidyOptions->hide();
}
