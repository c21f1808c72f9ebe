// The configurator: a form made from each core's --describe, every change
// run through ipgen's own parse, checks and build (ipgen_web.js), the
// folder zipped in the page (fflate). Nothing here knows a core: options,
// presets, messages and files all come from ipgen.
'use strict';

(async function () {
  const ipgen = await IpgenModule();
  const cores = JSON.parse(ipgen.UTF8ToString(ipgen._ipgen_web_cores()));
  // --out is required on the command line; the folder's files never name
  // it, so the checks run with a stand-in and the command shown ends with
  // the folder's own name.
  const OUT = 'folder';
  const $ = (id) => document.getElementById(id);
  const utf8 = new TextDecoder();

  // One run of ipgen over the words after "ipgen"; the summary or the refusal.
  function run(words) {
    const text = words.join('\x1f');
    const size = ipgen.lengthBytesUTF8(text) + 1;
    const pointer = ipgen._malloc(size);
    ipgen.stringToUTF8(text, pointer, size);
    const answer = ipgen.UTF8ToString(ipgen._ipgen_web_run(pointer));
    ipgen._free(pointer);
    return JSON.parse(answer);
  }

  // The files of the last run that was accepted, as bytes.
  function folderFiles() {
    const files = [];
    const count = ipgen._ipgen_web_count();
    for (let i = 0; i < count; ++i) {
      const data = ipgen._ipgen_web_data(i);
      files.push({
        name: ipgen.UTF8ToString(ipgen._ipgen_web_name(i)),
        bytes: ipgen.HEAPU8.slice(data, data + ipgen._ipgen_web_size(i)),
      });
    }
    return files;
  }

  function element(tag, attributes, text) {
    const node = document.createElement(tag);
    for (const [key, value] of Object.entries(attributes || {})) {
      node.setAttribute(key, value);
    }
    if (text !== undefined) {
      node.textContent = text;
    }
    return node;
  }

  // An option's default as the command line spells it.
  function defaultText(option) {
    const value = option.default;
    if (value === null || option.kind === 'flag') {
      return '';
    }
    if (Array.isArray(value)) {
      return value.map((v) => (option.kind === 'octal_list' ? v.toString(8) : String(v))).join(',');
    }
    return String(value);
  }

  let core = null;
  let fields = [];
  let current = null; // the last run's answer

  // One labelled control per option, made from its kind.
  function makeField(option, exampleValue) {
    const id = 'opt-' + option.name;
    const row = element('div', { class: 'field' });
    const label = element('label', { for: id }, '--' + option.name + ' ');
    if (option.value_name) {
      label.append(element('span', { class: 'value-name' }, option.value_name));
    }
    const tip = option.help + (option.accepted ? ' (accepted: ' + option.accepted + ')' : '') +
      (option.default_rule ? ' (default: ' + option.default_rule + ')' : '');
    const field = { option, initial: '', row };
    let input;
    if (option.kind === 'flag' && option.default !== null) {
      input = element('input', { id, type: 'checkbox' });
      input.checked = option.default === true;
      field.initial = input.checked;
      if (input.checked && !option.negatable) {
        input.disabled = true; // the command line cannot clear it
      }
    } else if (option.kind === 'flag') {
      // No fixed default: left to the core's rule, or set either way.
      input = element('select', { id });
      input.append(element('option', { value: '' }, 'default: ' + option.default_rule));
      input.append(element('option', { value: 'yes' }, 'yes (--' + option.name + ')'));
      if (option.negatable) {
        input.append(element('option', { value: 'no' }, 'no (--no-' + option.name + ')'));
      }
    } else if (option.kind === 'choice') {
      input = element('select', { id });
      if (option.default === null) {
        input.append(element('option', { value: '' },
          option.required ? '(choose one)' : 'default: ' + option.default_rule));
      }
      for (const name of option.choices) {
        input.append(element('option', { value: name }, name));
      }
      input.value = exampleValue !== undefined ? exampleValue : defaultText(option);
      field.initial = defaultText(option);
    } else if (option.kind === 'file') {
      input = element('input', { id, type: 'file' });
    } else {
      input = element('input', {
        id, type: 'text', autocomplete: 'off', spellcheck: 'false',
        inputmode: option.kind === 'integer' ? 'numeric' : 'text',
      });
      field.initial = defaultText(option);
      input.value = exampleValue !== undefined ? exampleValue : field.initial;
      input.placeholder = option.default_rule ? 'default: ' + option.default_rule
        : option.required_unless ? 'required unless --' + option.required_unless
        : option.required ? 'required' : '';
    }
    input.title = tip;
    const help = element('p', { class: 'help', id: 'help-' + option.name }, option.help);
    const message = element('p', { class: 'message', id: 'msg-' + option.name, role: 'alert' });
    input.setAttribute('aria-describedby', help.id + ' ' + message.id);
    row.append(label, input, help, message);
    field.input = input;
    field.message = message;
    if (option.kind === 'file') {
      input.addEventListener('change', async () => {
        const file = input.files[0];
        field.file = null;
        if (file) {
          // Read by ipgen from its in-memory file system, by name.
          ipgen.FS.writeFile(ipgen.FS.cwd().replace(/\/$/, '') + '/' + file.name,
            new Uint8Array(await file.arrayBuffer()));
          field.file = file.name;
        }
        update();
      });
    }
    return field;
  }

  // The words of the command line the form stands for: the values that
  // differ from the defaults, every required one, the prefix, --out.
  function words() {
    const list = [core.core];
    for (const field of fields) {
      const option = field.option;
      const flag = '--' + option.name;
      if (option.kind === 'flag' && field.input.type === 'checkbox') {
        if (field.input.checked !== field.initial) {
          list.push(field.input.checked ? flag : '--no-' + option.name);
        }
      } else if (option.kind === 'flag') {
        if (field.input.value) {
          list.push(field.input.value === 'yes' ? flag : '--no-' + option.name);
        }
      } else if (option.kind === 'file') {
        if (field.file) {
          list.push(flag, field.file);
        }
      } else {
        const value = field.input.value;
        if (option.required || option.default === null ? value !== '' : value !== field.initial) {
          list.push(flag, value);
        }
      }
    }
    if ($('opt-prefix').value !== '') {
      list.push('--prefix', $('opt-prefix').value);
    }
    list.push('--out', OUT);
    return list;
  }

  function chooseCore(name) {
    core = cores.find((c) => c.core === name);
    $('core').value = name;
    $('core-summary').textContent = core.summary;
    // A core with required options starts from the configuration its
    // --describe shows (its example), the others from their defaults.
    const example = {};
    const configuration = (core.interface && core.interface.configuration) || [];
    for (let i = 2; i < configuration.length; ++i) {
      if (configuration[i].startsWith('--') && i + 1 < configuration.length &&
          !configuration[i + 1].startsWith('--')) {
        example[configuration[i].slice(2)] = configuration[i + 1];
      }
    }
    fields = core.options.map((option) =>
      makeField(option, option.required ? example[option.name] : undefined));
    // A standard, where the core has one, is the preset: first, apart.
    const preset = fields.find((f) => f.option.name === 'standard' && f.option.kind === 'choice');
    $('preset').replaceChildren(...(preset ? [preset.row] : []));
    if (preset) {
      preset.row.querySelector('label').prepend('Preset ');
      // A preset gives the values it names: the fields required unless it
      // is chosen are emptied while one is (the example's values come back
      // when it is cleared), so ipgen takes them from the preset.
      preset.input.addEventListener('change', () => {
        for (const f of fields) {
          if (f.option.required_unless === preset.option.name) {
            f.input.value = preset.input.value ? '' : (example[f.option.name] || '');
          }
        }
        update();
      });
    }
    $('options').replaceChildren(...fields.filter((f) => f !== preset).map((f) => f.row));
    update();
  }

  function shellWord(word) {
    return /^[A-Za-z0-9_,.\/:=+@%-]+$/.test(word) ? word : "'" + word.replace(/'/g, "'\\''") + "'";
  }

  function fillTable(id, rows) {
    const body = $(id).tBodies[0];
    body.replaceChildren(...rows.map((cells) => {
      const tr = element('tr');
      for (const cell of cells) {
        tr.append(element('td', {}, String(cell)));
      }
      return tr;
    }));
  }

  // The README's sections on latency and throughput, as the folder states them.
  function timingSections(readme) {
    const sections = [];
    const parts = readme.split(/^(?=## )/m);
    for (const part of parts) {
      const heading = part.split('\n', 1)[0];
      if (/^## .*(latency|throughput)/i.test(heading)) {
        sections.push({ heading: heading.slice(3), text: part.slice(heading.length).trim() });
      }
    }
    return sections;
  }

  function words_of(text) {
    return new Set(text.toLowerCase().split(/[^a-z0-9]+/).filter((w) => w));
  }

  // The nearest measured row: of this core's tables in bench/README.md,
  // the row whose first cell shares the most words with this
  // configuration's title, name and values, then the one with the fewest
  // other words; a table none of whose rows shares a word is shown whole.
  function showBench(answer) {
    const box = $('bench');
    box.replaceChildren();
    const tables = (window.IPGEN_BENCH || {})[answer.source_dir] || [];
    if (tables.length === 0) {
      box.append(element('p', {}, 'No measured figures in bench/README.md for this core.'));
      return;
    }
    const mine = words_of([answer.title, answer.name, ...answer.values.map((r) => r[1])].join(' '));
    for (const table of tables) {
      let best = null;
      for (const row of table.rows) {
        const cell = words_of(row[0]);
        let shared = 0;
        for (const w of cell) {
          shared += mine.has(w) ? 1 : 0;
        }
        const score = shared * 100 - (cell.size - shared);
        if (shared > 0 && (best === null || score > best.score)) {
          best = { row, score };
        }
      }
      box.append(element('p', {}, table.section + (best ? ': nearest measured configuration' : '')));
      const t = element('table');
      const head = element('tr');
      table.header.forEach((h) => head.append(element('th', { scope: 'col' }, h)));
      t.append(element('thead'), element('tbody'));
      t.tHead.append(head);
      for (const row of best ? [best.row] : table.rows) {
        const tr = element('tr');
        row.forEach((c) => tr.append(element('td', {}, c)));
        t.tBodies[0].append(tr);
      }
      box.append(t);
    }
    box.append(element('p', { class: 'note' },
      'Nearest: the row whose configuration shares the most words with this one\'s title, ' +
      'folder name and values (fewest other words on a tie). The figures were measured on ' +
      'that configuration, not necessarily this one; a table that names no configuration is ' +
      'shown whole.'));
  }

  function showSummary(answer) {
    const command = answer.command.concat(
      $('opt-prefix').value !== '' ? ['--prefix', $('opt-prefix').value] : [],
      ['--out', answer.name]);
    $('title').textContent = answer.title + ' (folder ' + answer.name + ')';
    $('command').textContent = command.map(shellWord).join(' ');
    $('top').textContent = answer.top;
    fillTable('values', answer.values);
    fillTable('ports', answer.interface.top_ports.map((p) => [p.name, p.direction, p.width, p.meaning]));
    const timing = $('timing');
    timing.replaceChildren();
    for (const row of answer.values) {
      if (/clocks per|latency|throughput/i.test(row[0])) {
        timing.append(element('p', {}, row[0] + ': ' + row[1] + ' (' + row[2] + ')'));
      }
    }
    const readme = folderFiles().find((f) => f.name === 'README.md');
    for (const section of timingSections(readme ? utf8.decode(readme.bytes) : '')) {
      // The first paragraph in view, the whole section a click away.
      const first = section.text.split(/\n\s*\n/, 1)[0];
      timing.append(element('p', {}, section.heading + ': ' + first.replace(/\s+/g, ' ')));
      const details = element('details');
      details.append(element('summary', {}, 'the whole section "' + section.heading +
        '" of the folder\'s README.md'));
      details.append(element('pre', { class: 'readme' }, section.text));
      timing.append(details);
    }
    showBench(answer);
  }

  let pending = 0;
  function update() {
    clearTimeout(pending);
    pending = setTimeout(check, 60);
  }

  // Runs ipgen over the form; its refusal goes next to the field it names.
  function check() {
    for (const field of fields) {
      field.message.textContent = '';
      field.input.removeAttribute('aria-invalid');
    }
    $('msg-prefix').textContent = '';
    $('message').textContent = '';
    $('status').textContent = '';
    current = run(words());
    $('download').disabled = !current.ok;
    $('summary').hidden = !current.ok;
    if (!current.ok) {
      const line = current.message.replace(/\n$/, '');
      const named = /^ipgen: --(?:no-)?([A-Za-z0-9-]+)/.exec(line);
      const field = named && fields.find((f) => f.option.name === named[1]);
      if (field) {
        field.message.textContent = line;
        field.input.setAttribute('aria-invalid', 'true');
      } else if (named && named[1] === 'prefix') {
        $('msg-prefix').textContent = line;
      } else {
        $('message').textContent = line;
      }
      return;
    }
    showSummary(current);
  }

  function download() {
    const started = performance.now();
    const answer = run(words());
    if (!answer.ok) {
      check();
      return;
    }
    const entries = {};
    const mtime = new Date();
    for (const file of folderFiles()) {
      entries[answer.name + '/' + file.name] = [file.bytes, { mtime }];
    }
    const zip = fflate.zipSync(entries, { level: 6 });
    const url = URL.createObjectURL(new Blob([zip], { type: 'application/zip' }));
    const link = element('a', { href: url, download: answer.name + '.zip' });
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
    const ms = performance.now() - started;
    document.body.dataset.zipMs = ms.toFixed(1);
    $('status').textContent = answer.name + '.zip: ' + Object.keys(entries).length + ' files, ' +
      Math.round(zip.length / 1024) + ' KiB, ready in ' + Math.round(ms) + ' ms';
  }

  for (const c of cores) {
    $('core').append(element('option', { value: c.core }, c.core));
  }
  $('core').addEventListener('change', () => chooseCore($('core').value));
  $('options').addEventListener('input', update);
  $('preset').addEventListener('input', update);
  $('opt-prefix').addEventListener('input', update);
  $('download').addEventListener('click', download);
  $('copy').addEventListener('click', async () => {
    try {
      await navigator.clipboard.writeText($('command').textContent);
      $('status').textContent = 'command copied';
    } catch (error) {
      getSelection().selectAllChildren($('command')); // copy by hand
    }
  });
  const wanted = new URLSearchParams(location.search).get('core');
  chooseCore(cores.some((c) => c.core === wanted) ? wanted : cores[0].core);
  document.body.dataset.ready = 'true';
})();
