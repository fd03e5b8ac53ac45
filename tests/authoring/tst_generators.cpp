// The generators' markup and their dialogs driven as a user does.
#include "GeneratorTestSupport.h"
#include "TestSupport.h"

#include "authoring/GeneratorMarkup.h"
#include "authoring/GeneratorWidgets.h"
#include "authoring/TGeneratorContainer.h"
#include "authoring/TGeneratorHtmlTable.h"
#include "authoring/ZColorStringGrid.h"
#include "documents/EditorText.h"
#include "program/MessagesKandrix.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>
#include <Qsci/qsciscintilla.h>

namespace {
CellMatrix matrix(int columns, int rows)
{
    return CellMatrix(columns, QVector<TCellState>(rows));
}

// For every row of generated table markup, the columns it fills: its cells' colspans plus
// the columns still covered by rowspans from the rows above.
QList<int> columnsPerRow(const QString &markup)
{
    QList<int> counts;
    QList<int> carried; // per column, rows still covered from above
    static const QRegularExpression cell(QStringLiteral("<td[^>]*>"));
    static const QRegularExpression colspan(QStringLiteral("colspan=\"(\\d+)\""));
    static const QRegularExpression rowspan(QStringLiteral("rowspan=\"(\\d+)\""));
    for (const QString &row : markup.split(QStringLiteral("<tr>")).mid(1)) {
        int column = 0;
        auto skipCovered = [&] {
            while (column < carried.size() && carried[column] > 0)
                --carried[column++];
        };
        auto it = cell.globalMatch(row);
        while (it.hasNext()) {
            const QString td = it.next().captured();
            skipCovered();
            const int width = colspan.match(td).hasMatch() ? colspan.match(td).captured(1).toInt() : 1;
            const int height = rowspan.match(td).hasMatch() ? rowspan.match(td).captured(1).toInt() : 1;
            while (carried.size() < column + width)
                carried.append(0);
            for (int c = column; c < column + width; ++c)
                carried[c] = height - 1;
            column += width;
        }
        skipCovered();
        counts.append(column);
    }
    return counts;
}
} // namespace

