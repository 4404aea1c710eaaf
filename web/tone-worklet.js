"use strict";
// The reference tone on the audio thread: the tone generator's own WebAssembly module renders
// each quantum as 16-bit stereo frames, exactly the samples every other edition plays, with the
// frequency and wave shape the main thread last sent, at this context's own sample rate.

class ToneProcessor extends AudioWorkletProcessor {
  constructor(options) {
    super();
    const module = new WebAssembly.Module(options.processorOptions.module);
    this.tone = new WebAssembly.Instance(module, {}).exports;
    if (this.tone._initialize) this.tone._initialize();
    // Phones run their audio at 48 kHz, some devices at 96 kHz: the module steps its oscillator
    // for the rate this context renders at.
    this.tone.tone_set_output_rate(sampleRate);
    // Made once: the module's memory never grows, and rendering must not allocate.
    this.frames = new Int16Array(this.tone.memory.buffer, this.tone.tone_frames(), 2 * 1024);
    this.playing = false;
    this.frequency = 440;
    this.wave = 0;
    Object.assign(this, options.processorOptions.tone);
    this.port.onmessage = (event) => Object.assign(this, event.data);
  }

  process(inputs, outputs) {
    if (!this.playing) return true;
    const [left, right] = outputs[0];
    const count = left.length;
    this.tone.tone_render(count, this.frequency, this.wave);
    for (let i = 0; i < count; ++i) {
      left[i] = this.frames[2 * i] / 32768;
      right[i] = this.frames[2 * i + 1] / 32768;
    }
    return true;
  }
}

registerProcessor("strumwise-tone", ToneProcessor);
