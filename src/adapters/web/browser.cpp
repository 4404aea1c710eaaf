#include "adapters/web/browser.h"

#include <emscripten/emscripten.h>

#include <cstdlib>

namespace strumwise::platform::web::browser {

namespace {

// Strings cross as pointer and length, so that a view into a longer text needs no copy.
// clang-format off
EM_JS(void, js_set_text, (const char* o, int ol, const char* t, int tl), {
    StrumwiseHost.setText(UTF8ToString(o, ol), UTF8ToString(t, tl));
});
EM_JS(void, js_set_image, (const char* o, int ol, const char* n, int nl), {
    StrumwiseHost.setImage(UTF8ToString(o, ol), UTF8ToString(n, nl));
});
EM_JS(void, js_set_hidden, (const char* o, int ol, int hidden), {
    StrumwiseHost.setHidden(UTF8ToString(o, ol), hidden != 0);
});
EM_JS(int, js_has_outlet, (const char* o, int ol, const char* k, int kl), {
    return StrumwiseHost.hasOutlet(UTF8ToString(o, ol), UTF8ToString(k, kl)) ? 1 : 0;
});
EM_JS(void, js_show_tuning_meter, (const char* o, int ol, int idle, int string, const char* n,
                                   int nl, double cents, double needle, double low, double high,
                                   int turn, int locked), {
    StrumwiseHost.showTuningMeter(UTF8ToString(o, ol), { idle: idle != 0, string,
                                  note: UTF8ToString(n, nl), cents, needle, zoneLow: low,
                                  zoneHigh: high, turn, locked: locked != 0 });
});
EM_JS(void, js_show_level_meter, (const char* o, int ol, double power, double silence,
                                  double measure), {
    StrumwiseHost.showLevelMeter(UTF8ToString(o, ol), { power, silenceBelow: silence,
                                 measureAbove: measure });
});
EM_JS(void, js_show_reading_history, (const char* o, int ol, const double* s, int count,
                                      double now), {
    StrumwiseHost.showReadingHistory(UTF8ToString(o, ol), HEAPF64.subarray(s >> 3, (s >> 3) + count * 5),
                                     now);
});
EM_JS(void, js_describe_reading_history, (const char* o, int ol, int kind, const char* n, int nl,
                                          int cents), {
    StrumwiseHost.describeReadingHistory(UTF8ToString(o, ol), { kind, note: UTF8ToString(n, nl),
                                         cents });
});
EM_JS(void, js_show_screen_look, (const char* l, int ll), {
    StrumwiseHost.showScreenLook(UTF8ToString(l, ll));
});
EM_JS(int, js_has_layout, (const char* n, int nl), {
    return StrumwiseHost.hasLayout(UTF8ToString(n, nl)) ? 1 : 0;
});
EM_JS(void, js_install_layout, (const char* n, int nl), {
    StrumwiseHost.installLayout(UTF8ToString(n, nl));
});
EM_JS(void, js_settings_changed, (int locked), { StrumwiseHost.settingsChanged(locked); });
EM_JS(char*, js_stored_value, (const char* k, int kl), {
    const value = StrumwiseHost.storedValue(UTF8ToString(k, kl));
    if (value === null) return 0;
    const size = lengthBytesUTF8(value) + 1;
    const copy = _malloc(size);
    stringToUTF8(value, copy, size);
    return copy;
});
EM_JS(void, js_store_value, (const char* k, int kl, const char* v, int vl), {
    StrumwiseHost.storeValue(UTF8ToString(k, kl), UTF8ToString(v, vl));
});
EM_JS(void, js_clear_store, (), { StrumwiseHost.clearStore(); });
EM_JS(void, js_open_url, (const char* u, int ul), { StrumwiseHost.openURL(UTF8ToString(u, ul)); });
EM_JS(void, js_keep_screen_on, (int on), { StrumwiseHost.keepScreenOn(on != 0); });
EM_JS(void, js_hide_status_bar, (), { StrumwiseHost.hideStatusBar(); });
EM_JS(double, js_viewport_height, (), { return StrumwiseHost.viewportHeight(); });
EM_JS(int, js_is_pad_viewport, (), { return StrumwiseHost.isPadViewport() ? 1 : 0; });
EM_JS(int, js_is_visible, (), { return document.visibilityState === "visible" ? 1 : 0; });
EM_JS(int, js_is_online, (), { return navigator.onLine ? 1 : 0; });
EM_JS(void, js_fetch_and_forget, (const char* u, int ul, double timeout), {
    StrumwiseHost.fetchAndForget(UTF8ToString(u, ul), timeout);
});
EM_JS(char*, js_translation, (const char* t, int tl, const char* k, int kl), {
    const text = StrumwiseHost.translation(UTF8ToString(t, tl), UTF8ToString(k, kl));
    if (text === null) return 0;
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
EM_JS(void, js_log, (const char* l, int ll), { console.log(UTF8ToString(l, ll)); });
EM_JS(int, js_shows_developer_lines, (), { return StrumwiseHost.showsDeveloperLines() ? 1 : 0; });
EM_JS(void, js_keep_pictures, (const char* n, int nl), {
    StrumwiseHost.keepPictures(UTF8ToString(n, nl).split("\n"));
});
EM_JS(double, js_now_seconds, (), { return Date.now() / 1000; });
EM_JS(void, js_start_microphone, (), { StrumwiseHost.startMicrophone(); });
EM_JS(void, js_stop_microphone, (), { StrumwiseHost.stopMicrophone(); });
EM_JS(void, js_play_tone, (float frequency, unsigned wave), {
    StrumwiseHost.playTone(frequency, wave);
});
EM_JS(void, js_stop_tone, (), { StrumwiseHost.stopTone(); });
EM_JS(void, js_show_alert, (int id, const char* t, int tl, const char* m, int ml, const char* b,
                            int bl, int cancelIndex), {
    StrumwiseHost.showAlert(id, UTF8ToString(t, tl), UTF8ToString(m, ml),
                            UTF8ToString(b, bl).split("\n"), cancelIndex);
});
EM_JS(void, js_close_alert, (int id), { StrumwiseHost.closeAlert(id); });
// clang-format on

int size(std::string_view text) {
    return static_cast<int>(text.size());
}

std::optional<std::string> adopt(char* text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    std::string copy(text);
    std::free(text);
    return copy;
}

}  // namespace

void setText(std::string_view outlet, std::string_view text) {
    js_set_text(outlet.data(), size(outlet), text.data(), size(text));
}
void setImage(std::string_view outlet, std::string_view imageName) {
    js_set_image(outlet.data(), size(outlet), imageName.data(), size(imageName));
}
void setHidden(std::string_view outlet, bool hidden) {
    js_set_hidden(outlet.data(), size(outlet), hidden ? 1 : 0);
}
bool hasOutlet(std::string_view outlet, std::string_view kind) {
    return js_has_outlet(outlet.data(), size(outlet), kind.data(), size(kind)) != 0;
}
void showTuningMeter(std::string_view outlet, bool idle, int string, std::string_view note,
                     double cents, double needle, double zoneLow, double zoneHigh, int turn,
                     bool locked) {
    js_show_tuning_meter(outlet.data(), size(outlet), idle ? 1 : 0, string, note.data(), size(note),
                         cents, needle, zoneLow, zoneHigh, turn, locked ? 1 : 0);
}
void showLevelMeter(std::string_view outlet, double power, double silenceBelow,
                    double measureAbove) {
    js_show_level_meter(outlet.data(), size(outlet), power, silenceBelow, measureAbove);
}
void showReadingHistory(std::string_view outlet, const double* samples, int count,
                        double nowSeconds) {
    js_show_reading_history(outlet.data(), size(outlet), samples, count, nowSeconds);
}
void describeReadingHistory(std::string_view outlet, int kind, std::string_view note, int cents) {
    js_describe_reading_history(outlet.data(), size(outlet), kind, note.data(), size(note), cents);
}
void showScreenLook(std::string_view look) {
    js_show_screen_look(look.data(), size(look));
}
bool hasLayout(std::string_view name) {
    return js_has_layout(name.data(), size(name)) != 0;
}
void installLayout(std::string_view name) {
    js_install_layout(name.data(), size(name));
}
void settingsChanged(int lockedString) {
    js_settings_changed(lockedString);
}
std::optional<std::string> storedValue(std::string_view key) {
    return adopt(js_stored_value(key.data(), size(key)));
}
void storeValue(std::string_view key, std::string_view value) {
    js_store_value(key.data(), size(key), value.data(), size(value));
}
void clearStore() {
    js_clear_store();
}
void openURL(std::string_view url) {
    js_open_url(url.data(), size(url));
}
void keepScreenOn(bool on) {
    js_keep_screen_on(on ? 1 : 0);
}
void hideStatusBar() {
    js_hide_status_bar();
}
double viewportHeight() {
    return js_viewport_height();
}
bool isPadViewport() {
    return js_is_pad_viewport() != 0;
}
bool isVisible() {
    return js_is_visible() != 0;
}
bool isOnline() {
    return js_is_online() != 0;
}
void fetchAndForget(std::string_view url, double timeoutSeconds) {
    js_fetch_and_forget(url.data(), size(url), timeoutSeconds);
}
std::optional<std::string> translation(std::string_view table, std::string_view key) {
    return adopt(js_translation(table.data(), size(table), key.data(), size(key)));
}
void log(std::string_view line) {
    js_log(line.data(), size(line));
}
bool showsDeveloperLines() {
    return js_shows_developer_lines() != 0;
}
double nowSeconds() {
    return js_now_seconds();
}
void keepPictures(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        joined += joined.empty() ? "" : "\n";
        joined += name;
    }
    js_keep_pictures(joined.data(), size(joined));
}
void startMicrophone() {
    js_start_microphone();
}
void stopMicrophone() {
    js_stop_microphone();
}
void playTone(float frequency, unsigned waveShape) {
    js_play_tone(frequency, waveShape);
}
void stopTone() {
    js_stop_tone();
}
void showAlert(int id, std::string_view title, std::string_view message,
               std::string_view buttonTitlesSeparatedByNewlines, int cancelIndex) {
    js_show_alert(id, title.data(), size(title), message.data(), size(message),
                  buttonTitlesSeparatedByNewlines.data(), size(buttonTitlesSeparatedByNewlines),
                  cancelIndex);
}
void closeAlert(int id) {
    js_close_alert(id);
}

}  // namespace strumwise::platform::web::browser
