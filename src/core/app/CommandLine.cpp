#include "core/app/CommandLine.h"

#include <cstdio>
#include <string_view>

#ifndef HB_VERSION
#define HB_VERSION "unknown"
#endif

namespace {

// The options Qt's applications take (with one dash or two), so that they reach Qt.
constexpr std::string_view kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "display", "geometry", "style", "stylesheet", "session", "name", "title",
    "visual", "ncols", "cmap", "qmljsdebugger"};
constexpr std::string_view kQtOptionsAlone[] = {"reverse", "nograb", "dograb", "sync", "widgetcount",
                                                "testability"};

// How many arguments from argv[i] on are Qt's option; 0 when it is none.
int QtOptionLength(int i, int argc, const char* const* argv)
{
    std::string_view name = argv[i];
    if (!name.starts_with('-'))
        return 0;
    name.remove_prefix(name.starts_with("--") ? 2 : 1);
    for (std::string_view option : kQtOptionsAlone)
        if (name == option)
            return 1;
    for (std::string_view option : kQtOptionsWithValue) {
        if (name.starts_with(option) && name.size() > option.size() && name[option.size()] == '=')
            return 1;
        if (name == option)
            return i + 1 < argc ? 2 : 0;
    }
    return 0;
}

} // namespace

StartOptions ParseStartOptions(int argc, const char* const* argv)
{
    StartOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--capture" || arg == "--pick") {
            if (options.command == InstanceCommand::None)
                options.command = arg == "--capture" ? InstanceCommand::Capture : InstanceCommand::Pick;
        } else if (arg == "--config" || arg.starts_with("--config=")) {
            std::string_view value;
            if (arg.size() > 8)
                value = arg.substr(9);
            else if (i + 1 < argc)
                value = argv[++i];
            if (value.empty()) {
                options.error = "--config needs the path of a settings file";
                continue;
            }
            options.configFile = value;
        } else if (const int qtLength = QtOptionLength(i, argc, argv); qtLength > 0) {
            i += qtLength - 1;
        } else if (options.error.empty()) {
            options.error = (arg.starts_with('-') ? "unknown option '" : "unexpected argument '") + std::string(arg) + "'";
        }
    }
    return options;
}

std::string StartHelpText()
{
    return "Usage: huebird-lite [--config FILE]\n"
           "       huebird-lite --capture | --pick\n"
           "A colour picker: its window follows the mouse and shows the colour under it;\n"
           "Alt+C captures that colour into a list.\n"
           "\n"
           "  --config FILE  read and write the settings in FILE\n"
           "                 (also taken from the HUEBIRD_CONFIG environment variable)\n"
           "  --capture      make the copy that runs capture the colour under the pointer,\n"
           "                 as Alt+C does; bind it to a key of the desktop\n"
           "  --pick         make the copy that runs start its pick mode\n"
           "  --help         show this help and end\n"
           "  --version      show the version and end\n"
           "\n"
           "Settings live in HuebirdLite.ini beside the program when that file or a file\n"
           "named 'portable' is there; otherwise in\n"
           "${XDG_CONFIG_HOME:-~/.config}/huebird-lite/HuebirdLite.ini.\n"
           "Qt's own options (-platform, -display, ...) are accepted too.\n";
}

std::string StartVersionText() { return std::string("huebird-lite ") + HB_VERSION + "\n"; }

int AnswerInformationalOptions(const StartOptions& options)
{
    if (!options.error.empty()) {
        const std::string help = StartHelpText();
        // The usage lines of the help, up to its description.
        const std::string usage = help.substr(0, help.find("A colour picker"));
        std::fprintf(stderr, "huebird-lite: %s\n%sSee huebird-lite --help.\n", options.error.c_str(), usage.c_str());
        return 2;
    }
    if (options.help || options.version) {
        const std::string text = options.help ? StartHelpText() : StartVersionText();
        std::fputs(text.c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    return -1;
}
