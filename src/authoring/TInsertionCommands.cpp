#include "authoring/TInsertionCommands.h"

#include "authoring/HtmlInsert.h"
#include "program/MessagesKandrix.h"
#include "documents/TDocument.h"
#include "util/VelKandrixUtils.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

namespace {
const QString ClosedTag = QStringLiteral("ClosedTag");
const QString OpenEmptyTag = QStringLiteral("OpenEmptyTag");
const QString Attribute = QStringLiteral("Attribute");
const QString Block = QStringLiteral("Block");

const QStringList AttributeNames = {QStringLiteral("id"),  QStringLiteral("class"),   QStringLiteral("title"),
                                    QStringLiteral("alt"), QStringLiteral("summary"), QStringLiteral("style")};

QString attributeHint(const QString &name)
{
    return name + QStringLiteral("=\"\"");
}

// Count boxes take digits only: any other character typed is dropped.
class DigitsOnly : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent *>(event)->text();
            if (!text.isEmpty() && text.at(0).isPrint() && !text.at(0).isDigit())
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

QToolBar *newBar(QWidget *page, const QString &name)
{
    auto *bar = new QToolBar(page);
    bar->setObjectName(name);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    page->layout()->addWidget(bar);
    return bar;
}

void endPage(QWidget *page)
{
    if (auto *layout = qobject_cast<QBoxLayout *>(page->layout()))
        layout->addStretch();
}
} // namespace

TInsertionCommands::TInsertionCommands(QObject *parent, Host host) : QObject(parent), m_host(std::move(host))
{
    setObjectName(QStringLiteral("InsertionCommands"));
}

void TInsertionCommands::setDocument(TDocument *document)
{
    m_document = document;
}

TDocument *TInsertionCommands::document() const
{
    return m_document;
}

// ---- Building

void TInsertionCommands::BuildToolBars(QWidget *htmlTags, QWidget *tablesLists, QWidget *forms, QWidget *attributes)
{
    buildHtmlTags(htmlTags);
    buildTablesLists(tablesLists);
    buildForms(forms);
    buildAttributes(attributes);
}

