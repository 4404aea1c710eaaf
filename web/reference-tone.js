"use strict";
// The reference tone of a string, played by the tone worklet through the page's audio context.
// The worklet's node is made on the first play, and every play and stop after that is a message
// to it.
//
// Made once by the page's host (host.js).

const StrumwiseReferenceTone = ({ audioContext }) => {
  const audio = audioContext.state;

  async function toneNode() {
    const context = await audioContext.loaded();
    if (!audio.tone) {
      audio.tone = new AudioWorkletNode(context, "strumwise-tone", {
        numberOfInputs: 0,
        outputChannelCount: [2],
        // The node starts with the latest wish, so no tone is lost to a message in flight.
        processorOptions: { module: audio.toneModule, tone: audio.toneWanted },
      });
      audio.tone.connect(context.destination);
    }
    return audio.tone;
  }

  // Plays and stops go through here alone: they set what is wanted, and the node, once it
  // exists, is told the latest wish, so a Stop pressed while the audio graph still loads wins.
  function sendTone() {
    if (audio.tone) {
      audio.tone.port.postMessage({ ...audio.toneWanted });
    } else if (audio.toneWanted.playing && !audio.toneLoading) {
      audio.toneLoading = toneNode().then(sendTone)
        .catch((error) => console.log("No reference tone: " + error.message))
        .finally(() => { audio.toneLoading = null; });
    }
  }

  return {
    play(frequency, wave) {
      // Over plain http there is no worklet to play it; pressing the fork said why.
      if (!audioContext.secure) return;
      audio.toneWanted = { playing: true, frequency, wave };
      sendTone();
    },
    stop() {
      audio.toneWanted = { ...audio.toneWanted, playing: false };
      sendTone();
    },
  };
};
