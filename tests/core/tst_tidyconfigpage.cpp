// The Tidy configuration page of the main window, driven as a user would.
#include "MainFormTestSupport.h"

#include "program/MessagesKandrix.h"
#include "core/reAddTidyConfigValue.h"
#include "core/reMainForm.h"
#include "core/reTagNamesEditor.h"
#include "documents/EditorText.h"
#include "program/uDivStartVK.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineView>
#include <QWheelEvent>
#include <Qsci/qsciscintilla.h>
#include <functional>
#include <memory>

using Rows = QList<QPair<QString, QString>>;

namespace {
// One option of each kind of value editor.
const QByteArray kindsConfig = "// kinds\r\naccessibility-check: 0\r\nalt-text: picture\r\nchar-encoding: utf8\r\n"
                               "css-prefix: c\r\ndoctype: auto\r\nindent: auto\r\nnew-inline-tags: video, audio\r\n"
                               "newline: LF\r\nquote-nbsp: yes\r\nrepeated-attributes: keep-last\r\n"
                               "sort-attributes: none\r\nwrap: 68\r\n";
} // namespace

class TestTidyConfigPage : public QObject, MainFormFixture {
    Q_OBJECT

    // Answers for the program's own modal dialogs, in order; any other is a fault.
    QList<std::function<void(QWidget *)>> modalHandlers;
    QStringList unexpectedDialogs;
    QTimer modalWatch;

    void start(const QString &config = QString())
    {
        form = StartMainForm();
        QVERIFY(form);
        documentPages(form)->setCurrentWidget(page());
        if (!config.isEmpty())
            choose(config);
    }

