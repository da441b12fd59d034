// What the page asks of the colours: ?contrast=more or the system's
// high-contrast setting, and ?colours=distinct. Called from colours.cpp.

mergeInto(LibraryManager.library, {
  $Colours: {
    MORE_CONTRAST: 1, DISTINCT: 2,  // as platform/gdi/colour_map.h has them
    contrast: null,  // the system's setting, as a media query list

    systemContrast: function() {
      if (!Colours.contrast) Colours.contrast = matchMedia("(prefers-contrast: more)");
      return Colours.contrast;
    },
  },

  web_colours_asked__deps: ["$Colours"],
  web_colours_asked: function() {
    var query = new URLSearchParams(location.search);
    var asked = 0;
    if (query.get("contrast") === "more" || Colours.systemContrast().matches)
      asked |= Colours.MORE_CONTRAST;
    if (query.get("colours") === "distinct") asked |= Colours.DISTINCT;
    return asked;
  },

  // Calls `changed` whenever the system's setting changes.
  web_follow_contrast__deps: ["$Colours", "$dynCall"],
  web_follow_contrast: function(changed) {
    Colours.systemContrast().addEventListener("change", function() {
      dynCall("v", changed);
    });
  },
});
