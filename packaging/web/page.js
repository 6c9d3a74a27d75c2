// The page around the window: loads the program, shows its messages, fits small screens by page
// zoom, gives touch screens and keyboards without a keypad an on-page keypad, leaves the browser
// its own shortcuts, and mirrors the window's controls for screen readers.
"use strict";
(function () {
  const page = document.getElementById("page");
  const canvas = document.getElementById("qtcanvas");
  const message = document.getElementById("message");
  const mirror = document.getElementById("mirror");
  const announcer = document.getElementById("announcer");
  const keypad = document.getElementById("keypad");
  const keypadToggle = document.getElementById("keypad-toggle");
  let program = null; // the running program's module, once it draws
  let stopped = false;

  function show(text, fatal) {
    message.textContent = text;
    message.className = fatal ? "fatal" : "";
    message.hidden = false;
  }

  // Stops the program for good: without its canvas it gets no more input.
  function stop(text) {
    if (stopped) return;
    stopped = true;
    program = null;
    canvas.remove();
    mirror.replaceChildren();
    keypad.hidden = true;
    show(text, true);
  }

  // The program calls this for a fatal run-time error; the browser has no modal message box.
  window.armdrawFatal = function (text) {
    stop(text + "\n\nReload the page to start again.");
  };

  // The canvas stays hidden under the loading line until Qt first draws into it: Qt paints
  // through WebGL, so the first frame is the first rendering callback that issues a draw call.
  function revealAtFirstFrame(loader) {
    const contexts = [window.WebGLRenderingContext, window.WebGL2RenderingContext]
      .filter(Boolean).map(c => c.prototype);
    const original = contexts.map(p => p.drawArrays);
    let drew = false;
    contexts.forEach((p, i) => {
      p.drawArrays = function () { drew = true; return original[i].apply(this, arguments); };
    });
    const frame = window.requestAnimationFrame;
    window.requestAnimationFrame = function (callback) {
      return frame.call(window, function (time) {
        callback(time);
        if (drew && !stopped) {
          contexts.forEach((p, i) => { p.drawArrays = original[i]; });
          window.requestAnimationFrame = frame;
          canvas.style.visibility = "visible";
          message.hidden = true;
          program = loader.module();
          canvas.focus();
          refreshMirror();
          document.dispatchEvent(new Event("armdraw-first-frame"));
        }
      });
    };
  }

  // Once installed, a service worker keeps the page's files so that it opens offline too. On the
  // first visit it is waited for, so that the files it keeps are the ones this load fetches.
  async function offlineCopy() {
    if (!("serviceWorker" in navigator)) return;
    try {
      await navigator.serviceWorker.register("sw.js");
      if (navigator.serviceWorker.controller) return;
      await new Promise(resolve => {
        navigator.serviceWorker.addEventListener("controllerchange", resolve, { once: true });
        setTimeout(resolve, 3000);
      });
    } catch (error) {
      console.warn("armdraw: no offline copy:", error);
    }
  }

  // --- Keys ---------------------------------------------------------------------------------

  // Space, the arrows and Page Down turn the arm: they must never scroll the page, whatever the
  // program does with them. Tab stays in the window: Qt moves the focus among its controls.
  canvas.addEventListener("keydown", event => {
    if ([" ", "Tab", "ArrowLeft", "ArrowRight", "ArrowUp", "ArrowDown", "PageUp", "PageDown",
         "Home", "End"].includes(event.key)) {
      event.preventDefault();
    }
  });

  // The browser's own shortcuts, which the program would otherwise take and the browser never
  // see: reload, zoom, full screen, find, the address bar, back and forward, developer tools.
  function browserShortcut(event) {
    const command = event.ctrlKey || event.metaKey;
    const key = event.key.length === 1 ? event.key.toLowerCase() : event.key;
    if (["F5", "F6", "F11", "F12", "BrowserBack", "BrowserForward", "BrowserRefresh"].includes(key)) {
      return true;
    }
    if (command && ["r", "+", "=", "-", "_", "0", "f", "g", "l", "t", "w", "n"].includes(key)) {
      return true;
    }
    if (command && event.shiftKey && ["i", "j", "c", "k"].includes(key)) return true;
    return event.altKey && !command && ["ArrowLeft", "ArrowRight", "Home", "d"].includes(key);
  }
  // Ahead of the canvas's own listener, which hands every key to the program and prevents the
  // browser's action.
  window.addEventListener("keydown", event => {
    if (event.target === canvas && browserShortcut(event)) event.stopImmediatePropagation();
  }, true);

  // --- Touch --------------------------------------------------------------------------------

  // Qt's touch handling takes every finger the event lists as its own: it drops a point off its
  // window, so a finger that slid off never lets go of the thumb it held, and the next tap drags
  // that thumb; it releases at each touchend every finger still down; and it never forgets a
  // cancelled one, so the next touch with that identifier presses nothing. Qt gets a copy of
  // each touch event instead: only the fingers that began on the window, held at its edge, only
  // the ones lifted at an end, and a cancel followed by the end that makes Qt forget it.
  if (typeof Touch === "function") {
    for (const type of ["touchstart", "touchmove", "touchend", "touchcancel"]) {
      canvas.addEventListener(type, event => {
        if (!event.isTrusted) return; // the copy
        event.stopImmediatePropagation();
        const box = canvas.getBoundingClientRect();
        const held = list => [...list].filter(touch => touch.target === canvas).map(touch => new Touch({
          identifier: touch.identifier, target: canvas,
          clientX: Math.min(Math.max(touch.clientX, box.left), box.right - 1),
          clientY: Math.min(Math.max(touch.clientY, box.top), box.bottom - 1),
        }));
        const changed = held(event.changedTouches);
        const send = (kind, touches) => canvas.dispatchEvent(new TouchEvent(kind,
          { changedTouches: changed, touches, targetTouches: touches, bubbles: true, cancelable: true }));
        if (type === "touchend" || type === "touchcancel") {
          send(type, []);
          // After Qt has taken the cancel, which it queues, so that the end releases nothing.
          if (type === "touchcancel") setTimeout(() => send("touchend", []));
        } else {
          send(type, held(event.touches));
        }
      }, true);
    }
  }

  // --- The on-page keypad -------------------------------------------------------------------

  const REPEAT_DELAY = 500; // ms, as a held key waits before it repeats
  const REPEAT_EVERY = 33; // ms: about 30 a second

  function press(key) {
    if (program && !program.armdrawPressKey(key)) console.error("armdraw: no key " + JSON.stringify(key));
  }

  // A tap or a click is one key press, a held key repeats, and the keyboard goes back to the
  // window after it.
  for (const button of keypad.querySelectorAll("button[data-key]")) {
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
      press(button.dataset.key);
      delay = setTimeout(() => {
        repeat = setInterval(() => press(button.dataset.key), REPEAT_EVERY);
      }, REPEAT_DELAY);
    });
    for (const end of ["pointerup", "pointercancel", "pointerleave"]) {
      button.addEventListener(end, () => {
        release();
        if (!stopped) canvas.focus();
      });
    }
    // Enter or Space on a focused key (detail 0) is one press; pointers were handled above.
    button.addEventListener("click", event => {
      if (event.detail === 0) press(button.dataset.key);
      canvas.focus();
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
    if (!stopped) canvas.focus();
  });

  // --- Small screens ------------------------------------------------------------------------

  // On a touch screen the page is zoomed out until the window and the keypad fit, never the
  // canvas scaled: Qt takes positions in CSS pixels and draws at the zoomed pixel ratio, so the
  // window stays crisp and hit testing stays right. The keypad goes below the window or beside
  // it, whichever lets the page show larger. Desktop browsers ignore the viewport tag.
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

  // A new pixel density with no new size (a move to another screen) fires no resize event, so Qt
  // would keep its canvas at the old density until the window's next paint: tell it now, as a
  // resize would.
  function watchDensity() {
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener("change", () => {
      if (program) program.qtResizeAllScreens(null);
      watchDensity();
    }, { once: true });
  }
  watchDensity();

  // --- The mirror for assistive technology --------------------------------------------------

  // The window's controls as page elements, from the program's own accessible interfaces, with
  // their names, values and states; acting on them acts on the window. They sit where the
  // controls are, under the canvas, which assistive technology does not see.
  const mirrored = new Map(); // program's id -> { element, node }
  let described = null; // the drawing's description
  let announceTimer = 0;

  function act(id, action, value) {
    if (program && !program.armdrawAccessibleAction(id, action, value ?? 0)) {
      console.error(`armdraw: the mirror could not ${action} control ${id}`);
    }
    refreshMirror();
  }

  function element(node) {
    let made;
    switch (node.role) {
    case "button":
      made = document.createElement("button");
      made.addEventListener("click", () => act(node.id, "press"));
      break;
    case "radio": {
      made = document.createElement("label");
      const input = document.createElement("input");
      input.type = "radio";
      input.addEventListener("change", () => act(node.id, "press"));
      made.append(input, document.createTextNode(""));
      break;
    }
    case "range":
      made = document.createElement("input");
      made.type = "range";
      made.addEventListener("input", () => act(node.id, "set", Number(made.value)));
      break;
    case "text":
      made = document.createElement("p");
      break;
    default: // "image", "group"
      made = document.createElement("div");
      made.setAttribute("role", node.role === "image" ? "img" : node.role);
    }
    made.tabIndex = -1; // Tab belongs to the window's own controls
    return made;
  }

  function describe(target, id, text) {
    let note = document.getElementById("mirror-description-" + id);
    if (!note) {
      note = document.createElement("span");
      note.id = "mirror-description-" + id;
      note.hidden = true;
      target.after(note);
      target.setAttribute("aria-describedby", note.id);
    }
    if (note.textContent !== text) note.textContent = text;
  }

  function update(made, node, origin) {
    const control = node.role === "radio" ? made.firstChild : made;
    made.style.cssText = `left:${node.x - origin.x}px;top:${node.y - origin.y}px;` +
      `width:${node.width}px;height:${node.height}px`;
    switch (node.role) {
    case "button":
    case "text":
      if (made.textContent !== node.name) made.textContent = node.name;
      break;
    case "radio":
      control.checked = node.checked;
      if (made.lastChild.data !== node.name) made.lastChild.data = node.name;
      break;
    case "range":
      control.min = node.minimum;
      control.max = node.maximum;
      control.step = 1; // a coarser step would show a value off its steps as a neighbour
      control.value = node.value;
      control.setAttribute("aria-label", node.name);
      break;
    default:
      if (node.name) made.setAttribute("aria-label", node.name);
    }
    control.disabled = node.disabled;
    if (node.description && node.role !== "text") describe(made, node.id, node.description);
  }

  function mirrorNodes(nodes, parent, origin, seen) {
    for (const node of nodes) {
      seen.add(node.id);
      let entry = mirrored.get(node.id);
      if (!entry || entry.node.role !== node.role) {
        entry = { element: element(node) };
        mirrored.set(node.id, entry);
      }
      entry.node = node;
      if (entry.element.parentNode !== parent) parent.append(entry.element);
      update(entry.element, node, origin);
      if (node.role === "image") described = node.description;
      if (node.role === "group") {
        mirrorNodes(node.children, entry.element, node, seen);
      } else {
        mirrorNodes(node.children, parent, origin, seen);
      }
    }
  }

  function refreshMirror() {
    // The bench's bare program has no mirror.
    if (!program || stopped || !program.armdrawAccessibleTree) return;
    const tree = program.armdrawAccessibleTree();
    if (!tree) return;
    const before = described;
    const seen = new Set();
    mirrorNodes(tree.children, mirror, { x: 0, y: 0 }, seen);
    for (const [id, entry] of mirrored) {
      if (!seen.has(id)) {
        entry.element.remove();
        document.getElementById("mirror-description-" + id)?.remove();
        mirrored.delete(id);
      }
    }
    // Spoken once the changes settle: a held key turns the arm 30 times a second.
    if (before !== null && described !== before) {
      clearTimeout(announceTimer);
      announceTimer = setTimeout(() => { announcer.textContent = described; }, 600);
    }
  }

  // The program calls this once its repaints are done.
  window.armdrawWindowChanged = refreshMirror;

  // --- Start --------------------------------------------------------------------------------

  async function start() {
    const loader = QtLoader({
      canvasElements: [canvas],
      showLoader: () => {},
      showCanvas: () => {},
      showError: text => stop(text.startsWith("Error: WebGL")
        ? "armdraw draws with WebGL, which this browser has switched off or does not offer."
        : "armdraw could not start: " + text),
      showExit: () => stop("armdraw has stopped. Reload the page to start again."),
    });
    if (!loader.webAssemblySupported) {
      stop("armdraw needs a browser that runs WebAssembly: any current Chrome, Edge, Firefox or Safari does.");
      return;
    }
    if (!loader.webGLSupported) {
      stop("armdraw draws with WebGL, which this browser has switched off or does not offer.");
      return;
    }
    await offlineCopy();
    revealAtFirstFrame(loader);
    loader.loadEmscriptenModule("armdraw");
  }
  start();
})();
