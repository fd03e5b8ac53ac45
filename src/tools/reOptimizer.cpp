#include "tools/reOptimizer.h"

#include "authoring/HtmlInsert.h"
#include "documents/EditorText.h"
#include "documents/TDocument.h"
#include "util/RecentEntries.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

using HtmlRewriting::Dtd;
using HtmlRewriting::OptimizerOptions;

namespace {

QCheckBox *checkBox(QWidget *parent, QLayout *layout, const char *name, const QString &caption, bool checked,
                    bool italic = false)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    if (italic) {
        QFont font = box->font();
        font.setItalic(true);
        box->setFont(font);
    }
    layout->addWidget(box);
    return box;
}

QRadioButton *radio(QWidget *parent, QLayout *layout, const char *name, const QString &caption, bool checked)
{
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setChecked(checked);
    layout->addWidget(button);
    return button;
}

QGroupBox *group(const QString &caption, QVBoxLayout **layout)
{
    auto *box = new QGroupBox(caption);
    *layout = new QVBoxLayout(box);
    (*layout)->setSpacing(0);
    (*layout)->setContentsMargins(6, 2, 6, 4);
    return box;
}

QComboBox *recentBox(const char *name)
{
    auto *box = new QComboBox;
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(0);
    return box;
}

QStringList items(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

} // namespace

