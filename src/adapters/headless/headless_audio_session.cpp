#include "adapters/headless/headless_audio_session.h"

namespace strumwise::platform::headless {

bool HeadlessAudioSession::setCategory(std::string_view category, std::string* error) {
    return record("setCategory " + std::string(category), error);
}

bool HeadlessAudioSession::setCategory(std::string_view category, std::uint32_t options,
                                       std::string* error) {
    return record("setCategory " + std::string(category) + " " + std::to_string(options), error);
}

bool HeadlessAudioSession::setMode(std::string_view mode, std::string* error) {
    return record("setMode " + std::string(mode), error);
}

bool HeadlessAudioSession::setActive(bool active, std::string* error) {
    return record(active ? "setActive 1" : "setActive 0", error);
}

std::vector<std::string> HeadlessAudioSession::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

void HeadlessAudioSession::failWith(std::optional<std::string> error) {
    std::lock_guard lock(mutex_);
    failure_ = std::move(error);
}

bool HeadlessAudioSession::record(std::string call, std::string* error) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
    if (failure_) {
        if (error != nullptr) {
            *error = *failure_;
        }
        return false;
    }
    return true;
}

}  // namespace strumwise::platform::headless
