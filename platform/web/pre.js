// Before the program starts: the embedded faces of the page's language
// loaded, since the program makes its fonts' glyph ink from them as soon as
// its window is created, and a canvas draws with another face until its own
// has loaded. Those of other languages stay unread.
Module["preRun"] = [function() {
  addRunDependency("fonts");
  Promise.all(["400", "700"].map(function(weight) {
    return document.fonts.load(weight + " 16px " + Page.faces(), "A");
  })).finally(function() { removeRunDependency("fonts"); });
}];
