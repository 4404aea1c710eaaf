#pragma once

#include "platform/storyboard.h"
#include "view/outlets.h"

namespace strumwise::screen {

// Connects every outlet of the main screen to the layout's view of the same name. An outlet the
// layout lacks stays empty.
view::Outlets bindOutlets(platform::Storyboard& storyboard);

}  // namespace strumwise::screen
