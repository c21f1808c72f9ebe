// The configurator page in headless Chromium (the system's, driven with
// puppeteer-core), opened from file:// with the network off:
// - each core's form holds exactly the options `ipgen CORE --describe`
//   gives, in its order, every control labelled;
// - one configuration of each core, set through the form, downloads a zip
//   whose files are byte for byte the folder `ipgen ... --out` writes;
// - a refused value shows ipgen's own line next to its field and blocks
//   the download;
// - the same file served over http loads too;
// - the page is under 2 MB, and the time from the click to the zip of
//   RS(255,239) is measured (printed; under 1 s).
//
// usage: node configurator_test.js PAGE IPGEN NODE_MODULES WORK_DIR
'use strict';

const assert = require('node:assert/strict');
const { execFileSync, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const [page_path, ipgen, node_modules, work] = process.argv.slice(2);
const puppeteer = require(path.resolve(node_modules, 'puppeteer-core'));

// Each core once, set through the form: option name -> value typed,
// selected or (true/false) ticked. The same words run the native ipgen.
const configurations = [
  { core: 'rs-encoder', set: { 'symbol-width': '8', n: '255', k: '239' }, timed: true },
  { core: 'rs-decoder', set: { 'symbol-width': '8', n: '255', k: '239', solver: 'parallel' }, timed: true },
  { core: 'viterbi', set: { 'traceback-length': '48', 'soft-decision': false } },
  { core: 'fir', set: { taps: '9', symmetry: 'symmetric', 'filter-type': 'multi-cycle', cycles: '9' } },
  // A preset: the code's values come from it alone.
  { core: 'rs-decoder', set: { standard: 'dvb' } },
];

function describe(core) {
  return JSON.parse(execFileSync(ipgen, [core, '--describe'], { encoding: 'utf8' }));
}

// The native run of the same configuration: its folder's files.
function nativeFolder(configuration, options, out) {
  const args = [configuration.core];
  for (const [name, value] of Object.entries(configuration.set)) {
    const option = options.find((o) => o.name === name);
    if (option.kind === 'flag') {
      args.push(value ? '--' + name : '--no-' + name);
    } else {
      args.push('--' + name, value);
    }
  }
  fs.rmSync(out, { recursive: true, force: true });
  execFileSync(ipgen, [...args, '--out', out]);
  return readFolder(out);
}

function readFolder(dir) {
  const files = new Map();
  for (const name of fs.readdirSync(dir).sort()) {
    files.set(name, fs.readFileSync(path.join(dir, name)));
  }
  return files;
}

// Unzips with Python's zipfile (not the page's library) into `dir`.
function unzip(zip, dir) {
  fs.rmSync(dir, { recursive: true, force: true });
  execFileSync('python3', ['-c', 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])', zip, dir]);
}

async function waitForFile(dir, name, ms) {
  const file = path.join(dir, name);
  for (const end = Date.now() + ms; Date.now() < end;) {
    if (fs.existsSync(file)) {
      return file;
    }
    await new Promise((r) => setTimeout(r, 20));
  }
  throw new Error('no download ' + name + ' in ' + ms + ' ms');
}

async function settle(page) {
  // The page checks 60 ms after the last change.
  await new Promise((r) => setTimeout(r, 150));
}

async function setValue(page, option, value) {
  const id = '#opt-' + option.name;
  const tag = await page.$eval(id, (e) => e.tagName + ':' + e.type);
  if (tag === 'INPUT:checkbox') {
    if ((await page.$eval(id, (e) => e.checked)) !== value) {
      await page.focus(id);
      await page.keyboard.press('Space'); // by keyboard
    }
  } else if (tag.startsWith('SELECT')) {
    const wanted = option.kind === 'flag' ? (value ? 'yes' : 'no') : value;
    await page.select(id, wanted);
  } else {
    await page.focus(id);
    await page.keyboard.press('End');
    await page.keyboard.down('Shift');
    await page.keyboard.press('Home');
    await page.keyboard.up('Shift');
    await page.keyboard.press('Backspace');
    await page.keyboard.type(value);
  }
}

async function main() {
  const size = fs.statSync(page_path).size;
  assert.ok(size < 2 * 1024 * 1024, `the page is ${size} bytes, 2 MB at most`);
  fs.mkdirSync(work, { recursive: true });
  const downloads = path.join(work, 'downloads');
  fs.rmSync(downloads, { recursive: true, force: true });
  fs.mkdirSync(downloads);

  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'],
  });
  const failures = [];
  try {
    const page = await browser.newPage();
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
    // Offline: every request but the page itself and its own blobs fails
    // and is counted.
    const fetched = [];
    await page.setRequestInterception(true);
    page.on('request', (request) => {
      const url = request.url();
      if (url.startsWith('file:') || url.startsWith('blob:') || url.startsWith('data:')) {
        request.continue();
      } else {
        fetched.push(url);
        request.abort();
      }
    });
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.setViewport({ width: 1280, height: 1000 });
    await page.goto('file://' + path.resolve(page_path));
    await page.waitForSelector('body[data-ready="true"]', { timeout: 20000 });

    const figures = [];
    for (const configuration of configurations) {
      const described = describe(configuration.core);
      await page.select('#core', configuration.core);
      await settle(page);
      // The form: the described options, in order (the preset first, when
      // the core has a standard), each with a label.
      const form = await page.$$eval('#preset .field, #options .field', (rows) =>
        rows.map((row) => {
          const control = row.querySelector('input, select');
          return { id: control.id, labelled: control.labels.length === 1 };
        }));
      const names = described.options.map((o) => o.name);
      const preset = names.indexOf('standard');
      if (preset > 0) {
        names.unshift(names.splice(preset, 1)[0]);
      }
      assert.deepEqual(form.map((f) => f.id.replace(/^opt-/, '')), names,
        configuration.core + ': the form lists the options of --describe');
      assert.ok(form.every((f) => f.labelled), configuration.core + ': every field labelled');

      for (const [name, value] of Object.entries(configuration.set)) {
        await setValue(page, described.options.find((o) => o.name === name), value);
      }
      await settle(page);
      const message = await page.$eval('#form', (f) =>
        [...f.querySelectorAll('.message')].map((m) => m.textContent).join(''));
      assert.equal(message, '', configuration.core + ': the configuration is accepted');
      const expected = nativeFolder(configuration, described.options, path.join(work, 'native'));
      const name = await page.$eval('#title', (t) => /\(folder (\w+)\)$/.exec(t.textContent)[1]);
      const command = await page.$eval('#command', (c) => c.textContent);
      const native_readme = expected.get('README.md').toString();
      assert.ok(native_readme.includes('    ' + command + '\n'),
        configuration.core + ': the command shown is the folder README\'s: ' + command);

      fs.rmSync(path.join(downloads, name + '.zip'), { force: true });
      const clicked = Date.now();
      await page.click('#download');
      const zip = await waitForFile(downloads, name + '.zip', 20000);
      const on_disk = Date.now() - clicked;
      await new Promise((r) => setTimeout(r, 100)); // the write completes
      const ms = Number(await page.$eval('body', (b) => b.dataset.zipMs));
      const unzipped = path.join(work, 'unzipped');
      unzip(zip, unzipped);
      assert.deepEqual(fs.readdirSync(unzipped), [name], 'the zip holds one folder, ' + name);
      const got = readFolder(path.join(unzipped, name));
      assert.deepEqual([...got.keys()], [...expected.keys()], configuration.core + ': the same files');
      for (const [file, bytes] of expected) {
        if (!bytes.equals(got.get(file))) {
          failures.push(configuration.core + ': ' + file + ' differs from the native folder');
        }
      }
      figures.push(`${configuration.core} ${name}: ${got.size} files, click to zip ${ms.toFixed(1)} ms, to the file on disk ${on_disk} ms`);
      if (configuration.timed) {
        assert.ok(ms < 1000, `${name}: the zip took ${ms} ms after the click, 1 s at most`);
      }
    }

    // A refused value: ipgen's line next to the field, no download.
    await page.select('#core', 'rs-encoder');
    await settle(page);
    await setValue(page, { name: 'symbol-width' }, '13');
    await settle(page);
    const refused = spawnSync(ipgen, ['rs-encoder', '--symbol-width', '13', '--n', '255', '--k', '239',
      '--out', path.join(work, 'refused')], { encoding: 'utf8' });
    assert.equal(refused.status, 2);
    const shown = await page.$eval('#msg-symbol-width', (m) => m.textContent);
    assert.equal(shown + '\n', refused.stderr, 'the message is the command line\'s');
    assert.equal(await page.$eval('#opt-symbol-width', (e) => e.getAttribute('aria-invalid')), 'true');
    assert.equal(await page.$eval('#download', (b) => b.disabled), true, 'download blocked');
    // Mended, by keyboard alone: the download comes back.
    await page.focus('#opt-symbol-width');
    await page.keyboard.press('Backspace');
    await page.keyboard.press('Backspace');
    await page.keyboard.type('8');
    await settle(page);
    assert.equal(await page.$eval('#download', (b) => b.disabled), false, 'download back');
    let tabs = 0;
    while (!(await page.evaluate(() => document.activeElement.id === 'download')) && tabs < 40) {
      await page.keyboard.press('Tab');
      ++tabs;
    }
    assert.ok(tabs < 40, 'the download button is reached with Tab');

    assert.deepEqual(fetched, [], 'the page fetches nothing');

    // The same file from a plain static web server.
    const server = http.createServer((request, response) => {
      const file = new URL(request.url, 'http://host').pathname;
      if (file !== '/' && file !== '/index.html') {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, { 'content-type': 'text/html' });
      fs.createReadStream(page_path).pipe(response);
    });
    await new Promise((r) => server.listen(0, '127.0.0.1', r));
    try {
      await page.close();
      const served = await browser.newPage();
      served.on('pageerror', (error) => errors.push(error.message));
      await served.goto(`http://127.0.0.1:${server.address().port}/?core=viterbi`);
      await served.waitForSelector('body[data-ready="true"]', { timeout: 20000 });
      assert.equal(await served.$eval('#core', (c) => c.value), 'viterbi');
      await settle(served);
      assert.equal(await served.$eval('#download', (b) => b.disabled), false, 'served: ready to download');
    } finally {
      server.close();
    }
    assert.deepEqual(errors, [], 'no script error');
    if (failures.length > 0) {
      throw new Error(failures.join('\n'));
    }
    console.log(`page: ${size} bytes`);
    figures.forEach((f) => console.log(f));
  } finally {
    await browser.close();
  }
}

main().catch((error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
