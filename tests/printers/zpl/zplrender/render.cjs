// Draws ZPL files with an independent renderer (zpl-renderer-js, a build of Zebrash):
//   node render.cjs MODULE_DIR FILE.zpl DOTS_PER_MM WIDTH_MM LENGTH_MM [FILE.zpl ...]
// writes FILE.png beside each file; exit status 1 when one cannot be drawn.
const path = require("path");
const fs = require("fs");
const { ready } = require(path.join(process.argv[2], "node_modules", "zpl-renderer-js"));

(async () => {
  const { api } = await ready;
  const args = process.argv.slice(3);
  let failed = 0;
  for (let i = 0; i + 3 < args.length; i += 4) {
    const [file, dpmm, width, length] = args.slice(i, i + 4);
    try {
      const zpl = fs.readFileSync(file, "latin1");
      const png = await api.zplToBase64Async(zpl, Number(width), Number(length), Number(dpmm));
      fs.writeFileSync(file.replace(/\.zpl$/, ".png"), Buffer.from(png, "base64"));
    } catch (e) {
      console.error(file + ": " + String(e && e.message ? e.message : e).slice(0, 300));
      failed = 1;
    }
  }
  process.exit(failed);
})();