    TTidyConfigPage *page() const { return form->findChild<TTidyConfigPage *>("TBTidyConfig"); }
    QComboBox *configList() const { return form->findChild<QComboBox *>("CBConfigTidy"); }
    QComboBox *valueList() const { return form->findChild<QComboBox *>("CBTidyOptions"); }
    QTableWidget *grid() const { return page()->Grid(); }
    QTextEdit *comments() const { return form->findChild<QTextEdit *>("MemoConfigFileComments"); }
    QWebEngineView *documentation() const { return form->findChild<QWebEngineView *>("WebBrowserDocumentation"); }
    Rows gridRows() const
    {
        Rows rows;
        for (int r = 0; r < grid()->rowCount() && grid()->item(r, 0); ++r)
            rows.append({grid()->item(r, 0)->text(), grid()->item(r, 1) ? grid()->item(r, 1)->text() : QString()});
        return rows;
    }
    QString cell(const QString &name) const
    {
        const int row = page()->GridTidyConfigRowOf(name);
        return row < 0 ? QStringLiteral("<missing>") : grid()->item(row, 1)->text();
    }
    void clickCell(int row, int column)
    {
        grid()->scrollToItem(grid()->item(row, 0));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(grid()->model()->index(row, column)).center());
        QCoreApplication::processEvents();
    }
    void clickValue(const QString &name) { clickCell(page()->GridTidyConfigRowOf(name), 1); }
    QLineEdit *cellEditor() const
    {
        for (QLineEdit *edit : grid()->findChildren<QLineEdit *>("EditGridTidyConfigValue"))
            if (edit->isVisible())
                return edit;
        return nullptr;
    }
    void typeInCell(const QString &name, const QString &text)
    {
        clickValue(name);
        QLineEdit *edit = cellEditor();
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    void choose(const QString &fileName)
    {
        const int index = configList()->findText(fileName);
        QVERIFY2(index >= 0, qPrintable(fileName));
        configList()->setCurrentIndex(index);
        emit configList()->activated(index);
    }
    void chooseValue(const QString &value)
    {
        QComboBox *combo = valueList();
        QVERIFY(combo->isVisible());
        combo->setCurrentIndex(combo->findText(value));
        emit combo->activated(combo->currentIndex());
    }
    void saveAs(const QString &relative)
    {
        dialogs->saveAnswers << folder->file(relative);
        QTest::mouseClick(form->findChild<QToolButton *>("ButtonGridTidyConfigSave"), Qt::LeftButton);
    }
    template <class Dialog>
    void whenShown(std::function<void(Dialog *)> act)
    {
        modalHandlers << [act](QWidget *w) {
            auto *dialog = qobject_cast<Dialog *>(w);
            QVERIFY2(dialog, qPrintable(w->objectName()));
            act(dialog);
        };
    }

private slots:
    void initTestCase()
    {
        connect(&modalWatch, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            if (!modalHandlers.isEmpty()) {
                modalHandlers.takeFirst()(modal);
            } else {
                unexpectedDialogs << modal->objectName();
                static_cast<QDialog *>(modal)->reject();
            }
        });
        modalWatch.start(20);
    }

    void init()
    {
        QVERIFY(SetUp(false));
        QVERIFY(folder->write("config/kinds.cfg", kindsConfig));
        unexpectedDialogs.clear();
    }

    void cleanup()
    {
        CloseMainForm(form);
        QVERIFY2(unexpectedDialogs.isEmpty(), qPrintable(unexpectedDialogs.join(", ")));
        QVERIFY(modalHandlers.isEmpty());
        modalHandlers.clear();
        TearDown();
    }

    // Catches options or comments of the shipped file lost, an option under the wrong title,
    // and the run configuration offered for choice. (Titles and order: the file tests.)
    void gridShowsEveryOptionUnderItsTitle()
    {
        QVERIFY(folder->write("config/tidy-cfg.tmp", "indent: yes\r\n"));
        start();
        QCOMPARE(configList()->currentText(), QStringLiteral("auto-settings.cfg"));
        QCOMPARE(configList()->findText("tidy-cfg.tmp"), -1);
        const TidyConfiguration shipped = TidyConfiguration::FromBytes(folder->read("config/auto-settings.cfg"));
        QCOMPARE(comments()->toPlainText(), shipped.comments().join('\n'));
        Rows expected;
        for (const TidyConfigBlock &block : shipped.blocks(page()->Options())) {
            expected.append({block.title, QString()});
            for (const TidyConfigEntry &entry : block.entries)
                expected.append({entry.name, entry.value});
        }
        QVERIFY(expected.size() > 10);
        QCOMPARE(gridRows(), expected);
    }

    void editorsOfferTheTypesValues_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("editor");
        for (const char *option : {"indent", "quote-nbsp", "doctype", "char-encoding", "repeated-attributes",
                                   "newline", "accessibility-check", "sort-attributes"})
            QTest::newRow(option) << option << "combo";
        QTest::newRow("string") << "css-prefix" << "text";
        QTest::newRow("integer") << "wrap" << "text";
        QTest::newRow("no type") << "alt-text" << "none";
    }

    // Catches an editor of the wrong kind or list, the value not shown, the
    // combo away from its cell, and the wheel changing a value.
    void editorsOfferTheTypesValues()
    {
        QFETCH(QString, option);
        QFETCH(QString, editor);
        start("kinds.cfg");
        const QString before = cell(option);
        clickValue(option);
        QComboBox *combo = valueList();
        QCOMPARE(combo->isVisible(), editor == "combo");
        QCOMPARE(cellEditor() != nullptr, editor == "text");
        if (editor != "combo")
            return;
        const QStringList values = page()->Options().valuesOf(page()->Options().typeOf(option));
        QVERIFY(values.size() > 1);
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items, values);
        QCOMPARE(combo->currentIndex(), values.indexOf(before));
        const QRect rect = grid()->visualRect(grid()->model()->index(page()->GridTidyConfigRowOf(option), 1));
        QCOMPARE(combo->geometry().topLeft(), rect.topLeft() + grid()->viewport()->pos());
        QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(combo, &wheel);
        QCOMPARE(combo->currentIndex(), values.indexOf(before));
        const QString other = values.last() == before ? values.first() : values.last();
        chooseValue(other);
        QVERIFY(!combo->isVisible());
        QCOMPARE(cell(option), other);
        QCOMPARE(page()->Configuration().value(option), other);
    }

    // Catches a number cell that takes letters, more digits than Tidy reads,
    // or an empty number.
    void integerCellsTakeDigitsOnly()
    {
        start("kinds.cfg");
        typeInCell("wrap", "12ab3456789012");
        QCOMPARE(page()->Configuration().value("wrap"), QStringLiteral("123456789"));
        typeInCell("wrap", "");
        QCOMPARE(cell("wrap"), QStringLiteral("123456789"));
        typeInCell("css-prefix", "My Prefix #1");
        QCOMPARE(page()->Configuration().value("css-prefix"), QStringLiteral("My Prefix #1"));
    }

    // Catches a doctype taken for a comment, blank lines of the tag editor kept as names,
    // comments lost, or a save that differs from the file read.
    void valuesAndCommentsSurviveSaveAndReload()
    {
        start();
        const QByteArray shipped = folder->read("config/auto-settings.cfg");
        saveAs("config/copy.cfg");
        QCOMPARE(folder->read("config/copy.cfg"), shipped);
        QCOMPARE(dialogs->saveProposals, QStringList{Paths().ConfigDir + "current-config.cfg"});

        choose("kinds.cfg");
        const QString doctype = "\"-//W3C//DTD HTML 4.01//EN\"";
        clickValue("doctype");
        valueList()->lineEdit()->selectAll();
        QTest::keyClicks(valueList()->lineEdit(), doctype);
        QTest::keyClick(valueList()->lineEdit(), Qt::Key_Return);
        whenShown<TTagNamesEditor>([&](TTagNamesEditor *d) {
            Control<QPlainTextEdit>(d, "MemoTagNames")->setPlainText("x-a\nx-b\n\nx-c\n");
            Control<QPushButton>(d, "ButtonOK")->click();
        });
        clickValue("new-inline-tags");
        QTRY_COMPARE(cell("new-inline-tags"), QStringLiteral("x-a, x-b, x-c"));
        comments()->setPlainText("first\n  # second\n// third");
        const Rows rows = gridRows();
        QCOMPARE(cell("doctype"), doctype);

        saveAs("config/tricky.cfg");
        QVERIFY(folder->read("config/tricky.cfg").contains("\r\ndoctype: " + doctype.toUtf8() + "\r\n"));
        choose("copy.cfg");
        choose("tricky.cfg");
        QVERIFY(dialogs->asked.isEmpty());
        QCOMPARE(gridRows(), rows);
        QCOMPARE(comments()->toPlainText(), QStringLiteral("first\n  # second\n// third"));
        saveAs("config/tricky2.cfg");
        QCOMPARE(folder->read("config/tricky2.cfg"), folder->read("config/tricky.cfg"));
    }

    // Catches a title left without options, a title that can be deleted, and
    // options of other classes lost with it.
    void deleteRemovesOptionsAndEmptyTitles()
    {
        QVERIFY(folder->write("config/del.cfg", "indent: auto\r\nshow-errors: 6\r\nwrap: 0\r\nquiet: no\r\n"));
        start("del.cfg");
        QCOMPARE(gridRows(), (Rows{{"DIAGNOSTICS", ""}, {"show-errors", "6"}, {"PRETTY PRINT", ""},
                                   {"indent", "auto"}, {"wrap", "0"}, {"MISCELLANEOUS", ""}, {"quiet", "no"}}));
        auto deleteAt = [&](int row, int column) {
            clickCell(row, column);
            QTest::mouseClick(form->findChild<QToolButton *>("ButtonGridTydiConfigDeleteItem"), Qt::LeftButton);
        };
        deleteAt(2, 0);
        QCOMPARE(gridRows().size(), 7);
        deleteAt(1, 0);
        QCOMPARE(gridRows(), (Rows{{"PRETTY PRINT", ""}, {"indent", "auto"}, {"wrap", "0"}, {"MISCELLANEOUS", ""},
                                   {"quiet", "no"}}));
        deleteAt(4, 1);
        clickCell(1, 0);
        action(form, "MenuDeleteOption")->trigger();
        deleteAt(3, 0);  // an empty row
        QCOMPARE(gridRows(), (Rows{{"PRETTY PRINT", ""}, {"wrap", "0"}}));
        QCOMPARE(page()->Configuration().entries().size(), 1);
    }

    // Catches duplicates, options offered that the grid holds, a missing
    // title for a new class, and value boxes of the wrong kind.
    void addPutsAnOptionUnderItsClassOnce()
    {
        QVERIFY(folder->write("config/del.cfg", "indent: auto\r\nshow-errors: 6\r\n"));
        start("del.cfg");
        QStringList offered;
        whenShown<TAddTidyConfigValue>([&](TAddTidyConfigValue *d) {
            for (int i = 0; i < Control<QComboBox>(d, "CBTidyConfigTPTypes")->count(); ++i)
                offered << Control<QComboBox>(d, "CBTidyConfigTPTypes")->itemText(i);
            Control<QComboBox>(d, "CBTidyConfigTPTypes")->setEditText("new-pre-tags");
            QVERIFY(Control<QLineEdit>(d, "EditTagNames")->isVisible() && !Control<QComboBox>(d, "CBValue")->isVisible());
            Control<QComboBox>(d, "CBTidyConfigTPTypes")->setEditText("tab-size");
            QCOMPARE(Control<QLineEdit>(d, "EditTagNames")->text(), QStringLiteral("8"));
            QTest::keyClicks(Control<QLineEdit>(d, "EditTagNames"), "x");
            QCOMPARE(Control<QLineEdit>(d, "EditTagNames")->text(), QStringLiteral("8"));
            // The stored default "Platformdependent" is no value Tidy 5 accepts.
            Control<QComboBox>(d, "CBTidyConfigTPTypes")->setEditText("newline");
            QCOMPARE(Control<QComboBox>(d, "CBValue")->currentText(), QStringLiteral("LF"));
            Control<QComboBox>(d, "CBTidyConfigTPTypes")->setEditText("add-xml-decl");
            QVERIFY(Control<QComboBox>(d, "CBValue")->isVisible());
            QCOMPARE(Control<QComboBox>(d, "CBValue")->currentText(), QStringLiteral("no"));
            Control<QComboBox>(d, "CBValue")->setCurrentIndex(Control<QComboBox>(d, "CBValue")->findText("yes"));
            Control<QPushButton>(d, "ButtonOK")->click();
        });
        QTest::mouseClick(form->findChild<QToolButton *>("ButtonGridTidyConfigAdd"), Qt::LeftButton);
        QVERIFY(!offered.contains("indent") && !offered.contains("alt-text"));
        QVERIFY(offered.contains("add-xml-decl") && offered.contains("wrap"));
        QCOMPARE(gridRows(), (Rows{{"HTML XHTML XML", ""}, {"add-xml-decl", "yes"}, {"DIAGNOSTICS", ""},
                                   {"show-errors", "6"}, {"PRETTY PRINT", ""}, {"indent", "auto"}}));

        whenShown<TAddTidyConfigValue>([](TAddTidyConfigValue *d) {
            Control<QPushButton>(d, "ButtonOK")->click();  // no name yet
            QVERIFY(d->isVisible());
            Control<QComboBox>(d, "CBTidyConfigTPTypes")->setEditText("Indent ");
            Control<QComboBox>(d, "CBValue")->setEditText("yes");
            Control<QPushButton>(d, "ButtonOK")->click();
        });
        action(form, "MenuAddOption")->trigger();
        QCOMPARE(gridRows().mid(4), (Rows{{"PRETTY PRINT", ""}, {"indent", "yes"}}));
        QVERIFY(!child<TTidyConfigPage *>(form, "TBTidyConfig")->AddOptionToConfigGrid("wrap", "wide"));
    }

    // Catches a proposal that is the opposite of the stored default ("n" for no
    // proposed as "yes"), and the dialog drawn without its silver background.
    void addProposesTheDefaultsOwnValue()
    {
        start("kinds.cfg");
        // A dark desktop: the text on silver must stay black.
        const QPalette desktop = QApplication::palette();
        QPalette dark = desktop;
        dark.setColor(QPalette::WindowText, Qt::white);
        QApplication::setPalette(dark);
        whenShown<TAddTidyConfigValue>([](TAddTidyConfigValue *d) {
            Control<QComboBox>(d, "CBTidyConfigTPTypes")->setCurrentIndex(Control<QComboBox>(d, "CBTidyConfigTPTypes")->findText("drop-proprietary-attributes"));
            QCOMPARE(Control<QComboBox>(d, "CBValue")->currentText(), QStringLiteral("no"));
            const QImage picture = d->grab().toImage();
            QCOMPARE(picture.pixelColor(2, picture.height() - 3), QColor(0xC0, 0xC0, 0xC0));
            QCOMPARE(Control<QLabel>(d, "LabelOption")->palette().color(QPalette::WindowText), QColor(Qt::black));
            Control<QPushButton>(d, "ButtonOK")->click();
        });
        QTest::mouseClick(form->findChild<QToolButton *>("ButtonGridTidyConfigAdd"), Qt::LeftButton);
        QApplication::setPalette(desktop);
        QCOMPARE(cell("drop-proprietary-attributes"), QStringLiteral("no"));
    }

    // Catches long comments shown on one line, and wrapped lines saved as lines of their own.
    void commentsWrapAndKeepTheirLines()
    {
        const QByteArray longComment = "A long comment about this configuration, " + QByteArray(12, 'x')
                                       + " written well past the width of the pane so that it wraps.";
        QVERIFY(folder->write("config/long.cfg", "//" + longComment + "\r\n//short\r\nindent: auto\r\n"));
        start("long.cfg");
        form->resize(900, 600);
        form->findChild<QTabWidget *>("PageControlConfigFile")->setCurrentIndex(1);
        QCoreApplication::processEvents();
        const QTextBlock first = comments()->document()->firstBlock();
        QTRY_VERIFY(first.layout() && first.layout()->lineCount() > 1);
        // Lines read after an edit, with the wrapped layout in place.
        comments()->moveCursor(QTextCursor::End);
        QTest::keyClicks(comments(), " one");
        saveAs("config/again.cfg");
        QVERIFY(folder->read("config/again.cfg").startsWith("//" + longComment + "\r\n//short one\r\n"));
    }

    void aVanishedConfigurationIsNotChosen_data()
    {
        QTest::addColumn<QString>("vanished");  // how the remembered kinds.cfg went
        QTest::newRow("deleted") << "deleted";
        QTest::newRow("a folder in its place") << "folder";
        // The settings of a program folder that was moved: config/ holds a file of that name.
        QTest::newRow("remembered in another folder") << "moved";
    }

    // Catches the list naming a file the grid does not hold, a run with Tidy's own
    // defaults, and a user told nothing or told again at every run.
    void aVanishedConfigurationIsNotChosen()
    {
        QFETCH(QString, vanished);
        start("kinds.cfg");
        CloseMainForm(form);
        QString path = folder->file("config/kinds.cfg");
        if (vanished == "moved") {
            QByteArray settings = folder->read("velkandrix.ini");
            path = folder->file("old/config/kinds.cfg");
            settings.replace("=" + folder->file("config/kinds.cfg").toUtf8() + "\r\n", "=" + path.toUtf8() + "\r\n");
            QVERIFY(folder->write("velkandrix.ini", settings));
        } else {
            QVERIFY(QFile::remove(path));
            if (vanished == "folder")
                QVERIFY(QDir().mkpath(path));
        }
        start();
        QCOMPARE(dialogs->asked.size(), 1);
        QVERIFY(dialogs->texts().value(0).contains(path));
        QCOMPARE(dialogs->texts().value(0) == FormatMessageText(SConfigFileMissing, {path}), vanished != "folder");
        QCOMPARE(configList()->currentIndex(), -1);
        QVERIFY(gridRows().isEmpty());
        // Saved under a new name, the grid's options are still not the remembered file.
        saveAs("config/new.cfg");
        QCOMPARE(configList()->currentIndex(), -1);

        documentPages(form)->setCurrentIndex(1);
        LoadEditorText(currentDocument(form)->editor(), "<p>x</p>");
        action(form, "MenuAnalyze")->trigger();
        QCOMPARE(dialogs->texts().mid(1), QStringList{SNoConfigFileFound});

        choose("auto-settings.cfg");
        QCOMPARE(configList()->currentText(), QStringLiteral("auto-settings.cfg"));
        QVERIFY(!gridRows().isEmpty());
    }

    // Catches names split wrongly at a comma without a blank, a wrong count, and a list
    // written back with the separators it was read with.
    void tagNamesOpenOnePerLineAndJoinEvenly()
    {
        start("kinds.cfg");
        QVERIFY(child<TTidyConfigPage *>(form, "TBTidyConfig")->AddOptionToConfigGrid("new-blocklevel-tags", "article, aside,nav"));
        whenShown<TTagNamesEditor>([](TTagNamesEditor *d) {
            QCOMPARE(Control<QPlainTextEdit>(d, "MemoTagNames")->toPlainText(), QStringLiteral("article\naside\nnav"));
            QCOMPARE(Control<QLabel>(d, "LabelItemsCount")->text(), FormItemsEditorLabel + " 3");
            Control<QPushButton>(d, "ButtonOK")->click();
        });
        clickValue("new-blocklevel-tags");
        QTRY_VERIFY(modalHandlers.isEmpty());
        QCOMPARE(cell("new-blocklevel-tags"), QStringLiteral("article, aside, nav"));
    }

    // Catches edits lost without a question, and a Cancel or a cancelled save
    // that still switches.
    void anotherConfigurationAsksBeforeDiscardingEdits()
    {
        start();
        const QString original = form->Settings().FTidyConfigFile;
        QVERIFY(page()->GridTidyConfigSetValue(page()->GridTidyConfigRowOf("indent"), "yes"));
        dialogs->answers << QMessageBox::Cancel << QMessageBox::Yes;
        choose("kinds.cfg");
        choose("kinds.cfg");  // Yes, and then no file chosen
        QCOMPARE(dialogs->texts().value(0), FormatMessageText(SWarningSaveChanges, {"auto-settings.cfg"}));
        QCOMPARE(dialogs->asked.value(0).buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(configList()->currentText(), QStringLiteral("auto-settings.cfg"));
        QCOMPARE(form->Settings().FTidyConfigFile, original);
        QCOMPARE(cell("indent"), QStringLiteral("yes"));

        dialogs->answers << QMessageBox::Yes;
        dialogs->saveAnswers << folder->file("config/kept.cfg");
        choose("kinds.cfg");
        QVERIFY(folder->read("config/kept.cfg").contains("\r\nindent: yes\r\n"));
        QCOMPARE(configList()->currentText(), QStringLiteral("kinds.cfg"));
        QCOMPARE(cell("wrap"), QStringLiteral("68"));

        comments()->setPlainText("changed");
        dialogs->answers << QMessageBox::No;
        choose("auto-settings.cfg");
        QCOMPARE(dialogs->asked.size(), 4);
        QCOMPARE(cell("indent"), QStringLiteral("auto"));
        choose("kinds.cfg");  // nothing to lose, nothing asked
        QCOMPARE(dialogs->asked.size(), 4);
    }

    // Catches a run configuration taken from the file rather than the grid.
    void runConfigurationHoldsTheGridsOptions()
    {
        start();
        QVERIFY(child<TTidyConfigPage *>(form, "TBTidyConfig")->AddOptionToConfigGrid("new-blocklevel-tags", "article, aside"));
        documentPages(form)->setCurrentIndex(1);
        LoadEditorText(currentDocument(form)->editor(), QString::fromUtf8("<p>caf\xc3\xa9</p>"));
        currentDocument(form)->setEncoding("UTF8");
        action(form, "MenuAnalyze")->trigger();
        TidyConfiguration run;
        QVERIFY(TidyConfiguration::Load(folder->file("config/tidy-cfg.tmp"), &run));
        QCOMPARE(run.value("input-encoding"), QStringLiteral("utf8"));
        for (const TidyConfigEntry &entry : page()->Configuration().entries()) {
            if (!entry.name.contains("encoding") && entry.name != "output-bom")
                QCOMPARE(run.value(entry.name), entry.value);
        }
    }

    // A new user opens the page, sets indent to yes, saves as my.cfg (the
    // second time the overwrite is asked), and picks it from the list.
    void newUserChangesIndentAndPicksTheSavedFile()
    {
        form = std::make_unique<TMainForm>();
        form->show();
        form->resize(1000, 640);
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(child<QComboBox *>(form, "CBFont")->isEnabled());
        QVERIFY(!documentation());
        QWidget *document = documentPages(form)->currentWidget();
        documentPages(form)->setCurrentWidget(page());
        QSignalSpy loaded(documentation(), &QWebEngineView::loadFinished);
        QVERIFY(!child<QComboBox *>(form, "CBFont")->isEnabled() && !child<QSpinBox *>(form, "SEFontSize")->isEnabled());

        clickValue("indent");
        chooseValue("yes");
        saveAs("config/my.cfg");
        QVERIFY(dialogs->asked.isEmpty());
        typeInCell("indent-spaces", "4");
        dialogs->answers << QMessageBox::Cancel << QMessageBox::Yes;
        saveAs("config/my.cfg");
        QVERIFY(!folder->read("config/my.cfg").contains("indent-spaces: 4"));
        saveAs("config/my.cfg");
        QCOMPARE(dialogs->texts().value(0), FormatMessageText(SWarningOverwriteFile, {folder->file("config/my.cfg")}));
        QCOMPARE(dialogs->asked.size(), 2);

        choose("kinds.cfg");
        QCOMPARE(cell("indent"), QStringLiteral("auto"));
        choose("my.cfg");
        QCOMPARE(dialogs->asked.size(), 2);
        QCOMPARE(cell("indent"), QStringLiteral("yes"));
        QCOMPARE(cell("indent-spaces"), QStringLiteral("4"));
        QCOMPARE(form->Settings().FTidyConfigFile, folder->file("config/my.cfg"));

        QTRY_VERIFY_WITH_TIMEOUT(loaded.count() > 0, 15000);
        QCOMPARE(documentation()->url(), QUrl::fromLocalFile(form->Settings().QuickRefFileName));
        documentPages(form)->setCurrentWidget(document);
        QVERIFY(child<QComboBox *>(form, "CBFont")->isEnabled() && !valueList()->isVisible());
    }
};

VK_WINDOW_TEST_MAIN(TestTidyConfigPage)
#include "tst_tidyconfigpage.moc"
