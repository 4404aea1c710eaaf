#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The page's side of the web platform, one call each: everything the C++ platform asks of the
// browser goes through here, to the page's `StrumwiseHost` object (web/host.js).
namespace strumwise::platform::web::browser {

// Views of the installed layout, by outlet name.
void setText(std::string_view outlet, std::string_view text);
void setImage(std::string_view outlet, std::string_view imageName);  // empty: no image
void setHidden(std::string_view outlet, bool hidden);
// "label", "image", "button", "tuningMeter", "levelMeter" or "readingHistory".
bool hasOutlet(std::string_view outlet, std::string_view kind);
// The meters; `string` is 1..5 and `turn` is -1 (loosen), 0 (in tune) or +1 (tighten);
// `locked`: the reading is against a string the player locked.
void showTuningMeter(std::string_view outlet, bool idle, int string, std::string_view note,
                     double cents, double needle, double zoneLow, double zoneHigh, int turn,
                     bool locked);
void showLevelMeter(std::string_view outlet, double power, double silenceBelow,
                    double measureAbove);
// The picture of the meter's last seconds: `count` samples, oldest first, each five numbers at
// `samples` (seconds, string 0..5, cents, the window's low and high end in cents), the newest
// taken at `nowSeconds`; the page copies them before the call returns. Its trend in words:
// `kind` 0 no reading, 1 in tune, 2 settling, 3 drifting, 4 steady, with the note and the
// signed whole cents.
void showReadingHistory(std::string_view outlet, const double* samples, int count,
                        double nowSeconds);
void describeReadingHistory(std::string_view outlet, int kind, std::string_view note, int cents);
// The screen's look ("silence", "measuring", "inTune", "stale") as the page's data-look
// attribute, for the style sheet to weigh the read-outs by.
void showScreenLook(std::string_view look);
bool hasLayout(std::string_view name);
void installLayout(std::string_view name);
// The player's settings changed (`lockedString` is the string locked, 0 for none): the page
// shows them anew and marks the locked string's caption.
void settingsChanged(int lockedString);

// localStorage.
std::optional<std::string> storedValue(std::string_view key);
void storeValue(std::string_view key, std::string_view value);
void clearStore();

// The application and the device.
void openURL(std::string_view url);
void keepScreenOn(bool on);
void hideStatusBar();
double viewportHeight();
bool isPadViewport();
bool isVisible();
bool isOnline();
void fetchAndForget(std::string_view url, double timeoutSeconds);
std::optional<std::string> translation(std::string_view table, std::string_view key);
void log(std::string_view line);
// Whether the page was opened to show the tuner's developer lines (`?verbose` in its address).
bool showsDeveloperLines();
double nowSeconds();
// The pictures (by plain name) the screen may show, for the page to keep for use offline.
void keepPictures(const std::vector<std::string>& names);

// Audio: the microphone's capture node and the tone worklet.
void startMicrophone();
void stopMicrophone();
void playTone(float frequency, unsigned waveShape);
void stopTone();

// Alerts as a modal <dialog>; pressing a button calls strumwise_alert_pressed(id, index).
void showAlert(int id, std::string_view title, std::string_view message,
               std::string_view buttonTitlesSeparatedByNewlines, int cancelIndex);
void closeAlert(int id);

}  // namespace strumwise::platform::web::browser
