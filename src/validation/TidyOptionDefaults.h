#pragma once
// The Tidy option tables that a first-run settings file carries.
#include "program/TidyOptionTables.h"

// Exactly the tables the first-run settings file writes, in its order and case
// (the default of newline is "Platformdependent" there; the reader lower-cases it).
TidyOptionTables DefaultTidyOptionTables();