void TInsertionCommands::buildHtmlTags(QWidget *page)
{
    QToolBar *bar = newBar(page, QStringLiteral("TToolbarMainTags"));
    auto closed = [&](const QString &name, const QString &hint) {
        QToolButton *b = AddInsertionButton(bar, name, hint, ClosedTag);
        connect(b, &QToolButton::clicked, this, [this, b] { ToolButtonHtmlClosedTagClick(b); });
        return b;
    };
    auto closedItems = [&](QMenu *menu, const QList<QPair<QString, QString>> &items) {
        for (const auto &[name, tag] : items) {
            QAction *a = AddMenuItem(menu, name, tag, tag, ClosedTag);
            connect(a, &QAction::triggered, this, [this, a] { PopupHtmlClosedTagClick(a); });
        }
    };
    auto tip = [&](const QString &name, const QString &hint, void (TInsertionCommands::*handler)()) {
        QToolButton *b = AddInsertionButton(bar, name, hint);
        connect(b, &QToolButton::clicked, this, handler);
        return b;
    };

    tip(QStringLiteral("ButtonComments"), tr("Comment"), &TInsertionCommands::ButtonCommentsTagClick);

    QMenu *titles = AddDropDownMenu(closed(QStringLiteral("ButtonTagTitle"), QStringLiteral("<h1>")),
                                    QStringLiteral("PopupTitleSeries"));
    AddMenuItem(titles, QStringLiteral("PopupTitleTagsText"), tr("Title tags:"))->setEnabled(false);
    for (int level = 1; level <= 6; ++level) {
        const QString tag = QStringLiteral("<h%1>").arg(level);
        closedItems(titles, {{QStringLiteral("PopupTitle_H%1").arg(level), tag}});
    }

    closed(QStringLiteral("Button_P"), QStringLiteral("<p>"));

    QToolButton *pageBreak = AddInsertionButton(bar, QStringLiteral("ButtonPageBreak"), QStringLiteral("<br>"), OpenEmptyTag);
    connect(pageBreak, &QToolButton::clicked, this, [this, pageBreak] { ToolButtonpHtmlOpenTagClick(pageBreak); });
    QMenu *breaks = AddDropDownMenu(pageBreak, QStringLiteral("PopupLineBreaks"));
    AddMenuItem(breaks, QStringLiteral("PopupLineBreaksText"), tr("Line breaks:"))->setEnabled(false);
    for (const auto &[name, tag] : QList<QPair<QString, QString>>{{QStringLiteral("PopupLineBreak02"), QStringLiteral("<br>")},
                                                                  {QStringLiteral("PopupLineBrealStrict02"), QStringLiteral("<br />")}}) {
        QAction *a = AddMenuItem(breaks, name, tag, tag, OpenEmptyTag);
        connect(a, &QAction::triggered, this, [this, a] { PopupHtmlOpenTagClick(a); });
    }

    closedItems(AddDropDownMenu(closed(QStringLiteral("ButtonBolds"), QStringLiteral("<b>")), QStringLiteral("PopupBolds")),
                {{QStringLiteral("PopupBold02"), QStringLiteral("<b>")}, {QStringLiteral("PopupStrong02"), QStringLiteral("<strong>")}});
    closedItems(AddDropDownMenu(closed(QStringLiteral("ButtonItalics"), QStringLiteral("<i>")), QStringLiteral("PopupItalics")),
                {{QStringLiteral("PopupItalic02"), QStringLiteral("<i>")}, {QStringLiteral("PopupEm02"), QStringLiteral("<em>")}});
    closed(QStringLiteral("ButtonUnderline"), QStringLiteral("<u>"));
    closedItems(AddDropDownMenu(closed(QStringLiteral("Button_del"), QStringLiteral("<s>")), QStringLiteral("PopupStrikes")),
                {{QStringLiteral("PopupStrikeHtml5_2"), QStringLiteral("<s>")}, {QStringLiteral("PopupDel2_2"), QStringLiteral("<del>")}});

    const QList<std::tuple<QString, QString, QString>> justify = {
        {QStringLiteral("ButtonJustifyCenter"), tr("Center the text"), QStringLiteral("center")},
        {QStringLiteral("ButtonJustifyLeft"), tr("Align the text left"), QStringLiteral("left")},
        {QStringLiteral("ButtonJustifyRight"), tr("Align the text right"), QStringLiteral("right")},
        {QStringLiteral("ButtonJustify"), tr("Justify the text"), QStringLiteral("justify")},
    };
    for (const auto &[name, hint, alignment] : justify) {
        const QString a = alignment;
        connect(AddInsertionButton(bar, name, hint), &QToolButton::clicked, this, [this, a] { ButtonJustifyClick(a); });
    }

    QMenu *colors = AddDropDownMenu(tip(QStringLiteral("ButtonColors"), tr("Text color"), &TInsertionCommands::PopupColorTextDivClick),
                                    QStringLiteral("PopupColors"));
    connect(AddMenuItem(colors, QStringLiteral("PopupColorTextDiv"), tr("Colour in a <span>")), &QAction::triggered, this,
            &TInsertionCommands::PopupColorTextDivClick);
    connect(AddMenuItem(colors, QStringLiteral("PopupColorTextStyle"), tr("style=\"color:...;\" attribute")),
            &QAction::triggered, this, &TInsertionCommands::PopupColorTextStyleClick);
    connect(AddMenuItem(colors, QStringLiteral("PopupColorTextAttribute"), tr("color:...; property")), &QAction::triggered,
            this, &TInsertionCommands::PopupColorTextAttributeClick);
    connect(AddMenuItem(colors, QStringLiteral("PopupHTMLColor_01"), tr("Colour code only")), &QAction::triggered, this,
            &TInsertionCommands::PopupHTMLColor_01Click);

    QToolButton *anchors = AddInsertionButton(bar, QStringLiteral("ButtonAnchors"), tr("Anchor"));
    connect(anchors, &QToolButton::clicked, this, [this] { ButtonRefAnchorClick(1); });
    QMenu *anchorMenu = AddDropDownMenu(anchors, QStringLiteral("PopupAnchors"));
    connect(AddMenuItem(anchorMenu, QStringLiteral("PopupLinkToAnchor02"), tr("&Link to an anchor")), &QAction::triggered,
            this, &TInsertionCommands::LinkToAnchorClick);
    for (int level = 1; level <= 6; ++level) {
        QAction *a = AddMenuItem(anchorMenu, QStringLiteral("PopupAnchor02_H%1").arg(level),
                                 tr("Anchor on <h&%1>").arg(level));
        connect(a, &QAction::triggered, this, [this, level] { ButtonRefAnchorClick(level); });
    }

    tip(QStringLiteral("ButtonLinkInternal"), tr("Link to a file"), &TInsertionCommands::ButtonInternalLinkClick);
    tip(QStringLiteral("ButtonLinkExternal"), tr("Link to a web address"), &TInsertionCommands::ButtonLinkExternalClick);
    tip(QStringLiteral("ButtonImage"), tr("Image"), &TInsertionCommands::ButtonImageClick);
    endPage(page);
}

