#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace mivesk {

// The whole program: opens the display, checks its colours, the fonts and
// the dictionary, and shows the main window until End.
// Returns the exit status. `beforeShow`, when given, sees the main window
// just before it is first shown (the start-up benchmark watches it there).
int runMivesk(int argc, char** argv, const std::function<void(QWidget&)>& beforeShow = {});

// Tells the user on stderr, in Japanese and then in English, why the
// program cannot start and, when `showBox` is set, also in a message box,
// blocking until it is closed. Returns the exit status to end with.
int reportDataFileProblem(const QString& problem, const QString& englishProblem, bool showBox);

} // namespace mivesk
