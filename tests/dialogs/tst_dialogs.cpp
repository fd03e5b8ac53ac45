// The dialog seam and the message boxes asked through it.
#include "TestSupport.h"

#include "dialogs/MessageBoxes.h"
#include "dialogs/UserDialogs.h"
#include "program/MessagesKandrix.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestDialogs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        SWarningOverwriteFile = "Overwrite %s?";
    }

    void confirmOverwrite_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("answer");  // NoButton: the box is closed (escape answer)
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("no file, no question") << false << int(QMessageBox::NoButton) << true;
        QTest::newRow("Yes") << true << int(QMessageBox::Yes) << true;
        QTest::newRow("Cancel") << true << int(QMessageBox::Cancel) << false;
        QTest::newRow("closed") << true << int(QMessageBox::NoButton) << false;
    }

    // Overwriting an existing file needs an explicit Yes; closing the box is a No.
    void confirmOverwrite()
    {
        QFETCH(bool, exists);
        QFETCH(int, answer);
        QFETCH(bool, confirmed);
        const QString path = m_dir.filePath("page one.html");
        QFile::remove(path);
        if (exists)
            QVERIFY(WriteBytes(path, "x"));

        ScriptedDialogs dialogs;
        if (answer != QMessageBox::NoButton)
            dialogs.answers << QMessageBox::StandardButton(answer);
        QCOMPARE(ConfirmOverwrite(path), confirmed);
        QCOMPARE(dialogs.asked.size(), exists ? 1 : 0);
        if (exists) {
            QCOMPARE(dialogs.asked[0].text, QString("Overwrite " + path + "?"));
            QCOMPARE(dialogs.asked[0].buttons, QMessageBox::Yes | QMessageBox::Cancel);
        }
    }

    void filterList_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("patterns");  // per entry, as Qt's dialog applies them
        QTest::newRow("two entries") << "HTML files (*.htm;*.html)|*.htm;*.html|All files (*.*)|*.*"
                                     << QStringList{"*.htm *.html", "*.*"};
        QTest::newRow("leading blank description") << "Web pages|*.htm;*.html| Image Files (*.jpg)|*.jpg;*.png|All|*.*"
                                                   << QStringList{"*.htm *.html", "*.jpg *.png", "*.*"};
        QTest::newRow("blanks around separators") << "Pages | *.htm; *.html ;|Text  files|*.txt"
                                                  << QStringList{"*.htm *.html", "*.txt"};
        QTest::newRow("empty description") << "|*.txt|All|*.*" << QStringList{"*.txt", "*.*"};
        QTest::newRow("trailing bar") << "Text|*.txt|" << QStringList{"*.txt"};
        QTest::newRow("no filter") << "" << QStringList{};
    }

    // Entries keep order and count, and Qt's dialog keeps each entry's text as given,
    // so the 1-based filter index maps both ways.
    void filterList()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, patterns);
        const QStringList filters = QtFilterList(filter);
        QCOMPARE(filters.size(), patterns.size());
        if (filters.isEmpty())
            return;

        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setNameFilters(filters);
        QCOMPARE(dialog.nameFilters(), filters);
        auto *model = dialog.findChild<QFileSystemModel *>();
        QVERIFY(model);
        for (int i = 0; i < filters.size(); ++i) {
            dialog.selectNameFilter(filters[i]);
            QCOMPARE(dialog.selectedNameFilter(), filters[i]);
            QCOMPARE(model->nameFilters().join(' '), patterns[i]);
        }
        if (filter.contains(" Image Files"))
            QVERIFY(filters[1].startsWith("Image Files"));
    }

    void saveDialogProposal_data()
    {
        QTest::addColumn<QString>("proposed");  // below the temporary folder
        QTest::addColumn<QString>("name");      // in the name box
        QTest::addColumn<QString>("entered");   // what Enter at once gives, "" for nothing
        QTest::newRow("folder") << "themes/" << "" << "";
        QTest::newRow("folder without its slash") << "themes" << "" << "";
        QTest::newRow("file in the folder") << "themes/dark.cfg" << "dark.cfg" << "themes/dark.cfg";
    }

    // A proposed folder opens the real dialog there with an empty name, so Enter at once
    // saves nothing (it proposed the folder's own name, and Enter saved a file of that name
    // inside it); a proposed file keeps its name.
    void saveDialogProposal()
    {
        QFETCH(QString, proposed);
        QFETCH(QString, name);
        QFETCH(QString, entered);
        QVERIFY(QDir().mkpath(m_dir.filePath("themes")));
        QString folderShown;
        QString nameShown;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(edit);
            folderShown = dialog->directory().absolutePath();
            nameShown = edit->text();
            QTest::keyClick(edit, Qt::Key_Return);
            if (dialog->isVisible())
                dialog->reject();
        });
        QtUserDialogs real;
        int filterIndex = 1;
        const QString result = real.saveFile("Save", m_dir.filePath(proposed), "Themes|*.cfg", &filterIndex);
        QCOMPARE(folderShown, m_dir.filePath("themes"));
        QCOMPARE(nameShown, name);
        QCOMPARE(result, entered.isEmpty() ? QString() : m_dir.filePath(entered));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
