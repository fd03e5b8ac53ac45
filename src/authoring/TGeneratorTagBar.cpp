#include "authoring/TGeneratorTagBar.h"

#include "authoring/HtmlInsert.h"
#include "program/MessagesKandrix.h"
#include "documents/TDocument.h"
#include "util/VelKandrixUtils.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QToolButton>
#include <Qsci/qsciscintilla.h>

namespace {
const QString ClosedTag = QStringLiteral("ClosedTag");
const QString OpenEmptyTag = QStringLiteral("OpenEmptyTag");
} // namespace

TGeneratorTagBar::TGeneratorTagBar(Generator generator, QsciScintilla *editor, LinkContext links, QWidget *parent)
    : QToolBar(parent), m_generator(generator), m_editor(editor), m_links(std::move(links))
{
    setObjectName(QStringLiteral("TToolbarMainTags"));
    setIconSize(QSize(16, 16));
    const bool container = generator == Generator::Container;

    auto closed = [this](const QString &name, const QString &hint) {
        QToolButton *b = AddInsertionButton(this, name, hint, ClosedTag);
        connect(b, &QToolButton::clicked, this, [this, b] { closedTag(b); });
        return b;
    };
    auto closedItems = [this](QMenu *menu, const QList<QPair<QString, QString>> &items) {
        for (const auto &[name, tag] : items) {
            QAction *a = AddMenuItem(menu, name, tag, tag, ClosedTag);
            connect(a, &QAction::triggered, this, [this, a] { closedTag(a); });
        }
    };
    auto doubleTag = [this](QObject *sender, const QString &opening, const QString &closing) {
        auto run = [this, opening, closing] { HtmlDoubleTag(m_editor.data(), opening, closing); };
        if (auto *a = qobject_cast<QAction *>(sender))
            connect(a, &QAction::triggered, this, run);
        else if (auto *b = qobject_cast<QToolButton *>(sender))
            connect(b, &QToolButton::clicked, this, run);
    };

    doubleTag(AddInsertionButton(this, QStringLiteral("ButtonComments"), SComments), QStringLiteral("<!-- "),
            QStringLiteral(" -->"));
    closed(QStringLiteral("Button_P"), QStringLiteral("<p>"));

    QToolButton *pageBreak = AddInsertionButton(this, QStringLiteral("ButtonPageBreak"), QStringLiteral("<br>"),
                                                container ? QString() : OpenEmptyTag);
    if (!container)
        connect(pageBreak, &QToolButton::clicked, this, [this, pageBreak] { openTag(pageBreak); });
    QMenu *breaks = AddDropDownMenu(pageBreak, QStringLiteral("PopupLineBreaks"));
    AddMenuItem(breaks, QStringLiteral("PopupLineBreaksText"), tr("Line breaks:"))->setEnabled(false);
    for (const auto &[name, tag] : QList<QPair<QString, QString>>{{QStringLiteral("PopupLineBreak02"), QStringLiteral("<br>")},
                                                                  {QStringLiteral("PopupLineBrealStrict02"), QStringLiteral("<br />")}}) {
        QAction *a = AddMenuItem(breaks, name, tag, tag, OpenEmptyTag);
        connect(a, &QAction::triggered, this, [this, a] { openTag(a); });
    }

    closedItems(AddDropDownMenu(closed(QStringLiteral("ButtonBolds"), QStringLiteral("<b>")), QStringLiteral("PopupBolds")),
                {{QStringLiteral("PopupBold02"), QStringLiteral("<b>")}, {QStringLiteral("PopupStrong02"), QStringLiteral("<strong>")}});
    closedItems(AddDropDownMenu(closed(QStringLiteral("ButtonItalics"), QStringLiteral("<i>")), QStringLiteral("PopupItalics")),
                {{QStringLiteral("PopupItalic02"), QStringLiteral("<i>")}, {QStringLiteral("PopupEm02"), QStringLiteral("<em>")}});
    closed(container ? QStringLiteral("ToolButton1") : QStringLiteral("ButtonUnderline"), QStringLiteral("<u>"));
    closed(QStringLiteral("Button_del"), QStringLiteral("<del>"));

    const QList<std::tuple<QString, QString, QString>> justify = {
        {QStringLiteral("ButtonJustifyCenter"), tr("Center the text"), QStringLiteral("center")},
        {QStringLiteral("ButtonJustifyLeft"), tr("Align the text left"), QStringLiteral("left")},
        {QStringLiteral("ButtonJustifyRight"), tr("Align the text right"), QStringLiteral("right")},
        {QStringLiteral("ButtonJustify"), tr("Justify the text"), QStringLiteral("justify")},
    };
    for (const auto &[name, hint, alignment] : justify)
        doubleTag(AddInsertionButton(this, name, hint), QStringLiteral("<div style=\"text-align: %1;\">").arg(alignment),
                QStringLiteral("</div>"));

    QToolButton *colors = AddInsertionButton(this, QStringLiteral("ButtonColors"), STextColor);
    connect(colors, &QToolButton::clicked, this, [this] { color(0); });
    QMenu *colorMenu = AddDropDownMenu(colors, QStringLiteral("PopupColors"));
    connect(AddMenuItem(colorMenu, QStringLiteral("PopupColorTextDiv"), tr("Colour in a <span>")), &QAction::triggered,
            this, [this] { color(0); });
    connect(AddMenuItem(colorMenu, QStringLiteral("PopupColorTextStyle"), tr("style=\"color:...;\" attribute")),
            &QAction::triggered, this, [this] { color(1); });
    connect(AddMenuItem(colorMenu, QStringLiteral("PopupColorTextAttribute"), tr("color:...; property")),
            &QAction::triggered, this, [this] { color(2); });

    connect(AddInsertionButton(this, QStringLiteral("ButtonLinkInternal"), SInternalLink), &QToolButton::clicked, this,
            &TGeneratorTagBar::internalLink);
    doubleTag(AddInsertionButton(this, QStringLiteral("ButtonLinkExternal"), SExternalLink), LinkOpening(QString()),
            QStringLiteral("</a>"));
    connect(AddInsertionButton(this, QStringLiteral("ButtonImage"), SImage), &QToolButton::clicked, this,
            &TGeneratorTagBar::image);
    ApplyMessageTexts();
}

