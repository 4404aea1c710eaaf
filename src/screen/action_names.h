#pragma once

// The action names now live with the outlets below the components; this header keeps the
// headless run's older spelling compiling until it includes view/action_names.h itself.

#include "view/action_names.h"

namespace strumwise::screen {

using view::kForkActions;
using view::kMakerSiteAction;
using view::kNextTuningAction;
using view::kPreviousTuningAction;
using view::kReviewAction;
using view::kSiblingAppActions;
using view::kStopAction;

}  // namespace strumwise::screen
