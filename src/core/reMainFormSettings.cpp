// Settings file and language file of the main window.
#include "core/reMainForm.h"
#include "core/TidyConfigPage.h"
#include "dialogs/UserDialogs.h"
#include "dialogs/MessageBoxes.h"

#include "authoring/InsertionWidgets.h"
#include "program/LanguageFile.h"
#include "program/MessagesKandrix.h"
#include "program/VkSettings.h"
#include "program/uDivStartVK.h"
#include "documents/TDocument.h"
#include "util/ManageOpenFileList.h"
#include "util/uDivIni.h"
#include "util/uDivApplication.h"
#include "validation/TidyOptionDefaults.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>
#include <QSpinBox>
#include <QTabWidget>

#include <algorithm>

namespace {
QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The "key=value" lines of a settings text.
int entryCount(const QString &text)
{
    const QStringList lines = SettingsLinesToRead(text);
    return int(std::count_if(lines.cbegin(), lines.cend(),
                             [](const QString &line) { return !line.startsWith('[') && line.contains('='); }));
}
} // namespace

void TMainForm::ActivateBrowserEmulationStep()
{
    ActivateBrowserEmulation();
}

void TMainForm::CreateIniFile(const QString &path)
{
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry() : QRect();
    const int top = qMax(0, (screen.height() - height()) / 2);
    const int left = qMax(0, (screen.width() - width()) / 2);
    QString error;
    if (!WriteSettingsFile(path, FirstRunSettingsText(DefaultTidyOptionTables(), top, left), &error))
        ShowMessageKind(2, error);
}

