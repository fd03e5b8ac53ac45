#pragma once

// Program entry: single-instance guard, splash window, windows, message loop.
int RunVelKandrix(int argc, char **argv);
