#pragma once
// Shared set-up of the window tests: a private application folder laid out
// like the installed program, and prompts that answer for the user.
#include <QString>
#include <QtGlobal>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "RecordingPrompts.h"

class TestAppDir {
public:
    // Copies language/, help/ and palettes/ from the source tree's data/.
    TestAppDir();
    QString path() const; // ends with "/"
    QString file(const QString& relative) const { return path() + relative; }
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;

private:
    QTemporaryDir dir_;
};

// Points the process-wide settings at the folder (as if the program ran there).
void UseAppDir(const TestAppDir& dir);

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