void TMainForm::OpenIniFile(const QString &path)
{
    if (!QFileInfo::exists(path))
        CreateIniFile(path);
    VkSettings settings = m_settings;
    const SettingsReadStatus status = ReadSettingsFile(path, settings);
    // A file not read whole must not be replaced at exit by a poorer one unnoticed.
    m_settingsNotRead = status != SettingsReadStatus::Completed ||
                        !DecodeSettingsBytes(readBytes(path)).contains(QLatin1String("[General]"));
    if (status == SettingsReadStatus::NotLoaded)
        return;
    // What was read before a bad number stays applied.
    resize(settings.FormWidth, settings.FormHeight);
    PlaceWindow(QPoint(settings.FormLeft, settings.FormTop));
    if (settings.WindowMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    m_settings = settings;
    SEFontSize->setValue(settings.SEFontSize);
    const int font = CBFont->findText(settings.CBFont, Qt::MatchFixedString);
    if (font >= 0)
        CBFont->setCurrentIndex(font);
    Action("MenuShowErrorsComments")->setChecked(settings.MenuShowErrorsComments);
    Action("MenuErrorEditorToLeft")->setChecked(settings.GridErrorToLeft);
    // Exactly one validator is chosen, Tidy 5 unless the file says Tidy 4 alone.
    const bool tidy4 = settings.MenuTidy4 && !settings.MenuTidy5;
    Action("MenuTidy4")->setChecked(tidy4);
    Action("MenuTidy5")->setChecked(!tidy4);
}

void TMainForm::PlaceWindow(const QPoint &frameTopLeft)
{
    // The stored place is the frame's. Its title bar must be on a screen, or the user cannot
    // reach it: a place off every screen (a screen since removed) is centred on the main one.
    QPoint place = frameTopLeft;
    const QRect titleBar(place, QSize(width(), 30));
    const QList<QScreen *> screens = QGuiApplication::screens();
    const bool reachable = std::any_of(screens.cbegin(), screens.cend(), [&](QScreen *screen) {
        return screen->availableGeometry().intersected(titleBar).width() >= 50;
    });
    if (!reachable && QGuiApplication::primaryScreen()) {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        place = QPoint(screen.left() + qMax(0, (screen.width() - width()) / 2),
                       screen.top() + qMax(0, (screen.height() - height()) / 2));
    }
    m_normalPlace = place;
    if (!windowHandle() || windowHandle()->isVisible()) {
        move(place);
        return;
    }
    m_startPlace = place;
    GiveStartPlace();
}

void TMainForm::GiveStartPlace()
{
    // While the window is being shown its frame is not known yet, and Qt takes a place for
    // the inside's once the window is resized or made anew: the window would creep up by its
    // title bar at every start. The widget and its native window take the same rectangle
    // first, or showing the widget would put its inside there anyway.
    QWindow *window = windowHandle();
    if (!m_startPlace || !window || window->isVisible())
        return;
    const QRect rect(*m_startPlace, size());
    setGeometry(rect);
    window->setGeometry(rect);
    window->setFramePosition(rect.topLeft());
}

VkSettings TMainForm::CurrentSettings() const
{
    VkSettings s = m_settings;
    if (isMaximized())
        s.WindowState = "wsMaximized";
    else if (isMinimized())
        s.WindowState = "wsMinimized";
    else
        s.WindowState = "wsNormal";
    const bool normal = !isMaximized() && !isMinimized();
    const QPoint place = normal ? frameGeometry().topLeft() : m_normalPlace;
    s.FormWidth = normal ? width() : normalGeometry().width();
    s.FormHeight = normal ? height() : normalGeometry().height();
    s.FormTop = place.y();
    s.FormLeft = place.x();
    s.PanelGridErrorsWidth = PanelGridErrors->isVisible() ? PanelGridErrors->width() : m_settings.PanelGridErrorsWidth.value_or(0);
    s.PanelGridErrorsHeight = PanelGridErrors->isVisible() ? PanelGridErrors->height() : m_settings.PanelGridErrorsHeight.value_or(122);
    s.SEFontSize = SEFontSize->value();
    s.CBFont = CBFont->currentText();
    s.MenuShowErrorsComments = Action("MenuShowErrorsComments")->isChecked();
    s.MenuTidy4 = Action("MenuTidy4")->isChecked();
    s.MenuTidy5 = Action("MenuTidy5")->isChecked();
    s.LastFiles.clear();
    for (const TDocument *document : Documents()) {
        if (!document->isUntitled())
            s.LastFiles << document->path();
    }
    return s;
}

void TMainForm::SaveIniFile(const QString &path)
{
    const QString text = SaveSettingsText(CurrentSettings());
    if (m_settingsNotRead && QFileInfo::exists(path) &&
        entryCount(DecodeSettingsBytes(readBytes(path))) > entryCount(text)) {
        // Kept beside it under a free name: nothing the user had is lost.
        QString kept = path + ".old";
        for (int n = 2; QFileInfo::exists(kept); ++n)
            kept = path + QStringLiteral(".old%1").arg(n);
        if (!QFile::copy(path, kept)) {
            ShowMessageKind(2, FormatMessageText(SSettingsKeptAside, {path, kept}));
            return;
        }
        ShowMessageKind(3, FormatMessageText(SSettingsKeptAside, {path, kept}));
    }
    QString error;
    if (!WriteSettingsFile(path, text, &error))
        ShowMessageKind(2, error);
}

void TMainForm::OpenLanguageFile(const QString &path)
{
    LanguageTexts texts;
    if (!ReadLanguageFile(path, &texts, &m_settings))
        return;
    ApplyLanguageTexts(texts);
}

void TMainForm::MenuLanguageClick()
{
    int filterIndex = 10;
    const QStringList chosen =
        Dialogs().openFiles(FOpenDialogTitle, Paths().AppPath + "language/", OpenDialogFilter, &filterIndex, false);
    if (chosen.isEmpty())
        return;
    m_settings.LanguageFileName = chosen.first();
    OpenLanguageFile(m_settings.LanguageFileName);
    CheckIfVelKandrixFilesExists(m_settings);
    TBTidyConfig->QuickReferenceChanged();
}

void TMainForm::ApplyLanguageTexts(const LanguageTexts &texts)
{
    static const QStringList quickStartKeys = {"lgQuickStart", "lgLine01", "lgLine02",
                                               "lgLine03", "lgLine04", "lgLine05"};
    for (const LanguageText &t : texts) {
        if (t.property == QLatin1String("text")) {
            const int i = quickStartKeys.indexOf(t.component);
            if (i >= 0)
                m_quickStartTexts[i] = t.text;
            continue;
        }
        const bool hint = t.property == QLatin1String("hint");
        if (QAction *action = findChild<QAction *>(t.component)) {
            // A Hint that is the markup an item inserts is not a translatable text.
            if (hint && !action->property(MarkupHintProperty).isValid())
                action->setToolTip(t.text);
            else
                action->setText(t.text);
            continue;
        }
        QWidget *widget = findChild<QWidget *>(t.component);
        if (!widget)
            continue;
        if (hint) {
            if (!widget->property(MarkupHintProperty).isValid())
                widget->setToolTip(t.text);
            continue;
        }
        // A page of a tab control takes the caption on its tab.
        if (auto *tabs = qobject_cast<QTabWidget *>(widget->parentWidget() ? widget->parentWidget()->parentWidget()
                                                                           : nullptr)) {
            const int index = tabs->indexOf(widget);
            if (index >= 0) {
                tabs->setTabText(index, t.text);
                continue;
            }
        }
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            button->setText(t.text);
        else if (auto *label = qobject_cast<QLabel *>(widget))
            label->setText(t.text);
        else if (auto *group = qobject_cast<QFrame *>(widget))
            group->setWindowTitle(t.text);
    }
    // Every document tab takes the new page captions.
    ApplyDocumentLook();
}