class TestGenerators : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ClearMessages(); }

    // The table's exact lines: styles, spans and the alignment div in their places.
    void tableMarkup_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<QList<QRect>>("merges");
        QTest::addColumn<QString>("align");
        QTest::addColumn<QString>("expected");
        const QString cell = QStringLiteral("    <td style=\"padding:2px;border:1px solid #000000;\"");
        QTest::newRow("default two cells")
            << 2 << QList<QRect>{} << "left"
            << "<table style=\" background-color:#FFFFFF; border:1px solid #000000;\" summary=\"\">\r\n  <tr>\r\n"
                   + cell + ">&nbsp;</td>\r\n" + cell + ">&nbsp;</td>\r\n  </tr>\r\n</table>\r\n";
        QTest::newRow("three merged cells write one with colspan")
            << 3 << QList<QRect>{QRect(QPoint(0, 0), QPoint(2, 0))} << "left"
            << "<table style=\" background-color:#FFFFFF; border:1px solid #000000;\" summary=\"\">\r\n  <tr>\r\n"
                   + cell + " colspan=\"3\">&nbsp;</td>\r\n  </tr>\r\n</table>\r\n";
        QTest::newRow("centre wraps the table in a div")
            << 1 << QList<QRect>{} << "center"
            << "<div style=\"text-align:center;\">\r\n<table style=\" background-color:#FFFFFF; border:1px solid "
               "#000000;\" summary=\"\">\r\n  <tr>\r\n"
                   + cell + ">&nbsp;</td>\r\n  </tr>\r\n</table>\r\n</div>";
    }
    void tableMarkup()
    {
        QFETCH(int, columns);
        QFETCH(QList<QRect>, merges);
        QFETCH(QString, align);
        QFETCH(QString, expected);
        TableOptions options;
        options.horizontalAlign = align;
        QCOMPARE(TableMarkup(options, matrix(columns, 1), merges), expected);
    }

    // A merge over rows and columns is one cell with both spans; no row comes out short or
    // long, whatever the layout (areas that overlap or leave the table are not written).
    void spansFillEveryRow_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<QRect>>("merges");
        QTest::addColumn<int>("cells");
        auto r = [](int l, int t, int rr, int b) { return QRect(QPoint(l, t), QPoint(rr, b)); };
        QTest::newRow("no merge") << 3 << 2 << QList<QRect>{} << 6;
        QTest::newRow("two by two") << 2 << 2 << QList<QRect>{r(0, 0, 1, 1)} << 1;
        QTest::newRow("two merges in one row") << 4 << 1 << QList<QRect>{r(0, 0, 1, 0), r(2, 0, 3, 0)} << 2;
        QTest::newRow("column merge") << 2 << 3 << QList<QRect>{r(1, 0, 1, 2)} << 4;
        QTest::newRow("block in the middle") << 4 << 4 << QList<QRect>{r(1, 1, 2, 3), r(0, 0, 3, 0)} << 8;
        QTest::newRow("overlapping and outside areas") << 3 << 3
                                                       << QList<QRect>{r(0, 0, 1, 1), r(1, 1, 2, 2), r(2, 0, 3, 0)}
                                                       << 6;
    }
    void spansFillEveryRow()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QList<QRect>, merges);
        QFETCH(int, cells);
        const QString markup = TableMarkup(TableOptions(), matrix(columns, rows), merges);
        QCOMPARE(columnsPerRow(markup), QList<int>(rows, columns));
        QCOMPARE(markup.count(QStringLiteral("<td")), cells);
        if (QTest::currentDataTag() == QByteArray("two by two"))
            QVERIFY(markup.contains(QStringLiteral(" colspan=\"2\" rowspan=\"2\">")));
    }

    // A cell's own border gives way to the table's (or goes when the table has none), its
    // background stays, and what the cell bar wrote reads back into the bar.
    void cellStyles()
    {
        const QString style = CellStyle(3, QStringLiteral("dashed"), QStringLiteral("#112233"), QStringLiteral("#FF0000"));
        const CellStyleSettings read = ReadCellStyle(style);
        QCOMPARE(CellStyle(read.borderWidth, read.borderStyle, read.borderColor, read.backgroundColor), style);
        QCOMPARE(ApplyTableBorderToCell(style, 1, QStringLiteral("solid"), QStringLiteral("#000000")),
                 QStringLiteral(" style=\"border:1px solid #000000;background-color:#FF0000;\""));
        QCOMPARE(ApplyTableBorderToCell(style, -2, QStringLiteral("solid"), QStringLiteral("#000000")),
                 QStringLiteral(" style=\"background-color:#FF0000;\""));
        QCOMPARE(ApplyTableBorderToCell(CellStyle(0, {}, {}, QStringLiteral("#FFFFFF")), 0, {}, {}), QString());
        TableOptions none;
        none.borderWidth = -1;
        QVERIFY(!TableMarkup(none, matrix(1, 1), {}).contains(QStringLiteral("border")));
    }

    // The container's markup: the default, and the corner radius that follows the border
    // without a blank, also when there is no border.
    void containerMarkup_data()
    {
        QTest::addColumn<int>("borderWidth");
        QTest::addColumn<bool>("rounded");
        QTest::addColumn<QString>("style");
        QTest::newRow("default") << 1 << false
                                 << " padding:2px; background-color:#FFFFFF; border:1px solid #000000; color:#000080;";
        QTest::newRow("rounded corners")
            << 1 << true
            << " padding:2px; background-color:#FFFFFF; border:1px solid #000000;border-radius:10px; color:#000080;";
        QTest::newRow("rounded without border")
            << 0 << true << " padding:2px; background-color:#FFFFFF;border-radius:10px; color:#000080;";
    }
    void containerMarkup()
    {
        QFETCH(int, borderWidth);
        QFETCH(bool, rounded);
        QFETCH(QString, style);
        ContainerOptions options;
        options.borderWidth = borderWidth;
        options.roundedCorners = rounded;
        QCOMPARE(ContainerMarkup(options), "<div style=\"" + style + "\">\r\nYour text\r\n</div>");
    }

    // The dialog: Start fills the hand-over, only Insert keeps it, an empty size box
    // generates nothing, the exclusive buttons lift each other, and everything typed or
    // chosen is there again at the next showing.
    void containerDialog()
    {
        ScriptedDialogs dialogs;
        QString generated = QStringLiteral("left over");
        TGeneratorContainer dialog(&generated, {});
        dialog.show();
        QVERIFY(generated.isEmpty());
        auto button = [&dialog](const char *name) { return dialog.findChild<QAbstractButton *>(name); };
        auto *rounded = dialog.findChild<QSpinBox *>("SERoundedCorners");
        QVERIFY(!rounded->isEnabled());
        QTest::mouseClick(button("CBRoundedCorners"), Qt::LeftButton);
        QVERIFY(rounded->isEnabled());

        button("ButtonUnderline")->click();
        button("ButtonDelete")->click();
        button("ButtonTextRight")->click();
        button("ButtonTextRight")->click();
        dialogs.colorAnswers << QColor(0x12, 0x34, 0x56);
        button("ButtonColorText")->click();
        auto *width = dialog.findChild<QLineEdit *>("EditWidth");
        width->clear();
        QTest::keyClicks(width, "12x0");
        QCOMPARE(width->text(), QStringLiteral("120"));
        Control<QsciScintilla>(&dialog, "SynEdit1")->selectAll();
        QTest::keyClicks(Control<QsciScintilla>(&dialog, "SynEdit1"), "Hi");

        QTest::mouseClick(button("ButtonStart"), Qt::LeftButton);
        QCOMPARE(generated, QStringLiteral("<div style=\" width:120px; padding:2px; background-color:#FFFFFF; border:1px "
                                           "solid #000000;border-radius:10px; text-decoration:line-through; "
                                           "color:#123456;\">\r\nHi\r\n</div>"));
        QTest::mouseClick(button("ButtonCancel"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(generated.isEmpty());

        dialog.show();
        QCOMPARE(width->text(), QStringLiteral("120"));
        QCOMPARE(EditorText(Control<QsciScintilla>(&dialog, "SynEdit1")), QStringLiteral("Hi"));
        QVERIFY(rounded->isEnabled());
        QTest::mouseClick(button("ButtonStart"), Qt::LeftButton);
        const QString made = generated;
        QVERIFY(made.contains(QStringLiteral("color:#123456;")));
        width->clear();
        QTest::mouseClick(button("ButtonStart"), Qt::LeftButton);
        QCOMPARE(generated, made);
        QTest::mouseClick(button("ButtonInsert"), Qt::LeftButton);
        QCOMPARE(generated, made);

        dialog.show();
        dialog.close();
        QVERIFY(generated.isEmpty());
    }

    // The table dialog as a user lays out a table: each cell keeps what was typed for it
    // (reached by click or arrow key), the last change in the cell bar counts at Start, a
    // merge over rows and columns is one cell, a count change starts the contents afresh,
    // only Insert hands the markup over, and the table options are there again at the next
    // showing while the contents are not.
    void tableDialog()
    {
        ScriptedDialogs dialogs;
        QString generated;
        TGeneratorHtmlTable dialog(&generated, {});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto button = [&dialog](const char *name) { return dialog.findChild<QAbstractButton *>(name); };
        auto *grid = dialog.findChild<TZColorStringGrid *>("Grid");
        auto *cols = dialog.findChild<QSpinBox *>("SENumCols");
        auto *rows = dialog.findChild<QSpinBox *>("SENumRows");

        typeInto(Control<QsciScintilla>(&dialog, "SynEdit1"), "old");
        clickCell(grid, 3, 3);
        rows->setValue(2);
        cols->setValue(3);
        QCOMPARE(dialog.Cells.size(), 3);
        QCOMPARE(dialog.Cells[2].size(), 2);
        QCOMPARE(dialog.Cells[0][0].Content, QStringLiteral("&nbsp;"));

        clickCell(grid, 0, 0);
        clickCell(grid, 1, 1, Qt::ShiftModifier);
        QTest::mouseClick(button("ButtonMerge"), Qt::LeftButton);
        typeInto(Control<QsciScintilla>(&dialog, "SynEdit1"), "AB");
        clickCell(grid, 2, 0);
        QTest::keyClick(grid, Qt::Key_Down);
        typeInto(Control<QsciScintilla>(&dialog, "SynEdit1"), "C");
        dialogs.colorAnswers << QColor(0xFF, 0xEE, 0x00);
        QTest::mouseClick(dialog.findChild<QWidget *>("PanelCellBackgroundColor"), Qt::LeftButton);
        QTest::mouseClick(button("ButtonStart"), Qt::LeftButton);
        QCOMPARE(Control<QTabWidget>(&dialog, "PageControl")->currentWidget(), Control<QWidget>(&dialog, "TBPreview"));
        QVERIFY(generated.contains(QStringLiteral("colspan=\"2\" rowspan=\"2\">AB</td>")));
        QVERIFY(generated.contains(QStringLiteral("background-color:#FFEE00;\">C</td>")));
        QCOMPARE(columnsPerRow(generated), QList<int>({3, 3}));

        // Back on the merged cell its content is there; a second merge splits it.
        clickCell(grid, 1, 1);
        QCOMPARE(EditorText(Control<QsciScintilla>(&dialog, "SynEdit1")), QStringLiteral("AB"));
        QCOMPARE(dialog.findChild<QLabel *>("LabelCellSelected")->text(), QStringLiteral(" Selected cell [1,1]"));
        QTest::mouseClick(button("ButtonMerge"), Qt::LeftButton);
        QCOMPARE(grid->MergeCells()->Count(), 0);

        dialog.findChild<QComboBox *>("CBBorderStyle")->setCurrentText("dashed");
        dialog.findChild<QLineEdit *>("EditWidth")->clear();
        QTest::mouseClick(button("ButtonStart"), Qt::LeftButton);
        QVERIFY(generated.contains(QStringLiteral("AB")));
        QTest::mouseClick(button("ButtonCancel"), Qt::LeftButton);
        QVERIFY(generated.isEmpty());

        dialog.show();
        QCOMPARE(Control<QTabWidget>(&dialog, "PageControl")->currentWidget(), Control<QWidget>(&dialog, "TBDraft"));
        dialog.findChild<QLineEdit *>("EditWidth")->setText("50");
        QTest::mouseClick(button("ButtonStart"), Qt::LeftButton);
        QVERIFY(generated.contains(QStringLiteral("width:50px;")));
        QVERIFY(generated.contains(QStringLiteral("1px dashed")));
        QVERIFY(!generated.contains(QStringLiteral(">C</td>")));
        QTest::mouseClick(button("ButtonInsert"), Qt::LeftButton);
        QVERIFY(generated.startsWith(QStringLiteral("<table")));

        // The grid's editor, where it does not follow the cells, is fuchsia and centred.
        grid->InplaceEditorOptions()->SetUseCellStyle(false);
        TZInplaceEditor *editor = grid->InplaceEditor();
        QCOMPARE(editor->palette().color(QPalette::Base), QColor(0xFF, 0x00, 0xFF));
        QCOMPARE(editor->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
    }

    // Text typed in the cell editor stays through Reset, a count change and a new showing;
    // the current cell stays too, unless it was cut off or the dialog shows afresh.
    void tableEditorKeepsText_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QPoint>("current");
        QTest::newRow("reset") << "reset" << QPoint(2, 1);
        QTest::newRow("more columns") << "SENumCols 6" << QPoint(2, 1);
        QTest::newRow("columns cut it off") << "SENumCols 2" << QPoint(1, 1);
        QTest::newRow("rows cut it off") << "SENumRows 1" << QPoint(2, 0);
        QTest::newRow("shown again") << "show" << QPoint(0, 0);
    }
    void tableEditorKeepsText()
    {
        QFETCH(QString, action);
        QFETCH(QPoint, current);
        TGeneratorHtmlTable dialog(nullptr, {});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        clickCell(Control<TZColorStringGrid>(&dialog, "Grid"), 2, 1);
        typeInto(Control<QsciScintilla>(&dialog, "SynEdit1"), "typed");
        const QStringList words = action.split(QLatin1Char(' '));
        if (action == QLatin1String("reset")) {
            QTest::mouseClick(Control<QPushButton>(&dialog, "ButtonReset"), Qt::LeftButton);
        } else if (action == QLatin1String("show")) {
            dialog.close();
            dialog.show();
        } else {
            dialog.findChild<QSpinBox *>(words.first())->setValue(words.last().toInt());
        }
        QCOMPARE(EditorText(Control<QsciScintilla>(&dialog, "SynEdit1")), QStringLiteral("typed"));
        QCOMPARE(QPoint(Control<TZColorStringGrid>(&dialog, "Grid")->Col(), Control<TZColorStringGrid>(&dialog, "Grid")->Row()), current);
        QCOMPARE(Control<QLabel>(&dialog, "LabelCellSelected")->text(),
                 QStringLiteral(" Selected cell [%1,%2]").arg(current.x() + 1).arg(current.y() + 1));
    }

    // The preview gets the markup without the dialog waiting for it, a large table (beyond
    // what a data address carries) shows whole also on a busy machine, and a load past the
    // time limit is given up.
    void previewLoadsLargeMarkup()
    {
        QWidget host;
        TGeneratorPreview preview(&host);
        QSignalSpy finished(&preview, &TGeneratorPreview::finished);
        TableOptions options;
        CellMatrix cells = matrix(40, 2000);
        preview.LoadHTMLFromStr(TableMarkup(options, cells, {}));
        QVERIFY(preview.Loading());
        // A busy machine makes the load long, not failed: the wait lasts as long as it does.
        QVERIFY(finished.wait(480000));
        QCOMPARE(finished.first().first().toBool(), true);
        QVERIFY(!preview.GaveUp());
        QCOMPARE(RunInPage(host.findChild<QWebEngineView *>(), "document.querySelectorAll('tr').length").toInt(), 2000);
        // Emptying the preview is no load of markup: nothing more is told.
        preview.LoadHTMLFromStr(QString());
        QTRY_COMPARE_WITH_TIMEOUT(ShownPage(host.findChild<QWebEngineView *>(), "''"), QStringLiteral("blank"), 120000);
        QTest::qWait(300);
        QCOMPARE(finished.size(), 1);

        // A load that outlasts the limit is stopped and reported once, as failed.
        TGeneratorPreview hasty(&host, 1);
        QSignalSpy stopped(&hasty, &TGeneratorPreview::finished);
        hasty.LoadHTMLFromStr(TableMarkup(options, cells, {}));
        QVERIFY(stopped.wait(10000));
        QVERIFY(hasty.GaveUp());
        QCOMPARE(stopped.first().first().toBool(), false);
        QTest::qWait(300);
        QCOMPARE(stopped.size(), 1);
    }
};

VK_WINDOW_TEST_MAIN(TestGenerators)
#include "tst_generators.moc"
