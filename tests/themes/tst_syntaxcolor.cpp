// The syntax colour dialog on a colour model, driven through its controls.
#include "SyntaxColorDriver.h"
#include "TestSupport.h"

#include "program/LanguageFile.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "themes/SyntaxColorSettings.h"

#include <QDir>
#include <QLayout>
#include <QLineEdit>
#include <QToolButton>
#include <memory>

namespace {
HighlighterAttribute builtIn(SyntaxAttri attri)
{
    SyntaxColorModel model;
    SyntaxColorSettings::OriginSettings(model);
    return model.Attri(attri);
}
const QByteArray kBlueKeys = "HTML.KeyAttri=#0000FF;#000000;True;False;False;False;\r\n";
} // namespace

class TestSyntaxColor : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<SyntaxColorModel> model;
    std::unique_ptr<TSyntaxColor> dialog;

    void show()
    {
        dialog = std::make_unique<TSyntaxColor>(model.get());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void click(const char *name) { Click(dialog.get(), name); }
    TColor swatch(const char *name) { return Swatch(dialog.get(), name); }
    HighlighterAttribute attri(SyntaxAttri a) const { return model->Attri(a); }

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        QVERIFY(folder->isValid());
        dialogs = std::make_unique<ScriptedDialogs>();
        ClearMessages();
        model = std::make_unique<SyntaxColorModel>();
        SyntaxColorSettings::OriginSettings(*model);
        model->SetThemeName(QStringLiteral("_defaut-settings"));
    }

    void cleanup()
    {
        dialog.reset();
        model.reset();
        dialogs.reset();
        folder.reset();
    }

    void sizeHoldsEveryCaption_data()
    {
        QTest::addColumn<QString>("language");  // empty: the design captions
        QTest::newRow("design") << "";
        QTest::newRow("English") << "en";
        QTest::newRow("French") << "fr";
    }
    // The window keeps its size whatever the captions, and cuts none of them off, nor the
    // longest attribute name; the lists have rows of one height.
    void sizeHoldsEveryCaption()
    {
        QFETCH(QString, language);
        if (!language.isEmpty())
            QVERIFY(ReadLanguageFile(folder->file("language/lang_" + language + ".txt")));
        show();
        SelectAttribute(dialog.get(), "XML", "NamespaceAttributeValue");
        QCOMPARE(dialog->size(), QSize(562, 266));
        const QSize needed = dialog->layout()->minimumSize();
        QVERIFY2(needed.width() <= 562 && needed.height() <= 266,
                 qPrintable(QStringLiteral("%1x%2").arg(needed.width()).arg(needed.height())));
        for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>()) {
            const QString text = QString(button->text()).remove('&');
            QVERIFY2(button->fontMetrics().horizontalAdvance(text) + 8 <= button->width(), qPrintable(text));
        }
        auto *list = Control<QListWidget>(dialog.get(), "LBListAttri");
        for (int row = 0; row < list->count(); ++row) {
            QCOMPARE(list->visualItemRect(list->item(row)).height(), 16);
            QVERIFY(list->fontMetrics().horizontalAdvance(list->item(row)->text()) + 8 <= list->viewport()->width());
        }
        for (const char *box : {"CBThemes", "CBLanguages"})
            QCOMPARE(Control<QComboBox>(dialog.get(), box)->view()->sizeHintForRow(0), 16);
    }

    // Only the exact entry text lists attributes; any change of language clears what the last
    // selection read.
    void languageTextFillsTheList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("PHP") << "PHP" << 8;
        QTest::newRow("lower case") << "php" << 0;
        QTest::newRow("trailing blank") << "PHP " << 0;
    }
    void languageTextFillsTheList()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        show();
        SelectAttribute(dialog.get(), "HTML", "Key");
        QLineEdit *edit = Control<QComboBox>(dialog.get(), "CBLanguages")->lineEdit();
        edit->clear();
        QTest::keyClicks(edit, text);
        auto *list = Control<QListWidget>(dialog.get(), "LBListAttri");
        QCOMPARE(list->count(), count);
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(swatch("SHFontColor"), clWhite);
        QVERIFY(!Control<QToolButton>(dialog.get(), "ButtonBold")->isChecked());
    }

    // A folder named like a theme is listed and opens nothing, other files are not listed;
    // typing a name opens nothing; the arrow keys pick.
    void themeListAndPicks()
    {
        QDir(Paths().HighlightersDir).removeRecursively();
        QVERIFY(folder->write("highlighters/dark.blue.cfg", kBlueKeys));
        QVERIFY(QDir().mkpath(Paths().HighlightersDir + "old.cfg"));
        QVERIFY(folder->write("highlighters/notes.txt", "x"));
        show();
        auto *themes = Control<QComboBox>(dialog.get(), "CBThemes");
        QCOMPARE(themes->count(), 2);
        QCOMPARE(themes->currentText(), QStringLiteral("_defaut-settings"));

        PickTheme(dialog.get(), "old");
        QCOMPARE(model->ThemeName(), QStringLiteral("_defaut-settings"));
        QCOMPARE(attri(SyntaxAttri::HTML_Key), builtIn(SyntaxAttri::HTML_Key));

        themes->lineEdit()->selectAll();
        QTest::keyClicks(themes->lineEdit(), "dark.blue");
        QTest::keyClick(themes->lineEdit(), Qt::Key_Return);
        QCOMPARE(model->ThemeName(), QStringLiteral("_defaut-settings"));

        QTest::keyClick(themes, Qt::Key_Down);
        QCOMPARE(themes->currentText(), QStringLiteral("old"));
        QTest::keyClick(themes, Qt::Key_Up);
        QCOMPARE(model->ThemeName(), QStringLiteral("dark.blue"));
        QCOMPARE(attri(SyntaxAttri::HTML_Key).Foreground, TColor(0xFF0000));
        QVERIFY(dialogs->asked.isEmpty());
    }

    // Releasing bold writes back the colours as read, window text included (not the colour it
    // paints as), into that attribute alone.
    void releasingBoldChangesThatAttributeOnly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("target");
        QTest::newRow("RGB foreground") << "Key" << int(SyntaxAttri::HTML_Key);
        QTest::newRow("window text") << "Symbol" << int(SyntaxAttri::HTML_Symbol);
    }
    void releasingBoldChangesThatAttributeOnly()
    {
        QFETCH(QString, name);
        QFETCH(int, target);
        show();
        SelectAttribute(dialog.get(), "HTML", name);
        click("ButtonBold");
        HighlighterAttribute expected = builtIn(SyntaxAttri(target));
        expected.Style &= ~fsBold;
        for (int i = 0; i < SyntaxAttriCount; ++i)
            QCOMPARE(attri(SyntaxAttri(i)), i == target ? expected : builtIn(SyntaxAttri(i)));
    }

    // Cancelled or not, the attribute colour buttons store what the swatches and toggles show
    // (white for an attribute without colours); with nothing selected only the swatch changes.
    void cancelledFontColorStillWrites()
    {
        model->SetAttri(SyntaxAttri::CSS_Value, {clNone, clNone, fsItalic | fsUnderline});
        show();
        dialogs->colorAnswers << QColor(Qt::red);
        click("ButtonFontColor");
        QCOMPARE(swatch("SHFontColor"), TColor(0x0000FF));
        QCOMPARE(attri(SyntaxAttri::CSS_Value).Foreground, clNone);

        SelectAttribute(dialog.get(), "CSS", "Value");
        dialogs->colorAnswers << QColor();
        click("ButtonFontColor");
        QCOMPARE(attri(SyntaxAttri::CSS_Value), (HighlighterAttribute{clWhite, clWhite, fsItalic | fsUnderline}));
    }

    // After the model changes under a selection, the next toggle click must not bring back the
    // colours shown before the change.
    void toggleAfterModelChangeWritesCurrentColors_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("open theme") << "";
        QTest::newRow("restore") << "ButtonRestore";
        QTest::newRow("common background") << "ButtonGeneralBackgroundColor";
    }
    void toggleAfterModelChangeWritesCurrentColors()
    {
        QFETCH(QString, button);
        QVERIFY(folder->write("highlighters/other.cfg", kBlueKeys));
        model->SetAttri(SyntaxAttri::HTML_Key, {0x00FF00, 0x00FF00, fsBold});
        show();
        SelectAttribute(dialog.get(), "HTML", "Key");
        dialogs->colorAnswers << QColor(Qt::yellow);
        if (button.isEmpty())
            PickTheme(dialog.get(), "other");
        else
            click(qPrintable(button));
        HighlighterAttribute expected = attri(SyntaxAttri::HTML_Key);
        QVERIFY(expected.Background != 0x00FF00);
        click("ButtonItalic");
        expected.Style |= fsItalic;
        QCOMPARE(attri(SyntaxAttri::HTML_Key), expected);
    }

    // The marker buttons reach all three schemes; the common background every attribute and
    // marker, with the marker font the swatch shows, leaving fonts and styles alone.
    void commonColorsReachTheWholeModel()
    {
        show();
        dialogs->colorAnswers << QColor(Qt::red) << QColor(Qt::blue) << QColor(0x10, 0x20, 0x30);
        click("ButtonLangMarkFont");
        click("ButtonLangMarkBack");
        for (int s = 0; s < SchemeCount; ++s)
            QCOMPARE(model->MarkerAttri(s).Background, TColor(0xFF0000));
        click("ButtonGeneralBackgroundColor");
        const TColor back = 0x302010;
        QCOMPARE(model->GeneralBackColor(), back);
        QCOMPARE(swatch("SHLangMarkBack"), back);
        for (int i = 0; i < SyntaxAttriCount; ++i) {
            const HighlighterAttribute was = builtIn(SyntaxAttri(i));
            QCOMPARE(attri(SyntaxAttri(i)), (HighlighterAttribute{was.Foreground, back, was.Style}));
        }
        for (int s = 0; s < SchemeCount; ++s)
            QCOMPARE(model->MarkerAttri(s), (HighlighterAttribute{0x0000FF, back, model->MarkerAttri(s).Style}));
    }

    // The save dialog opens in the themes folder with no name proposed. Cancel at the
    // overwrite question, or a failed write, keeps the theme file as it was.
    void savingOverAThemeKeepsTheFileUnlessReplaced()
    {
        QVERIFY(folder->write("highlighters/mine.cfg", kBlueKeys));
        show();
        dialogs->saveAnswers << folder->file("highlighters/mine.cfg");
        click("ButtonSaveSettings");
        QCOMPARE(dialogs->saveProposals, QStringList{folder->file("highlighters/")});
        QCOMPARE(dialogs->asked.size(), 1);
        QCOMPARE(folder->read("highlighters/mine.cfg"), kBlueKeys);
        {
            FileSizeLimit full(1000);
            dialogs->saveAnswers << folder->file("highlighters/mine.cfg");
            dialogs->answers << QMessageBox::Yes;
            click("ButtonSaveSettings");
        }
        QCOMPARE(folder->read("highlighters/mine.cfg"), kBlueKeys);
        QCOMPARE(dialogs->asked.size(), 3);
        QCOMPARE(dialogs->asked[2].icon, QMessageBox::Critical);
    }

    // A bad colour in a picked theme is reported; what was read before it is shown.
    void badThemeIsReported()
    {
        QVERIFY(folder->write("highlighters/bad.cfg", "GutterColor=#00FF00\r\nSynBackColor=#GGGGGG\r\n"));
        show();
        PickTheme(dialog.get(), "bad");
        QCOMPARE(dialogs->asked.size(), 1);
        QCOMPARE(model->ThemeName(), QStringLiteral("_defaut-settings"));
        QCOMPARE(swatch("SHGutterColor"), TColor(0x00FF00));
    }

};

VK_WINDOW_TEST_MAIN(TestSyntaxColor)
#include "tst_syntaxcolor.moc"
