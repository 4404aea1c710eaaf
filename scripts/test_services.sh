# Sourced by the test script: services the tests need, started as user processes and stopped
# when the tests end.

start_test_services() {
    # A PulseAudio server with a null sink gives PortAudio real capture and playback devices on
    # a machine without a sound card. Tests that need it skip when it is not there.
    if command -v pulseaudio >/dev/null && ! pactl info >/dev/null 2>&1; then
        pulseaudio --daemonize=yes --exit-idle-time=-1 --system=false -n \
            --load="module-null-sink sink_name=strumwise_null" \
            --load="module-native-protocol-unix" >/dev/null 2>&1 || true
        for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
        STRUMWISE_STARTED_PULSE=1
    fi
}

stop_test_services() {
    if [ "${STRUMWISE_STARTED_PULSE:-}" = 1 ]; then
        pulseaudio --kill >/dev/null 2>&1 || true
    fi
}
