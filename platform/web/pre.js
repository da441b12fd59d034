// Before the program starts: every embedded face loaded, since the program
// makes its fonts' glyph ink from them as soon as its window is created,
// and a canvas draws with another face until its own has loaded.
Module["preRun"] = [function() {
  addRunDependency("fonts");
  Promise.all(Array.from(document.fonts, function(face) { return face.load(); }))
      .finally(function() { removeRunDependency("fonts"); });
}];
