// Highlighters shared by the editors and the colour theme at start-up.
#include "core/reMainForm.h"

#include <Qsci/qsciscintilla.h>

void TMainForm::InitMultiHighlighters() {}
void TMainForm::OpenRememberedTheme() {}
void TMainForm::ApplyGutterColors(QsciScintilla *) {}
