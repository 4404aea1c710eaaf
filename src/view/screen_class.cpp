#include "view/screen_class.h"

#include <array>

#include "platform/device.h"

namespace strumwise::view {
namespace {

struct ClassRow {
    ScreenClass screenClass;
    long idiom;
    std::array<double, 3> heights;  // unused slots are 0, which no screen has
    std::string_view name;
    std::string_view storyboard;
};

constexpr long kPhone = platform::Device::kIdiomPhone;
constexpr long kPad = platform::Device::kIdiomPad;

constexpr std::array<ClassRow, 13> kRows{{
    {ScreenClass::iPhone4s, kPhone, {480}, "iPhone4s", "Main_iPhone4s"},
    {ScreenClass::iPhone, kPhone, {568}, "iPhone", "Main_iPhone"},
    {ScreenClass::iPhone6, kPhone, {667}, "iPhone6", "Main_iPhone6"},
    {ScreenClass::iPhone6Plus, kPhone, {736}, "iPhone6Plus", "Main_iPhone6Plus"},
    {ScreenClass::iPhoneX, kPhone, {812}, "iPhoneX", "Main_iPhoneX"},
    {ScreenClass::iPhone12Pro, kPhone, {844, 852, 874}, "iPhone12Pro", "Main_iPhone12Pro"},
    {ScreenClass::iPhoneXSMax, kPhone, {896}, "iPhoneXSMax", "Main_iPhoneXSMax"},
    {ScreenClass::iPhone12ProMax, kPhone, {926, 932, 956}, "iPhone12ProMax", "Main_iPhone12ProMax"},
    {ScreenClass::iPad, kPad, {1024}, "iPad", "Main_iPad"},
    {ScreenClass::iPad_Pro_10_5, kPad, {1080, 1112, 1180}, "iPad_Pro_10_5", "Main_iPad_Pro_10_5"},
    {ScreenClass::iPad_Mini6, kPad, {1133}, "iPad_Mini6", "Main_iPad_Mini6"},
    {ScreenClass::iPad_Pro_11, kPad, {1194, 1210}, "iPad_Pro_11", "Main_iPad_Pro_11"},
    {ScreenClass::iPad_Pro, kPad, {1366, 1376}, "iPad_Pro", "Main_iPad_Pro"},
}};

const ClassRow* rowOf(ScreenClass screenClass) {
    for (const auto& row : kRows) {
        if (row.screenClass == screenClass) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

ScreenClass screenClassFor(std::optional<long> idiom, double screenHeight) {
    const long effectiveIdiom = idiom.value_or(kPhone);
    for (const auto& row : kRows) {
        if (row.idiom != effectiveIdiom) {
            continue;
        }
        for (const double height : row.heights) {
            // Exact equality on purpose: a screen between two listed heights has no layout.
            if (height != 0.0 && height == screenHeight) {
                return row.screenClass;
            }
        }
    }
    return ScreenClass::unlisted;
}

std::string_view storyboardName(ScreenClass screenClass) {
    const ClassRow* row = rowOf(screenClass);
    return row != nullptr ? row->storyboard : std::string_view{};
}

}  // namespace strumwise::view
