// The View, Options and Help menus, the about box and the version check.
#include "core/reMainForm.h"

#include "core/ReNewVersionExists.h"
#include "core/reAbout.h"
#include "dialogs/MessageBoxes.h"
#include "documents/PreviewPage.h"
#include "platform/Platform.h"
#include "program/MessagesKandrix.h"
#include "program/VkNewversion.h"
#include "program/uDivStartVK.h"

#include <QAction>
#include <QFileInfo>
#include <QTimer>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {
const QString TidyProjectPage = QStringLiteral("https://www.html-tidy.org/");
const QString TidyFormerProjectPage = QStringLiteral("https://tidy.sourceforge.net/");
} // namespace

void TMainForm::ConnectMenuCommands()
{
    const QList<QPair<const char *, void (TMainForm::*)()>> handlers = {
        {"MenuShowErrorsComments", &TMainForm::MenuShowErrorsCommentsClick},
        {"MenuErrorEditorToLeft", &TMainForm::MenuErrorEditorToLeftClick},
        {"MenuEnableJavascript", &TMainForm::MenuEnableJavascriptClick},
        {"MenuHelpIndex", &TMainForm::CallHelpHtml},
        {"MenuWebsite", &TMainForm::MenuWebsiteClick},
        {"MenuTidySourceForge", &TMainForm::MenuTidySourceForgeClick},
        {"MenuTidyHtmlpedia", &TMainForm::MenuTidyHtmlpediaClick},
    };
    for (const auto &[name, handler] : handlers)
        connect(Action(QLatin1String(name)), &QAction::triggered, this, handler);
    // Any change of one Tidy item, a click or a stored setting, sets the other to the opposite.
    connect(Action("MenuTidy4"), &QAction::toggled, this, &TMainForm::MenuTidy4Click);
    connect(Action("MenuTidy5"), &QAction::toggled, this, &TMainForm::MenuTidy5Click);
    connect(TimerActualize, &QTimer::timeout, this, &TMainForm::TimerActualizeTimer);
}

void TMainForm::MenuShowErrorsCommentsClick()
{
    // The action has already inverted its check mark.
    const bool show = Action("MenuShowErrorsComments")->isChecked();
    PanelGridErrors->setVisible(show);
    Action("MenuErrorEditorToLeft")->setEnabled(show);
    if (show)
        PanelGridErrorReplace();
    else
        ResetTidyErrors();
}

void TMainForm::MenuErrorEditorToLeftClick()
{
    m_settings.GridErrorToLeft = Action("MenuErrorEditorToLeft")->isChecked();
    m_errorPanelDefaultSize = true;
    PanelGridErrorReplace();
}

void TMainForm::MenuEnableJavascriptClick()
{
    m_settings.MenuEnableJavascript = Action("MenuEnableJavascript")->isChecked();
    TDocument *document = ActiveDocument();
    if (!document || !document->browser())
        return;
    QWebEngineView *browser = document->browser();
    browser->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, m_settings.MenuEnableJavascript);
    if (auto *page = qobject_cast<TPreviewPage *>(browser->page()))
        page->setSilent(!m_settings.MenuEnableJavascript);
    // A page on screen shows the change now, not at its next showing.
    if (PreviewShown(document))
        TBPreviewShow();
}

// A click inverts the item's own mark and the other takes the opposite, so exactly one
// stays checked and clicking the checked one switches to the other version.
void TMainForm::MenuTidy4Click()
{
    Action("MenuTidy5")->setChecked(!Action("MenuTidy4")->isChecked());
}

void TMainForm::MenuTidy5Click()
{
    Action("MenuTidy4")->setChecked(!Action("MenuTidy5")->isChecked());
}

void TMainForm::CallHelpHtml()
{
    if (!QFileInfo(m_settings.HelpFileName).isFile()) {
        ShowMessageKind(0, SHelpNotFound);
        return;
    }
    OpenOrSay(m_settings.HelpFileName);
}

void TMainForm::MenuWebsiteClick()
{
    OpenOrSay(WebsiteAddress);
}

void TMainForm::MenuTidySourceForgeClick()
{
    OpenOrSay(TidyFormerProjectPage);
}

void TMainForm::MenuTidyHtmlpediaClick()
{
    OpenOrSay(TidyProjectPage);
}

void TMainForm::MenuAboutClick()
{
    ShowAbout();
}

void TMainForm::ShowAbout()
{
    TAbout about(this);
    about.exec();
}

void TMainForm::ShowNewVersionExists()
{
    auto *dialog = new TNewVersionExists(m_settings, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Modal without a nested event loop: the check's handler returns at once.
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
}

void TMainForm::TimerActualizeTimer()
{
    // At most one check per run.
    TimerActualize->stop();
    CheckNewVersion();
}

void TMainForm::CheckNewVersion()
{
    if (!m_settings.ShowNewVersion || m_settings.VersionCheckAddress.isEmpty() || (m_versionCheck && m_versionCheck->IsRunning()))
        return;
    if (!m_versionCheck) {
        m_versionCheck = new TVersionCheck(this);
        connect(m_versionCheck, &TVersionCheck::Finished, this, [this](const QString &versionText) {
            if (versionText.isEmpty())
                return;
            m_versionIsCurrent = IsCurrentVersion(versionText);
            // The user may have switched the reminder off while the check ran.
            if (m_settings.ShowNewVersion && !m_versionIsCurrent)
                ShowNewVersionExists();
        });
    }
    m_versionCheck->Start(m_settings.VersionCheckAddress, FullVersion, m_versionCheckTimeoutMs);
}
