// The canvas's texts as HTML over the picture, each at its box, in reading
// order and transparent over the picture's own glyphs: a screen reader reads
// them, the browser's find finds them, a student selects and copies them.
// What a change adds is announced, once for each new text.

mergeInto(LibraryManager.library, {
  $Texts__deps: ["$Page", "$Glyphs"],
  $Texts: {
    shown: [],  // {key, element}, in reading order
    started: false,  // the first picture's texts are read, not announced
    kept: 64,  // announcements kept in the log
    measure: null,  // a 2D context to measure the texts in their fonts

    layer: function() { return document.getElementById("texts"); },

    // A text is the same text while its words and their rank among equal
    // words stay: one moved by a resize is not news.
    keys: function(items) {
      var seen = {};
      return items.map(function(item) {
        seen[item.text] = (seen[item.text] || 0) + 1;
        return item.text + "\u0000" + seen[item.text];
      });
    },

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

    // The same texts, in reading order, as lines of the page's own size.
    list: function(items) {
      var figures = document.getElementById("figures");
      figures.replaceChildren.apply(figures, items.map(function(item) {
        var line = document.createElement("p");
        line.textContent = item.text.trim();
        return line;
      }));
    },

    announce: function(text) {
      var log = document.getElementById("announcements");
      var entry = document.createElement("p");
      entry.textContent = text;
      log.append(entry);
      while (log.childElementCount > Texts.kept) log.firstElementChild.remove();
    },

    show: function(items) {
      var keys = Texts.keys(items);
      var before = new Map(Texts.shown.map(function(t) { return [t.key, t.element]; }));
      var title = Texts.titleIndex(items);
      var layer = Texts.layer();
      var next = layer.firstChild;
      Texts.shown = items.map(function(item, i) {
        var tag = i === title ? "H1" : "SPAN";
        var element = before.get(keys[i]);
        var isNew = !element;
        if (element && element.tagName !== tag) element.remove(), element = null;
        if (!element) {
          element = document.createElement(tag);
          element.textContent = item.text;
        }
        before.delete(keys[i]);
        Texts.place(element, item);
        if (element !== next) layer.insertBefore(element, next);
        else next = next.nextSibling;
        if (isNew && Texts.started) Texts.announce(item.text);
        return {key: keys[i], element: element};
      });
      before.forEach(function(element) { element.remove(); });
      Texts.list(items);
      Texts.started = true;
    },
  },

  web_texts__deps: ["$Texts"],
  web_texts: function(list, count) {
    var items = [];
    for (var i = 0; i < count; ++i) {
      var w = HEAP32.subarray((list >> 2) + 8 * i, (list >> 2) + 8 * i + 8);
      var text = "";
      for (var c = 0; c < w[1]; ++c) text += String.fromCharCode(HEAPU8[w[0] + c]);
      items.push({
        text: text, left: w[2], top: w[3], right: w[4], bottom: w[5], cellHeight: w[6],
        bold: !!w[7],
      });
    }
    Texts.show(items);
  },
});
