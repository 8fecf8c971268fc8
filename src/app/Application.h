#pragma once
// Program start: the single-instance guard, the windows in their order, the
// message loop.
int RunApplication(int argc, char** argv);

// The application's font: Tahoma 8 pt, or the closest sans-serif.
class QFont;
QFont ApplicationFont();