TOptimizer::TOptimizer(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Optimizer"));
    setWindowTitle(QStringLiteral("Optimizer - beta test"));

    QVBoxLayout *dtdLayout = nullptr;
    QGroupBox *dtd = group(QStringLiteral("DTD"), &dtdLayout);
    CB_DTD_none = radio(dtd, dtdLayout, "CB_DTD_none", QStringLiteral("none"), false);
    CB_HTML_5 = radio(dtd, dtdLayout, "CB_HTML_5", QStringLiteral("HTML 5"), true);
    CB_HTML_Transitional = radio(dtd, dtdLayout, "CB_HTML_Transitional", QStringLiteral("HTML 4.01 transitional"), false);
    CB_HTML_Strict = radio(dtd, dtdLayout, "CB_HTML_Strict", QStringLiteral("HTML 4.01 strict"), false);
    CB_HTML_Frameset = radio(dtd, dtdLayout, "CB_HTML_Frameset", QStringLiteral("HTML 4.01 frameset"), false);
    CB_XHTML_10_Transitional =
        radio(dtd, dtdLayout, "CB_XHTML_10_Transitional", QStringLiteral("XHTML 1.0 transitional"), false);
    CB_XHTML_10_Strict = radio(dtd, dtdLayout, "CB_XHTML_10_Strict", QStringLiteral("XHTML 1.0 strict"), false);
    CB_XHTML_10_Frameset = radio(dtd, dtdLayout, "CB_XHTML_10_Frameset", QStringLiteral("XHTML 1.0 frameset"), false);
    CB_XHTML_11 = radio(dtd, dtdLayout, "CB_XHTML_11", QStringLiteral("XHTML 1.1"), false);
    auto *languageRow = new QHBoxLayout;
    dtdLayout->addLayout(languageRow);
    CBDeclaration_Language = new QCheckBox(QStringLiteral("Language"), dtd);
    CBDeclaration_Language->setObjectName(QStringLiteral("CBDeclaration_Language"));
    CBDeclaration_Language->setChecked(true);
    EditDeclaration_Language = new QLineEdit(QStringLiteral("fr"), dtd);
    EditDeclaration_Language->setObjectName(QStringLiteral("EditDeclaration_Language"));
    EditDeclaration_Language->setMaximumWidth(48);
    languageRow->addWidget(CBDeclaration_Language);
    languageRow->addWidget(EditDeclaration_Language);
    languageRow->addStretch();

    QVBoxLayout *slashLayout = nullptr;
    QGroupBox *slash = group(QStringLiteral("Slash / Unslash"), &slashLayout);
    CBSlash_MetaLink = checkBox(slash, slashLayout, "CBSlash_MetaLink", QStringLiteral("Slash meta && link"), true);
    CBUnslash_MetaLink = checkBox(slash, slashLayout, "CBUnslash_MetaLink", QStringLiteral("Unslash meta && link"), false);
    CBSlash_tags = checkBox(slash, slashLayout, "CBSlash_tags", QStringLiteral("Slash br hr img input"), false);
    CBUnslash_tags = checkBox(slash, slashLayout, "CBUnslash_tags", QStringLiteral("Unslash br hr img input"), false);

    QVBoxLayout *tagsLayout = nullptr;
    QGroupBox *tags = group(QStringLiteral("Replace Tags"), &tagsLayout);
    CB_b_strong = checkBox(tags, tagsLayout, "CB_b_strong", QStringLiteral("<b> = <strong>"), false);
    CB_i_em = checkBox(tags, tagsLayout, "CB_i_em", QStringLiteral("<i> = <em>"), false);
    CB_u_del = checkBox(tags, tagsLayout, "CB_u_del", QStringLiteral("<u> = <del class=\"u\">"), false);
    CB_strong_b = checkBox(tags, tagsLayout, "CB_strong_b", QStringLiteral("<strong> = <b>"), false);
    CB_em_i = checkBox(tags, tagsLayout, "CB_em_i", QStringLiteral("<em> = <i>"), false);
    CB_del_u = checkBox(tags, tagsLayout, "CB_del_u", QStringLiteral("<del class=\"u\"> = <u>"), false);

    QVBoxLayout *lowerLayout = nullptr;
    QGroupBox *lower = group(QStringLiteral("LowerCase"), &lowerLayout);
    CBLowerCase_Tags = checkBox(lower, lowerLayout, "CBLowerCase_Tags", QStringLiteral("Tags"), false);
    CBLowerCase_Attributes = checkBox(lower, lowerLayout, "CBLowerCase_Attributes", QStringLiteral("Attributes"), false);
    CBLowerCase_AttributesValue = checkBox(lower, lowerLayout, "CBLowerCase_AttributesValue",
                                           QStringLiteral("Values in Attributes"), false, true);

    QVBoxLayout *reduceLayout = nullptr;
    QGroupBox *reduce = group(QStringLiteral("Reduce size"), &reduceLayout);
    CBDelete_LineBreak13 = checkBox(reduce, reduceLayout, "CBDelete_LineBreak13", QStringLiteral("Delete #13"), false);
    CBDelete_LineBreak10 = checkBox(reduce, reduceLayout, "CBDelete_LineBreak10", QStringLiteral("Delete #10"), false);
    CBDelete_Tabs = checkBox(reduce, reduceLayout, "CBDelete_Tabs", QStringLiteral("Delete Tabs"), false);
    CBDelete_ExtraSpaces = checkBox(reduce, reduceLayout, "CBDelete_ExtraSpaces", QStringLiteral("Delete extra spaces"), false);
    CBDelete_Comments = checkBox(reduce, reduceLayout, "CBDelete_Comments", QStringLiteral("Delete Comments"), false);

    QVBoxLayout *otherLayout = nullptr;
    QGroupBox *other = group(QStringLiteral("Diverses"), &otherLayout);
    CB_del_target = checkBox(other, otherLayout, "CB_del_target", QStringLiteral("Delete <a target="), false);
    CB_target_javascript = checkBox(other, otherLayout, "CB_target_javascript", QStringLiteral("Javascript <a target="), false);
    CBDelete_Img_Border = checkBox(other, otherLayout, "CBDelete_Img_Border", QStringLiteral("Delete img: border"), true);
    CBDelete_Table_Border = checkBox(other, otherLayout, "CBDelete_Table_Border", QStringLiteral("Delete table: border"), true);
    CBIgnore_Scripts = checkBox(other, otherLayout, "CBIgnore_Scripts", QStringLiteral("Ignore scripts (Java, VB)"), true);
    CBIgnore_PhpAsp = checkBox(other, otherLayout, "CBIgnore_PhpAsp", QStringLiteral("Ignore PHP / ASP"), true);
    CBDeleteHtmlTags = checkBox(other, otherLayout, "CBDeleteHtmlTags", QStringLiteral("Delete HTML tags"), false, true);

    auto *replace = new QGroupBox(QStringLiteral("Replace"));
    auto *replaceLayout = new QGridLayout(replace);
    replaceLayout->setContentsMargins(6, 2, 6, 4);
    CBStartingWith = recentBox("CBStartingWith");
    CBEndingWith = recentBox("CBEndingWith");
    replaceLayout->addWidget(new QLabel(QStringLiteral("This:")), 0, 0);
    replaceLayout->addWidget(CBStartingWith, 0, 1);
    replaceLayout->addWidget(new QLabel(QStringLiteral("To:")), 1, 0);
    replaceLayout->addWidget(CBEndingWith, 1, 1);
    replaceLayout->setColumnStretch(1, 1);

    ButtonApply = new QPushButton(QStringLiteral("Apply"));
    ButtonApply->setObjectName(QStringLiteral("ButtonApply"));
    ButtonReset = new QPushButton(QStringLiteral("Reset"));
    ButtonReset->setObjectName(QStringLiteral("ButtonReset"));
    ButtonClose = new QPushButton(QStringLiteral("Close"));
    ButtonClose->setObjectName(QStringLiteral("ButtonClose"));

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(dtd);
    left->addWidget(replace);
    left->addStretch();
    auto *middle = new QVBoxLayout;
    middle->addWidget(slash);
    middle->addWidget(tags);
    middle->addWidget(lower);
    middle->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(reduce);
    right->addWidget(other);
    right->addStretch();
    columns->addLayout(left, 1);
    columns->addLayout(middle);
    columns->addLayout(right);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonApply);
    buttons->addWidget(ButtonReset);
    buttons->addWidget(ButtonClose);
    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(6, 6, 6, 6);
    main->setSpacing(4);
    main->addLayout(columns);
    main->addLayout(buttons);
    resize(sizeHint().expandedTo(QSize(480, 414)));

    for (QRadioButton *button : {CB_HTML_Transitional, CB_HTML_Strict, CB_HTML_Frameset})
        connect(button, &QRadioButton::clicked, this, &TOptimizer::CB_HTML_PresetClick);
    for (QRadioButton *button :
         {CB_HTML_5, CB_XHTML_10_Transitional, CB_XHTML_10_Strict, CB_XHTML_10_Frameset, CB_XHTML_11})
        connect(button, &QRadioButton::clicked, this, &TOptimizer::CB_XHTML_PresetClick);
    connect(ButtonApply, &QPushButton::clicked, this, &TOptimizer::ButtonApplyClick);
    connect(ButtonReset, &QPushButton::clicked, this, &TOptimizer::ButtonResetClick);
    connect(ButtonClose, &QPushButton::clicked, this, &QWidget::hide);
    for (QComboBox *box : {CBStartingWith, CBEndingWith})
        box->lineEdit()->installEventFilter(this);
}

