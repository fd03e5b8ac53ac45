// The syntax colour dialog on the shared colour model, driven through its controls.
#include "TestSupport.h"

#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "themes/SyntaxColorModel.h"
#include "themes/SyntaxColorSettings.h"
#include "themes/reSyntaxColor.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <memory>

namespace {

HighlighterAttribute builtIn(SyntaxAttri attri)
{
    SyntaxColorModel model;
    SyntaxColorSettings::OriginSettings(model);
    return model.Attri(attri);
}

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
    template <class T>
    T *child(const char *name) const
    {
        T *widget = dialog->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    void click(const char *name) { QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton); }
    void typeLanguage(const QString &text)
    {
        QLineEdit *edit = child<QComboBox>("CBLanguages")->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void selectAttribute(const QString &language, const QString &name)
    {
        auto *languages = child<QComboBox>("CBLanguages");
        languages->setCurrentIndex(languages->findText(language));
        auto *list = child<QListWidget>("LBListAttri");
        const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
        QVERIFY(found[0]->isSelected());
    }
    // Picks a theme in the drop-down list with the mouse.
    void pickTheme(const QString &name)
    {
        auto *themes = child<QComboBox>("CBThemes");
        const int index = themes->findText(name);
        QVERIFY(index >= 0);
        themes->showPopup();
        QAbstractItemView *view = themes->view();
        QTRY_VERIFY(view->isVisible());
        const QRect rect = view->visualRect(view->model()->index(index, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }
    TColor swatch(const char *name) const { return child<TColorSwatch>(name)->Color(); }

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        QVERIFY(folder->isValid());
        InitGlobalPaths();
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

    // The language text must match an entry exactly, case and blanks included.
    void languageTextFillsTheList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("PHP") << "PHP" << 8;
        QTest::newRow("lower case") << "php" << 0;
        QTest::newRow("trailing blank") << "PHP " << 0;
        QTest::newRow("C++") << "C++" << 14;
    }
    void languageTextFillsTheList()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        show();
        selectAttribute("HTML", "Key");
        typeLanguage(text);
        auto *list = child<QListWidget>("LBListAttri");
        QCOMPARE(list->count(), count);
        QVERIFY(list->selectedItems().isEmpty());
        // A change of language clears what the last selection read.
        QCOMPARE(swatch("SHFontColor"), clWhite);
        QVERIFY(!child<QToolButton>("ButtonBold")->isChecked());
    }

    // Folders and dotted names are listed by name; only a real file opens.
    void themeListAndPicks()
    {
        QDir(HighlightersDir).removeRecursively();
        for (int i = 0; i < 23; ++i)
            QVERIFY(folder->write(QStringLiteral("highlighters/t%1.cfg").arg(i), "[HTML]\r\n"));
        QVERIFY(folder->write("highlighters/dark.blue.cfg", "HTML.KeyAttri=#0000FF;#000000;True;False;False;False;\r\n"));
        QVERIFY(QDir().mkpath(HighlightersDir + "old.cfg"));
        QVERIFY(folder->write("highlighters/notes.txt", "x"));
        show();
        auto *themes = child<QComboBox>("CBThemes");
        QCOMPARE(themes->count(), 25);
        QCOMPARE(themes->maxVisibleItems(), 20);
        QVERIFY(themes->findText("dark.blue") >= 0);
        QVERIFY(themes->findText("old") >= 0);
        QCOMPARE(themes->currentText(), QStringLiteral("_defaut-settings"));

        pickTheme("old");
        QCOMPARE(model->ThemeName(), QStringLiteral("_defaut-settings"));
        QCOMPARE(model->Attri(SyntaxAttri::HTML_Key), builtIn(SyntaxAttri::HTML_Key));

        // Typing a theme's name and pressing Enter opens nothing.
        QLineEdit *edit = themes->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, "dark.blue");
        QTest::keyClick(edit, Qt::Key_Return);
        themes->clearFocus();
        QCOMPARE(model->ThemeName(), QStringLiteral("_defaut-settings"));

        // The arrow keys pick: down to the folder (nothing), back up to the file.
        QCOMPARE(themes->currentText(), QStringLiteral("dark.blue"));
        QTest::keyClick(themes, Qt::Key_Down);
        QCOMPARE(themes->currentText(), QStringLiteral("old"));
        QCOMPARE(model->ThemeName(), QStringLiteral("_defaut-settings"));
        QTest::keyClick(themes, Qt::Key_Up);
        QCOMPARE(model->ThemeName(), QStringLiteral("dark.blue"));
        QCOMPARE(model->Attri(SyntaxAttri::HTML_Key).Foreground, TColor(0xFF0000));
        QVERIFY(dialogs->asked.isEmpty());
    }

