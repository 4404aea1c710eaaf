"use strict";
// The microphone's tap on the audio thread: gathers the first channel's 128-frame quanta into
// blocks of 4096 frames (85 ms at 48 kHz, less than a tick) and hands each full block to the main
// thread, which resamples it and feeds the listener. About a dozen messages a second instead of
// several hundred keep the phone's main thread mostly idle.
//
// The blocks come from a small pool made up front, and the main thread sends each one back once
// it has copied it out, so the audio thread never allocates. When the main thread falls so far
// behind that the pool is empty, the newest sound is dropped rather than queued without end.

const blockFrames = 4096;
const poolSize = 4;

class CaptureProcessor extends AudioWorkletProcessor {
  constructor() {
    super();
    this.free = Array.from({ length: poolSize }, () => new Float32Array(blockFrames));
    this.block = this.free.pop();
    this.filled = 0;
    this.port.onmessage = (event) => this.free.push(event.data);
  }

  process(inputs) {
    const channel = inputs[0] && inputs[0][0];
    if (!channel || !this.block) {
      if (!this.block) this.block = this.free.pop() || null;
      return true;
    }
    const take = Math.min(channel.length, blockFrames - this.filled);
    this.block.set(take === channel.length ? channel : channel.subarray(0, take), this.filled);
    this.filled += take;
    if (this.filled === blockFrames) {
      this.port.postMessage(this.block, [this.block.buffer]);
      this.block = this.free.pop() || null;
      this.filled = 0;
    }
    return true;
  }
}

registerProcessor("strumwise-capture", CaptureProcessor);
