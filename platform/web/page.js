// The page's side of the driver: the canvas and its client area, the page's
// input (keys, the bar, a link's values, and what dialogs.js adds), the wait
// for input and time, the screen width and the message box. Called from
// platform/web/*.cpp.
//
// Input is kept in arrival order and handed to the program an item at a
// time; the program wakes right after the event that brought it, before the
// browser dispatches the next, so a key typed ahead of a dialog finds the
// dialog's field focused.

mergeInto(LibraryManager.library, {
  $Page__deps: ["$Asyncify", "malloc", "$Layout", "$stringToNewUTF8", "$Language"],
  $Page__postset: "Page.listen();",
  $Page: {
    // As PageInput in platform/web/internal.h.
    KEY: 1, CLOSE: 2, BUTTON: 3, LINK_VALUE: 4,
    input: [],  // {kind, window, vk, repeat, shift, character, field, value}, oldest first
    waker: null,
    canvasWindow: 0,  // the program's window on the canvas; 0 until it is made
    // The Latin face, and Noto Sans Arabic for the letters it lacks.
    face: '"Ondulane Sans", "Ondulane Arabic", sans-serif',
    // The embedded CJK faces, one for each form of the Han characters
    // (HanForm's order), for the characters Ondulane Sans lacks; and the
    // forms of the user's language, as the program's fonts ask for them.
    hanFaces: ["Ondulane CJK JP", "Ondulane CJK KR", "Ondulane CJK SC", "Ondulane CJK TC"],
    han: 0,
    // The keys the program has commands for: they do nothing of the
    // browser's (help, find, going back, reloading).
    commands: ["Enter", "F1", "F2", "F3"],
    // ?load=150&source=100: typed into the dialog this key opens, into the
    // fields of these control ids (IDC_LOAD and IDC_SOURCE), whatever the
    // language of their labels, and confirmed.
    linkKey: "F2",
    linkFields: {load: 1000, source: 1002},
    context2d: null,
    client: null,  // [width, height, device pixels per pixel] as last laid out

    push: function(item) {
      Page.input.push(item);
      Page.wake();
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

    // The program's texts are UTF-8, NUL-terminated.
    text: function(pointer) { return UTF8ToString(pointer); },
    // A malloc'ed copy for the program, which frees it.
    newText: function(text) { return stringToNewUTF8(text); },

    // The program's virtual key of a key's name; 0 for one it has none for.
    virtualKey: function(name) {
      var named = {Enter: 13, Tab: 9, Escape: 27, Backspace: 8, " ": 32};
      var f = /^F([1-9][0-9]?)$/.exec(name);
      if (f) return 111 + Number(f[1]);
      if (name in named) return named[name];
      return /^[a-z0-9]$/i.test(name) ? name.toUpperCase().charCodeAt(0) : 0;
    },

    // A key typed into a window, with its event if it had one.
    key: function(window, name, e) {
      var code = Array.from(name).length === 1 ? name.codePointAt(0) : 0;
      return {
        kind: Page.KEY, window: window, vk: Page.virtualKey(name), repeat: !!(e && e.repeat),
        shift: !!(e && e.shiftKey), character: code,
      };
    },

    // A Chromebook's top row gives the browser's keys where F1 to F3 stand,
    // unless Search is held: they do what the F keys do.
    topRow: {BrowserBack: "F1", BrowserForward: "F2", BrowserRefresh: "F3"},

    // Every key goes to the program but those with a modifier, the
    // browser's, Enter and Space on a button of the bar, which press it, and
    // on the language menu all but the F keys, which choose from it; in a
    // dialog, only the keys its window manager acts on, the rest being the
    // browser's typing into the field.
    onKeyDown: function(e) {
      if (e.ctrlKey || e.altKey || e.metaKey) return;
      var name = Page.topRow[e.key] || e.key;
      var onBar = e.target.closest && e.target.closest("#bar button");
      if (onBar && (name === "Enter" || name === " ")) return;
      if (e.target.id === "language" && !/^F[0-9]+$/.test(name)) return;
      if (Page.commands.includes(name)) e.preventDefault();
      var dialog = Dialogs.shown();
      if (!dialog) return Page.push(Page.key(Page.canvasWindow, name, e));
      if (!Dialogs.managedKeys.includes(name)) return;
      e.preventDefault();
      Page.push(Page.key(dialog.handle, name, e));
    },

    // A link's values go in first, ahead of anything the user typed while
    // the page started: its key, each value into its field, and ENTER.
    putLink: function() {
      var query = new URLSearchParams(location.search);
      var names = Object.keys(Page.linkFields).filter(function(name) { return query.has(name); });
      if (!names.length) return;
      var link = [Page.key(Page.canvasWindow, Page.linkKey)];
      names.forEach(function(name) {
        link.push({kind: Page.LINK_VALUE, window: Page.canvasWindow, field: Page.linkFields[name],
                   value: query.get(name)});
      });
      link.push(Page.key(Page.canvasWindow, "Enter"));
      Page.input.unshift.apply(Page.input, link);
    },

    // From the page's start: keys and taps wait for the program.
    listen: function() {
      document.addEventListener("keydown", Page.onKeyDown);
      document.querySelectorAll("#bar button").forEach(function(button) {
        // A tap sends the key; the keyboard's focus stays where it was.
        button.addEventListener("mousedown", function(e) { e.preventDefault(); });
        button.addEventListener("click", function() {
          Page.push(Page.key(Page.canvasWindow, button.dataset.key));
        });
      });
    },

    install: function(canvasWindow, title) {
      Page.canvasWindow = canvasWindow;
      document.title = Page.text(title);
      Page.putLink();
      new ResizeObserver(Page.resized).observe(document.getElementById("page"));
      window.addEventListener("resize", Page.resized);
      // A window moved to a screen of another density keeps its size.
      (function watchRatio() {
        matchMedia("(resolution: " + devicePixelRatio + "dppx)")
            .addEventListener("change", function() { Page.resized(); watchRatio(); }, {once: true});
      })();
    },

    // Where the program's client area lies on the page, in CSS pixels, and
    // the CSS pixels each of its logical pixels takes.
    picture: function() {
      var box = Page.canvas().getBoundingClientRect();
      return {left: box.left, top: box.top, fit: Layout.area ? Layout.area.fit : 1};
    },

    // The font of a dialog template: the embedded face, at the template's
    // point size on a screen of 96 pixels per inch, to a whole pixel as the
    // desktop's font engine takes it.
    dialogFont: function(points) {
      return Math.round(points * 96 / 72) + "px " + Page.faces();
    },

    // The embedded face, then the CJK face of the user's language.
    faces: function() {
      return Page.face.replace("sans-serif", '"' + Page.hanFaces[Page.han] + '", sans-serif');
    },
  },

  web_install__deps: ["$Page", "$Dialogs"],
  web_install: function(canvasWindow, title) { Page.install(canvasWindow, title); },

  // Gives the page back to the browser until input comes, or for ms
  // milliseconds (-1: for as long as it takes).
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

  // Takes the oldest input into a PageInput; 0 when none is left.
  web_take_input__deps: ["$Page"],
  web_take_input: function(out) {
    var item = Page.input.shift();
    if (!item) return 0;
    HEAP32.set([
      item.kind, item.window || 0, item.vk || 0, item.repeat ? 1 : 0, item.shift ? 1 : 0,
      item.character || 0, item.field || 0,
      item.kind === Page.LINK_VALUE ? Page.newText(item.value) : 0,
    ], out >> 2);
    return 1;
  },

  // The client area in the program's pixels and the device pixels for each,
  // as a ClientArea.
  web_client_area__deps: ["$Page"],
  web_client_area: function(out) {
    if (!Page.client) {
      var area = Layout.follow();
      Page.client = [area.width, area.height, (window.devicePixelRatio || 1) * area.fit];
    }
    HEAP32[out >> 2] = Page.client[0];
    HEAP32[(out >> 2) + 1] = Page.client[1];
    HEAPF64[(out + 8) >> 3] = Page.client[2];
  },

  // Puts device pixels, RGBA bytes, onto the canvas at (x, y); the canvas
  // first takes the screen image's size.
  web_present__deps: ["$Page"],
  web_present: function(rgba, x, y, width, height, canvasWidth, canvasHeight) {
    var canvas = Page.canvas();
    if (canvas.width !== canvasWidth) canvas.width = canvasWidth;
    if (canvas.height !== canvasHeight) canvas.height = canvasHeight;
    var bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    Page.context().putImageData(new ImageData(bytes, width, height), x, y);
  },

  web_screen_width__deps: ["$Layout"],
  web_screen_width: function() { return Layout.screenWidth || screen.availWidth || screen.width; },

  web_confirm__deps: ["$Page"],
  web_confirm: function(text) { return confirm(Page.text(text)) ? 1 : 0; },
});
