#pragma once

#include <span>

#include "app/commands/command.h"

namespace strumwise::app {

// Every subcommand, in the order the help lists them.
std::span<const Command> commandList();

}  // namespace strumwise::app
