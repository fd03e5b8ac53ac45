// Openers of the program's other windows and the hooks of the later subsystems.
#include "core/reMainForm.h"

#include <Qsci/qsciscintilla.h>

void TMainForm::ShowAbout() {}
void TMainForm::ShowNewVersionExists() {}
void TMainForm::ShowOptimizer() {}
void TMainForm::ShowGeneratorContainer() {}
void TMainForm::ShowGeneratorTable() {}
void TMainForm::ShowSyntaxColor() {}
void TMainForm::ShowFormTable() {}
void TMainForm::ShowHTMLEntitiesList() {}
void TMainForm::ShowRecalcImageSize() {}

void TMainForm::CloseToolWindows() {}
