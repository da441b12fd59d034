// Before the program starts: the embedded faces loaded, since the program
// makes its fonts' glyph ink from them as soon as its window is created.
Module["preRun"] = [function() {
  addRunDependency("fonts");
  Promise.all(["400", "700"].map(function(weight) {
    return document.fonts.load(weight + ' 16px "Ondulane Sans"', "A");
  })).finally(function() { removeRunDependency("fonts"); });
}];
