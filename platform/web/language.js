// The language the page is read in: a teacher's ?lang=, else the first of
// the browser's languages the program speaks, else English. The program
// hears of it from its environment, as on the desktop, and takes its
// resources by its own rule; the page's own words, its language tag and the
// face of its CJK characters follow the same name. The bar's menu changes
// it by loading the page again with the new ?lang=, the rest of the link
// kept, the keyboard back on the menu.

mergeInto(LibraryManager.library, {
  $Language__deps: ["$ENV", "$Page"],
  $Language__postset: "Language.start();",
  $Language: {
    english: "en",
    chosen: "en",  // the catalogue's name: "de", "pt_BR"
    words: {},  // the chosen language's page words, by their English
    // Kept for the page loaded next: the menu had the keyboard.
    refocus: "ondulane-language-menu",

    // The catalogues, by their names, as make_page.py put them in the page.
    table: function() { return JSON.parse(document.getElementById("languages").textContent); },

    // A BCP 47 tag in the form the catalogues are named by: "pt-br" is
    // "pt_BR"; Chinese in traditional characters is Taiwan's.
    posix: function(tag) {
      var parts = tag.split(/[-_]/);
      var name = parts[0].toLowerCase();
      var script = parts.find(function(p, i) { return i > 0 && p.length === 4; }) || "";
      var country = parts.find(function(p, i) { return i > 0 && p.length === 2; });
      if (name === "zh" && !country && script) country = /^hant$/i.test(script) ? "TW" : "CN";
      return country ? name + "_" + country.toUpperCase() : name;
    },

    // The catalogue's name as a BCP 47 tag: "pt_BR" is "pt-BR".
    tag: function(name) { return name.replace("_", "-"); },

    // The catalogue for a language, as the program matches one: with its
    // country, else without, else the first of the language; null for none.
    match: function(tag, names) {
      var name = Language.posix(tag);
      if (name === "zh_HK" || name === "zh_MO") name = "zh_TW";
      var tongue = name.split("_")[0];
      if (names.includes(name)) return name;
      if (names.includes(tongue)) return tongue;
      return names.find(function(n) { return n.startsWith(tongue + "_"); }) || null;
    },

    choose: function(names) {
      var asked = new URLSearchParams(location.search).get("lang");
      if (asked !== null) return Language.match(asked, names) || Language.english;
      var browser = navigator.languages || [navigator.language || ""];
      for (var i = 0; i < browser.length; ++i) {
        var found = Language.match(browser[i], names);
        if (found) return found;
      }
      return Language.english;
    },

    // A page word in the chosen language.
    word: function(english) { return Language.words[english] || english; },

    // The page's words, names and faces in the chosen language.
    translate: function() {
      document.documentElement.lang = Language.tag(Language.chosen);
      document.body.style.fontFamily = Page.faces();
      document.querySelectorAll("#bar .words").forEach(function(words) {
        words.textContent = " " + Language.word(words.textContent.trim());
      });
      document.querySelectorAll("[aria-label]").forEach(function(e) {
        var key = e.querySelector("kbd");
        e.setAttribute("aria-label", key
            ? key.textContent + e.querySelector(".words").textContent
            : Language.word(e.getAttribute("aria-label")));
      });
    },

    // Each language by its own name, in its own language, by the names'
    // order in the chosen language.
    fillMenu: function(menu, names) {
      var own = function(name) {
        var tag = Language.tag(name);
        try {
          return new Intl.DisplayNames([tag], {type: "language"}).of(tag);
        } catch (e) {
          return tag;
        }
      };
      var items = names.map(function(name) { return {name: name, text: own(name)}; });
      var order = new Intl.Collator(Language.tag(Language.chosen));
      items.sort(function(a, b) { return order.compare(a.text, b.text); });
      items.forEach(function(item) {
        var option = new Option(item.text, item.name, false, item.name === Language.chosen);
        option.lang = Language.tag(item.name);
        menu.append(option);
      });
      menu.addEventListener("change", function() {
        var query = new URLSearchParams(location.search);
        query.set("lang", Language.tag(menu.value));
        try {
          sessionStorage.setItem(Language.refocus, "1");
        } catch (e) {}  // a page without storage leaves the keyboard to the canvas
        location.search = query.toString();
      });
      var refocus = false;
      try {
        refocus = sessionStorage.getItem(Language.refocus) !== null;
        sessionStorage.removeItem(Language.refocus);
      } catch (e) {}
      if (refocus) menu.focus();
    },

    start: function() {
      var table = Language.table();
      var names = [Language.english].concat(Object.keys(table));
      Language.chosen = Language.choose(names);
      var entry = table[Language.chosen] || {};
      Language.words = entry.words || {};
      // The program asks for the same forms as it draws; the page's words
      // take them before it starts.
      if (entry.face) Page.han = Page.hanFaces.indexOf(entry.face);
      Language.translate();
      Language.fillMenu(document.getElementById("language"), names);
      // The program chooses its resources from LANG, as gettext would.
      addOnPreRun(function() { ENV.LANG = Language.chosen + ".UTF-8"; });
    },
  },
});
