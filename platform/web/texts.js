// The canvas's texts as HTML over the picture, each at its box and
// transparent over the picture's own glyphs: a screen reader reads them, the
// browser's find finds them, a student selects and copies them. Each text is
// a line of its own, in its block, blocks and lines in reading order, as the
// drawing core gives them; an element stands for a text as long as the
// text's identity does. What the core says of a change goes to the live
// region, an entry for each utterance.

mergeInto(LibraryManager.library, {
  $Texts__deps: ["$Page", "$Glyphs"],
  $Texts: {
    // As TextChanges::Kind in platform/gdi/reading.h.
    KEPT: 0, CAME: 1, RENAMED: 2,
    shown: {},  // the element of each text, by its identity
    kept: 64,  // utterances kept in the log
    measure: null,  // a 2D context to measure the texts in their fonts

    layer: function() { return document.getElementById("texts"); },

    // Drawn over its box in the glyphs' font, stretched to the box's width
    // as the picture's layout spaces it.
    place: function(element, item) {
      var m = Glyphs.metricsForCell(Glyphs.face(item.bold), item.cellHeight);
      var font = Glyphs.cssFont(item.bold, m);
      if (!Texts.measure) Texts.measure = document.createElement("canvas").getContext("2d");
      Texts.measure.font = font;
      var natural = Texts.measure.measureText(item.text).width;
      var s = element.style;
      s.font = font;
      s.left = item.left + "px";
      s.top = item.top + "px";
      s.height = s.lineHeight = item.bottom - item.top + "px";
      s.transform = natural > 0 ? "scaleX(" + (item.right - item.left) / natural + ")" : "";
    },

    // The largest text, the first of them, is the picture's title.
    titleIndex: function(items) {
      var title = -1;
      items.forEach(function(item, i) {
        if (title < 0 || item.cellHeight > items[title].cellHeight) title = i;
      });
      return title;
    },

    // Each block's elements in `parent`, a container of `tag` for each
    // block, both in order; elements are moved only where out of place.
    arrange: function(parent, tag, blocks) {
      blocks.forEach(function(elements, b) {
        var box = parent.children[b];
        if (!box) parent.append(box = document.createElement(tag));
        elements.forEach(function(element, i) {
          if (box.children[i] !== element) box.insertBefore(element, box.children[i] || null);
        });
        while (box.children.length > elements.length) box.lastElementChild.remove();
      });
      while (parent.children.length > blocks.length) parent.lastElementChild.remove();
    },

    // The same texts, block by block, as lines of the page's own size,
    // for where the picture is small.
    list: function(items) {
      var blocks = [];
      items.forEach(function(item) {
        var line = document.createElement("p");
        line.textContent = item.text.trim();
        (blocks[item.block] = blocks[item.block] || []).push(line);
      });
      var figures = document.getElementById("figures");
      figures.replaceChildren();
      Texts.arrange(figures, "div", blocks);
    },

    announce: function(text) {
      var log = document.getElementById("announcements");
      var entry = document.createElement("p");
      entry.textContent = text;
      log.append(entry);
      while (log.childElementCount > Texts.kept) log.firstElementChild.remove();
    },

    // An element for each text that came, new characters for each redrawn,
    // none for each that went; all of them everything anew.
    show: function(items, went, afresh) {
      if (afresh) Texts.shown = {};
      went.forEach(function(id) { delete Texts.shown[id]; });
      var title = Texts.titleIndex(items);
      var blocks = [];
      items.forEach(function(item, i) {
        var tag = i === title ? "H1" : "P";
        var element = Texts.shown[item.id];
        if (!element || element.tagName !== tag) {
          element = document.createElement(tag);
          element.textContent = item.text;
          Texts.shown[item.id] = element;
        } else if (item.change === Texts.RENAMED) {
          element.textContent = item.text;
        }
        Texts.place(element, item);
        (blocks[item.block] = blocks[item.block] || []).push(element);
      });
      Texts.arrange(Texts.layer(), "div", blocks);
      Texts.list(items);
    },
  },

  web_texts__deps: ["$Texts"],
  web_texts: function(list, count, went, wentCount, afresh) {
    var items = [];
    for (var i = 0; i < count; ++i) {
      var w = HEAP32.subarray((list >> 2) + 11 * i, (list >> 2) + 11 * i + 11);
      items.push({
        text: UTF8ToString(w[0], w[1]), left: w[2], top: w[3], right: w[4], bottom: w[5], cellHeight: w[6],
        bold: !!w[7], id: w[8] >>> 0, block: w[9], change: w[10],
      });
    }
    Texts.show(items, Array.from(HEAP32.subarray(went >> 2, (went >> 2) + wentCount), function(id) { return id >>> 0; }), !!afresh);
  },

  web_say__deps: ["$Texts"],
  web_say: function(chars, length) {
    Texts.announce(UTF8ToString(chars, length));
  },
});
