"use strict";
// The microphone: opened when the listener wants it and the page is visible, its blocks copied
// into the module's memory for the listener, and its trouble (refused, missing, lost) told to
// the listener and, in words, to the player, who may try again.
//
// Made once by the page's host (host.js); `app` answers the application's module.

const StrumwiseMicrophone = ({ app, audioContext, notices }) => {
  const audio = audioContext.state;

  // What the listener is told of the microphone: open and delivering, asked for and failed (or
  // lost), or not asked for yet, which is no failure to show.
  const microphoneStates = { failed: 0, live: 1, waiting: 2 };

  function microphoneProblem(error) {
    console.log("No microphone: " + error.message);
    app()._strumwise_microphone_live(microphoneStates.failed);
    const message = error.name === "NotAllowedError" || error.name === "SecurityError" ? "refused"
      : error.name === "NotFoundError" || error.name === "OverconstrainedError" ? "missing" : "failed";
    notices.show(message, "tryAgain", wantMicrophone);
  }

  // Where the browser reports the microphone's permission, allowing it in the site settings
  // retries at once, without waiting for a tap on Try again.
  let watchingPermission = false;
  function watchPermission() {
    if (watchingPermission || !navigator.permissions) return;
    watchingPermission = true;
    navigator.permissions.query({ name: "microphone" }).then((status) => {
      status.addEventListener("change", () => {
        if (status.state !== "denied") wantMicrophone();
      });
    }, () => {});
  }

  // The microphone opens when the listener wants it and the page is visible; one opening at a
  // time, which checks again at its end what is wanted by then.
  function wantMicrophone() {
    if (!audioContext.secure) {
      notices.show("insecure");
      if (app()) app()._strumwise_microphone_live(microphoneStates.failed);
      return;
    }
    if (audio.micWanted && !audio.mic && !audio.opening && document.visibilityState === "visible") {
      audio.opening = openMicrophone().catch(microphoneProblem).finally(() => { audio.opening = null; });
    }
  }

  async function openMicrophone() {
    watchPermission();
    const context = await audioContext.loaded();
    const stream = await navigator.mediaDevices.getUserMedia({
      audio: { echoCancellation: false, noiseSuppression: false, autoGainControl: false },
    });
    // The listener may have stopped, or the page been hidden, while the browser asked.
    if (!audio.micWanted || audio.mic || document.visibilityState !== "visible") {
      stream.getTracks().forEach((track) => track.stop());
      return;
    }
    notices.hide("microphone");
    const source = context.createMediaStreamSource(stream);
    const node = new AudioWorkletNode(context, "strumwise-capture");
    let buffer = 0;
    let capacity = 0;
    node.port.onmessage = (event) => {
      const block = event.data;
      if (capacity < block.length) {
        if (buffer) app()._free(buffer);
        capacity = block.length;
        buffer = app()._malloc(capacity * 4);
      }
      const frames = block.length;
      app().HEAPF32.set(block, buffer >> 2);
      // The block goes back to the audio thread's pool before the listener works on the copy.
      node.port.postMessage(block, [block.buffer]);
      app()._strumwise_capture(buffer, frames, context.sampleRate);
    };
    source.connect(node);
    // Connected to the output (it writes silence) so the graph keeps pulling it.
    node.connect(context.destination);
    stream.getAudioTracks()[0].addEventListener("ended", () => {
      if (audio.mic && audio.mic.stream === stream) closeMicrophone(microphoneStates.failed);
    });
    audio.mic = { stream, source, node };
    app()._strumwise_microphone_live(microphoneStates.live);
  }

  // `report` tells the listener the microphone's new state; a hidden page closes it without
  // telling, since it opens again as soon as the page is back.
  function closeMicrophone(report) {
    if (!audio.mic) return;
    audio.mic.stream.getTracks().forEach((track) => track.stop());
    audio.mic.source.disconnect();
    audio.mic.node.disconnect();
    audio.mic.node.port.onmessage = null;
    audio.mic = null;
    if (report !== undefined) app()._strumwise_microphone_live(report);
  }

  return {
    start() {
      audio.micWanted = true;
      wantMicrophone();
    },
    stop() {
      audio.micWanted = false;
      closeMicrophone(microphoneStates.waiting);
    },
    // The page shown again: the microphone opens again if the listener still wants it.
    openIfWanted: wantMicrophone,
    // The page hidden: the microphone closes without the listener being told.
    closeWhileHidden() { closeMicrophone(); },
  };
};
