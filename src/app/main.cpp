#include "app/Application.h"
#include "core/platform/HomeFolder.h"
#include "platform/InstanceChannel.h"

int main(int argc, char** argv)
{
    const StartOptions options = ParseStartOptions(argc, argv);
    if (const int status = AnswerInformationalOptions(options); status >= 0)
        return status;
    // `huebird-lite --capture` and `--pick` go to the copy that runs.
    if (options.command != InstanceCommand::None)
        return InstanceChannel::SendFromCommandLine(options.command == InstanceCommand::Capture
                                                        ? InstanceChannel::Command::Capture
                                                        : InstanceChannel::Command::Pick);
    // Unset, empty or relative, HOME would put the settings under / or the working folder.
    SettleHomeVariable();
    Application application(argc, argv, options);
    return application.exec();
}