QSpinBox *TInsertionCommands::countBox(QWidget *parent, const QString &panelName, const QString &caption,
                                       const QString &boxName, const QString &hint)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(panelName);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(6, 0, 0, 0);
    layout->setSpacing(3);
    auto *label = new QLabel(caption, panel);
    // The language file gives the panel its caption; the label shows it.
    connect(panel, &QWidget::windowTitleChanged, label, &QLabel::setText);
    auto *box = new QSpinBox(panel);
    box->setObjectName(boxName);
    box->setRange(1, 1000);
    box->setValue(2);
    box->setToolTip(hint);
    box->installEventFilter(new DigitsOnly(box));
    layout->addWidget(label);
    layout->addWidget(box);
    parent->layout()->addWidget(panel);
    return box;
}

void TInsertionCommands::buildTablesLists(QWidget *page)
{
    QToolBar *bar = newBar(page, QStringLiteral("ToolBarTablesLists"));
    QToolButton *container = AddInsertionButton(bar, QStringLiteral("ButtonContainer"), tr("Container generator"));
    connect(container, &QToolButton::clicked, this, &TInsertionCommands::PopUpEditorContainerClick);
    QMenu *containerMenu = AddDropDownMenu(container, QStringLiteral("PopupContainer"));
    connect(AddMenuItem(containerMenu, QStringLiteral("PopUpEditorContainer"), tr("Container &generator...")),
            &QAction::triggered, this, &TInsertionCommands::PopUpEditorContainerClick);
    connect(AddMenuItem(containerMenu, QStringLiteral("PopupContainerWithBorder"), tr("Container with a &border")),
            &QAction::triggered, this, &TInsertionCommands::ButtonContainerClick);

    QToolButton *table = AddInsertionButton(bar, QStringLiteral("ButtonTableEditor"), tr("Table generator"));
    connect(table, &QToolButton::clicked, this, &TInsertionCommands::ButtonTableEditorClick);
    QMenu *tableMenu = AddDropDownMenu(table, QStringLiteral("PopupTable"));
    connect(AddMenuItem(tableMenu, QStringLiteral("PopupEditorTable"), tr("Table &generator...")), &QAction::triggered,
            this, &TInsertionCommands::ButtonTableEditorClick);
    connect(AddMenuItem(tableMenu, QStringLiteral("PopupBlankTable"), tr("&Plain table...")), &QAction::triggered, this,
            &TInsertionCommands::ButtonTableWithoutCssClick);

    connect(AddInsertionButton(bar, QStringLiteral("Button_TR"), QStringLiteral("<tr>")), &QToolButton::clicked, this,
            &TInsertionCommands::Button_TRClick);
    QToolButton *cell = AddInsertionButton(bar, QStringLiteral("Button_TD"), QStringLiteral("<td>"), ClosedTag);
    connect(cell, &QToolButton::clicked, this, [this, cell] { ToolButtonHtmlClosedTagClick(cell); });
    connect(AddInsertionButton(bar, QStringLiteral("ButtonList_UL"), tr("Bulleted list")), &QToolButton::clicked, this,
            [this] { ButtonListClick(QStringLiteral("ul")); });
    connect(AddInsertionButton(bar, QStringLiteral("ButtonList_OL"), tr("Numbered list")), &QToolButton::clicked, this,
            [this] { ButtonListClick(QStringLiteral("ol")); });
    QToolButton *item = AddInsertionButton(bar, QStringLiteral("ButtonList_LI"), QStringLiteral("<li>"), ClosedTag);
    connect(item, &QToolButton::clicked, this, [this, item] { ToolButtonHtmlClosedTagClick(item); });
    SENumRows = countBox(page, QStringLiteral("PanelRows"), tr("Items:"), QStringLiteral("SENumRows"),
                         tr("Number of list items"));
    endPage(page);
}

