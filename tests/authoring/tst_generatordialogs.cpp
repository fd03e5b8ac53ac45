// The generator dialogs as a user lays out, resets and previews: what the markup says and
// what the preview then shows.
#include "GeneratorTestSupport.h"
#include "TestSupport.h"

#include "authoring/GeneratorMarkup.h"
#include "authoring/GeneratorWidgets.h"
#include "authoring/TFormTable.h"
#include "authoring/TGeneratorContainer.h"
#include "authoring/TGeneratorHtmlTable.h"
#include "authoring/ZColorStringGrid.h"
#include "documents/PreviewPage.h"
#include "program/MessagesKandrix.h"
#include "util/VelKandrixUtils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <Qsci/qsciscintilla.h>

namespace {
// Long enough for a browser on a busy machine; a page that is right ends the wait at once.
const int Shown = 120000;

QWebEngineView *previewOf(QWidget *dialog)
{
    return dialog->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1"));
}

// A table as its rows, " / " between them; each cell its text ("_" when blank) and, when
// it has any, its spans as they are written: "(colspan x rowspan)", "-" for one left out.
const QString ShownTable = QStringLiteral(R"(Array.from((document.querySelector('table') || {rows: []}).rows).map(
  function (r) { return Array.from(r.cells).map(function (c) {
    var text = c.textContent.replace(/\u00a0/g, ' ').trim() || '_';
    var cs = c.getAttribute('colspan'), rs = c.getAttribute('rowspan');
    return text + (cs || rs ? '(' + (cs || '-') + 'x' + (rs || '-') + ')' : ''); }).join(' '); }).join(' / '))");

QString tableLayout(const QString &markup)
{
    static const QRegularExpression row(QStringLiteral("<tr>(.*?)</tr>"), QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cell(QStringLiteral("<td([^>]*)>(.*?)</td>"));
    static const QRegularExpression colspan(QStringLiteral("colspan=\"([^\"]*)\""));
    static const QRegularExpression rowspan(QStringLiteral("rowspan=\"([^\"]*)\""));
    QStringList rows;
    for (auto r = row.globalMatch(markup); r.hasNext();) {
        QStringList cells;
        for (auto c = cell.globalMatch(r.next().captured(1)); c.hasNext();) {
            const QRegularExpressionMatch td = c.next();
            QString text = td.captured(2).replace(QStringLiteral("&nbsp;"), QStringLiteral(" ")).trimmed();
            const QString cs = colspan.match(td.captured(1)).captured(1);
            const QString rs = rowspan.match(td.captured(1)).captured(1);
            if (text.isEmpty())
                text = QStringLiteral("_");
            if (!cs.isEmpty() || !rs.isEmpty())
                text += QStringLiteral("(%1x%2)").arg(cs.isEmpty() ? "-" : cs, rs.isEmpty() ? "-" : rs);
            cells << text;
        }
        rows << cells.join(QLatin1Char(' '));
    }
    return rows.join(QStringLiteral(" / "));
}

// The cell names of a spreadsheet: column letter, row number from 1.
QString cellName(int col, int row)
{
    return QChar(QLatin1Char('a' + col)) + QString::number(row + 1);
}


// A cell given as "col,row".
QPoint cellAt(const QString &text)
{
    return QPoint(text.section(QLatin1Char(','), 0, 0).toInt(), text.section(QLatin1Char(','), 1, 1).toInt());
}

// The text, bold, underline and alignment items of a container's style, in their order.
QString textItems(const QString &markup)
{
    QStringList items;
    for (const QString &item : GetTextBetween(markup, QStringLiteral("style=\""), QStringLiteral("\"")).split(';')) {
        const QString t = item.trimmed();
        if (t.startsWith(QLatin1String("font-")) || t.startsWith(QLatin1String("text-")))
            items << t;
    }
    return items.join(QLatin1Char(' '));
}
} // namespace

class TestGeneratorDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ClearMessages(); }

    // Each merged area is one cell at its top-left with the spans it has and no other: no
    // colspan for an area one column wide, no rowspan for one row high; the cells it hides
    // write nothing; an area that overlaps an earlier one or leaves the table is not written.
    void mergedAreas_data()
    {
        QTest::addColumn<QList<QRect>>("merges");
        QTest::addColumn<QString>("layout");
        auto r = [](int l, int t, int rr, int b) { return QRect(QPoint(l, t), QPoint(rr, b)); };
        QTest::newRow("along a row") << QList<QRect>{r(0, 0, 1, 0)} << "a1(2x-) c1 / a2 b2 c2 / a3 b3 c3";
        QTest::newRow("down a column") << QList<QRect>{r(1, 0, 1, 2)} << "a1 b1(-x3) c1 / a2 c2 / a3 c3";
        QTest::newRow("block") << QList<QRect>{r(1, 1, 2, 2)} << "a1 b1 c1 / a2 b2(2x2) / a3";
        QTest::newRow("whole table") << QList<QRect>{r(0, 0, 2, 2)} << "a1(3x3) /  / ";
        QTest::newRow("a row and a column beside it")
            << QList<QRect>{r(0, 0, 1, 0), r(2, 0, 2, 2)} << "a1(2x-) c1(-x3) / a2 b2 / a3 b3";
        QTest::newRow("the first of two overlapping wins")
            << QList<QRect>{r(0, 0, 1, 1), r(1, 1, 2, 2)} << "a1(2x2) c1 / c2 / a3 b3 c3";
        QTest::newRow("right of the table") << QList<QRect>{r(2, 0, 3, 0)} << "a1 b1 c1 / a2 b2 c2 / a3 b3 c3";
        QTest::newRow("below the table") << QList<QRect>{r(0, 2, 0, 3)} << "a1 b1 c1 / a2 b2 c2 / a3 b3 c3";
        QTest::newRow("left of the table") << QList<QRect>{r(-1, 0, 0, 0)} << "a1 b1 c1 / a2 b2 c2 / a3 b3 c3";
    }
    void mergedAreas()
    {
        QFETCH(QList<QRect>, merges);
        QFETCH(QString, layout);
        CellMatrix cells(3, QVector<TCellState>(3));
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 3; ++r)
                cells[c][r].Content = cellName(c, r);
        QCOMPARE(tableLayout(TableMarkup(TableOptions(), cells, merges)), layout);
    }

    // Merging and splitting on the grid as a user does, each cell named by what was typed
    // in it: the markup and the preview show the same spans, and the selected cell is the
    // one whose content the editor then holds. Steps: "merge FROM TO" clicks FROM,
    // shift-clicks TO and presses Merge; "press AT" clicks AT and presses Merge; "cols N".
    void mergesOnTheGrid_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("selected");
        QTest::newRow("along a row") << QStringList{"merge 0,0 1,0"} << "a1(2x-) c1 / a2 b2 c2 / a3 b3 c3" << "[1,1]";
        QTest::newRow("down a column") << QStringList{"merge 1,0 1,2"} << "a1 b1(-x3) c1 / a2 c2 / a3 c3" << "[2,1]";
        QTest::newRow("block picked from its far corner")
            << QStringList{"merge 2,2 1,1"} << "a1 b1 c1 / a2 b2(2x2) / a3" << "[2,2]";
        QTest::newRow("a row and a column") << QStringList{"merge 0,0 1,0", "merge 2,0 2,2"}
                                            << "a1(2x-) c1(-x3) / a2 b2 / a3 b3" << "[3,1]";
        QTest::newRow("pressed again inside it, split") << QStringList{"merge 0,0 1,1", "press 1,1"}
                                                        << "a1 b1 c1 / a2 b2 c2 / a3 b3 c3" << "[1,1]";
        QTest::newRow("over part of a merged area, split only")
            << QStringList{"merge 0,0 1,0", "merge 1,0 1,1"} << "a1 b1 c1 / a2 b2 c2 / a3 b3 c3" << "[1,1]";
        QTest::newRow("up a column from a merged cell, split only")
            << QStringList{"merge 0,1 0,2", "merge 0,1 0,0"} << "a1 b1 c1 / a2 b2 c2 / a3 b3 c3" << "[1,1]";
        QTest::newRow("a single cell stays") << QStringList{"press 1,1"} << "a1 b1 c1 / a2 b2 c2 / a3 b3 c3" << "[2,2]";
        QTest::newRow("a count change drops merges and contents")
            << QStringList{"merge 0,0 1,1", "cols 4"} << "a1 _ _ _ / _ _ _ _ / _ _ _ _" << "[1,1]";
    }
    void mergesOnTheGrid()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, layout);
        QFETCH(QString, selected);
        QString generated;
        TGeneratorHtmlTable dialog(&generated, {});
        Control<QSpinBox>(&dialog, "SENumCols")->setValue(3);
        Control<QSpinBox>(&dialog, "SENumRows")->setValue(3);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < 3; ++r) {
                clickCell(Control<TZColorStringGrid>(&dialog, "Grid"), c, r);
                typeInto(Control<QsciScintilla>(&dialog, "SynEdit1"), cellName(c, r));
            }
        }
        for (const QString &step : steps) {
            const QStringList words = step.split(QLatin1Char(' '));
            if (words[0] == QLatin1String("cols")) {
                Control<QSpinBox>(&dialog, "SENumCols")->setValue(words[1].toInt());
                continue;
            }
            clickCell(Control<TZColorStringGrid>(&dialog, "Grid"), cellAt(words[1]).x(), cellAt(words[1]).y());
            if (words[0] == QLatin1String("merge"))
                clickCell(Control<TZColorStringGrid>(&dialog, "Grid"), cellAt(words[2]).x(), cellAt(words[2]).y(), Qt::ShiftModifier);
            QTest::mouseClick(Control<QPushButton>(&dialog, "ButtonMerge"), Qt::LeftButton);
        }
        QVERIFY(Control<QLabel>(&dialog, "LabelCellSelected")->text().endsWith(selected));
        QTest::mouseClick(Control<QPushButton>(&dialog, "ButtonStart"), Qt::LeftButton);
        QCOMPARE(tableLayout(generated), layout);
        QTRY_COMPARE_WITH_TIMEOUT(ShownPage(previewOf(&dialog), ShownTable), layout, Shown);
    }

    // Reset brings the table options and the cell bar back to their defaults, drops every
    // merge and content, empties the preview and brings the draft in front; the column and
    // row counts, border collapsing, the editor's text and the current cell stay: Start then
    // gives what a new dialog gives for the same. A new showing empties the preview again.
    void resetStartsTheLayoutAfresh()
    {
        ScriptedDialogs dialogs;
        QString generated;
        TGeneratorHtmlTable dialog(&generated, {});
        Control<QSpinBox>(&dialog, "SENumCols")->setValue(3);
        Control<QSpinBox>(&dialog, "SENumRows")->setValue(2);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Control<QLineEdit>(&dialog, "EditWidth")->setText("300");
        Control<QLineEdit>(&dialog, "EditHeight")->setText("40");
        Control<QLineEdit>(&dialog, "EditMargin")->setText("5");
        dialogs.colorAnswers << QColor(0x10, 0x20, 0x30) << QColor(0x40, 0x50, 0x60) << QColor(0xFF, 0xEE, 0x00)
                             << QColor(0x33, 0x66, 0x99);
        Control<QPushButton>(&dialog, "ButtonColorBackground")->click();
        Control<QPushButton>(&dialog, "ButtonColorBorder")->click();
        Control<QComboBox>(&dialog, "CBHorizontalAlign")->setCurrentText("right");
        Control<QSpinBox>(&dialog, "SEBorderWidth")->setValue(3);
        Control<QComboBox>(&dialog, "CBBorderStyle")->setCurrentText("dotted");
        Control<QCheckBox>(&dialog, "CBCollapse")->setChecked(true);
        Control<QSpinBox>(&dialog, "SEPaddingAllCells")->setValue(7);
        clickCell(Control<TZColorStringGrid>(&dialog, "Grid"), 1, 0);
        typeInto(Control<QsciScintilla>(&dialog, "SynEdit1"), "X");
        Control<QSpinBox>(&dialog, "SECellBorderWidth")->setValue(4);
        Control<QComboBox>(&dialog, "CBCellBorderStyle")->setCurrentText("dashed");
        QTest::mouseClick(Control<TColorShape>(&dialog, "PanelCellBackgroundColor"), Qt::LeftButton);
        clickCell(Control<TZColorStringGrid>(&dialog, "Grid"), 0, 1);
        clickCell(Control<TZColorStringGrid>(&dialog, "Grid"), 1, 1, Qt::ShiftModifier);
        QTest::mouseClick(Control<QPushButton>(&dialog, "ButtonMerge"), Qt::LeftButton);
        clickCell(Control<TZColorStringGrid>(&dialog, "Grid"), 2, 1);
        typeInto(Control<QsciScintilla>(&dialog, "SynEdit1"), "Y");
        QTest::mouseClick(Control<TColorShape>(&dialog, "PanelCellBackgroundColor"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(&dialog, "ButtonStart"), Qt::LeftButton);
        QVERIFY2(generated.startsWith("<div style=\"text-align:right;\">\r\n<table style=\" width:300px; height:40px;"
                                      " margin:5px; background-color:#102030; border:3px dotted #405060;"
                                      " border-collapse:collapse;\" summary=\"\">"),
                 qPrintable(generated));
        QCOMPARE(tableLayout(generated), QStringLiteral("_ X _ / _(2x-) Y"));
        QTRY_COMPARE_WITH_TIMEOUT(ShownPage(previewOf(&dialog), ShownTable), tableLayout(generated), Shown);

        QTest::mouseClick(Control<QPushButton>(&dialog, "ButtonReset"), Qt::LeftButton);
        QCOMPARE(Control<QTabWidget>(&dialog, "PageControl")->currentWidget(), Control<QWidget>(&dialog, "TBDraft"));
        // What the markup cannot show: the cell bar's border (the table's replaces it).
        QCOMPARE(Control<QSpinBox>(&dialog, "SECellBorderWidth")->value(), 1);
        QCOMPARE(Control<QComboBox>(&dialog, "CBCellBorderStyle")->currentText(), QStringLiteral("solid"));
        QCOMPARE(Control<TColorShape>(&dialog, "PanelCellBorderColor")->Color(), QColor(Qt::black));
        QVERIFY(Control<QLabel>(&dialog, "LabelCellSelected")->text().endsWith("[3,2]"));
        QTRY_COMPARE_WITH_TIMEOUT(ShownPage(previewOf(&dialog), ShownTable), QStringLiteral("blank"), Shown);

        // The same table laid out in a new dialog: a cell's own style stays through Reset.
        QString fresh;
        TGeneratorHtmlTable other(&fresh, {});
        Control<QSpinBox>(&other, "SENumCols")->setValue(3);
        Control<QSpinBox>(&other, "SENumRows")->setValue(2);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        Control<QCheckBox>(&other, "CBCollapse")->setChecked(true);
        clickCell(Control<TZColorStringGrid>(&other, "Grid"), 1, 0);
        Control<QSpinBox>(&other, "SECellBorderWidth")->setValue(4);
        Control<QComboBox>(&other, "CBCellBorderStyle")->setCurrentText("dashed");
        Control<TColorShape>(&other, "PanelCellBackgroundColor")->SetColor(QColor(0xFF, 0xEE, 0x00));
        clickCell(Control<TZColorStringGrid>(&other, "Grid"), 2, 1);
        typeInto(Control<QsciScintilla>(&other, "SynEdit1"), "Y");
        other.GenerateHTML();
        QTest::mouseClick(Control<QPushButton>(&dialog, "ButtonStart"), Qt::LeftButton);
        QCOMPARE(generated, fresh);
        QTRY_COMPARE_WITH_TIMEOUT(ShownPage(previewOf(&dialog), ShownTable), QStringLiteral("_ _ _ / _ _ Y"), Shown);

        dialog.close();
        dialog.show();
        QTRY_COMPARE_WITH_TIMEOUT(ShownPage(previewOf(&dialog), ShownTable), QStringLiteral("blank"), Shown);
    }

    // What was chosen for a cell in the cell bar is there again when the cell is chosen
    // again, and its background reaches the markup.
    void cellBarFollowsTheCell()
    {
        ScriptedDialogs dialogs;
        QString generated;
        TGeneratorHtmlTable dialog(&generated, {});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        clickCell(Control<TZColorStringGrid>(&dialog, "Grid"), 2, 1);
        Control<QSpinBox>(&dialog, "SECellBorderWidth")->setValue(5);
        Control<QComboBox>(&dialog, "CBCellBorderStyle")->setCurrentText("double");
        dialogs.colorAnswers << QColor(0x12, 0x34, 0x56) << QColor(0xAB, 0xCD, 0xEF);
        QTest::mouseClick(Control<TColorShape>(&dialog, "PanelCellBorderColor"), Qt::LeftButton);
        QTest::mouseClick(Control<TColorShape>(&dialog, "PanelCellBackgroundColor"), Qt::LeftButton);
        clickCell(Control<TZColorStringGrid>(&dialog, "Grid"), 0, 0);
        QCOMPARE(Control<QSpinBox>(&dialog, "SECellBorderWidth")->value(), 1);
        QCOMPARE(Control<QComboBox>(&dialog, "CBCellBorderStyle")->currentText(), QStringLiteral("solid"));
        QCOMPARE(Control<TColorShape>(&dialog, "PanelCellBorderColor")->Color(), QColor(Qt::black));
        QCOMPARE(Control<TColorShape>(&dialog, "PanelCellBackgroundColor")->Color(), QColor(Qt::white));
        clickCell(Control<TZColorStringGrid>(&dialog, "Grid"), 2, 1);
        QCOMPARE(Control<QSpinBox>(&dialog, "SECellBorderWidth")->value(), 5);
        QCOMPARE(Control<QComboBox>(&dialog, "CBCellBorderStyle")->currentText(), QStringLiteral("double"));
        QCOMPARE(Control<TColorShape>(&dialog, "PanelCellBorderColor")->Color(), QColor(0x12, 0x34, 0x56));
        QCOMPARE(Control<TColorShape>(&dialog, "PanelCellBackgroundColor")->Color(), QColor(0xAB, 0xCD, 0xEF));
        dialog.GenerateHTML();
        QCOMPARE(generated.count(QStringLiteral("background-color:#ABCDEF;")), 1);
    }

    // Scripts run in a preview only while the user allows them, from the first preview on
    // (the browser is built with it) and when the switch changes between two previews; a
    // preview without scripts does not report their errors either.
    void javascriptSwitch_data()
    {
        QTest::addColumn<bool>("table");
        QTest::addColumn<bool>("first");
        QTest::newRow("table, allowed first") << true << true;
        QTest::newRow("table, not allowed first") << true << false;
        QTest::newRow("container, allowed first") << false << true;
        QTest::newRow("container, not allowed first") << false << false;
    }
    void javascriptSwitch()
    {
        QFETCH(bool, table);
        QFETCH(bool, first);
        QString generated;
        std::unique_ptr<TGeneratorDialog> dialog;
        if (table)
            dialog = std::make_unique<TGeneratorHtmlTable>(&generated, LinkContext{});
        else
            dialog = std::make_unique<TGeneratorContainer>(&generated, LinkContext{});
        auto *preview = dialog->findChild<TGeneratorPreview *>();
        auto *editor = dialog->findChild<QsciScintilla *>(QStringLiteral("SynEdit1"));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        for (int use = 1; use <= 2; ++use) {
            const bool allowed = use == 1 ? first : !first;
            preview->SetJavascript(allowed);
            typeInto(editor, QStringLiteral("<b id=\"s\">%1 off</b><script>var s = document.getElementById('s');"
                                            " s.textContent = s.textContent.replace('off', 'on')</script>")
                                 .arg(use));
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("ButtonStart")), Qt::LeftButton);
            const QString expected = QStringLiteral("%1 %2").arg(use).arg(allowed ? "on" : "off");
            QTRY_COMPARE_WITH_TIMEOUT(ShownPage(previewOf(dialog.get()), "document.getElementById('s').textContent"),
                                      expected, Shown);
            auto *page = qobject_cast<TPreviewPage *>(previewOf(dialog.get())->page());
            QVERIFY(page);
            QCOMPARE(page->isSilent(), !allowed);
        }
    }

    // The container's preview shows the div the markup holds; a new showing empties it.
    void containerPreview()
    {
        QString generated;
        TGeneratorContainer dialog(&generated, {});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        typeInto(Control<QsciScintilla>(&dialog, "SynEdit1"), "Boxed");
        Control<QToolButton>(&dialog, "ButtonItalic")->click();
        QTest::mouseClick(Control<QPushButton>(&dialog, "ButtonStart"), Qt::LeftButton);
        const QString style = GetTextBetween(generated, "style=\"", "\"");
        QVERIFY(style.contains("font-style:italic;"));
        const QString div = "(function (d) { return d.getAttribute('style') + '|' + d.textContent.trim(); })"
                            "(document.querySelector('div'))";
        QTRY_COMPARE_WITH_TIMEOUT(ShownPage(previewOf(&dialog), div), style + "|Boxed", Shown);
        dialog.close();
        dialog.show();
        QTRY_COMPARE_WITH_TIMEOUT(ShownPage(previewOf(&dialog), div), QStringLiteral("blank"), Shown);
    }

    // Each text button gives its own item; of underline and strike-through, and of the four
    // alignments, the one pressed last counts, and a button pressed twice gives nothing.
    void containerTextButtons_data()
    {
        QTest::addColumn<QStringList>("pressed");
        QTest::addColumn<QString>("items");
        QTest::newRow("bold") << QStringList{"ButtonBold"} << "font-weight:bold";
        QTest::newRow("italic") << QStringList{"ButtonItalic"} << "font-style:italic";
        QTest::newRow("bold and italic") << QStringList{"ButtonItalic", "ButtonBold"}
                                         << "font-weight:bold font-style:italic";
        QTest::newRow("underline") << QStringList{"ButtonUnderline"} << "text-decoration:underline";
        QTest::newRow("underline, then strike-through") << QStringList{"ButtonUnderline", "ButtonDelete"}
                                                        << "text-decoration:line-through";
        QTest::newRow("centre") << QStringList{"ButtonTextCenter"} << "text-align:center";
        QTest::newRow("left") << QStringList{"ButtonTextLeft"} << "text-align:left";
        QTest::newRow("right, then justify") << QStringList{"ButtonTextRight", "ButtonTextJustify"}
                                             << "text-align:justify";
        QTest::newRow("italic, underline, left") << QStringList{"ButtonTextLeft", "ButtonUnderline", "ButtonItalic"}
                                                  << "font-style:italic text-decoration:underline text-align:left";
        QTest::newRow("centre twice") << QStringList{"ButtonTextCenter", "ButtonTextCenter"} << "";
        QTest::newRow("bold twice") << QStringList{"ButtonBold", "ButtonBold"} << "";
    }
    void containerTextButtons()
    {
        QFETCH(QStringList, pressed);
        QFETCH(QString, items);
        QString generated;
        TGeneratorContainer dialog(&generated, {});
        dialog.show();
        for (const QString &name : pressed)
            dialog.findChild<QToolButton *>(name)->click();
        dialog.CreateContainer();
        QCOMPARE(textItems(generated), items);
    }

    // The plain table has the rows and columns asked, no line break after it, and is handed
    // over by OK only: a new showing empties what a generator left.
    void plainTable_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::newRow("one cell") << 1 << 1;
        QTest::newRow("three by two") << 3 << 2;
        QTest::newRow("one column, four rows") << 1 << 4;
    }
    void plainTable()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QString generated = QStringLiteral("left by a generator");
        TFormTable dialog(&generated);
        dialog.show();
        QVERIFY(generated.isEmpty());
        Control<QSpinBox>(&dialog, "SENumCols")->setValue(columns);
        Control<QSpinBox>(&dialog, "SENumRows")->setValue(rows);
        QTest::mouseClick(Control<QPushButton>(&dialog, "ButtonOK"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(generated.startsWith(QStringLiteral("<table summary=\"\">\r\n  <tr>\r\n")));
        QVERIFY(generated.endsWith(QStringLiteral("  </tr>\r\n</table>")));
        const QStringList trs = generated.split(QStringLiteral("<tr>")).mid(1);
        QCOMPARE(trs.size(), rows);
        for (const QString &tr : trs)
            QCOMPARE(tr.count(QStringLiteral("    <td></td>\r\n")), columns);

        generated = QStringLiteral("left by a generator");
        dialog.show();
        QTest::mouseClick(Control<QPushButton>(&dialog, "ButtonCancel"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(generated.isEmpty());
    }
};

VK_WINDOW_TEST_MAIN(TestGeneratorDialogs)
#include "tst_generatordialogs.moc"
