#include "adapters/desktop/audio/portaudio_chatter.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace strumwise::platform::desktop {
namespace {

constexpr std::string_view kStart = "Expression '";

// PortAudio's own format: "Expression '%s' failed in '%s', line: %d\n".
bool isChatter(std::string_view line) {
    return line.starts_with(kStart) && line.find("' failed in '") != std::string_view::npos &&
           line.find("', line: ") != std::string_view::npos;
}

// Whether `part`, the start of a line, may yet turn out to be chatter.
bool mayBeChatter(std::string_view part) {
    return part.size() < kStart.size() ? kStart.starts_with(part) : part.starts_with(kStart);
}

void writeAll(std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;  // standard error is gone; nothing more can be said
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

// The stream's write function, called under the stream's own lock.
ssize_t filteredWrite(void* cookie, const char* data, std::size_t size) {
    writeAll(static_cast<PortAudioChatterFilter*>(cookie)->pass(std::string_view(data, size)));
    return static_cast<ssize_t>(size);
}

}  // namespace

std::string PortAudioChatterFilter::pass(std::string_view chunk) {
    std::string out;
    while (!chunk.empty()) {
        const std::size_t end = chunk.find('\n');
        const std::string_view piece =
            chunk.substr(0, end == std::string_view::npos ? chunk.size() : end + 1);
        chunk.remove_prefix(piece.size());
        const bool ended = piece.back() == '\n';
        if (passing_) {
            out.append(piece);
        } else {
            held_.append(piece);
            if (ended ? !isChatter(held_) : !mayBeChatter(held_)) {
                out.append(held_);
                passing_ = !ended;
            }
            if (ended || passing_) {
                held_.clear();
            }
        }
        if (ended) {
            passing_ = false;
        }
    }
    return out;
}

void filterPortAudioChatter() {
    static PortAudioChatterFilter filter;
    const cookie_io_functions_t functions{nullptr, &filteredWrite, nullptr, nullptr};
    if (FILE* filtered = ::fopencookie(&filter, "w", functions)) {
        // Unbuffered, as standard error is, so that nothing waits for a flush.
        std::setvbuf(filtered, nullptr, _IONBF, 0);
        stderr = filtered;
    }
}

}  // namespace strumwise::platform::desktop