void TOptimizer::SetRecentEntries(const QStringList &startingWith, const QStringList &endingWith)
{
    CBStartingWith->clear();
    CBStartingWith->addItems(startingWith);
    CBEndingWith->clear();
    CBEndingWith->addItems(endingWith);
    for (QComboBox *box : {CBStartingWith, CBEndingWith})
        box->setMaxVisibleItems(qMin(int(box->count()), RecentEntriesRows));
    FormCreate();
}

QStringList TOptimizer::StartingWithItems() const
{
    return items(CBStartingWith);
}

QStringList TOptimizer::EndingWithItems() const
{
    return items(CBEndingWith);
}

void TOptimizer::FormCreate()
{
    for (QComboBox *box : {CBStartingWith, CBEndingWith}) {
        if (box->count() > 0)
            box->setCurrentIndex(0);
        else
            box->setEditText(QString());
    }
}

OptimizerOptions TOptimizer::Options() const
{
    OptimizerOptions o;
    const std::pair<QRadioButton *, Dtd> choices[] = {
        {CB_DTD_none, Dtd::None},
        {CB_HTML_5, Dtd::Html5},
        {CB_HTML_Transitional, Dtd::Html401Transitional},
        {CB_HTML_Strict, Dtd::Html401Strict},
        {CB_HTML_Frameset, Dtd::Html401Frameset},
        {CB_XHTML_10_Transitional, Dtd::Xhtml10Transitional},
        {CB_XHTML_10_Strict, Dtd::Xhtml10Strict},
        {CB_XHTML_10_Frameset, Dtd::Xhtml10Frameset},
        {CB_XHTML_11, Dtd::Xhtml11},
    };
    for (const auto &[button, dtd] : choices) {
        if (button->isChecked())
            o.dtd = dtd;
    }
    o.CBDeclaration_Language = CBDeclaration_Language->isChecked();
    o.EditDeclaration_Language = EditDeclaration_Language->text();
    o.CBSlash_MetaLink = CBSlash_MetaLink->isChecked();
    o.CBUnslash_MetaLink = CBUnslash_MetaLink->isChecked();
    o.CBSlash_tags = CBSlash_tags->isChecked();
    o.CBUnslash_tags = CBUnslash_tags->isChecked();
    o.CB_b_strong = CB_b_strong->isChecked();
    o.CB_i_em = CB_i_em->isChecked();
    o.CB_u_del = CB_u_del->isChecked();
    o.CB_strong_b = CB_strong_b->isChecked();
    o.CB_em_i = CB_em_i->isChecked();
    o.CB_del_u = CB_del_u->isChecked();
    o.CBLowerCase_Tags = CBLowerCase_Tags->isChecked();
    o.CBLowerCase_Attributes = CBLowerCase_Attributes->isChecked();
    o.CBLowerCase_AttributesValue = CBLowerCase_AttributesValue->isChecked();
    o.CBDelete_LineBreak13 = CBDelete_LineBreak13->isChecked();
    o.CBDelete_LineBreak10 = CBDelete_LineBreak10->isChecked();
    o.CBDelete_Tabs = CBDelete_Tabs->isChecked();
    o.CBDelete_ExtraSpaces = CBDelete_ExtraSpaces->isChecked();
    o.CBDelete_Comments = CBDelete_Comments->isChecked();
    o.CB_del_target = CB_del_target->isChecked();
    o.CB_target_javascript = CB_target_javascript->isChecked();
    o.CBDelete_Img_Border = CBDelete_Img_Border->isChecked();
    o.CBDelete_Table_Border = CBDelete_Table_Border->isChecked();
    o.CBIgnore_Scripts = CBIgnore_Scripts->isChecked();
    o.CBIgnore_PhpAsp = CBIgnore_PhpAsp->isChecked();
    o.CBDeleteHtmlTags = CBDeleteHtmlTags->isChecked();
    o.StartingWith = CBStartingWith->currentText();
    o.EndingWith = CBEndingWith->currentText();
    return o;
}

