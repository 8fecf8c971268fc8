#pragma once
// Shared set-up of the window tests: a private application folder laid out
// like the installed program, and prompts that answer for the user.
#include <QString>
#include <QtGlobal>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "RecordingPrompts.h"
#include "core/config/ProgramPaths.h"

class TestAppDir {
public:
    // Copies language/, help/ and palettes/ from the source tree's data/.
    TestAppDir();
    QString path() const; // ends with "/"
    QString file(const QString& relative) const { return path() + relative; }
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    // The program's files as if it ran from this folder (portable).
    ProgramPaths paths() const;

private:
    QTemporaryDir dir_;
};

class Translations;

// Gives the language other words: a language file of these lines, in a folder
// of its own, chosen as the user chooses one.
void UseLanguageLines(Translations& translations, const QByteArray& lines);

// The program's files beside the test program, for windows that are never
// shown (only the first show reads the settings and the language).
ProgramPaths TestProgramPaths();

// Like QElapsedTimer, in milliseconds of processor time of this process: a
// loaded machine stretches the wall clock of a test, not the work it costs.
class CpuClock {
public:
    void start();
    qint64 elapsed() const;
    qint64 restart();

private:
    qint64 startNs_ = 0;
};
