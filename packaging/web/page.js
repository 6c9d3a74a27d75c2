// The page around the window: the key preview (keys wait here until the module is ready, so that
// none pressed early is lost), the on-page keypad, page zoom on small screens, the offline copy,
// and the module's loading. The window itself is already in the page; the module (armdraw.js)
// attaches to it.
"use strict";
(function () {
  const page = document.getElementById("page");
  const keypad = document.getElementById("keypad");
  const keypadToggle = document.getElementById("keypad-toggle");
  let handle = null; // the module's key handler, once it is ready
  const early = [];

  function windowFocus() {
    const target = document.querySelector("#window .f input, #window .f.cmd, #window .f.pic");
    if (target) target.focus({ preventScroll: true });
  }

  // A key the window may take, while the module loads: held back for it. The browser's keys
  // (with Ctrl, Alt or Meta, or a named key such as F5) never wait.
  function mayBeTheWindows(key) {
    if (key.ctrlKey || key.altKey || key.metaKey) return false;
    return key.key.length === 1 || ["Tab", "End", "Home", "PageUp", "PageDown", "ArrowLeft", "ArrowRight",
      "ArrowUp", "ArrowDown", "Enter", "Backspace", "Delete", "Insert", "Clear"].includes(key.key);
  }

  function press(key) {
    if (handle) return handle(key);
    if (!mayBeTheWindows(key) || document.documentElement.classList.contains("ended")) return false;
    early.push(key);
    return true;
  }

  // The key preview: ahead of every element, in the capture phase.
  window.addEventListener("keydown", event => {
    if (event.target.closest && event.target.closest("#keypad")) return; // the keypad's own keys
    const key = { key: event.key, code: event.code, location: event.location, shiftKey: event.shiftKey,
                  ctrlKey: event.ctrlKey, altKey: event.altKey, metaKey: event.metaKey };
    if (press(key)) event.preventDefault();
  }, true);

  window.armdrawReady = function (handler) {
    handle = handler;
    for (const key of early.splice(0)) handle(key);
    document.documentElement.classList.add("armdraw-ready"); // for the tests and the bench
  };

  // --- The on-page keypad -------------------------------------------------------------------

  const REPEAT_DELAY = 500; // ms, as a held key waits before it repeats
  const REPEAT_EVERY = 33; // ms: about 30 a second
  const KEYS = {
    "1": { key: "1", code: "Numpad1", location: 3 }, "3": { key: "3", code: "Numpad3", location: 3 },
    "4": { key: "4", code: "Numpad4", location: 3 }, "6": { key: "6", code: "Numpad6", location: 3 },
    " ": { key: " ", code: "Space", location: 0 },
  };

  // A tap or a click is one key press, a held key repeats, and the keyboard goes back to the
  // window after it; the keys take the same road as the keyboard's.
  for (const button of keypad.querySelectorAll("button[data-key]")) {
    const key = KEYS[button.dataset.key];
    let delay = 0, repeat = 0;
    const release = () => {
      clearTimeout(delay);
      clearInterval(repeat);
      delay = repeat = 0;
      button.classList.remove("held");
    };
    button.addEventListener("pointerdown", event => {
      if (event.button !== 0) return;
      event.preventDefault(); // the focus stays on the window
      // Touch captures the pointer to the button, which would hide the finger's leaving it.
      if (button.hasPointerCapture(event.pointerId)) button.releasePointerCapture(event.pointerId);
      release();
      button.classList.add("held");
      press(key);
      delay = setTimeout(() => { repeat = setInterval(() => press(key), REPEAT_EVERY); }, REPEAT_DELAY);
    });
    for (const end of ["pointerup", "pointercancel", "pointerleave"]) {
      button.addEventListener(end, () => { release(); windowFocus(); });
    }
    // Enter or Space on a focused key (detail 0) is one press; pointers were handled above.
    button.addEventListener("click", event => {
      if (event.detail === 0) press(key);
      windowFocus();
    });
    button.addEventListener("contextmenu", event => event.preventDefault());
  }

  // Shown at first on touch screens; the toggle shows or hides it anywhere.
  const coarse = window.matchMedia("(pointer: coarse)");
  function showKeypad(shown) {
    page.classList.toggle("keypad-shown", shown);
    keypadToggle.setAttribute("aria-expanded", String(shown));
    keypadToggle.textContent = shown ? "Hide keypad" : "Keypad";
    fitScreen();
  }
  keypadToggle.addEventListener("click", () => {
    showKeypad(!page.classList.contains("keypad-shown"));
    windowFocus();
  });

  // --- Small screens ------------------------------------------------------------------------

  // On a touch screen the page is zoomed out until the window and the keypad fit: the browser
  // then lays out and draws every element at the zoomed density, so the window stays crisp and
  // its hit testing stays in CSS pixels. The keypad goes below the window or beside it, whichever
  // lets the page show larger. Desktop browsers ignore the viewport tag.
  const viewport = document.querySelector('meta[name="viewport"]');
  function fitScreen() {
    if (!coarse.matches) return;
    let width = screen.width, height = screen.height;
    const angle = screen.orientation ? screen.orientation.angle : Number(window.orientation) || 0;
    if ((angle % 180 !== 0) === (width < height)) [width, height] = [height, width];
    const fits = below => {
      page.classList.toggle("keypad-below", below);
      const size = [page.scrollWidth, page.scrollHeight];
      return { below, size, scale: Math.min(width / size[0], height / size[1]) };
    };
    const layout = [fits(false), fits(true)].sort((a, b) => b.scale - a.scale)[0];
    page.classList.toggle("keypad-below", layout.below);
    const layoutWidth = Math.ceil(Math.max(layout.size[0], layout.size[1] * width / height));
    viewport.setAttribute("content", `width=${layoutWidth}`);
  }
  window.addEventListener("orientationchange", fitScreen);
  if (screen.orientation) screen.orientation.addEventListener("change", fitScreen);
  coarse.addEventListener("change", () => showKeypad(coarse.matches));
  showKeypad(coarse.matches);

  // --- Offline ------------------------------------------------------------------------------

  // Once installed, a service worker keeps the page's files so that it opens offline too.
  if ("serviceWorker" in navigator) {
    window.addEventListener("load", () => {
      navigator.serviceWorker.register("sw.js").catch(error => console.warn("armdraw: no offline copy:", error));
    });
  }
  windowFocus();

  // The module comes once the window has shown with its fonts, so that it never delays the first
  // frame; a key pressed meanwhile waits for it above.
  document.fonts.ready.then(() => requestAnimationFrame(() => setTimeout(() => {
    const module = document.createElement("script");
    module.src = "armdraw.js";
    document.head.append(module);
  })));
})();
