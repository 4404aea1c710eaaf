#pragma once

#include <sndfile.h>

#include <string>
#include <string_view>

namespace strumwise::platform::sound_files {

// libsndfile's reason for the last failure of `file` (or of the last open, for nullptr), as a
// message quotes it after the file's name: without the "System error : " it puts before the
// system's own words, and without its closing full stop.
inline std::string sndfileReason(SNDFILE* file) {
    std::string text = sf_strerror(file);
    constexpr std::string_view kSystemPrefix = "System error : ";
    if (text.starts_with(kSystemPrefix)) {
        text.erase(0, kSystemPrefix.size());
    }
    while (!text.empty() && (text.back() == '.' || text.back() == ' ' || text.back() == '\n')) {
        text.pop_back();
    }
    return text;
}

}  // namespace strumwise::platform::sound_files