void TInsertionCommands::buildForms(QWidget *page)
{
    QToolBar *bar = newBar(page, QStringLiteral("ToolBarForms"));
    const QList<std::tuple<QString, QString, void (TInsertionCommands::*)()>> buttons = {
        {QStringLiteral("ButtonForm"), tr("Form"), &TInsertionCommands::ButtonFormClick},
        {QStringLiteral("ButtonFormImg"), tr("Image button"), &TInsertionCommands::ButtonFormImgClick},
        {QStringLiteral("ButtonFormInputText"), tr("Text field"), &TInsertionCommands::ButtonFormInputTextClick},
        {QStringLiteral("ButtonFormTextArea"), tr("Text area"), &TInsertionCommands::ButtonFormTextAreaClick},
        {QStringLiteral("ButtonFormCheck"), tr("Checkbox"), &TInsertionCommands::ButtonFormCheckClick},
        {QStringLiteral("ButtonFormRadio"), tr("Radio button"), &TInsertionCommands::ButtonFormRadioClick},
        {QStringLiteral("ButtonFormSelect"), tr("Drop-down list"), &TInsertionCommands::ButtonFormSelectClick},
        {QStringLiteral("ButtonFormListBox"), tr("List box"), &TInsertionCommands::ButtonFormListBoxClick},
        {QStringLiteral("ButtonFormButton"), tr("Button"), &TInsertionCommands::ButtonFormButtonClick},
        {QStringLiteral("ButtonFormReset"), tr("Reset button"), &TInsertionCommands::ButtonFormResetClick},
        {QStringLiteral("ButtonFormSubmit"), tr("Submit button"), &TInsertionCommands::ButtonFormSubmitClick},
        {QStringLiteral("ButtonFormAttachFile"), tr("File upload field"), &TInsertionCommands::ButtonFormAttachFileClick},
        {QStringLiteral("ButtonFormPassword"), tr("Password field"), &TInsertionCommands::ButtonFormPasswordClick},
        {QStringLiteral("ButtonFormHidden"), tr("Hidden field"), &TInsertionCommands::ButtonFormHiddenClick},
    };
    for (const auto &[name, hint, handler] : buttons)
        connect(AddInsertionButton(bar, name, hint), &QToolButton::clicked, this, handler);
    SEFormOptions = countBox(page, QStringLiteral("PanelFormOptions"), tr("Options:"), QStringLiteral("SEFormOptions"),
                             tr("Number of options in a list"));
    endPage(page);
}

void TInsertionCommands::buildAttributes(QWidget *page)
{
    auto *panel = new QFrame(page);
    panel->setObjectName(QStringLiteral("PanelAttributes"));
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (const QString &name : AttributeNames) {
        const QString hint = attributeHint(name);
        auto *button = new QPushButton(hint, panel);
        button->setObjectName(QStringLiteral("Button_") + name);
        button->setToolTip(hint);
        ShowToolTipAsPlainText(button);
        button->setProperty(MarkupHintProperty, Attribute);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, button] { HtmlAttributeClick(button); });
        layout->addWidget(button);
    }
    page->layout()->addWidget(panel);
    endPage(page);
}

