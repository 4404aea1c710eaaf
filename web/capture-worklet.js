"use strict";
// The microphone's tap on the audio thread: hands each 128-frame block of the first channel to
// the main thread, which resamples it and feeds the listener.

class CaptureProcessor extends AudioWorkletProcessor {
  process(inputs) {
    const channel = inputs[0] && inputs[0][0];
    if (channel) {
      const block = channel.slice();
      this.port.postMessage(block, [block.buffer]);
    }
    return true;
  }
}

registerProcessor("strumwise-capture", CaptureProcessor);
