#include "screen/listener_microphone.h"

namespace strumwise::screen {

ListenerMicrophone::ListenerMicrophone(const platform::Services& services) : services_(&services) {}

ListenerMicrophone::~ListenerMicrophone() = default;

void ListenerMicrophone::listen() {
    if (services_ != nullptr && !own_) {
        own_ = std::make_unique<pitch::MicListener>(services_->audioInput, services_->audioSession,
                                                    services_->log);
        own_->setOctaveCheck(octaveCheck_);
    }
    listener()->listen();
}

float ListenerMicrophone::averagePower() {
    pitch::MicListener* active = listener();
    return active != nullptr ? active->averagePower() : 0.0f;
}

float ListenerMicrophone::frequency() {
    pitch::MicListener* active = listener();
    return active != nullptr ? active->frequency() : 0.0f;
}

pitch::NoteReading ListenerMicrophone::noteReading() {
    pitch::MicListener* active = listener();
    return active != nullptr ? active->noteReading() : pitch::NoteReading{};
}

void ListenerMicrophone::setOctaveCheck(bool on) {
    octaveCheck_ = on;
    if (pitch::MicListener* active = listener()) {
        active->setOctaveCheck(on);
    }
}

Microphone::Status ListenerMicrophone::status() {
    const pitch::MicListener* active = listener();
    if (active == nullptr) {
        return Status::Fine;
    }
    switch (active->status()) {
        case pitch::MicListener::Status::NoMicrophone:
            return Status::Missing;
        case pitch::MicListener::Status::Reconnecting:
            return Status::Lost;
        case pitch::MicListener::Status::Idle:
        case pitch::MicListener::Status::Capturing:
            break;
    }
    return Status::Fine;
}

void ListenerMicrophone::stop() {
    own_.reset();
}

pitch::MicListener* ListenerMicrophone::listener() {
    if (services_ != nullptr) {
        return own_.get();
    }
    return listener_;
}

}  // namespace strumwise::screen
