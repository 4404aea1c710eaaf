#pragma once

#include <string_view>

namespace strumwise::app {

// Makes the standard streams safe to use before any command runs: a closed descriptor 0, 1 or 2
// is taken by a read-only /dev/null, so that a file the command opens cannot land on it and
// receive its output (writes there still fail, as on a closed descriptor); SIGPIPE ends the
// process quietly, as a filter in a pipeline ends when its reader has gone.
void guardStandardStreams();

// Flushes standard output once the command `name` has run with `status`. Answers `status`, or
// 1 when output was lost, after saying so in one line on standard error.
int finishStandardOutput(std::string_view name, int status);

}  // namespace strumwise::app
