// Before the program starts: the page in the language the program will
// take, and the embedded faces of that language loaded, since the program
// makes its fonts' glyph ink from them as soon as its window is created,
// and a canvas draws with another face until its own has loaded. Those of
// other languages stay unread.
Module["preRun"] = [function() {
  Language.start();
  addRunDependency("fonts");
  Promise.all(["400", "700"].map(function(weight) {
    return document.fonts.load(weight + " 16px " + Page.faces(), "A");
  })).finally(function() { removeRunDependency("fonts"); });
}];
