// Settings file and language file.
#include "core/reMainForm.h"

void TMainForm::ActivateBrowserEmulationStep() {}
void TMainForm::OpenIniFile(const QString &) {}
void TMainForm::SaveIniFile(const QString &) {}
void TMainForm::OpenLanguageFile(const QString &) {}
