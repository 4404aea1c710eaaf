"use strict";
// The player's settings in the page (a phone's settings page; under a tablet's about texts, folded
// until opened): the reference pitch (a number, and "take it from a note",
// which asks before it keeps what it heard), the capo, the fifth string's own fret, the string
// read against, the library's tunings the arrows show and the player's own tunings, made,
// renamed, changed and removed. They go where the layout keeps its settings area (a phone's
// settings page, the place under a tablet's about texts). The module checks, applies and stores
// every change (app/settings_bridge.h); the page only shows the settings as the module has them
// and what it says about a request it refused.
//
// Made once by the page's host (host.js); `app` answers the application's module, `outlet`
// finds an element of the installed layout, `texts` are the main screen's translations.

const StrumwiseSettings = ({ app, outlet, texts }) => {
  const tr = (key) => (texts.MainScreen && texts.MainScreen[key]) || key;
  const fill = (text, ...values) => values.reduce((result, value, i) => result.replace("%" + (i + 1), value), text);
  const ordinals = ["1st string", "2nd string", "3rd string", "4th string", "5th string"];
  const highestFret = 7;
  const fifthStringNut = 5;
  let root = null; // the settings' element in the installed layout
  let proposed = null; // the reference a heard note offers, until kept or dropped
  let editing = ""; // the name of the player's tuning the form changes; empty: it adds one

  // Strings go to the module as UTF-8 in its own memory; the answers come back the same way.
  function call(name, ...texts) {
    const module = app();
    const pointers = texts.map((text) => {
      const bytes = new TextEncoder().encode(text + "\0");
      const pointer = module._malloc(bytes.length);
      module.HEAPU8.set(bytes, pointer);
      return pointer;
    });
    try {
      const answer = module["_" + name](...pointers);
      if (!answer) return null;
      const end = module.HEAPU8.indexOf(0, answer);
      const json = new TextDecoder().decode(module.HEAPU8.subarray(answer, end));
      module._free(answer);
      return JSON.parse(json);
    } finally {
      pointers.forEach((pointer) => module._free(pointer));
    }
  }
  const request = (name, first = "", second = "", third = "") =>
    call("strumwise_settings_request", name, String(first), String(second), String(third));

  function element(tag, properties = {}, ...children) {
    const made = document.createElement(tag);
    for (const [name, value] of Object.entries(properties)) {
      if (name === "text") made.textContent = value;
      else if (name.startsWith("aria") || name === "role" || name === "for") made.setAttribute(name.replace(/[A-Z]/g, (c) => "-" + c.toLowerCase()), value);
      else made[name] = value;
    }
    made.append(...children);
    return made;
  }
  const part = (id) => root.querySelector("#" + id);
  function say(id, text) {
    part(id).textContent = text ?? "";
  }
  function choice(id, label, options, tip) {
    const select = element("select", { id, title: tr(tip), ariaLabel: tr(label) });
    options.forEach((text, value) => select.append(element("option", { value, text })));
    return select;
  }

  function build(area) {
    const fretOptions = [tr("No capo")];
    const fifthOptions = [tr("Open")];
    for (let fret = 1; fret <= highestFret; ++fret) {
      fretOptions.push(fill(tr("Fret %1"), fret));
      fifthOptions.push(fill(tr("Its fret %1 (the neck's %2th)"), fret, fifthStringNut + fret));
    }
    const stringOptions = [tr("Found by ear"), ...ordinals.map(tr)];
    root = element("div", { id: "playerSettings", className: "playerSettings" },
      element("label", { for: "referencePitchInput", text: tr("Reference pitch (A4)") }),
      element("div", { className: "settingsRow" },
        element("input", { id: "referencePitchInput", type: "number", min: "415", max: "466", step: "0.1",
          inputMode: "decimal", title: tr("The pitch of A4 every string is tuned from, 415.0 to 466.0 Hz"),
          ariaLabel: tr("Reference pitch, A4 in hertz") }),
        element("span", { text: "Hz" }),
        element("button", { id: "takeReferenceButton", type: "button", text: tr("Take it from a note"),
          title: tr("Play one note and let it ring: A4 is set so that the note is exactly in tune") })),
      element("div", { className: "settingsRow" },
        element("p", { id: "referenceMessage", className: "settingsMessage", role: "status" }),
        element("button", { id: "keepReferenceButton", type: "button", text: tr("Keep"), hidden: true,
          title: tr("Tune to this reference from now on") }),
        element("button", { id: "dropReferenceButton", type: "button", text: tr("Cancel"), hidden: true,
          title: tr("Keep the reference as it was") })),
      element("label", { for: "capoChoice", text: tr("Capo") }),
      choice("capoChoice", "Capo on strings 1 to 4", fretOptions, "The fret a capo stops strings 1 to 4 at"),
      element("label", { for: "fifthStringChoice", text: tr("Fifth string") }),
      choice("fifthStringChoice", "Fifth string's own fret", fifthOptions, "Where a spike or a fifth-string capo stops the fifth string"),
      element("p", { className: "settingsHelp", text: tr("The fifth string's frets are counted from its own nut, at the neck's 5th fret: its fret 2 lies at the neck's 7th, where a spike raises open G's drone to A. The title shows the neck's fret: \"5th at 7\".") }),
      element("label", { for: "lockChoice", text: tr("String") }),
      choice("lockChoice", "String read against", stringOptions, "Read every note against one string, or find the string by ear"),
      element("p", { className: "settingsHelp", text: tr("Or touch a string's name under the chart, or press Shift and its number; touch it again to find strings by ear.") }),
      element("fieldset", { id: "browsedTunings" }, element("legend", { text: tr("Tunings the arrows show") })),
      element("fieldset", { id: "customTunings" }, element("legend", { text: tr("Your tunings") }),
        element("ul", { id: "customTuningsList", className: "customTunings" }),
        element("label", { for: "tuningNameInput", text: tr("Name") }),
        element("input", { id: "tuningNameInput", type: "text", placeholder: tr("My tuning"), autocomplete: "off",
          title: tr("The name the browser shows"), ariaLabel: tr("Tuning name") }),
        element("label", { for: "tuningNotesInput", text: tr("Notes") }),
        element("input", { id: "tuningNotesInput", type: "text", placeholder: "gDGBD / G4 D3 G3 B3 D4", autocomplete: "off",
          spellcheck: false, title: tr("Five notes, the fifth string first: gDGBD or G4 D3 G3 B3 D4"), ariaLabel: tr("Tuning notes") }),
        element("div", { className: "settingsRow" },
          element("button", { id: "saveTuningButton", type: "button", text: tr("Add tuning"),
            title: tr("Add the tuning, or save the changes to it") }),
          element("button", { id: "cancelTuningButton", type: "button", text: tr("Cancel"), hidden: true,
            title: tr("Leave the tuning as it was") })),
        element("p", { id: "customTuningMessage", className: "settingsMessage", role: "status" })));
    // A tablet shows them under its about texts, folded until asked for, so that the tuner's one
    // page keeps its room; a phone gives them a page of their own.
    if (area.closest("#aboutPanel")) {
      area.replaceChildren(element("details", { className: "settingsFold" },
        element("summary", { text: tr("Settings") }), root));
    } else {
      area.replaceChildren(root);
    }

    part("referencePitchInput").addEventListener("change", (event) => {
      const tenths = Math.round(Number(event.target.value) * 10);
      const answer = request("reference", Number.isFinite(tenths) ? tenths : "");
      if (!answer?.ok) say("referenceMessage", answer?.message);
      show();
    });
    part("takeReferenceButton").addEventListener("click", () => {
      const answer = request("takeReference");
      propose(answer?.ok ? answer.tenths : null);
      say("referenceMessage", answer?.message);
    });
    part("keepReferenceButton").addEventListener("click", () => {
      if (proposed !== null) request("keepReference", proposed);
      propose(null);
    });
    part("dropReferenceButton").addEventListener("click", () => propose(null));
    for (const [id, name] of [["capoChoice", "capo"], ["fifthStringChoice", "fifth"], ["lockChoice", "lock"]]) {
      part(id).addEventListener("change", (event) => request(name, event.target.value));
    }
    // A tick in either list adds its tuning to those the arrows show, or takes it away.
    for (const id of ["browsedTunings", "customTunings"]) {
      part(id).addEventListener("change", (event) => {
        const box = event.target.closest("input[type=checkbox]");
        if (!box) return;
        const answer = request("browse", box.dataset.name, box.checked ? "1" : "0");
        if (!answer?.ok) {
          say("customTuningMessage", answer?.message);
          show();
        }
      });
    }
    part("customTuningsList").addEventListener("click", (event) => {
      const pressed = event.target.closest("button[data-name]");
      if (!pressed) return;
      const tuning = current()?.custom.find((kept) => kept.name === pressed.dataset.name);
      if (!tuning) return;
      if (pressed.dataset.do === "edit") {
        editing = tuning.name;
        part("tuningNameInput").value = tuning.name;
        part("tuningNotesInput").value = tuning.notes;
        part("saveTuningButton").textContent = tr("Save changes");
        part("cancelTuningButton").hidden = false;
        say("customTuningMessage", "");
        part("tuningNameInput").focus();
      } else {
        // The deleted tuning stays in the form, so that one press puts it back.
        request("remove", tuning.name);
        clearForm();
        part("tuningNameInput").value = tuning.name;
        part("tuningNotesInput").value = tuning.notes;
        say("customTuningMessage", fill(tr("Deleted \u201c%1\u201d: Add tuning puts it back."), tuning.name));
      }
    });
    const save = () => {
      const name = part("tuningNameInput").value;
      const notes = part("tuningNotesInput").value;
      const added = !editing;
      const answer = added ? request("add", name, notes) : request("change", editing, name, notes);
      if (!answer?.ok) {
        say("customTuningMessage", answer?.message);
        return;
      }
      clearForm();
      say("customTuningMessage", tr(added ? "Added: the arrows show it after the library's." : "Saved."));
    };
    part("saveTuningButton").addEventListener("click", save);
    for (const id of ["tuningNameInput", "tuningNotesInput"]) {
      part(id).addEventListener("keydown", (event) => {
        if (event.key === "Enter") save();
      });
    }
    part("cancelTuningButton").addEventListener("click", clearForm);
  }

  function clearForm() {
    editing = "";
    part("tuningNameInput").value = "";
    part("tuningNotesInput").value = "";
    part("saveTuningButton").textContent = tr("Add tuning");
    part("cancelTuningButton").hidden = true;
    say("customTuningMessage", "");
  }

  function propose(tenths) {
    proposed = tenths;
    part("keepReferenceButton").hidden = tenths === null;
    part("dropReferenceButton").hidden = tenths === null;
    if (tenths === null) say("referenceMessage", "");
    else part("keepReferenceButton").focus();
  }

  // The settings as the module has them; null before its main screen exists.
  const current = () => call("strumwise_settings");

  function checkbox(tuning, title) {
    return element("label", { className: "tuningChoice" },
      element("input", { type: "checkbox", checked: tuning.browsed, title: tuning.notes }), title);
  }

  // Shows the settings as the module has them now.
  function show() {
    if (!root || !app()) return;
    const settings = current();
    if (!settings) return;
    // A field the player is typing in keeps what is typed.
    if (document.activeElement !== part("referencePitchInput")) part("referencePitchInput").value = settings.reference;
    part("capoChoice").value = String(settings.capo);
    part("fifthStringChoice").value = String(settings.fifth);
    part("lockChoice").value = String(settings.lock);
    // The lists are drawn again only when their tunings change, so that a box ticked from the
    // keyboard keeps the focus; otherwise only the ticks are brought up to date.
    const library = part("browsedTunings");
    const libraryKey = JSON.stringify(settings.library.map((tuning) => [tuning.name, tuning.title]));
    if (library.dataset.shown !== libraryKey) {
      library.dataset.shown = libraryKey;
      library.querySelectorAll("label").forEach((old) => old.remove());
      for (const tuning of settings.library) {
        const row = checkbox(tuning, tuning.title);
        row.querySelector("input").dataset.name = tuning.name;
        library.append(row);
      }
    }
    const list = part("customTuningsList");
    const customKey = JSON.stringify(settings.custom.map((tuning) => [tuning.name, tuning.notes]));
    if (list.dataset.shown !== customKey) {
      list.dataset.shown = customKey;
      list.replaceChildren(...settings.custom.map((tuning) => {
        const row = checkbox(tuning, `${tuning.name} \u2014 ${tuning.notes}`);
        row.querySelector("input").dataset.name = tuning.name;
        const edit = element("button", { type: "button", text: tr("Edit"), title: tr("Change the chosen tuning's name or notes"),
          ariaLabel: `${tr("Edit")}: ${tuning.name}` });
        const remove = element("button", { type: "button", text: tr("Delete"), title: tr("Delete the chosen tuning"),
          ariaLabel: `${tr("Delete")}: ${tuning.name}` });
        Object.assign(edit.dataset, { name: tuning.name, do: "edit" });
        Object.assign(remove.dataset, { name: tuning.name, do: "remove" });
        return element("li", {}, row, edit, remove);
      }));
    }
    const browsed = new Map([...settings.library, ...settings.custom].map((tuning) => [tuning.name, tuning.browsed]));
    for (const box of root.querySelectorAll("input[type=checkbox][data-name]")) {
      box.checked = browsed.get(box.dataset.name) ?? false;
    }
  }

  return {
    // Puts the settings into the installed layout's settings area, when it has one.
    install() {
      root = null;
      const area = outlet("settingsArea");
      if (!area) return;
      build(area);
      show();
    },
    show,
  };
};
