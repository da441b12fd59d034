// A dialog and its controls as form elements over the canvas, at the pixel
// rectangles the window manager computed, each made for the program's
// window of the same handle. Tab, Enter and Escape go to the window manager
// as keys (page.js), which decides what they do; typing into a field, a
// click on a button and the close box are the browser's.
//
// A dialog stands inside what the user sees of the page: at its template's
// place where it fits there, centred where it does not, and laid out anew
// where even its template's size does not fit, as on a phone: the controls
// one under another in the template's order, the buttons last, in the
// template's font. The window manager keeps its own rectangles.

mergeInto(LibraryManager.library, {
  $Dialogs__deps: ["$Page", "$Language"],
  $Dialogs__postset: "Dialogs.listen();",
  $Dialogs: {
    // Made and not yet gone, innermost last: {handle, root, frame, caption,
    // client, controls, shown, focus, place}.
    dialogs: [],
    controls: {},  // the element of each control, by its handle
    returnTo: null,  // what had the keyboard before the first dialog came
    managedKeys: ["Tab", "Enter", "Escape"],
    margin: 8,  // CSS px kept free around a dialog laid out anew

    // A dialog laid out anew: a column that scrolls when even it is too
    // tall, the multi-line field taking the height left.
    style:
        ".dialog .client.reflowed { display: flex; flex-direction: column; gap: 0.4em; " +
        "padding: 0.5em; box-sizing: border-box; overflow-y: auto; }\n" +
        ".dialog .client.reflowed > * { position: static; flex: none; }\n" +
        ".dialog .client.reflowed > textarea { flex: 1 1 auto; min-height: 4.5em; }\n" +
        ".dialog .client.reflowed > button { order: 1; align-self: center; }\n",

    listen: function() {
      var style = document.createElement("style");
      style.textContent = Dialogs.style;
      document.head.append(style);
      // The on-screen keyboard shrinks the visual viewport, and a turned
      // phone or a zoom changes both.
      window.addEventListener("resize", Dialogs.fitAll);
      if (window.visualViewport) {
        visualViewport.addEventListener("resize", Dialogs.fitAll);
        visualViewport.addEventListener("scroll", Dialogs.fitAll);
      }
      new ResizeObserver(Dialogs.fitAll).observe(Page.canvas());
    },

    fitAll: function() { Dialogs.dialogs.forEach(Dialogs.fit); },

    // What the user sees of the page, in the layers' CSS px.
    viewport: function(layer) {
      var v = window.visualViewport;
      if (v) return {left: v.offsetLeft, top: v.offsetTop, width: v.width, height: v.height};
      return {left: 0, top: 0, width: layer.clientWidth, height: layer.clientHeight};
    },

    // The controls at the template's rectangles, as the window manager has them.
    layTemplate: function(dialog) {
      dialog.client.classList.remove("reflowed");
      dialog.client.style.width = dialog.place.width + "px";
      dialog.client.style.height = dialog.place.height + "px";
      dialog.controls.forEach(function(e) {
        e.style.left = e.place.x + "px";
        e.style.top = e.place.y + "px";
        e.style.width = e.place.width + "px";
        e.style.height = e.place.height + "px";
        e.style.flexBasis = "";
      });
    },

    // The controls one under another, the labels and fields as wide as the
    // client area of `width`, which grows to `height` at most. The
    // multi-line field keeps about the template's amount of text in sight.
    reflow: function(dialog, width, height) {
      var client = dialog.client;
      client.classList.add("reflowed");
      client.style.width = width + "px";
      client.style.height = "";
      dialog.controls.forEach(function(e) {
        e.style.left = e.style.top = "";
        var button = e.tagName === "BUTTON";
        e.style.width = button ? e.place.width + "px" : "";
        e.style.height = e.tagName === "INPUT" || button ? e.place.height + "px" : "";
        e.style.flexBasis = e.tagName === "TEXTAREA"
            ? Math.round(e.place.height * e.place.width / width) + "px" : "";
      });
      if (client.offsetHeight > height) client.style.height = height + "px";
    },

    // The focused control inside the part of a scrolled client area in sight.
    reveal: function(dialog) {
      var e = document.activeElement, client = dialog.client;
      if (!e || e.parentNode !== client) return;
      if (e.offsetTop < client.scrollTop) client.scrollTop = e.offsetTop;
      var bottom = e.offsetTop + e.offsetHeight - client.clientHeight;
      if (bottom > client.scrollTop) client.scrollTop = bottom;
    },

    // The dialog at its template's place when it fits in sight, centred
    // when it does not, and laid out anew to fit when its size does not.
    fit: function(dialog) {
      var frame = dialog.frame, client = dialog.client, place = dialog.place;
      var view = Dialogs.viewport(dialog.root);
      var picture = Page.picture();
      Dialogs.layTemplate(dialog);
      var chromeWidth = frame.offsetWidth - client.offsetWidth;
      var chromeHeight = frame.offsetHeight - client.offsetHeight;
      // The client area at the template's place; the caption goes above.
      var left = Math.round(picture.left + place.x * picture.fit) - frame.clientLeft;
      var top = Math.round(picture.top + place.y * picture.fit) - client.offsetTop - frame.clientTop;
      var inside = left >= view.left && top >= view.top &&
          left + frame.offsetWidth <= view.left + view.width &&
          top + frame.offsetHeight <= view.top + view.height;
      if (!inside) {
        if (frame.offsetWidth > view.width || frame.offsetHeight > view.height) {
          var margin = Dialogs.margin;
          Dialogs.reflow(dialog,
                         Math.min(place.width, view.width - 2 * margin - chromeWidth),
                         view.height - 2 * margin - chromeHeight);
        }
        left = view.left + Math.round((view.width - frame.offsetWidth) / 2);
        top = view.top + Math.round((view.height - frame.offsetHeight) / 2);
      }
      frame.style.left = left + "px";
      frame.style.top = top + "px";
      Dialogs.reveal(dialog);
    },

    // The innermost dialog if it is on the screen, or null.
    shown: function() {
      var dialog = Dialogs.dialogs[Dialogs.dialogs.length - 1];
      return dialog && dialog.shown ? dialog : null;
    },

    dialog: function(handle) {
      return Dialogs.dialogs.find(function(d) { return d.handle === handle; });
    },

    // While a dialog is up the bar's buttons are disabled, as a modal
    // dialog's owner window is. They and the picture under the dialog's
    // layer stay to be read, so a screen reader comes into the dialog from
    // where it was reading, and says the dialog's name.
    disableBar: function(disabled) {
      document.querySelectorAll("#bar button, #bar select").forEach(function(b) {
        b.disabled = disabled;
      });
    },

    isField: function(e) { return e.tagName === "INPUT" || e.tagName === "TEXTAREA"; },

    // The dialog font's measures, as the browser lays a text out in it.
    metrics: function(points, text) {
      var context = document.createElement("canvas").getContext("2d");
      context.font = Page.dialogFont(points);
      return context.measureText(text);
    },

    // A hidden element takes no focus: the dialog takes it once shown.
    focus: function(e) {
      var dialog = e.dialog;
      if (dialog.shown) e.focus();
      else dialog.focus = e;
    },
  },

  // A dialog, hidden, whose client area lies at (x, y) of the canvas's client
  // area, width by height pixels, in the template's font.
  web_dialog_open__deps: ["$Dialogs"],
  web_dialog_open: function(handle, caption, points, x, y, width, height) {
    var root = document.createElement("div");
    root.className = "dialog-layer";
    var frame = document.createElement("div");
    frame.className = "dialog";
    frame.setAttribute("role", "dialog");
    frame.setAttribute("aria-modal", "true");
    var title = document.createElement("div");
    title.className = "caption";
    var text = document.createElement("span");
    // The caption is the dialog's name, as a window's title is, and no
    // text of its own for a screen reader to stop at.
    text.id = "caption-" + handle;
    text.setAttribute("aria-hidden", "true");
    text.textContent = Page.text(caption);
    var close = document.createElement("button");
    close.type = "button";
    close.tabIndex = -1;
    close.className = "close";
    // The close box of a dialog in the page.
    close.setAttribute("aria-label", Language.word("Close"));
    close.textContent = "\u00d7";
    title.append(text, close);
    var client = document.createElement("div");
    client.className = "client";
    client.style.font = Page.dialogFont(points);
    frame.append(title, client);
    root.append(frame);
    document.body.append(root);
    frame.setAttribute("aria-labelledby", text.id);
    close.addEventListener("mousedown", function(e) { e.preventDefault(); });
    close.addEventListener("click", function() { Page.push({kind: Page.CLOSE, window: handle}); });
    // Clicks beside the dialog do nothing, as with any modal dialog.
    root.addEventListener("mousedown", function(e) {
      if (!frame.contains(e.target)) e.preventDefault();
    });
    // The keyboard goes back where it was once the last dialog has gone.
    if (!Dialogs.dialogs.length) Dialogs.returnTo = document.activeElement;
    var dialog = {
      handle: handle, root: root, frame: frame, caption: text, client: client, controls: [],
      shown: false, focus: null, place: {x: x, y: y, width: width, height: height},
    };
    Dialogs.dialogs.push(dialog);
    Dialogs.disableBar(true);
  },

  // A control of kind 0 static text, 1 edit field, 2 multi-line edit field,
  // 3 push button, as ControlKind in platform/user/window.h.
  web_control_add__deps: ["$Dialogs"],
  web_control_add: function(
      dialogHandle, handle, kind, text, x, y, width, height, visible, tabStop, border, readOnly,
      isDefault, tabPixels, label, name) {
    var dialog = Dialogs.dialog(dialogHandle);
    var e;
    if (kind === 0) {
      e = document.createElement("label");
    } else if (kind === 3) {
      e = document.createElement("button");
      e.type = "button";
      if (isDefault) e.classList.add("default");
      e.addEventListener("click", function() { Page.push({kind: Page.BUTTON, window: handle}); });
    } else {
      e = document.createElement(kind === 2 ? "textarea" : "input");
      if (kind === 1) e.type = "text";
      e.spellcheck = false;
      e.readOnly = !!readOnly;
      e.style.tabSize = tabPixels + "px";
      if (!border) e.classList.add("borderless");
      // Named by its label, or as the window manager says.
      if (label) {
        e.id = "control-" + handle;
        Dialogs.controls[label].htmlFor = e.id;
      } else {
        e.setAttribute("aria-label", Page.text(name));
      }
      // A text to read, not to fill in, is what the dialog says.
      if (kind === 2 && readOnly) {
        e.id = "control-" + handle;
        dialog.frame.setAttribute("aria-describedby", e.id);
      }
    }
    if (kind === 0 || kind === 3) e.textContent = Page.text(text);
    else e.value = Page.text(text);
    if (kind !== 0) e.tabIndex = tabStop ? 0 : -1;
    e.hidden = !visible;
    e.handle = handle;
    e.dialog = dialog;
    e.place = {x: x, y: y, width: width, height: height};
    dialog.client.append(e);
    dialog.controls.push(e);
    Dialogs.controls[handle] = e;
  },

  web_dialog_show__deps: ["$Dialogs"],
  web_dialog_show: function(handle) {
    var dialog = Dialogs.dialog(handle);
    dialog.root.classList.add("shown");
    dialog.shown = true;
    Dialogs.fit(dialog);
    if (dialog.focus) dialog.focus.focus();
    dialog.focus = null;
  },

  web_dialog_hide__deps: ["$Dialogs"],
  web_dialog_hide: function(handle) {
    var dialog = Dialogs.dialog(handle);
    dialog.root.classList.remove("shown");
    dialog.shown = false;
  },

  // The keyboard back where it was once no dialog is left, or stays where it
  // is as the program starts: on the bar, or else to the canvas.
  web_activate__deps: ["$Dialogs"],
  web_activate: function(handle) {
    if (handle !== Page.canvasWindow || Dialogs.dialogs.length) return;
    Dialogs.disableBar(false);
    var back = Dialogs.returnTo || document.activeElement;
    Dialogs.returnTo = null;
    var onBar = back && back.isConnected && back.closest("#bar");
    (onBar ? back : Page.canvas()).focus();
  },

  web_forget__deps: ["$Dialogs"],
  web_forget: function(handle) {
    delete Dialogs.controls[handle];
    var dialog = Dialogs.dialog(handle);
    if (!dialog) return;
    dialog.root.remove();
    Dialogs.dialogs.splice(Dialogs.dialogs.indexOf(dialog), 1);
  },

  // The canvas's window's title is the page's.
  web_set_text__deps: ["$Dialogs"],
  web_set_text: function(handle, pointer) {
    var text = Page.text(pointer);
    var e = Dialogs.controls[handle];
    var dialog = Dialogs.dialog(handle);
    if (e && Dialogs.isField(e)) e.value = text;
    else if (e) e.textContent = text;
    else if (dialog) dialog.caption.textContent = text;
    else if (handle === Page.canvasWindow) document.title = text;
  },

  // A malloc'ed copy of a field's text.
  web_control_text__deps: ["$Dialogs"],
  web_control_text: function(handle) {
    var e = Dialogs.controls[handle];
    return Page.newText(e && Dialogs.isField(e) ? e.value : "");
  },

  // The control with the keyboard, or the one a hidden dialog will give it to; 0 for none.
  web_focused_control__deps: ["$Dialogs"],
  web_focused_control: function() {
    var last = Dialogs.dialogs[Dialogs.dialogs.length - 1];
    if (last && !last.shown) return last.focus ? last.focus.handle : 0;
    var e = document.activeElement;
    return e && e.handle && Dialogs.controls[e.handle] === e ? e.handle : 0;
  },

  web_control_focus__deps: ["$Dialogs"],
  web_control_focus: function(handle) {
    var e = Dialogs.controls[handle];
    if (e) Dialogs.focus(e);
  },

  // [start, end) selected, the caret at end; start -1 leaves the caret and
  // nothing selected.
  web_control_select__deps: ["$Dialogs"],
  web_control_select: function(handle, start, end) {
    var e = Dialogs.controls[handle];
    if (!e || !Dialogs.isField(e)) return;
    if (start < 0) {
      var caret = e.selectionDirection === "backward" ? e.selectionStart : e.selectionEnd;
      e.setSelectionRange(caret, caret);
      return;
    }
    e.setSelectionRange(Math.min(start, end), Math.max(start, end),
                        start > end ? "backward" : "forward");
  },

  // Text typed in place of the selection.
  web_control_type__deps: ["$Dialogs"],
  web_control_type: function(handle, text) {
    var e = Dialogs.controls[handle];
    if (!e || !Dialogs.isField(e) || e.readOnly) return;
    e.setRangeText(Page.text(text), e.selectionStart, e.selectionEnd, "end");
  },

  // In the template font: the advance of a text, and the height of a line.
  web_text_width__deps: ["$Dialogs"],
  web_text_width: function(points, text) {
    return Dialogs.metrics(points, Page.text(text)).width;
  },

  web_line_height__deps: ["$Dialogs"],
  web_line_height: function(points) {
    var m = Dialogs.metrics(points, "");
    return Math.round(m.fontBoundingBoxAscent) + Math.round(m.fontBoundingBoxDescent);
  },
});
