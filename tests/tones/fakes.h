#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/audio_output.h"
#include "platform/view_toolkit.h"

namespace strumwise::tones::testing {

// A factory whose units record, in one list, every call any of them receives.
class FakeOutputUnitFactory : public platform::AudioOutputUnitFactory {
  public:
    bool hasUnit = true;
    int unitsMade = 0;
    std::vector<std::string> calls;
    platform::StreamFormat format;
    platform::RenderCallback callback = nullptr;
    void* context = nullptr;

    std::unique_ptr<platform::AudioOutputUnit> newOutputUnit() override {
        if (!hasUnit) {
            return nullptr;
        }
        ++unitsMade;
        return std::make_unique<Unit>(*this);
    }

  private:
    struct Unit : platform::AudioOutputUnit {
        explicit Unit(FakeOutputUnitFactory& factory) : f(factory) {}
        std::int32_t setStreamFormat(const platform::StreamFormat& format) override {
            f.format = format;
            return note("format");
        }
        std::int32_t setRenderCallback(platform::RenderCallback cb, void* context) override {
            f.callback = cb;
            f.context = context;
            return note("callback");
        }
        std::int32_t initialize() override { return note("initialize"); }
        std::int32_t start() override { return note("start"); }
        std::int32_t stop() override { return note("stop"); }
        std::int32_t note(const char* call) {
            f.calls.emplace_back(call);
            return 0;
        }
        FakeOutputUnitFactory& f;
    };
};

struct FakeLabel : platform::Label {
    std::string text;
    void setText(std::string_view t) override { text = t; }
};

struct FakeButton : platform::Button {
    std::string title;
    void setTitle(std::string_view t) override { title = t; }
    void setHidden(bool) override {}
};

}  // namespace strumwise::tones::testing
