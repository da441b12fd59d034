// The language the page is read in: a teacher's ?lang=, else the browser's
// languages, handed to the program through its environment as gettext's
// LANGUAGE list, as on the desktop; the program chooses by its own rule,
// and the page's own words, its language tag, the way its bar and figures
// read and the face of its CJK characters follow the program's choice. The
// bar's menu changes it by loading the page again with the new ?lang=, the
// rest of the link kept, the keyboard back on the menu.

mergeInto(LibraryManager.library, {
  $Language__deps: ["$ENV", "$Page", "$stringToNewUTF8", "free"],
  $Language: {
    english: "en",
    chosen: "en",  // the catalogue's name: "de", "pt_BR"
    words: {},  // the chosen language's page words, by their English
    dir: "ltr",  // the way the chosen language reads: "rtl" from the right
    // Kept for the page loaded next: the menu had the keyboard.
    refocus: "ondulane-language-menu",

    // The catalogues, by their names, as make_page.py put them in the page.
    table: function() { return JSON.parse(document.getElementById("languages").textContent); },

    // A BCP 47 tag as POSIX names a locale: "pt-br" is "pt_BR"; Chinese
    // in traditional characters is Taiwan's.
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

    // What the user asks for, as POSIX names languages, the first choice
    // first: a teacher's ?lang= alone, else the browser's languages.
    wanted: function() {
      var asked = new URLSearchParams(location.search).get("lang");
      var tags = asked !== null ? [asked] : navigator.languages || [navigator.language || ""];
      return tags.filter(Boolean).map(Language.posix);
    },

    // The catalogue the program takes for what the environment asks.
    ask: function(language, lang) {
      var values = [language, lang].map(function(v) { return stringToNewUTF8(v); });
      var chosen = UTF8ToString(_web_language(values[0], values[1]));
      values.forEach(function(v) { _free(v); });
      return chosen;
    },

    // A page word in the chosen language.
    word: function(english) { return Language.words[english] || english; },

    // The page's words, names and faces in the chosen language.
    translate: function() {
      document.documentElement.lang = Language.tag(Language.chosen);
      document.body.style.fontFamily = Page.faces();
      // The picture keeps its own layout: only the words around it turn.
      ["bar", "texts", "figures"].forEach(function(id) { document.getElementById(id).dir = Language.dir; });
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

    // Before the program starts. The locale is named after the first
    // language asked for, so that a ?lang= the program does not speak
    // gives English rather than the browser's language.
    start: function() {
      var wanted = Language.wanted();
      ENV.LANGUAGE = wanted.join(":");
      ENV.LANG = (wanted[0] || "C") + ".UTF-8";
      var table = Language.table();
      var names = [Language.english].concat(Object.keys(table));
      Language.chosen = Language.ask(ENV.LANGUAGE, ENV.LANG);
      var entry = table[Language.chosen] || {};
      Language.words = entry.words || {};
      Language.dir = entry.dir || "ltr";
      // The program asks for the same forms as it draws; the page's words
      // take them before it starts.
      if (entry.face) Page.han = Page.hanFaces.indexOf(entry.face);
      Language.translate();
      Language.fillMenu(document.getElementById("language"), names);
    },
  },
});
