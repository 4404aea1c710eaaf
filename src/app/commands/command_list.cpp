#include "app/commands/command_list.h"

#include <array>

namespace strumwise::app {

// Each command's definition lives in its own file.
// (Declarations are added here as the commands arrive.)
extern const Command kWindowCommand;
extern const Command kToneCommand;
extern const Command kHeadlessCommand;
extern const Command kEstimateCommand;
extern const Command kDevicesCommand;
extern const Command kTuningsCommand;

std::span<const Command> commandList() {
    static const std::array commands{kWindowCommand,   kToneCommand,    kHeadlessCommand,
                                     kEstimateCommand, kDevicesCommand, kTuningsCommand};
    return commands;
}

}  // namespace strumwise::app
