"use strict";
// The tuner's settings in the browser's local storage. The origin's storage may be shared with
// other sites on the same host, so Strumwise reads, writes and erases only the keys under its
// own prefix, and moves the first web release's unprefixed keys under it once.
//
// Made once by the page's host (host.js); a storage the browser refuses (a private window, a
// full quota) costs the settings, never the tuner.

const StrumwiseStorage = () => {
  const storePrefix = "strumwise:";

  // The first web release kept its keys without the prefix. Those it wrote are moved under the
  // prefix once, on the first visit of a release that has it; a mark remembers that, so a key
  // of the same name that another site stores later is never taken. No other key is touched.
  const unprefixedKeys = ["Plinmoor", "numberOfRuns", "kRatingPromptCurrentVersion",
    "kRatingPromptFirstUseDate", "kRatingPromptUseCount", "kRatingPromptSignificantEventCount",
    "kRatingPromptRatedCurrentVersion", "kRatingPromptDeclinedToRate", "kRatingPromptReminderRequestDate"];
  const movedMark = storePrefix + "movedUnprefixedKeys";
  try {
    if (localStorage.getItem(movedMark) === null) {
      for (const key of unprefixedKeys) {
        const value = localStorage.getItem(key);
        if (value === null) continue;
        // A value already under the prefix is the newer one.
        if (localStorage.getItem(storePrefix + key) === null) localStorage.setItem(storePrefix + key, value);
        localStorage.removeItem(key);
      }
      localStorage.setItem(movedMark, "1");
    }
  } catch (error) {
    console.log("The stored settings could not be moved: " + error.message);
  }

  return {
    storedValue(key) {
      try { return localStorage.getItem(storePrefix + key); } catch { return null; }
    },
    storeValue(key, value) {
      try { localStorage.setItem(storePrefix + key, value); } catch (error) { console.log(error.message); }
    },
    clearStore() {
      try {
        const ours = [];
        for (let i = 0; i < localStorage.length; ++i) {
          const key = localStorage.key(i);
          // The mark outlives a reset: the old keys are gone by then.
          if (key.startsWith(storePrefix) && key !== movedMark) ours.push(key);
        }
        ours.forEach((key) => localStorage.removeItem(key));
      } catch (error) {
        console.log(error.message);
      }
    },
  };
};