void TOptimizer::setDocument(TDocument *document)
{
    m_document = document;
}

void TOptimizer::ButtonApplyClick()
{
    TDocument *document = m_document;
    ReOrderCBItems(CBStartingWith);
    ReOrderCBItems(CBEndingWith);
    emit RecentEntriesChanged();
    QsciScintilla *editor = document ? document->editor() : nullptr;
    if (!editor)
        return;
    const QString before = EditorText(editor);
    if (before.isEmpty())
        return;
    OptimizerOptions options = Options();
    switch (document->lineBreak()) {
    case TDocument::LineBreak::LF: options.LineBreak = QStringLiteral("\n"); break;
    case TDocument::LineBreak::CR: options.LineBreak = QStringLiteral("\r"); break;
    case TDocument::LineBreak::CRLF: options.LineBreak = QStringLiteral("\r\n"); break;
    }
    const QString after = HtmlRewriting::OptimizeText(before, options);
    // The whole text, from its first character, is replaced as one undo step.
    int endCharacter = 1, endLine = 1;
    EditorTextPosition(editor, editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH), &endCharacter, &endLine);
    AddToUndoList(document, 1, 1, endCharacter, endLine, after);
    document->setModified(true);
}

void TOptimizer::ButtonResetClick()
{
    for (QCheckBox *box : findChildren<QCheckBox *>()) {
        if (box != CBDeleteHtmlTags && box != CBDeclaration_Language)
            box->setChecked(false);
    }
}

void TOptimizer::CB_HTML_PresetClick()
{
    ButtonResetClick();
    for (QCheckBox *box : {CBUnslash_MetaLink, CBUnslash_tags, CBLowerCase_Tags, CBLowerCase_Attributes,
                           CBDeclaration_Language, CBDelete_ExtraSpaces, CBIgnore_PhpAsp, CBIgnore_Scripts})
        box->setChecked(true);
}

void TOptimizer::CB_XHTML_PresetClick()
{
    ButtonResetClick();
    for (QCheckBox *box : {CBSlash_MetaLink, CBSlash_tags, CBLowerCase_Tags, CBLowerCase_Attributes,
                           CBDeclaration_Language, CBDelete_ExtraSpaces, CBIgnore_PhpAsp, CBIgnore_Scripts})
        box->setChecked(true);
}

void TOptimizer::ReOrderCBItems(QComboBox *box)
{
    const QString text = box->currentText();
    if (text.isEmpty())
        return;
    QStringList list = items(box);
    AddRecentEntry(list, text);
    box->clear();
    box->addItems(list);
    box->setEditText(text);
    box->setMaxVisibleItems(qMin(int(box->count()), RecentEntriesRows));
}

bool TOptimizer::FormShortCut(QComboBox *box, int key, Qt::KeyboardModifiers modifiers)
{
    if (!(modifiers & Qt::ControlModifier) || !box)
        return false;
    QClipboard *clipboard = QApplication::clipboard();
    switch (key) {
    case Qt::Key_C:
        clipboard->setText(box->currentText());
        return true;
    case Qt::Key_V:
        box->setEditText(clipboard->text());
        return true;
    case Qt::Key_X:
        clipboard->setText(box->currentText());
        box->setEditText(QString());
        return true;
    default:
        return false;
    }
}

bool TOptimizer::eventFilter(QObject *watched, QEvent *event)
{
    QComboBox *box = watched == CBStartingWith->lineEdit() ? CBStartingWith
                     : watched == CBEndingWith->lineEdit() ? CBEndingWith
                                                           : nullptr;
    if (box && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool clipboardKey = (key->modifiers() & Qt::ControlModifier)
                                  && (key->key() == Qt::Key_C || key->key() == Qt::Key_V || key->key() == Qt::Key_X);
        if (clipboardKey) {
            // Claim the key before any shortcut; act on the press itself.
            if (event->type() == QEvent::ShortcutOverride) {
                event->accept();
                return true;
            }
            return FormShortCut(box, key->key(), key->modifiers());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TOptimizer::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        if (const QScreen *screen = QApplication::primaryScreen()) {
            const QRect desk = screen->availableGeometry();
            move(desk.center() - rect().center());
        }
    }
    QWidget::showEvent(event);
}
