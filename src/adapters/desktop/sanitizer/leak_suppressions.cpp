// Leaks that belong to system libraries the desktop loads, not to us: fontconfig keeps its caches
// until the process ends, and libdbus keeps a connection buffer when there is no session bus to
// talk to. PortAudio keeps what a stream holds while the stream's worker is stuck inside it
// after its sound server died; that worker is abandoned on purpose, and the process ends with it
// still waiting. LeakSanitizer reads this list at start-up; without a sanitizer it is never called.

extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n"
           "leak:libportaudio.so\n";
}
