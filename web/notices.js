"use strict";
// What the page tells the player in its own words, in the browser's language: one notice above
// the screen (the microphone's trouble, a new release, no offline use), which the player may
// close, and the overlay that asks for the first tap.
//
// Made once by the page's host (host.js), which names each message by its key here, so that the
// words of both languages stay together.

const StrumwiseNotices = ({ asset, spanish }) => {
  const messages = {
    en: {
      tapToListen: "Tap to start listening",
      insecure: "The microphone needs a secure (https) address \u2014 open the https link that " +
        "scripts/web.sh --lan prints, or localhost",
      refused: "The microphone is blocked for this site. To allow it, open the site settings " +
        "(the icon beside the address), allow the microphone, then tap Try again.",
      missing: "No microphone was found. Connect one, then tap Try again.",
      failed: "The microphone could not be opened. Tap Try again.",
      tryAgain: "Try again",
      updateReady: "A new release of Strumwise is ready.",
      update: "Update available \u2014 reload",
      untrusted: "This device does not trust this address's certificate, so Strumwise cannot be " +
        "installed or work offline from here. Install this computer's certificate once, or use a " +
        "copy on an https web host.",
      howToTrust: "How to install it",
      close: "Close",
    },
    es: {
      tapToListen: "Toca para empezar a escuchar",
      insecure: "El micr\u00f3fono necesita una direcci\u00f3n segura (https) \u2014 abre el enlace https " +
        "que muestra scripts/web.sh --lan, o localhost",
      refused: "El micr\u00f3fono est\u00e1 bloqueado para este sitio. Para permitirlo, abre la " +
        "configuraci\u00f3n del sitio (el icono junto a la direcci\u00f3n), permite el micr\u00f3fono y " +
        "toca Reintentar.",
      missing: "No se encontr\u00f3 ning\u00fan micr\u00f3fono. Conecta uno y toca Reintentar.",
      failed: "No se pudo abrir el micr\u00f3fono. Toca Reintentar.",
      tryAgain: "Reintentar",
      updateReady: "Hay una nueva versi\u00f3n de Strumwise.",
      update: "Actualizaci\u00f3n disponible \u2014 recargar",
      untrusted: "Este dispositivo no conf\u00eda en el certificado de esta direcci\u00f3n, as\u00ed que " +
        "Strumwise no se puede instalar ni usar sin red desde aqu\u00ed. Instala una vez el " +
        "certificado de este ordenador, o usa una copia en un servidor web https.",
      howToTrust: "C\u00f3mo instalarlo",
      close: "Cerrar",
    },
  }[spanish ? "es" : "en"];

  // The notices' look lives beside the page's own style sheet; loaded from here, so the page
  // shell need not know about it.
  const noticeStyle = document.createElement("link");
  noticeStyle.rel = "stylesheet";
  noticeStyle.href = asset("notices.css");
  document.head.append(noticeStyle);

  // One banner above the screen, with at most one button besides its close button. It takes its
  // room from the screen rather than covering it, so the forks, Stop and the tabs stay where a
  // finger can reach them whatever the notice says.
  const banner = document.createElement("div");
  banner.id = "notice";
  banner.setAttribute("role", "status");
  banner.hidden = true;
  document.getElementById("screen").before(banner);
  // What the notice on screen is about: the microphone, a new release, or offline use.
  let noticeAbout = null;
  function showNotice(messageKey, buttonKey, onPress, about = "microphone") {
    const message = messages[messageKey];
    noticeAbout = about;
    // The same notice again (a retry that failed the same way) leaves the one on screen alone.
    const shown = banner.querySelector("p");
    if (!banner.hidden && shown && shown.textContent === message) return;
    const text = document.createElement("p");
    text.textContent = message;
    banner.replaceChildren(text);
    if (buttonKey) {
      const button = document.createElement("button");
      button.textContent = messages[buttonKey];
      button.addEventListener("click", () => { hideNotice(); onPress(); });
      banner.append(button);
    }
    const close = document.createElement("button");
    close.className = "close";
    close.textContent = "\u00d7";
    close.setAttribute("aria-label", messages.close);
    close.title = messages.close;
    close.addEventListener("click", () => hideNotice());
    banner.append(close);
    banner.hidden = false;
  }
  // Hides the notice, or only one about `about`: an opened microphone must not take away the
  // offer of a new release that the player is about to tap.
  function hideNotice(about = noticeAbout) {
    if (about !== noticeAbout) return;
    banner.hidden = true;
    banner.replaceChildren();
  }

  // Browsers start audio only in answer to a touch or a key, so until the context runs the
  // screen asks for one, over everything: a tuner that silently ignores plucks looks broken.
  // When to ask is the audio context's to say (audio-context.js).
  const overlay = document.createElement("button");
  overlay.id = "startOverlay";
  overlay.type = "button";
  overlay.textContent = messages.tapToListen;
  overlay.hidden = true;
  document.body.append(overlay);

  return {
    // Shows the message under `messageKey`, with a button labelled by `buttonKey` that hides
    // the notice and calls `onPress`; `about` says what the notice is about.
    show: showNotice,
    hide: hideNotice,
    showStartOverlay(shown) { overlay.hidden = !shown; },
  };
};
