"use strict";
// The tuner's dialogs (the rating prompt's), as modal dialogs of the page: the module names the
// buttons and hears which one was pressed, Escape pressing the cancel button where there is one.
//
// Made once by the page's host (host.js); `app` answers the application's module.

const StrumwiseAlerts = ({ app }) => ({
  showAlert(id, title, message, buttons, cancelIndex) {
    const dialog = document.createElement("dialog");
    dialog.className = "alert";
    dialog.id = "alert" + id;
    dialog.setAttribute("aria-labelledby", dialog.id + "-title");
    dialog.setAttribute("aria-describedby", dialog.id + "-message");
    const heading = document.createElement("h2");
    heading.id = dialog.id + "-title";
    heading.textContent = title;
    const text = document.createElement("p");
    text.id = dialog.id + "-message";
    text.textContent = message;
    const row = document.createElement("div");
    row.className = "buttons";
    buttons.forEach((label, index) => {
      const button = document.createElement("button");
      button.textContent = label;
      button.addEventListener("click", () => app()._strumwise_alert_pressed(id, index));
      row.append(button);
    });
    dialog.append(heading, text, row);
    // Escape picks the cancel button, or nothing when there is none.
    dialog.addEventListener("cancel", (event) => {
      event.preventDefault();
      if (cancelIndex >= 0) app()._strumwise_alert_pressed(id, cancelIndex);
    });
    document.body.append(dialog);
    dialog.showModal();
  },
  closeAlert(id) {
    const dialog = document.getElementById("alert" + id);
    if (dialog) {
      dialog.close();
      dialog.remove();
    }
  },
});
