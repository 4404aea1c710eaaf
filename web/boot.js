"use strict";
// Starts the application: the module's object is the host's before main() runs, so everything
// main() starts can call back into it.

const strumwiseModule = { locateFile: (file) => StrumwiseHost.asset(file) };
StrumwiseHost.attach(strumwiseModule);
createStrumwise(strumwiseModule).catch((error) => {
  document.getElementById("screen").textContent = "Strumwise could not start: " + error.message;
});
