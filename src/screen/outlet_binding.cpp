#include "screen/outlet_binding.h"

namespace strumwise::screen {

view::Outlets bindOutlets(platform::Storyboard& storyboard) {
    // The outlet names are the field names, so a layout and the code cannot disagree silently.
#define STRUMWISE_LABEL(field) outlets.field = storyboard.label(#field)
#define STRUMWISE_IMAGE_VIEW(field) outlets.field = storyboard.imageView(#field)
#define STRUMWISE_BUTTON(field) outlets.field = storyboard.button(#field)
    view::Outlets outlets;
    STRUMWISE_LABEL(freq_label);
    STRUMWISE_BUTTON(tuningForkButton);
    STRUMWISE_LABEL(noteDisplay);
    STRUMWISE_IMAGE_VIEW(LEDDisplay128);
    STRUMWISE_IMAGE_VIEW(LEDDisplay);
    STRUMWISE_IMAGE_VIEW(tunedString);
    STRUMWISE_IMAGE_VIEW(tunedString5);
    STRUMWISE_IMAGE_VIEW(tunedStringiPad);
    STRUMWISE_LABEL(currentTuningName);
    STRUMWISE_LABEL(firstString);
    STRUMWISE_LABEL(secondString);
    STRUMWISE_LABEL(thirdString);
    STRUMWISE_LABEL(fourthString);
    STRUMWISE_LABEL(fifthString);
    STRUMWISE_IMAGE_VIEW(chartDisplay);
    STRUMWISE_BUTTON(showPreviousTuningButton);
    STRUMWISE_BUTTON(showNextTuningButton);
    STRUMWISE_LABEL(aboutCongratsMessage);
    STRUMWISE_LABEL(aboutMsg2);
    STRUMWISE_LABEL(tfnoteDisplay);
    STRUMWISE_LABEL(tfFreqLabel);
    STRUMWISE_BUTTON(firstFreqButton);
    STRUMWISE_BUTTON(secondFreqButton);
    STRUMWISE_BUTTON(thirdFreqButton);
    STRUMWISE_BUTTON(fourthFreqButton);
    STRUMWISE_BUTTON(fifthFreqButton);
    STRUMWISE_LABEL(audioStatusLabel);
    outlets.tuningMeter = storyboard.tuningMeter("tuningMeter");
    outlets.levelMeter = storyboard.levelMeter("levelMeter");
    outlets.readingHistory = storyboard.readingHistory("readingHistory");
    outlets.screenLook = storyboard.screenLook("screenLook");
#undef STRUMWISE_LABEL
#undef STRUMWISE_IMAGE_VIEW
#undef STRUMWISE_BUTTON
    return outlets;
}

}  // namespace strumwise::screen
