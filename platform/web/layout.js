// How the picture takes the page: the program's client area, fitted to the
// space above the bar. A desktop-sized space is the client area itself. A
// smaller one, or one standing upright, as a phone's, gets a client area no
// smaller than the program needs, drawn scaled to fit at the device's
// density, and the figures as text under it. The bar's labels fit too.

mergeInto(LibraryManager.library, {
  $Layout: {
    // The screen widths over which the program takes each size of its fonts.
    rows: [1000, 700, -Infinity],
    // For each size, the chosen language's floor: the smallest client area
    // at and above which no text of a run leaves the window or comes within
    // 4 pixels of another side by side, whatever the values entered
    // (floors.json, found by scripts/floors in the desktop's glyphs). A
    // language without its own has English's.
    floors: null,
    wider: 8,  // pixels of width the browser's glyphs take beyond the desktop's
    // A picture smaller than this has its figures shown as text as well.
    readable: {width: 800, height: 520},
    upright: 0.7,  // the height of a picture over figures, per unit of width
    screenWidth: 0,  // told once: the program chooses its fonts once
    area: null,  // {width, height, fit}: the client area, and CSS pixels per pixel of it

    readFloors: function() {
      var table = JSON.parse(document.getElementById("floors").textContent);
      var sizes = table[Language.chosen] || table[Language.english];
      return Layout.rows.map(function(over, i) {
        return {over: over, width: sizes[i][0] + Layout.wider, height: sizes[i][1]};
      });
    },

    floorFor: function(screenWidth) {
      return Layout.floors.find(function(f) { return screenWidth > f.over; });
    },

    // The client area for a space of width by height CSS pixels.
    arrange: function(width, height, floor) {
      if (height > width) {
        var wide = Math.max(width, floor.width);
        var high = Math.max(floor.height, Math.round(wide * Layout.upright));
        return {width: wide, height: high, fit: width / wide};
      }
      var k = Math.max(1, floor.width / width, floor.height / height);
      return {width: Math.round(width * k), height: Math.round(height * k), fit: 1 / k};
    },

    // The screen's width, or a fitted client area's where that is wider, as
    // a full-screen window's would be: the fonts then suit the area.
    chooseScreenWidth: function(width, height) {
      var screenWidth = screen.availWidth || screen.width;
      for (var tries = 0; tries < Layout.floors.length; ++tries) {
        var floor = Layout.floorFor(screenWidth);
        var area = Layout.arrange(width, height, floor);
        var fitted = area.fit < 1 || height > width;
        var told = fitted ? Math.max(screenWidth, area.width) : screenWidth;
        if (Layout.floorFor(told) === floor) return told;
        screenWidth = told;
      }
      return screenWidth;
    },

    // Lays the page out for the space it has now; returns the client area.
    follow: function() {
      Layout.fitBar();
      var space = document.getElementById("page");
      var style = getComputedStyle(space);
      var width = space.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
      var height = space.clientHeight - parseFloat(style.paddingTop) - parseFloat(style.paddingBottom);
      if (!Layout.floors) Layout.floors = Layout.readFloors();
      if (!Layout.screenWidth) Layout.screenWidth = Layout.chooseScreenWidth(width, height);
      var area = Layout.arrange(width, height, Layout.floorFor(Layout.screenWidth));
      var shown = {width: area.width * area.fit, height: area.height * area.fit};
      var px = function(n) { return n + "px"; };
      var client = document.getElementById("client").style;
      client.width = px(shown.width);
      client.height = px(shown.height);
      var canvas = document.getElementById("screen").style;
      canvas.width = px(shown.width);
      canvas.height = px(shown.height);
      var texts = document.getElementById("texts").style;
      texts.width = px(area.width);
      texts.height = px(area.height);
      texts.transform = area.fit === 1 ? "" : "scale(" + area.fit + ")";
      var small = shown.width < Layout.readable.width || shown.height < Layout.readable.height;
      space.classList.toggle("small", small);
      Layout.area = area;
      return area;
    },

    // The lines a button's label takes.
    lines: function(button) {
      var range = document.createRange();
      range.selectNodeContents(button);
      var tops = [].map.call(range.getClientRects(), function(r) { return r.top; });
      tops.sort(function(a, b) { return a - b; });
      return tops.filter(function(top, i) { return i === 0 || top - tops[i - 1] > 4; }).length;
    },

    // One line, else two, else the keys alone, and where even they do not
    // fit beside the language menu, the menu on a line of its own.
    fitBar: function() {
      var bar = document.getElementById("bar");
      var cut = function() {
        return [].some.call(bar.querySelectorAll("button"), function(b) {
          return b.scrollWidth > b.clientWidth || b.scrollHeight > b.clientHeight ||
                 Layout.lines(b) > 2;
        });
      };
      bar.classList.remove("wrap", "keys", "apart");
      if (getComputedStyle(bar).display === "none" || !cut()) return;
      bar.classList.add("wrap");
      if (!cut()) return;
      bar.classList.replace("wrap", "keys");
      if (cut()) bar.classList.add("apart");
    },
  },
});
