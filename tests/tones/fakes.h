#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/audio_output.h"
#include "platform/view_toolkit.h"

namespace strumwise::tones::testing {

// What every unit made by a FakeOutputUnitFactory was asked to do, in order.
struct OutputUnitRecord {
    int unitsMade = 0;
    std::vector<std::string> calls;
    platform::StreamFormat format;
    platform::RenderCallback callback = nullptr;
    void* context = nullptr;
};

class FakeOutputUnit : public platform::AudioOutputUnit {
  public:
    explicit FakeOutputUnit(OutputUnitRecord& record) : record_(record) {}
    std::int32_t setStreamFormat(const platform::StreamFormat& format) override {
        record_.calls.push_back("format");
        record_.format = format;
        return 0;
    }
    std::int32_t setRenderCallback(platform::RenderCallback callback, void* context) override {
        record_.calls.push_back("callback");
        record_.callback = callback;
        record_.context = context;
        return 0;
    }
    std::int32_t initialize() override { return note("initialize"); }
    std::int32_t start() override { return note("start"); }
    std::int32_t stop() override { return note("stop"); }

  private:
    std::int32_t note(const char* call) {
        record_.calls.push_back(call);
        return 0;
    }
    OutputUnitRecord& record_;
};

class FakeOutputUnitFactory : public platform::AudioOutputUnitFactory {
  public:
    OutputUnitRecord record;
    bool hasUnit = true;

    std::unique_ptr<platform::AudioOutputUnit> newOutputUnit() override {
        if (!hasUnit) {
            return nullptr;
        }
        ++record.unitsMade;
        return std::make_unique<FakeOutputUnit>(record);
    }
};

struct FakeLabel : platform::Label {
    std::string text;
    int writes = 0;
    void setText(std::string_view t) override {
        text = t;
        ++writes;
    }
};

struct FakeButton : platform::Button {
    std::string title;
    int writes = 0;
    void setTitle(std::string_view t) override {
        title = t;
        ++writes;
    }
    void setHidden(bool) override {}
};

}  // namespace strumwise::tones::testing