void TInsertionCommands::BuildEditorPopup(QMenu *popup)
{
    auto closedItem = [&](const QString &name, const QString &caption, const QString &tag) {
        QAction *a = AddMenuItem(popup, name, caption, tag, ClosedTag);
        connect(a, &QAction::triggered, this, [this, a] { PopupHtmlClosedTagClick(a); });
    };
    auto openItem = [&](const QString &name, const QString &tag) {
        QAction *a = AddMenuItem(popup, name, tag, tag, OpenEmptyTag);
        connect(a, &QAction::triggered, this, [this, a] { PopupHtmlOpenTagClick(a); });
    };
    auto fixedItem = [&](const QString &name, const QString &caption, void (TInsertionCommands::*handler)()) {
        connect(AddMenuItem(popup, name, caption), &QAction::triggered, this, handler);
    };

    fixedItem(QStringLiteral("PopupComments"), tr("Comment <!-- -->"), &TInsertionCommands::ButtonCommentsTagClick);
    closedItem(QStringLiteral("PopupParagraph"), tr("Paragraph <p>"), QStringLiteral("<p>"));
    openItem(QStringLiteral("PopupLineBreak"), QStringLiteral("<br>"));
    openItem(QStringLiteral("PopupLineBreakStrict"), QStringLiteral("<br />"));
    closedItem(QStringLiteral("PopupDiv"), QStringLiteral("<div>"), QStringLiteral("<div>"));
    closedItem(QStringLiteral("PopupSpan"), QStringLiteral("<span>"), QStringLiteral("<span>"));
    popup->addSeparator();
    closedItem(QStringLiteral("PopupBold"), tr("Bold <b>"), QStringLiteral("<b>"));
    closedItem(QStringLiteral("PopupStrong"), tr("Strong <strong>"), QStringLiteral("<strong>"));
    closedItem(QStringLiteral("PopupItalic"), tr("Italic <i>"), QStringLiteral("<i>"));
    closedItem(QStringLiteral("PopupEm"), tr("Emphasis <em>"), QStringLiteral("<em>"));
    closedItem(QStringLiteral("PopupUnderline"), tr("Underline <u>"), QStringLiteral("<u>"));
    closedItem(QStringLiteral("PopupStrikeHtml5_1"), tr("Strike <s>"), QStringLiteral("<s>"));
    closedItem(QStringLiteral("PopupDel_1"), tr("Deleted <del>"), QStringLiteral("<del>"));
    const QStringList attributeItems = {QStringLiteral("PopupClass1"), QStringLiteral("PopupId1"), QStringLiteral("style1"),
                                        QStringLiteral("PopupTitle1"), QStringLiteral("PopupAlt1"), QStringLiteral("PopupSummary1")};
    const QStringList attributeOrder = {QStringLiteral("class"), QStringLiteral("id"),  QStringLiteral("style"),
                                        QStringLiteral("title"), QStringLiteral("alt"), QStringLiteral("summary")};
    for (int i = 0; i < attributeItems.size(); ++i) {
        const QString hint = attributeHint(attributeOrder[i]);
        QAction *a = AddMenuItem(popup, attributeItems[i], hint, hint, Attribute);
        connect(a, &QAction::triggered, this, [this, a] { PopupHtmlAttributeClick(a); });
    }
    fixedItem(QStringLiteral("PopupCSSLink"), tr("CSS style sheet link"), &TInsertionCommands::PopupCSSLinkClick);
    closedItem(QStringLiteral("PopupStyle"), QStringLiteral("<style>"), QStringLiteral("<style>"));
    fixedItem(QStringLiteral("PopupJavascriptLink"), tr("JS script link"), &TInsertionCommands::PopupJavascriptLinkClick);
    closedItem(QStringLiteral("PopupScript"), QStringLiteral("<script>"), QStringLiteral("<script>"));
    fixedItem(QStringLiteral("PopupHTMLColor_02"), tr("Colour code"), &TInsertionCommands::PopupHTMLColor_01Click);
    closedItem(QStringLiteral("PopupTableElement"), tr("<li> List element"), QStringLiteral("<li>"));
    closedItem(QStringLiteral("PopupPre"), QStringLiteral("<pre>"), QStringLiteral("<pre>"));
    QAction *nbsp = AddMenuItem(popup, QStringLiteral("PopupNbsp"), QStringLiteral("&&nbsp;"), QStringLiteral("&nbsp;"), Block);
    connect(nbsp, &QAction::triggered, this, [this, nbsp] { PopupNbspClick(nbsp); });
    fixedItem(QStringLiteral("PopupLaquoRaquo"), QStringLiteral("&&laquo; &&raquo;"), &TInsertionCommands::PopupLaquoRaquoClick);
}

void TInsertionCommands::ConnectToolsMenu(QAction *containerEditor, QAction *tableEditor)
{
    if (containerEditor)
        connect(containerEditor, &QAction::triggered, this, &TInsertionCommands::PopUpEditorContainerClick);
    if (tableEditor)
        connect(tableEditor, &QAction::triggered, this, &TInsertionCommands::ButtonTableEditorClick);
}

// ---- Hint-driven commands

void TInsertionCommands::ToolButtonHtmlClosedTagClick(QObject *sender)
{
    HtmlClosedTg(document(), HintOf(sender));
}

void TInsertionCommands::PopupHtmlClosedTagClick(QObject *sender)
{
    HtmlClosedTg(document(), HintOf(sender));
}

