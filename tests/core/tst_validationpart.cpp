// The validation part on its own, without the main window: what a run tells the
// frame that holds it, and that a run belongs to the document it was given.
#include "TestSupport.h"

#include "core/ErrorPanel.h"
#include "core/TidyConfigPage.h"
#include "core/ValidationPart.h"
#include "documents/EditorText.h"
#include "documents/TDocument.h"
#include "documents/TDocumentTabs.h"
#include "program/MessagesKandrix.h"
#include "program/VkSettings.h"
#include "program/uDivStartVK.h"
#include "validation/TidyOptionDefaults.h"

#include <QDir>
#include <QFileInfo>
#include <QTabWidget>
#include <Qsci/qsciscintilla.h>
#include <memory>

namespace {
const QString brokenPage = "<!DOCTYPE html>\n<html>\n<head>\n<title>t</title>\n</head>\n<body>\n"
                           "<p>Some <b>bold text</p>\n<foo>x</foo>\n</body>\n</html>\n";

// Writes down what the part asks of its frame, in order.
class RecordingFrame : public TValidationFrame {
public:
    QStringList steps;

    void ShowErrorPanel() override { steps << "panel"; }
    void ShowRunWaiting() override { steps << "wait"; }
    void ShowRunResult(int, const QString &) override { steps << "result"; }
    void ActualizeStatusBar() override { steps << "status"; }
    void ShowCaretStatus(QsciScintilla *) override { steps << "caret"; }
    void ShowRunEnded() override { steps << "ended"; }
};
} // namespace

class TestValidationPart : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<VkSettings> settings;
    std::unique_ptr<QTabWidget> tabs;
    TDocumentTabs *documents = nullptr;
    TTidyConfigPage *page = nullptr;
    TErrorPanel *panel = nullptr;
    RecordingFrame *frame = nullptr;
    TValidationPart *part = nullptr;

    TDocument *openDocument(const QString &relative, const QString &text)
    {
        TDocument *document = documents->create(false);
        document->setPath(folder->file(relative));
        document->setEncoding("UTF8");
        LoadEditorText(document->editor(), text);
        return document;
    }

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        dialogs = std::make_unique<ScriptedDialogs>();
        QVERIFY(folder->isValid());
        ClearMessages();
        tabs = std::make_unique<QTabWidget>();
        documents = new TDocumentTabs(tabs.get(), tabs.get());
        settings = std::make_unique<VkSettings>();
        page = new TTidyConfigPage(*settings, tabs.get());
        page->Init(DefaultTidyOptionTables());
        panel = new TErrorPanel(tabs.get());
        auto recording = std::make_unique<RecordingFrame>();
        frame = recording.get();
        part = new TValidationPart(page, panel, std::move(recording), tabs.get());
        tabs->show();
        QVERIFY(QTest::qWaitForWindowExposed(tabs.get()));
    }

    void cleanup()
    {
        tabs.reset();
        dialogs.reset();
        folder.reset();
    }

    // The status bar shows the wait while Tidy runs and the result after; a run that cannot
    // start gives the status bar back at once.
    void theFrameHearsEachStepInOrder_data()
    {
        QTest::addColumn<bool>("panelShown");
        QTest::addColumn<bool>("tidyPresent");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("panel hidden") << false << true << brokenPage
                                      << QStringList{"panel", "wait", "result", "status", "caret", "ended"};
        QTest::newRow("panel shown") << true << true << brokenPage
                                     << QStringList{"wait", "result", "status", "caret", "ended"};
        QTest::newRow("no validator") << true << false << brokenPage << QStringList{"wait", "status", "caret"};
        QTest::newRow("empty document") << true << true << QString() << QStringList();
    }

    void theFrameHearsEachStepInOrder()
    {
        QFETCH(bool, panelShown);
        QFETCH(bool, tidyPresent);
        QFETCH(QString, text);
        QFETCH(QStringList, steps);
        panel->setVisible(panelShown);
        if (!tidyPresent)
            QVERIFY(QFile::remove(Paths().Tidy5Exe));
        TDocument *document = openDocument("page.html", text);
        part->Analyze(document, 5);
        QCOMPARE(frame->steps, steps);
        QCOMPARE(dialogs->texts().size(), tidyPresent ? 0 : 1);
    }

    // Another document in front: the copy, the listed messages and the caret are the run's
    // document's, and its editor page comes forward.
    void aRunBelongsToItsDocument()
    {
        QDir().mkpath(folder->file("a"));
        QDir().mkpath(folder->file("b"));
        TDocument *run = openDocument("a/page.html", brokenPage);
        run->editor()->setCursorPosition(0, 0);
        run->pages()->setCurrentWidget(run->previewPage());
        TDocument *front = openDocument("b/page.html", brokenPage);
        QCOMPARE(documents->current(), front);
        run->setSavedCaret(7, 3);

        part->Analyze(run, 5);
        QCOMPARE(part->TemporaryCopyPath(), folder->file("a/tmptid.htm"));
        QVERIFY(QFileInfo::exists(folder->file("a/tmptid.htm")));
        QVERIFY(!QFileInfo::exists(folder->file("b/tmptid.htm")));
        QCOMPARE(panel->messages()->document(), run);
        QCOMPARE(run->pages()->currentWidget(), run->editorPage());
        int line = 0;
        int index = 0;
        run->editor()->getCursorPosition(&line, &index);
        QCOMPARE(QPoint(index, line), QPoint(2, 6));

        run->pages()->setCurrentWidget(run->previewPage());
        part->Clean(run, 5);
        QCOMPARE(run->pages()->currentWidget(), run->editorPage());
    }
};

VK_WINDOW_TEST_MAIN(TestValidationPart)
#include "tst_validationpart.moc"