    // Releasing bold writes the shown colours back as they were read, window text included.
    void releasingBoldChangesThatAttributeOnly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("attri");
        QTest::newRow("RGB foreground") << "Key" << int(SyntaxAttri::HTML_Key);
        QTest::newRow("window text") << "Symbol" << int(SyntaxAttri::HTML_Symbol);
    }
    void releasingBoldChangesThatAttributeOnly()
    {
        QFETCH(QString, name);
        QFETCH(int, attri);
        const SyntaxAttri target = SyntaxAttri(attri);
        show();
        selectAttribute("HTML", name);
        QVERIFY(child<QToolButton>("ButtonBold")->isChecked());
        click("ButtonBold");

        HighlighterAttribute expected = builtIn(target);
        expected.Style &= ~fsBold;
        QCOMPARE(model->Attri(target), expected);
        for (int i = 0; i < SyntaxAttriCount; ++i) {
            if (SyntaxAttri(i) != target)
                QCOMPARE(model->Attri(SyntaxAttri(i)), builtIn(SyntaxAttri(i)));
        }

        const QString path = folder->file("highlighters/saved.cfg");
        dialogs->saveAnswers << path;
        click("ButtonSaveSettings");
        const QByteArray saved = folder->read("highlighters/saved.cfg");
        const QString line = SyntaxAttriKey(target) + "=" + ColorToHtmlHex(expected.Foreground)
                             + ";#FFFFFF;False;False;False;False;\r\n";
        QVERIFY2(saved.contains(line.toLatin1()), saved.constData());
        QCOMPARE(model->ThemeName(), QStringLiteral("_defaut-settings"));
    }

    // Cancelled or not, the attribute colour buttons store what the swatches and toggles show;
    // an attribute without colours shows white and is stored white.
    void cancelledFontColorStillWrites()
    {
        model->SetAttri(SyntaxAttri::CSS_Value, {clNone, clNone, fsItalic | fsUnderline});
        show();
        // Nothing selected: the swatch changes, the model does not.
        dialogs->colorAnswers << QColor(Qt::red);
        click("ButtonFontColor");
        QCOMPARE(swatch("SHFontColor"), TColor(0x0000FF));
        QCOMPARE(model->Attri(SyntaxAttri::CSS_Value).Foreground, clNone);

        selectAttribute("CSS", "Value");
        QCOMPARE(swatch("SHFontColor"), clWhite);
        dialogs->colorAnswers << QColor();
        click("ButtonFontColor");
        const HighlighterAttribute stored{clWhite, clWhite, fsItalic | fsUnderline};
        QCOMPARE(model->Attri(SyntaxAttri::CSS_Value), stored);

        dialogs->colorAnswers << QColor(0, 128, 255);
        click("ButtonBackgroundColor");
        QCOMPARE(model->Attri(SyntaxAttri::CSS_Value).Background, TColor(0xFF8000));
    }

    // After the model changes under a selection, the next toggle click must not bring back the
    // colours shown before the change.
    void toggleAfterModelChangeWritesCurrentColors_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("open theme") << "open";
        QTest::newRow("restore") << "restore";
        QTest::newRow("common background") << "background";
    }
    void toggleAfterModelChangeWritesCurrentColors()
    {
        QFETCH(QString, action);
        QVERIFY(folder->write("highlighters/other.cfg",
                              "HTML.KeyAttri=#0000FF;#000000;True;False;False;False;\r\n"));
        model->SetAttri(SyntaxAttri::HTML_Key, {0x00FF00, 0x00FF00, fsBold});
        show();
        selectAttribute("HTML", "Key");
        if (action == "open") {
            pickTheme("other");
        } else if (action == "restore") {
            click("ButtonRestore");
        } else {
            dialogs->colorAnswers << QColor(Qt::yellow);
            click("ButtonGeneralBackgroundColor");
        }
        HighlighterAttribute expected = model->Attri(SyntaxAttri::HTML_Key);
        QVERIFY(expected.Foreground != 0x00FF00 || expected.Background != 0x00FF00);
        click("ButtonItalic");
        expected.Style |= fsItalic;
        QCOMPARE(model->Attri(SyntaxAttri::HTML_Key), expected);
    }

    // The common background reaches every attribute and marker; the marker buttons reach all
    // three schemes; a cancelled common colour changes nothing.
    void commonColorsReachTheWholeModel()
    {
        show();
        dialogs->colorAnswers << QColor(Qt::red);
        click("ButtonLangMarkFont");
        dialogs->colorAnswers << QColor(Qt::blue);
        click("ButtonLangMarkBack");
        for (int s = 0; s < SchemeCount; ++s) {
            QCOMPARE(model->MarkerAttri(s).Foreground, TColor(0x0000FF));
            QCOMPARE(model->MarkerAttri(s).Background, TColor(0xFF0000));
        }

        dialogs->colorAnswers << QColor(0x10, 0x20, 0x30);
        click("ButtonGeneralBackgroundColor");
        const TColor back = 0x302010;
        QCOMPARE(model->GeneralBackColor(), back);
        QCOMPARE(swatch("SHGeneralBackgroundColor"), back);
        QCOMPARE(swatch("SHLangMarkBack"), back);
        for (int i = 0; i < SyntaxAttriCount; ++i)
            QCOMPARE(model->Attri(SyntaxAttri(i)).Background, back);
        for (int s = 0; s < SchemeCount; ++s)
            QCOMPARE(model->MarkerAttri(s), (HighlighterAttribute{0x0000FF, back, model->MarkerAttri(s).Style}));

        QSignalSpy gutter(dialog.get(), &TSyntaxColor::GutterColorsChanged);
        dialogs->colorAnswers << QColor() << QColor(Qt::green);
        click("ButtonGutterColor");
        QCOMPARE(model->GeneralBackColor(), back);
        QCOMPARE(gutter.count(), 0);
        click("ButtonGutterBorderColor");
        QCOMPARE(model->GutterBorderColor(), TColor(0x00FF00));
        QCOMPARE(swatch("SHGutterBorderColor"), TColor(0x00FF00));
        QCOMPARE(gutter.count(), 1);
    }

    // Cancel at the overwrite question, or a failed write, keeps the theme file as it was.
    void savingOverAThemeKeepsTheFileUnlessReplaced()
    {
        const QByteArray old = "HTML.KeyAttri=#0000FF;#000000;True;False;False;False;\r\n";
        QVERIFY(folder->write("highlighters/mine.cfg", old));
        show();
        dialogs->saveAnswers << folder->file("highlighters/mine");
        dialogs->answers << QMessageBox::Cancel;
        click("ButtonSaveSettings");
        QCOMPARE(dialogs->asked.size(), 1);
        QVERIFY(dialogs->asked[0].buttons & QMessageBox::Cancel);
        QCOMPARE(folder->read("highlighters/mine.cfg"), old);

        {
            FileSizeLimit full(1000);
            dialogs->saveAnswers << folder->file("highlighters/mine.cfg");
            dialogs->answers << QMessageBox::Yes;
            click("ButtonSaveSettings");
        }
        QCOMPARE(folder->read("highlighters/mine.cfg"), old);
        QCOMPARE(dialogs->asked.size(), 3);
        QCOMPARE(dialogs->asked[2].icon, QMessageBox::Critical);

        dialogs->saveAnswers << folder->file("highlighters/mine.cfg");
        dialogs->answers << QMessageBox::Yes;
        click("ButtonSaveSettings");
        QCOMPARE(folder->read("highlighters/mine.cfg").count("\r\n"), 140);
        QCOMPARE(model->ThemeName(), QStringLiteral("_defaut-settings"));
    }

    // A bad colour in a picked theme is reported; what was read before it stays shown.
    void badThemeIsReported()
    {
        QVERIFY(folder->write("highlighters/bad.cfg", "GutterColor=#00FF00\r\nSynBackColor=#GGGGGG\r\n"));
        show();
        pickTheme("bad");
        QCOMPARE(dialogs->asked.size(), 1);
        QCOMPARE(dialogs->asked[0].icon, QMessageBox::Critical);
        QCOMPARE(model->ThemeName(), QStringLiteral("_defaut-settings"));
        QCOMPARE(swatch("SHGutterColor"), TColor(0x00FF00));
    }

    // Captions come from the language texts at each showing; the window caption is fixed.
    void captionsAreReadAtEachShowing()
    {
        SButtonRestore = QStringLiteral("Restaurer");
        show();
        QCOMPARE(child<QPushButton>("ButtonRestore")->text(), QStringLiteral("Restaurer"));
        SButtonRestore = QStringLiteral("Zurück");
        dialog->hide();
        dialog->show();
        QCOMPARE(child<QPushButton>("ButtonRestore")->text(), QStringLiteral("Zurück"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Syntax Color settings"));
    }
};

VK_WINDOW_TEST_MAIN(TestSyntaxColor)
#include "tst_syntaxcolor.moc"
