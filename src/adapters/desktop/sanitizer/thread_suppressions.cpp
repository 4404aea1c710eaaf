// A report that belongs to the sound server's client library, not to us: while PortAudio looks
// for devices, ALSA's PulseAudio plug-in starts and stops the library's own threads, whose
// mutexes the library hands over with atomic operations of its own that ThreadSanitizer cannot
// see in an uninstrumented library, so it reads a mutex's first lock as racing its allocation.
// Only a race inside the library's mutex lock is let through; every frame of ours is still
// checked. ThreadSanitizer reads this list at start-up; without it this is never called.

extern "C" __attribute__((used)) const char* __tsan_default_suppressions() {
    return "race:pa_mutex_lock\n";
}
