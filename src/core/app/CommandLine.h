#pragma once
// The program's own command-line options, read before any window exists so
// that --help and --version work without a display. Everything else on the
// command line (Qt's -platform, -display, ...) is left to Qt.
#include <string>

// What a start asks of the copy that already runs, instead of starting.
enum class InstanceCommand { None, Capture, Pick };

struct StartOptions {
    bool help = false;
    bool version = false;
    std::string configFile; // --config FILE
    InstanceCommand command = InstanceCommand::None; // --capture or --pick; the first one given
    std::string error;      // a usage error; the program says it and ends
};

StartOptions ParseStartOptions(int argc, const char* const* argv);

std::string StartHelpText();
std::string StartVersionText();

// Prints the help, the version or the usage error. Returns the exit status
// when the program must end here, -1 when it starts.
int AnswerInformationalOptions(const StartOptions& options);
