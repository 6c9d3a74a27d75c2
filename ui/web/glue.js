// The module's JavaScript half (page.cpp is the other): writes what the controls show into their
// elements, and turns the page's pointer, focus and value events into the control set's calls.
// page.js hands it the keys once it is ready.
var armdraw = (function () {
  "use strict";
  var TWIPS = 15;
  var ARROW = 13, THUMB = 26; // px along a bar, as the desktop's style draws them
  var REPEAT_DELAY = 500, REPEAT_EVERY = 50; // ms: a held arrow or track, as the desktop repeats it
  var SETTLE = 600; // ms: the live region speaks once a held key has stopped turning the arm
  var controls = [], items = [], indices = new Map();
  var form = null, stopped = false, focused = null, describeTimer = 0;

  // The element that takes the focus for a control.
  function focusable(element) {
    return element.classList.contains("sb") || element.classList.contains("opt")
      ? element.querySelector("input") : element;
  }

  function showFocus(index) {
    if (focused !== null) {
      controls[focused].classList.remove("f");
      focusable(controls[focused]).tabIndex = -1;
    }
    focused = index;
    controls[index].classList.add("f");
    focusable(controls[index]).tabIndex = 0;
  }

  function controlOf(target) {
    var element = target.closest && target.closest(".sb,.opt,.cmd,.pic");
    return element && indices.has(element) ? indices.get(element) : -1;
  }

  // --- Pointer ------------------------------------------------------------------------------

  // A point of the window in twips; a page that scales the window uniformly is followed too.
  function twips(event) {
    var box = form.getBoundingClientRect(), scale = box.width / form.offsetWidth || 1;
    return [(event.clientX - box.left) / scale * TWIPS, (event.clientY - box.top) / scale * TWIPS];
  }

  function hover(event) {
    var at = twips(event);
    _web_mouse(at[0], at[1], event.buttons & 7, event.shiftKey ? 1 : 0);
  }

  // Pixels along a bar from its Min end, and its length.
  function along(bar, event) {
    var box = bar.getBoundingClientRect(), vertical = bar.classList.contains("v");
    var length = vertical ? bar.offsetHeight : bar.offsetWidth;
    var scale = (vertical ? box.height : box.width) / length || 1;
    return { at: ((vertical ? event.clientY - box.top : event.clientX - box.left)) / scale, length: length };
  }

  function thumbStart(bar) {
    var length = bar.classList.contains("v") ? bar.offsetHeight : bar.offsetWidth;
    return ARROW + parseFloat(bar.style.getPropertyValue("--f") || getComputedStyle(bar).getPropertyValue("--f"))
      * (length - 2 * ARROW - THUMB);
  }

  var held = null; // the bar part under a pressed pointer

  function release() {
    if (!held) return;
    clearTimeout(held.timer);
    if (held.part.classList) held.part.classList.remove("down");
    if (held.thumb && !stopped) _web_thumb(held.index, 2, 0);
    held = null;
  }

  function repeat(step) {
    step();
    held.timer = setTimeout(function again() {
      if (!held || stopped) return;
      step();
      if (held) held.timer = setTimeout(again, REPEAT_EVERY);
    }, REPEAT_DELAY);
  }

  function pressBar(event, bar, part, index) {
    var where = along(bar, event);
    held = { index: index, bar: bar, part: part, pointer: event.pointerId, at: where.at, timer: 0, thumb: false };
    bar.setPointerCapture(event.pointerId);
    if (part.classList.contains("ar")) {
      var towards = part.classList.contains("hi") ? 1 : -1;
      part.classList.add("down");
      repeat(function () { _web_arrow(index, towards); });
    } else if (part.classList.contains("th")) {
      held.thumb = true;
      held.offset = where.at - thumbStart(bar);
      _web_thumb(index, 0, 0);
    } else {
      var side = where.at < thumbStart(bar) ? -1 : 1;
      // The track repeats until the thumb reaches the pointer.
      repeat(function () {
        var start = thumbStart(bar);
        if (side < 0 ? held.at < start : held.at >= start + THUMB) _web_track(index, side);
        else release();
      });
    }
  }

  function onPointerDown(event) {
    if (stopped) return;
    hover(event); // a tap shows an area's help as a hover does
    if (event.button !== 0) return;
    var part = event.target, bar = part.parentNode;
    if (part.tagName === "B" && bar.classList.contains("sb")) {
      var index = indices.get(bar);
      event.preventDefault();
      focusable(bar).focus({ preventScroll: true });
      pressBar(event, bar, part, index);
    }
  }

  function onPointerMove(event) {
    if (stopped) return;
    if (held && event.pointerId === held.pointer) {
      var where = along(held.bar, event);
      held.at = where.at;
      if (held.thumb) {
        _web_thumb(held.index, 1, (where.at - held.offset - ARROW) / (where.length - 2 * ARROW - THUMB));
      }
    }
    hover(event);
  }

  // A wheel notch over a bar is one arrow step, whatever pixels or lines the browser counts it in.
  var wheeled = 0;
  function onWheel(event) {
    var bar = event.target.closest && event.target.closest(".sb");
    if (!bar || stopped) return;
    event.preventDefault();
    var delta = event.deltaY || event.deltaX;
    wheeled += event.deltaMode === 1 ? delta / 3 : event.deltaMode === 2 ? delta : delta / 100;
    while (Math.abs(wheeled) >= 0.5) {
      var towards = wheeled > 0 ? 1 : -1;
      wheeled -= towards;
      _web_arrow(indices.get(bar), towards);
    }
  }

  // --- What the module calls ----------------------------------------------------------------

  return {
    bind: function (index, name) {
      var element = document.getElementById(name);
      if (!element) throw new Error("armdraw: the page has no element for " + name);
      controls[index] = element;
      indices.set(element, index);
      if (element.classList.contains("form")) form = element;
      if (element.classList.contains("f")) showFocus(index);
    },
    bindItem: function (index, name) {
      items[index] = document.getElementById(name);
      if (!items[index]) throw new Error("armdraw: the page has no element for " + name);
    },
    text: function (index, text) {
      var element = controls[index];
      var target = element.classList.contains("fra") ? element.querySelector(".cap") : element;
      if (target.textContent !== text) target.textContent = text;
    },
    option: function (index, checked) {
      controls[index].querySelector("input").checked = !!checked;
    },
    bar: function (index, place, low, high, value) {
      var bar = controls[index], input = bar.querySelector("input");
      bar.style.setProperty("--f", String(place));
      input.min = low;
      input.max = high;
      input.value = value;
    },
    line: function (index, x1, y1, x2, y2, width) {
      var line = items[index];
      line.setAttribute("x1", x1);
      line.setAttribute("y1", y1);
      line.setAttribute("x2", x2);
      line.setAttribute("y2", y2);
      line.setAttribute("stroke-width", width);
    },
    rect: function (index, x, y) {
      items[index].setAttribute("x", x);
      items[index].setAttribute("y", y);
    },
    focus: function (index) {
      showFocus(index);
      focusable(controls[index]).focus({ preventScroll: true });
    },
    describeSoon: function () {
      clearTimeout(describeTimer);
      describeTimer = setTimeout(function () {
        if (stopped) return;
        var text = UTF8ToString(_web_description());
        document.getElementById("Picture1-d").textContent = text;
        document.getElementById("announcer").textContent = text;
      }, SETTLE);
    },
    // The desktop's message box, in the page: the window goes, and a reload starts afresh.
    fatal: function (message) {
      stopped = true;
      release();
      document.getElementById("window").remove();
      var keypad = document.getElementById("keypad");
      if (keypad) keypad.hidden = true;
      var box = document.getElementById("message");
      box.textContent = message + "\n\nReload the page to start again.";
      box.hidden = false;
      document.documentElement.classList.add("ended");
    },
    ready: function () {
      form.addEventListener("pointerdown", onPointerDown);
      form.addEventListener("pointermove", onPointerMove);
      for (var end of ["pointerup", "pointercancel", "lostpointercapture"]) {
        form.addEventListener(end, function (event) { if (held && event.pointerId === held.pointer) release(); });
      }
      // A press on what takes no focus leaves the focus where it is, as on the desktop.
      form.addEventListener("mousedown", function (event) {
        if (controlOf(event.target) < 0 || event.target.tagName === "B") event.preventDefault();
      });
      form.addEventListener("click", function (event) {
        var target = event.target;
        if (stopped) return;
        if (target.classList.contains("cmd") || (target.type === "radio")) _web_click(controlOf(target));
      });
      form.addEventListener("input", function (event) {
        if (event.target.type === "range" && !stopped) _web_set(controlOf(event.target), Number(event.target.value));
      });
      form.addEventListener("focusin", function (event) {
        var index = controlOf(event.target);
        if (index < 0 || stopped) return;
        showFocus(index);
        _web_focused(index);
      });
      form.addEventListener("wheel", onWheel, { passive: false });
      form.addEventListener("contextmenu", function (event) { event.preventDefault(); });
      var text = _web_key_text();
      window["armdrawReady"](function (key) {
        if (stopped) return false;
        stringToUTF8(key.key || "", text, 64);
        stringToUTF8(key.code || "", text + 64, 64);
        return _web_key(key.location | 0, (key.shiftKey ? 1 : 0) | (key.ctrlKey ? 2 : 0)
          | (key.altKey ? 4 : 0) | (key.metaKey ? 8 : 0)) !== 0;
      });
    },
  };
})();
