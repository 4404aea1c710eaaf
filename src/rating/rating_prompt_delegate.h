#pragma once

namespace strumwise::rating {

class RatingPrompt;

// Optional notifications about the rating prompt. Every operation has a default that does
// nothing (or lets the alert show), so a delegate overrides only what it cares about. Called on
// the main thread with the prompt that sends them.
class RatingPromptDelegate {
  public:
    virtual ~RatingPromptDelegate() = default;

    // Asked first when the prompt is about to show; false keeps it hidden.
    virtual bool ratingPromptShouldDisplayAlert(RatingPrompt& /*prompt*/) { return true; }
    // The alert was presented, or the platform's own review request was made.
    virtual void ratingPromptDidDisplayAlert(RatingPrompt& /*prompt*/) {}
    virtual void ratingPromptDidDeclineToRate(RatingPrompt& /*prompt*/) {}
    virtual void ratingPromptDidOptToRate(RatingPrompt& /*prompt*/) {}
    virtual void ratingPromptDidOptToRemindLater(RatingPrompt& /*prompt*/) {}
    // Around the store's product page.
    virtual void ratingPromptWillPresentModalView(RatingPrompt& /*prompt*/, bool /*animated*/) {}
    virtual void ratingPromptDidDismissModalView(RatingPrompt& /*prompt*/, bool /*animated*/) {}
};

}  // namespace strumwise::rating
