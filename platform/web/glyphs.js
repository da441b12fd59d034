// A font's glyph ink from the browser's rendering of the embedded faces:
// each glyph drawn alone at a whole pixel, its coverage thresholded,
// since a canvas smooths text that the program draws unsmoothed. Metrics come
// from the faces' tables, rounded as a hinting font engine rounds them, so
// the layout matches the desktop's.

mergeInto(LibraryManager.library, {
  $Glyphs__deps: ["$Page"],
  $Glyphs: {
    // A length of the face in font units at `px` pixels: to 1/64 pixel,
    // then to a whole pixel, half up.
    scaled: function(units, px, unitsPerEm) {
      return Math.floor((Math.round(units * px * 64 / unitsPerEm) + 32) / 64);
    },

    metricsAt: function(face, px) {
      var s = function(units) { return Glyphs.scaled(units, px, face.unitsPerEm); };
      var m = {
        px: px, ascent: s(face.ascent), descent: s(face.descent), lineGap: s(face.lineGap),
        aveCharWidth: s(face.aveCharWidth), maxCharWidth: s(face.maxCharWidth),
      };
      m.height = m.ascent + m.descent;
      return m;
    },

    // The largest pixel size whose line fits the cell.
    metricsForCell: function(face, cellHeight) {
      var best = Glyphs.metricsAt(face, 1);
      for (var px = 2; px <= Math.max(cellHeight, 1); ++px) {
        var m = Glyphs.metricsAt(face, px);
        if (m.height > cellHeight) break;
        best = m;
      }
      return best;
    },

    face: function(bold) {
      return JSON.parse(document.getElementById("font-metrics").textContent)[bold ? "700" : "400"];
    },

    // The CSS font of a cell height, as the glyphs are drawn in it.
    cssFont: function(bold, m) { return (bold ? "700 " : "400 ") + m.px + "px " + Page.faces(); },

    // A canvas to draw one glyph of the font in, or the whole `text` read
    // in `direction`, with room around it.
    cell: function(bold, cellHeight, han, text, direction) {
      Page.han = han;
      var m = Glyphs.metricsForCell(Glyphs.face(bold), cellHeight);
      // Arabic letters and their marks reach further above and below the
      // line than Latin ones.
      var pad = 2 + (m.height >> (text ? 1 : 3));
      var canvas = document.createElement("canvas");
      var context = canvas.getContext("2d", {willReadFrequently: true});
      var font = Glyphs.cssFont(bold, m);
      context.font = font;
      var width = Math.ceil(context.measureText(text || "").width) + m.maxCharWidth;
      canvas.width = Math.max(width, 2 * m.maxCharWidth) + 2 * pad;  // a CJK glyph is wider than the face's
      canvas.height = m.height + 2 * pad;
      context.font = font;  // a canvas's new size takes its state back to the defaults
      context.textBaseline = "alphabetic";
      context.direction = direction || "ltr";
      context.textAlign = "left";
      return {m: m, pad: pad, context: context, width: canvas.width, height: canvas.height};
    },

    // Draws the character in the cell and appends x, y, length of each run
    // of its ink to `runs`; its advance.
    draw: function(cell, c, runs) {
      var size = cell.width, rows = cell.height, pad = cell.pad;
      cell.context.clearRect(0, 0, size, rows);
      cell.context.fillText(c, pad, pad + cell.m.ascent);
      var alpha = cell.context.getImageData(0, 0, size, rows).data;
      for (var y = 0; y < rows; ++y) {
        for (var x = 0; x < size; ++x) {
          if (alpha[(y * size + x) * 4 + 3] < 128) continue;
          var end = x;
          while (end < size && alpha[(y * size + end) * 4 + 3] >= 128) ++end;
          runs.push(x - pad, y - pad, end - x);
          x = end;
        }
      }
      return Math.round(cell.context.measureText(c).width);
    },

    // The whole text, shaped as the browser lays it out in a paragraph
    // read from the right or from the left, drawn as `draw` draws a glyph,
    // from the text's origin at the top left of its cell; its advance.
    shape: function(bold, cellHeight, han, text, rightToLeft, runs) {
      var cell = Glyphs.cell(bold, cellHeight, han, text, rightToLeft ? "rtl" : "ltr");
      return Glyphs.draw(cell, text, runs);
    },

    // A malloc'ed block of ints for the program, which frees it.
    block: function(ints) {
      var block = _malloc(ints.length * 4);
      HEAP32.set(ints, block >> 2);
      return block;
    },
  },

  // Returns a malloc'ed block of ints: the pixel size, ascent, line height,
  // line gap, average and largest character width (FontMeasures), 256
  // advances, 257 run starts, then x, y, length of each run from the glyph's
  // origin at the top of its cell.
  web_glyphs__deps: ["$Glyphs", "malloc"],
  web_glyphs: function(bold, cellHeight, han) {
    var cell = Glyphs.cell(bold, cellHeight, han), m = cell.m;
    var advances = [], first = [], runs = [];
    for (var code = 0; code < 256; ++code) {
      first.push(runs.length / 3);
      advances.push(Glyphs.draw(cell, String.fromCharCode(code), runs));
    }
    first.push(runs.length / 3);
    return Glyphs.block([m.px, m.ascent, m.height, m.lineGap, m.aveCharWidth, m.maxCharWidth]
                            .concat(advances, first, runs));
  },

  // One more character's glyph: a malloc'ed block of ints, its advance, the
  // number of its runs, then x, y, length of each.
  web_glyph__deps: ["$Glyphs", "malloc"],
  web_glyph: function(bold, cellHeight, han, code) {
    var runs = [];
    var advance = Glyphs.draw(Glyphs.cell(bold, cellHeight, han), String.fromCodePoint(code), runs);
    return Glyphs.block([advance, runs.length / 3].concat(runs));
  },

  // A whole text (Glyphs.shape): a block as web_glyph's.
  web_shaped_text__deps: ["$Glyphs", "malloc"],
  web_shaped_text: function(bold, cellHeight, han, utf8, rightToLeft) {
    var runs = [];
    var advance = Glyphs.shape(bold, cellHeight, han, UTF8ToString(utf8), rightToLeft, runs);
    return Glyphs.block([advance, runs.length / 3].concat(runs));
  },
});
