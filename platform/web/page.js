// The page's side of the window-system calls: the canvas, the keys and the
// bar, the dialogs' form elements, the wait for input and time, and glyphs
// rendered by the browser. Called from platform/web/*.cpp.
//
// Input is kept in arrival order and handed to the program one item at a
// time; the program wakes right after the event that brought it, before the
// browser dispatches the next, so keys typed ahead of a dialog land in it.

mergeInto(LibraryManager.library, {
  $Page__deps: ["$Asyncify"],
  $Page: {
    input: [],  // [kind, a, b]: 1 key (virtual key, repeat), 2 command (dialog, id)
    waker: null,
    dialogs: [],  // open dialogs, innermost last: {id, root, controls}
    face: '"Ondulane Sans", sans-serif',
    // Keys with a command in the main window, and their virtual keys.
    keys: {Enter: 13, F1: 112, F2: 113, F3: 114},
    // ?load=150&source=100: the key that opens the dialog those fields are
    // in, and the words of their labels.
    linkKey: "F2",
    linkKeys: ["load", "source"],
    link: null,
    dialogKeys: null,  // the innermost dialog's key handling (dialogs.js)
    context2d: null,
    client: null,  // [width, height, devicePixelRatio] as last read

    push: function(item) {
      Page.input.push(item);
      if (Page.waker) {
        var wake = Page.waker;
        Page.waker = null;
        queueMicrotask(wake);
      }
    },

    wake: function() {
      if (!Page.waker) return;
      var wake = Page.waker;
      Page.waker = null;
      queueMicrotask(wake);
    },

    canvas: function() { return document.getElementById("screen"); },

    // The client area's size is read again only once it may have changed:
    // reading it makes the browser lay the page out.
    resized: function() {
      Page.client = null;
      Page.wake();
    },

    // The canvas only takes finished, opaque pixels, a few rectangles at a
    // time: shown as they are put, without the copy of the whole canvas
    // that double buffering makes at each frame.
    context: function() {
      if (!Page.context2d)
        Page.context2d = Page.canvas().getContext("2d", {desynchronized: true, alpha: false});
      return Page.context2d;
    },

    // The program's texts are single-byte, Latin-1.
    latin1: function(pointer) {
      var text = "";
      for (var i = pointer; HEAPU8[i]; ++i) text += String.fromCharCode(HEAPU8[i]);
      return text;
    },
    // Writes at most size - 1 characters and a zero; others than Latin-1 as "?".
    writeLatin1: function(text, buffer, size) {
      var count = Math.max(0, Math.min(text.length, size - 1));
      for (var i = 0; i < count; ++i) {
        var code = text.charCodeAt(i);
        HEAPU8[buffer + i] = code < 256 ? code : 63;
      }
      if (size > 0) HEAPU8[buffer + count] = 0;
      return count;
    },

    sendKey: function(name, repeat) {
      Page.push([1, Page.keys[name], repeat ? 1 : 0]);
    },

    // Keys of the main window: the four commands, their browser actions
    // (help, find) stopped; every other key is the browser's.
    onKeyDown: function(e) {
      if (Page.dialogs.length) return Page.dialogKeys(Page.dialogs[Page.dialogs.length - 1], e);
      if (e.ctrlKey || e.altKey || e.metaKey) return;
      if (!(e.key in Page.keys)) return;
      e.preventDefault();
      Page.sendKey(e.key, e.repeat);
    },

    install: function() {
      // A link with values for the value dialog opens it with them typed in.
      var query = new URLSearchParams(location.search);
      Page.link = {};
      Page.linkKeys.forEach(function(name) {
        if (query.has(name)) Page.link[name] = query.get(name);
      });
      if (Object.keys(Page.link).length) Page.sendKey(Page.linkKey, false);
      else Page.link = null;
      document.addEventListener("keydown", Page.onKeyDown);
      new ResizeObserver(Page.resized).observe(document.getElementById("client"));
      window.addEventListener("resize", Page.resized);
      // A window moved to a screen of another density keeps its size.
      (function watchRatio() {
        matchMedia("(resolution: " + devicePixelRatio + "dppx)")
            .addEventListener("change", function() { Page.resized(); watchRatio(); }, {once: true});
      })();
      document.querySelectorAll("#bar button").forEach(function(button) {
        // A tap sends the key; the keyboard's focus stays where it was.
        button.addEventListener("mousedown", function(e) { e.preventDefault(); });
        button.addEventListener("click", function() { Page.sendKey(button.dataset.key, false); });
      });
    },

    // The font of a dialog template: the embedded face, at the template's
    // point size on a screen of 96 pixels per inch, to a whole pixel as the
    // desktop's font engine takes it.
    dialogFont: function(points) {
      return Math.round(points * 96 / 72) + "px " + Page.face;
    },
  },

  web_install__deps: ["$Page"],
  web_install: function() { Page.install(); },

  web_wait__deps: ["$Page"],
  web_wait: function(ms) {
    return Asyncify.handleSleep(function(wakeUp) {
      var timer = 0;
      Page.waker = function() {
        if (timer) clearTimeout(timer);
        wakeUp();
      };
      if (Page.input.length) Page.wake();
      else if (ms >= 0) timer = setTimeout(function() { timer = 0; Page.wake(); }, ms);
    });
  },

  // Takes the oldest input into out[0..1]; its kind, or 0 when none.
  web_take_input__deps: ["$Page"],
  web_take_input: function(out) {
    var item = Page.input.shift();
    if (!item) return 0;
    HEAP32[out >> 2] = item[1];
    HEAP32[(out >> 2) + 1] = item[2];
    return item[0];
  },

  // The client area in CSS pixels and the device pixels per CSS pixel.
  web_client_size__deps: ["$Page"],
  web_client_size: function(out) {
    if (!Page.client) {
      var client = document.getElementById("client");
      Page.client = [client.clientWidth, client.clientHeight, window.devicePixelRatio || 1];
    }
    HEAP32[out >> 2] = Page.client[0];
    HEAP32[(out >> 2) + 1] = Page.client[1];
    HEAPF64[(out + 8) >> 3] = Page.client[2];
  },

  web_screen_width: function() { return screen.availWidth || screen.width; },

  web_set_title__deps: ["$Page"],
  web_set_title: function(text) { document.title = Page.latin1(text); },

  web_confirm__deps: ["$Page"],
  web_confirm: function(text) { return confirm(Page.latin1(text)) ? 1 : 0; },

  web_resize_canvas__deps: ["$Page"],
  web_resize_canvas: function(width, height) {
    var canvas = Page.canvas();
    if (canvas.width !== width) canvas.width = width;
    if (canvas.height !== height) canvas.height = height;
  },

  // Puts device pixels, RGBA bytes, onto the canvas at (x, y).
  web_present__deps: ["$Page"],
  web_present: function(rgba, x, y, width, height) {
    var bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    Page.context().putImageData(new ImageData(bytes, width, height), x, y);
  },

});