void TInsertionCommands::ToolButtonpHtmlOpenTagClick(QObject *sender)
{
    HtmlOpenEmptyTg(document(), HintOf(sender));
}

void TInsertionCommands::PopupHtmlOpenTagClick(QObject *sender)
{
    HtmlOpenEmptyTg(document(), HintOf(sender));
}

void TInsertionCommands::HtmlAttributeClick(QObject *sender)
{
    HtmlAttribt(document(), HintOf(sender));
}

void TInsertionCommands::PopupHtmlAttributeClick(QObject *sender)
{
    HtmlAttribt(document(), HintOf(sender));
}

void TInsertionCommands::PopupNbspClick(QObject *sender)
{
    HtmlInsertBloc(document(), HintOf(sender));
}

// ---- Fixed-text commands

void TInsertionCommands::ButtonCommentsTagClick()
{
    HtmlDoubleTag(document(), QStringLiteral("<!-- "), QStringLiteral(" -->"));
}

void TInsertionCommands::ButtonJustifyClick(const QString &alignment)
{
    HtmlDoubleTag(document(), QStringLiteral("<div style=\"text-align: %1;\">").arg(alignment), QStringLiteral("</div>"));
}

void TInsertionCommands::ButtonRefAnchorClick(int level)
{
    HtmlDoubleTag(document(), QStringLiteral("<h%1 id=\"destination\">").arg(level), QStringLiteral("</h%1>").arg(level));
}

void TInsertionCommands::LinkToAnchorClick()
{
    HtmlInsertBloc(document(), QStringLiteral("<a href=\"#destination\" title=\"\">"));
}

void TInsertionCommands::ButtonLinkExternalClick()
{
    HtmlDoubleTag(document(), LinkOpening(QString()), QStringLiteral("</a>"));
}

void TInsertionCommands::ButtonContainerClick()
{
    HtmlInsertBloc(document(), ContainerWithBorderMarkup());
}

void TInsertionCommands::Button_TRClick()
{
    HtmlInsertBloc(document(), TableRowMarkup());
}

void TInsertionCommands::ButtonListClick(const QString &tag)
{
    HtmlInsertBloc(document(), ListMarkup(tag, SENumRows ? SENumRows->value() : 0));
}

void TInsertionCommands::PopupCSSLinkClick()
{
    HtmlInsertBloc(document(), QStringLiteral("<link rel=\"stylesheet\" href=\"style.css\">"));
}

void TInsertionCommands::PopupJavascriptLinkClick()
{
    HtmlInsertBloc(document(), QStringLiteral("<script src=\"script.js\"></script>"));
}

void TInsertionCommands::PopupLaquoRaquoClick()
{
    HtmlDoubleTag(document(), QStringLiteral("&laquo;&nbsp;"), QStringLiteral("&nbsp;&raquo;"));
}

// ---- Form controls

void TInsertionCommands::ButtonFormClick()
{
    HtmlInsertBloc(document(), FormMarkup());
}

void TInsertionCommands::ButtonFormInputTextClick()
{
    HtmlInsertBloc(document(), QStringLiteral("<input type=\"text\" name=\"\" value=\"\">"));
}

void TInsertionCommands::ButtonFormTextAreaClick()
{
    HtmlDoubleTag(document(), QStringLiteral("<textarea name=\"\" cols=\"30\" rows=\"5\" Value>"), QStringLiteral("</textarea>"));
}

void TInsertionCommands::ButtonFormCheckClick()
{
    if (TDocument *doc = document())
        HtmlInsertBloc(doc, CheckboxMarkup(++FormCheckboxCount));
}

void TInsertionCommands::ButtonFormRadioClick()
{
    if (TDocument *doc = document())
        HtmlInsertBloc(doc, RadioMarkup(++FormRadioCount));
}

void TInsertionCommands::ButtonFormSelectClick()
{
    HtmlInsertBloc(document(), SelectMarkup(SEFormOptions ? SEFormOptions->value() : 0));
}

void TInsertionCommands::ButtonFormListBoxClick()
{
    HtmlInsertBloc(document(), ListBoxMarkup(SEFormOptions ? SEFormOptions->value() : 0));
}

void TInsertionCommands::ButtonFormButtonClick()
{
    if (TDocument *doc = document())
        HtmlInsertBloc(doc, ButtonMarkup(++FormButtonCount));
}

