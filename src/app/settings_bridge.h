#pragma once

#include <string>
#include <string_view>

#include "platform/bundle.h"
#include "screen/view_controller.h"

namespace strumwise::app {

// The player's settings for a page that draws its own controls (the web edition's): the
// settings as JSON for it to show, and its requests by name, answered with what to tell the
// player. The texts are the bundle's, in the running language.

// {"tenths":4400,"reference":"440.0","capo":0,"fifth":0,"lock":0,
//  "library":[{"name":"Open G","title":"Open G (gDGBD)","notes":"G4 D3 G3 B3 D4","browsed":true},
//             ...],
//  "custom":[{"name":"My D","notes":"A4 D3 A3 D4 E4","browsed":true}, ...]}
std::string settingsJson(const tuner::PlayerSettings& settings, const platform::Bundle& bundle);

// Runs one request on the controller's settings and answers, as JSON, what to say:
// {"ok":true} or {"ok":false,"message":"..."}; "takeReference" answers
// {"ok":true,"tenths":4423,"message":"A4 = 442.3 Hz — keep?"} without changing anything, and
// "keepReference" with `first` the tenths sets it. The requests and their arguments:
// reference TENTHS, capo FRET, fifth FRET, lock STRING (0: by ear), browse NAME 1|0,
// add NAME NOTES, change OLD NEW NOTES, remove NAME, takeReference, keepReference TENTHS.
std::string runSettingsRequest(screen::ViewController& controller, const platform::Bundle& bundle,
                               std::string_view request, std::string_view first,
                               std::string_view second, std::string_view third);

}  // namespace strumwise::app
