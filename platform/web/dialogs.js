// A dialog template's controls as form elements over the canvas, placed in
// pixels that platform/web/dialog.cpp works out from dialog units. What the
// user does becomes commands for the dialog's procedure; Escape and the close
// box are IDCANCEL, which the procedure may act on or not.

mergeInto(LibraryManager.library, {
  $Dialogs__deps: ["$Page"],
  $Dialogs: {
    controls: [],  // every control made, by index
    IDOK: 1,
    IDCANCEL: 2,

    command: function(dialog, id) { Page.push([2, dialog.id, id]); },

    focusables: function(dialog) {
      return dialog.controls.filter(function(e) { return e.tabIndex >= 0 && !e.hidden; });
    },

    // ENTER presses the focused push button, else the default one; Tab and
    // Shift+Tab go round the tab stops; F keys do nothing here.
    onKeyDown: function(dialog, e) {
      if (e.ctrlKey || e.altKey || e.metaKey) return;
      var focused = document.activeElement;
      if (e.key === "Escape") {
        e.preventDefault();
        Dialogs.command(dialog, Dialogs.IDCANCEL);
      } else if (e.key === "Enter") {
        e.preventDefault();
        var button = focused && focused.tagName === "BUTTON" && dialog.controls.includes(focused)
                         ? focused : dialog.defaultButton;
        Dialogs.command(dialog, button ? button.controlId : Dialogs.IDOK);
      } else if (e.key === "Tab") {
        var stops = Dialogs.focusables(dialog);
        if (!stops.length) return;
        var at = stops.indexOf(focused);
        var next = e.shiftKey ? (at <= 0 ? stops.length - 1 : at - 1)
                              : (at < 0 || at === stops.length - 1 ? 0 : at + 1);
        e.preventDefault();
        Dialogs.focus(stops[next]);
      } else if (/^F\d+$/.test(e.key)) {
        e.preventDefault();
      }
    },

    // Focus that the keyboard gives selects a field's whole text, as the
    // dialog manager does; focus set by the procedure leaves the selection.
    focus: function(element) {
      element.focus();
      if (element.tagName === "INPUT") element.select();
    },

    // Edit controls give their lines as CR LF; the page keeps LF.
    toPage: function(text) { return text.replace(/\r\n/g, "\n"); },
    fromPage: function(text) { return text.replace(/\r?\n/g, "\r\n"); },

    // Fills the fields a link gives values for, found by the words of the
    // labels before them, and presses the default button, as a user would.
    applyLink: function(dialog) {
      var link = Page.link;
      Page.link = null;
      var label = "";
      dialog.controls.forEach(function(e) {
        if (e.tagName === "LABEL") label = e.textContent.toLowerCase();
        if (e.tagName !== "INPUT") return;
        for (var name in link)
          if (new RegExp("\\b" + name + "\\b").test(label)) e.value = link[name];
      });
      var button = dialog.defaultButton;
      Dialogs.command(dialog, button ? button.controlId : Dialogs.IDOK);
    },
  },

  // Opens a dialog whose client area lies at (x, y) of the main window's
  // client area, w by h pixels, in the template's font.
  web_dialog_open__deps: ["$Dialogs"],
  web_dialog_open: function(id, caption, points, x, y, width, height) {
    var root = document.createElement("div");
    root.className = "dialog-layer";
    var frame = document.createElement("div");
    frame.className = "dialog";
    frame.setAttribute("role", "dialog");
    frame.setAttribute("aria-modal", "true");
    var title = document.createElement("div");
    title.className = "caption";
    var text = document.createElement("span");
    text.textContent = Page.latin1(caption);
    var close = document.createElement("button");
    close.type = "button";
    close.tabIndex = -1;
    close.className = "close";
    close.setAttribute("aria-label", "Close");
    close.textContent = "\u00d7";
    title.append(text, close);
    var client = document.createElement("div");
    client.className = "client";
    client.style.width = width + "px";
    client.style.height = height + "px";
    client.style.font = Page.dialogFont(points);
    frame.append(title, client);
    root.append(frame);
    document.body.append(root);
    // The client area stands at the template's position; the caption goes above.
    var origin = document.getElementById("client").getBoundingClientRect();
    frame.style.left = origin.left + x - frame.clientLeft + "px";
    frame.style.top = origin.top + y - title.offsetHeight - frame.clientTop + "px";
    frame.setAttribute("aria-label", text.textContent);
    var dialog = {id: id, root: root, client: client, controls: [], defaultButton: null};
    close.addEventListener("mousedown", function(e) { e.preventDefault(); });
    close.addEventListener("click", function() { Dialogs.command(dialog, Dialogs.IDCANCEL); });
    Page.dialogKeys = Dialogs.onKeyDown;
    // Clicks beside the dialog do nothing, as with any modal dialog.
    root.addEventListener("mousedown", function(e) {
      if (!frame.contains(e.target)) e.preventDefault();
    });
    Page.dialogs.push(dialog);
    document.getElementById("client").inert = true;
    document.getElementById("bar").inert = true;
    return Page.dialogs.length - 1;
  },

  // Adds a control: kind 0 static text, 1 edit field, 2 multi-line edit
  // field, 3 push button. Returns its index.
  web_dialog_add__deps: ["$Dialogs"],
  web_dialog_add: function(
      slot, kind, id, text, x, y, width, height, tabStop, border, readOnly, isDefault,
      tabPixels) {
    var dialog = Page.dialogs[slot];
    var e;
    if (kind === 0) {
      e = document.createElement("label");
    } else if (kind === 3) {
      e = document.createElement("button");
      e.type = "button";
      if (isDefault) {
        e.classList.add("default");
        dialog.defaultButton = e;
      }
      e.addEventListener("click", function() { Dialogs.command(dialog, id); });
    } else {
      e = document.createElement(kind === 2 ? "textarea" : "input");
      if (kind === 1) e.type = "text";
      e.spellcheck = false;
      e.readOnly = !!readOnly;
      e.style.tabSize = tabPixels + "px";
      if (!border) e.classList.add("borderless");
      // A static text before a field is its label.
      var previous = dialog.controls[dialog.controls.length - 1];
      if (previous && previous.tagName === "LABEL") {
        e.id = "control-" + Dialogs.controls.length;
        previous.htmlFor = e.id;
      }
    }
    if (kind === 0 || kind === 3) e.textContent = Page.latin1(text);
    else e.value = Dialogs.toPage(Page.latin1(text));
    if (kind !== 0) e.tabIndex = tabStop ? 0 : -1;
    e.controlId = id;
    e.style.left = x + "px";
    e.style.top = y + "px";
    e.style.width = width + "px";
    e.style.height = height + "px";
    dialog.client.append(e);
    dialog.controls.push(e);
    Dialogs.controls.push(e);
    return Dialogs.controls.length - 1;
  },

  // Shown once its procedure has set it up.
  web_dialog_show__deps: ["$Dialogs"],
  web_dialog_show: function(slot) {
    var dialog = Page.dialogs[slot];
    dialog.root.classList.add("shown");
    if (!dialog.root.contains(document.activeElement)) {
      var stops = Dialogs.focusables(dialog);
      if (stops.length) Dialogs.focus(stops[0]);
    }
    if (Page.link) Dialogs.applyLink(dialog);
  },

  web_dialog_close__deps: ["$Dialogs"],
  web_dialog_close: function(slot) {
    var dialog = Page.dialogs[slot];
    dialog.root.remove();
    dialog.controls.forEach(function(e) { Dialogs.controls[Dialogs.controls.indexOf(e)] = null; });
    Page.dialogs.splice(slot, 1);
    if (!Page.dialogs.length) {
      document.getElementById("client").inert = false;
      document.getElementById("bar").inert = false;
      Page.canvas().focus();
    }
  },

  web_control_set_text__deps: ["$Dialogs"],
  web_control_set_text: function(index, text) {
    var e = Dialogs.controls[index];
    if (!e) return;
    if (e.tagName === "INPUT" || e.tagName === "TEXTAREA") e.value = Dialogs.toPage(Page.latin1(text));
    else e.textContent = Page.latin1(text);
  },

  web_control_get_text__deps: ["$Dialogs"],
  web_control_get_text: function(index, buffer, size) {
    var e = Dialogs.controls[index];
    if (!e) return Page.writeLatin1("", buffer, size);
    var text = e.tagName === "INPUT" || e.tagName === "TEXTAREA" ? Dialogs.fromPage(e.value)
                                                                  : e.textContent;
    return Page.writeLatin1(text, buffer, size);
  },

  web_control_focus__deps: ["$Dialogs"],
  web_control_focus: function(index) {
    var e = Dialogs.controls[index];
    if (e) e.focus();
  },

  // The control that has the focus, or -1.
  web_focused_control__deps: ["$Dialogs"],
  web_focused_control: function() {
    return document.activeElement ? Dialogs.controls.indexOf(document.activeElement) : -1;
  },

  // EM_SETSEL: start -1 removes the selection, end -1 runs to the end.
  web_control_select__deps: ["$Dialogs"],
  web_control_select: function(index, start, end) {
    var e = Dialogs.controls[index];
    if (!e || !("setSelectionRange" in e)) return;
    var length = e.value.length;
    if (end < 0 || end > length) end = length;
    if (start < 0) start = end;
    e.setSelectionRange(Math.min(start, length), end);
  },

  // Pixels per dialog unit in a template's font: x from the average width of
  // the 52 letters, y from the line height, as dialog managers measure them.
  web_dialog_units__deps: ["$Page"],
  web_dialog_units: function(points, out) {
    var context = document.createElement("canvas").getContext("2d");
    context.font = Page.dialogFont(points);
    var m = context.measureText("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    HEAP32[out >> 2] = ((Math.round(m.width) / 26 | 0) + 1) >> 1;
    HEAP32[(out >> 2) + 1] = Math.round(m.fontBoundingBoxAscent) + Math.round(m.fontBoundingBoxDescent);
  },
});