void TInsertionCommands::ButtonFormResetClick()
{
    HtmlInsertBloc(document(), ResetMarkup(SCancel));
}

void TInsertionCommands::ButtonFormSubmitClick()
{
    HtmlInsertBloc(document(), SubmitMarkup(SSubmit));
}

void TInsertionCommands::ButtonFormAttachFileClick()
{
    HtmlInsertBloc(document(), QStringLiteral("<input type=\"file\" name=\"\">"));
}

void TInsertionCommands::ButtonFormPasswordClick()
{
    HtmlInsertBloc(document(), QStringLiteral("<input type=\"password\" name=\"\" value=\"\">"));
}

void TInsertionCommands::ButtonFormHiddenClick()
{
    HtmlInsertBloc(document(), QStringLiteral("<input type=\"hidden\" name=\"\" value=\"\">"));
}

// ---- Colours, links and images

void TInsertionCommands::PopupColorTextDivClick()
{
    QPointer<TDocument> doc = document();
    QString color;
    if (doc && AskColorText(&LastColor, &color) && doc)
        HtmlDoubleTag(doc, ColorSpanOpening(color), QStringLiteral("</span>"));
}

void TInsertionCommands::PopupColorTextStyleClick()
{
    QPointer<TDocument> doc = document();
    QString color;
    if (doc && AskColorText(&LastColor, &color) && doc)
        HtmlInsertBloc(doc, ColorStyleAttribute(color));
}

void TInsertionCommands::PopupColorTextAttributeClick()
{
    QPointer<TDocument> doc = document();
    QString color;
    if (doc && AskColorText(&LastColor, &color) && doc)
        HtmlInsertBloc(doc, ColorProperty(color));
}

void TInsertionCommands::PopupHTMLColor_01Click()
{
    QPointer<TDocument> doc = document();
    QString color;
    if (doc && AskColorText(&LastColor, &color) && doc)
        HtmlInsertBloc(doc, color);
}

void TInsertionCommands::ButtonInternalLinkClick()
{
    QPointer<TDocument> doc = document();
    const QString filter = m_host.openDialogFilter ? m_host.openDialogFilter() : QString();
    const QString link = AskLinkedFile(doc, LinkedFileKind::Link, filter, QDir::currentPath());
    if (!link.isEmpty() && doc)
        HtmlDoubleTag(doc, LinkOpening(link), QStringLiteral("</a>"));
}

void TInsertionCommands::image(ImageMarkupKind kind)
{
    QPointer<TDocument> doc = document();
    const QString filter = m_host.openDialogFilter ? m_host.openDialogFilter() : QString();
    const QString folder = m_host.lastImageFolder ? *m_host.lastImageFolder : QString();
    QString path;
    const QString link = AskLinkedFile(doc, LinkedFileKind::Image, filter, folder, &path);
    if (link.isEmpty() || !doc)
        return;
    const QRect size = GetImageSize(path);
    HtmlInsertBloc(doc, ImageMarkup(kind, link, QSize(size.right(), size.bottom())));
    if (m_host.lastImageFolder)
        *m_host.lastImageFolder = QFileInfo(path).absolutePath();
}

void TInsertionCommands::ButtonImageClick()
{
    image(ImageMarkupKind::Image);
}

void TInsertionCommands::ButtonFormImgClick()
{
    image(ImageMarkupKind::FormImage);
}

// ---- Generators

void TInsertionCommands::handOver(void (TInsertionCommands::*request)())
{
    QPointer<TDocument> doc = document();
    if (!doc || !m_host.generatedHtml)
        return;
    // Markup of an earlier use is never handed over again, even when no generator answers.
    m_host.generatedHtml->clear();
    emit(this->*request)();
    if (doc && !m_host.generatedHtml->isEmpty())
        HtmlInsertBloc(doc, *m_host.generatedHtml);
}

void TInsertionCommands::PopUpEditorContainerClick()
{
    handOver(&TInsertionCommands::containerGeneratorRequested);
}

void TInsertionCommands::ButtonTableEditorClick()
{
    handOver(&TInsertionCommands::tableGeneratorRequested);
}

void TInsertionCommands::ButtonTableWithoutCssClick()
{
    handOver(&TInsertionCommands::formTableRequested);
}