void TGeneratorTagBar::ApplyMessageTexts()
{
    const QList<QPair<QString, QString>> tips = {{QStringLiteral("ButtonComments"), SComments},
                                                 {QStringLiteral("ButtonColors"), STextColor},
                                                 {QStringLiteral("ButtonLinkInternal"), SInternalLink},
                                                 {QStringLiteral("ButtonLinkExternal"), SExternalLink},
                                                 {QStringLiteral("ButtonImage"), SImage}};
    for (const auto &[name, text] : tips) {
        if (auto *b = findChild<QToolButton *>(name))
            b->setToolTip(text);
    }
}

void TGeneratorTagBar::setDocument(TDocument *document)
{
    m_document = document;
}

void TGeneratorTagBar::closedTag(QObject *sender)
{
    HtmlClosedTg(m_editor.data(), HintOf(sender));
}

void TGeneratorTagBar::openTag(QObject *sender)
{
    HtmlOpenEmptyTg(m_editor.data(), HintOf(sender), InsertionTarget::GeneratorEditor);
}

void TGeneratorTagBar::color(int kind)
{
    QString text;
    if (!m_editor || !AskColorText(&LastColor, &text) || !m_editor)
        return;
    switch (kind) {
    case 0: HtmlDoubleTag(m_editor.data(), ColorSpanOpening(text), QStringLiteral("</span>")); break;
    case 1: HtmlInsertBloc(m_editor.data(), ColorStyleAttribute(text)); break;
    default: HtmlInsertBloc(m_editor.data(), ColorProperty(text)); break;
    }
}

void TGeneratorTagBar::internalLink()
{
    TDocument *doc = m_document;
    const QString filter = m_links.openDialogFilter ? m_links.openDialogFilter() : QString();
    const QString link = AskLinkedFile(doc, LinkedFileKind::Link, filter, QDir::currentPath());
    if (!link.isEmpty() && m_editor)
        HtmlDoubleTag(m_editor.data(), LinkOpening(link), QStringLiteral("</a>"));
}

void TGeneratorTagBar::image()
{
    TDocument *doc = m_document;
    const QString filter = m_links.openDialogFilter ? m_links.openDialogFilter() : QString();
    QString path;
    const QString link = AskLinkedFile(doc, LinkedFileKind::Image, filter, QString(), &path);
    if (link.isEmpty() || !m_editor)
        return;
    const QRect size = GetImageSize(path);
    HtmlInsertBloc(m_editor.data(), ImageMarkup(ImageMarkupKind::GeneratorImage, link, QSize(size.right(), size.bottom())));
}
