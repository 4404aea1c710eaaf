"use strict";
// The page's audio context, which the microphone and the reference tone play through: made and
// started in answer to the player's first touch or key press, as browsers require, with the
// overlay asking for that touch until it runs, and the worklets and the tone's module loaded
// into it once.
//
// Made once by the page's host (host.js).

const StrumwiseAudioContext = ({ asset, notices }) => {
  // A page served over plain http from another machine gets neither the microphone nor audio
  // worklets: nothing that needs them is called there, and the player is told why.
  const secure = window.isSecureContext && !!navigator.mediaDevices && typeof AudioWorkletNode === "function";
  // What the page's audio holds, in one object: the microphone (microphone.js) and the reference
  // tone (reference-tone.js) keep theirs here beside the context, and the host shows it whole.
  const audio = { context: null, ready: null, mic: null, micWanted: false, opening: null,
    tone: null, toneModule: null, toneLoading: null, toneWanted: { playing: false, frequency: 440, wave: 0 } };

  // Making the context stalls the main thread for a long moment (half a second on a slow
  // phone), and in a tab the browser holds a context made before the first touch suspended
  // anyway: there it is made inside the first touch or key press, which starts it at once. An
  // installed tuner, or a browser that says it lets audio start on its own, makes it once the
  // screen has been painted, so no tap is asked for where none is needed.
  const startsOnItsOwn = matchMedia("(display-mode: standalone), (display-mode: fullscreen)").matches ||
    (typeof navigator.getAutoplayPolicy === "function" && navigator.getAutoplayPolicy("audiocontext") === "allowed");
  let contextMade = null;
  const contextExists = new Promise((resolve) => { contextMade = resolve; });

  function running() { return audio.context !== null && audio.context.state === "running"; }

  // The overlay asks for the tap while audio is wanted and not running; a context the browser
  // lets start on its own gets there a moment after it is made, so only one still waiting then
  // is asked for.
  let askForTap = false;
  function updateOverlay() {
    notices.showStartOverlay(askForTap && !running() && document.visibilityState === "visible");
  }

  function makeContext() {
    if (audio.context || !secure) return;
    audio.context = new AudioContext();
    audio.context.addEventListener("statechange", updateOverlay);
    audio.ready = Promise.all([
      audio.context.audioWorklet.addModule(asset("capture-worklet.js")),
      audio.context.audioWorklet.addModule(asset("tone-worklet.js")),
      fetch(asset("tone.wasm")).then((response) => response.arrayBuffer())
        .then((bytes) => { audio.toneModule = bytes; }),
    ]).then(() => audio.context);
    contextMade();
  }

  // The context with its worklets loaded, once there is one.
  let audioWanted = false;
  function audioContext() {
    if (!audioWanted) {
      audioWanted = true;
      if (startsOnItsOwn) {
        requestAnimationFrame(() => setTimeout(makeContext, 0));
        setTimeout(() => { askForTap = true; updateOverlay(); }, 300);
      } else {
        askForTap = true;
        updateOverlay();
      }
    }
    return contextExists.then(() => audio.ready);
  }

  // Every touch and key press while the context waits starts it; the first one normally does,
  // even one made before the tuner has asked for sound. A press on the notice's button is not
  // one: accepting a new release reloads the page, and an audio graph still loading its worklets
  // then keeps the old release's worker from handing over.
  function startAudio(event) {
    if (document.visibilityState !== "visible" || event?.target?.closest?.("#notice")) return;
    if (!audio.context) makeContext();
    else if (!running()) audio.context.resume().then(updateOverlay, () => {});
  }

  // A hidden page lets the audio device go, which a phone's battery and its other applications
  // need; the next touch, or the page coming back, starts it again.
  function suspend() {
    if (running()) audio.context.suspend().catch(() => {});
  }

  // A touch grants the page the right to start audio only as the finger lifts, a mouse button
  // as it goes down: the context made on the way down is started on the way up.
  for (const type of ["pointerdown", "pointerup", "click", "keydown"]) addEventListener(type, startAudio, { capture: true });

  return {
    state: audio,
    secure,
    // The context with its worklets loaded; asking for it asks the player for the first tap.
    loaded: audioContext,
    running,
    start: startAudio,
    suspend,
    updateOverlay,
  };
};
