// Runs a test file's cases: node FILE PAGE CASE runs one on the page at
// PAGE, node FILE --list names them all.
function run(cases) {
  const [page, name] = process.argv.slice(2);
  if (page === "--list") {
    console.log(Object.keys(cases).join(";"));
    process.exit(0);
  }
  if (!cases[name]) throw new Error(`no case ${name}`);
  const { openPage } = require("./browser.cjs");
  return cases[name](page, (options) => openPage(page, options)).then(
    () => console.log("PASS"),
    (e) => {
      console.error(e);
      process.exit(1);
    },
  );
}

module.exports = { run };
