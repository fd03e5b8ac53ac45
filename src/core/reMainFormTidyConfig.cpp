// The Tidy configuration page's handlers, forwarded to the page.
#include "core/reMainForm.h"

#include "core/TidyConfigPage.h"

#include <QSpinBox>
#include <QComboBox>

void TMainForm::TidyConfigPageInit() { TBTidyConfig->Init(m_settings.Tidy); }
void TMainForm::CBTidyConfigInit() { TBTidyConfig->CBTidyConfigInit(); }
void TMainForm::CBTidyConfigChange() { TBTidyConfig->CBTidyConfigChange(); }
void TMainForm::LoadGridTidyConfig(const QString &file) { TBTidyConfig->LoadGridTidyConfig(file); }
void TMainForm::GridTidyConfigInit() { TBTidyConfig->GridTidyConfigInit(); }
void TMainForm::GridTidyConfigSize() { TBTidyConfig->GridTidyConfigSize(); }
void TMainForm::GridTidyConfigReset() { TBTidyConfig->GridTidyConfigReset(); }
void TMainForm::GridTidyConfigSelectCell(int column, int row) { TBTidyConfig->GridTidyConfigSelectCell(column, row); }
void TMainForm::CBTidyConfigValuesClick() { TBTidyConfig->CBTidyConfigValuesClick(); }
void TMainForm::GridTidyConfigTopLeftChanged() { TBTidyConfig->GridTidyConfigTopLeftChanged(); }
bool TMainForm::GridTidyConfigSave(const QString &file, int mode) { return TBTidyConfig->GridTidyConfigSave(file, mode); }
bool TMainForm::ButtonGridTidyConfigSaveClick() { return TBTidyConfig->ButtonGridTidyConfigSaveClick(); }
void TMainForm::ButtonGridTydiConfigDeleteItemClick() { TBTidyConfig->ButtonGridTydiConfigDeleteItemClick(); }
void TMainForm::DeleteGridEmptyClasses() { TBTidyConfig->DeleteGridEmptyClasses(); }
bool TMainForm::AddOptionToConfigGrid(const QString &name, const QString &value)
{
    return TBTidyConfig->AddOptionToConfigGrid(name, value);
}
void TMainForm::ShowAddTidyConfigValue() { TBTidyConfig->ShowAddTidyConfigValue(); }
void TMainForm::ShowTagNamesEditor() { TBTidyConfig->ShowTagNamesEditor(); }

void TMainForm::TBTidyConfigShow()
{
    CBFont->setEnabled(false);
    SEFontSize->setEnabled(false);
    // Creating the window shows the page once before anything else exists.
    if (!m_shown)
        return;
    ResetStatusBar();
    TBTidyConfig->PageShown();
}

void TMainForm::TBTidyConfigHide()
{
    CBFont->setEnabled(true);
    SEFontSize->setEnabled(true);
    TBTidyConfig->PageHidden();
}
