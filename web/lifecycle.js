"use strict";
// The page's life beside the tuner's: the screen kept on while the tuner asks for it, and the
// microphone and the audio device let go while the page is hidden and taken again when it is
// back.
//
// Made once by the page's host (host.js); `app` answers the application's module.

const StrumwiseLifecycle = ({ app, audioContext, microphone }) => {
  let wakeLock = null;
  let keepOn = false;

  // The browser lets go of the lock whenever the page is hidden, so it is asked for again each
  // time the page is back while the tuner still wants the screen on.
  async function updateWakeLock() {
    if (!("wakeLock" in navigator)) return;
    if (keepOn && document.visibilityState === "visible" && !wakeLock) {
      try {
        wakeLock = await navigator.wakeLock.request("screen");
        wakeLock.addEventListener("release", () => { wakeLock = null; });
      } catch (error) {
        console.log("Screen wake lock refused: " + error.message);
      }
    } else if (!keepOn && wakeLock) {
      wakeLock.release();
    }
  }

  // A hidden page lets go of the microphone and the audio device, which a phone's battery and
  // its other applications need; coming back opens them again.
  document.addEventListener("visibilitychange", () => {
    const visible = document.visibilityState === "visible";
    if (app()) app()._strumwise_visibility_changed(visible ? 1 : 0);
    if (visible) {
      microphone.openIfWanted();
      audioContext.start();
    } else {
      microphone.closeWhileHidden();
      audioContext.suspend();
    }
    audioContext.updateOverlay();
    updateWakeLock();
  });

  return {
    keepScreenOn(on) { keepOn = on; updateWakeLock(); },
  };
};
