// The page around the board. It starts the program on the settings in the editor
// (a fresh instance of lurkfield.wasm for every start, as a process would be, with
// the text as its lurkfield.config), shows the turn and a chart of the prey and
// predators after every turn, runs turns from its own buttons (Turn, Play/Pause at
// a chosen speed), keeps the board as a picture (PNG) or a movie (WebM), and
// shares a world as a link (#config=<text>).
// The board is the program's own: the page never draws on the canvas.
'use strict';

(() => {
  const byId = (id) => document.getElementById(id);
  const board = byId('board');
  const boardStatus = byId('board-status');
  const config = byId('config');
  const linkStatus = byId('link-status');

  // Compiled once; every start makes a new instance of it, and the experiments
  // (experiment.js) send it to their workers.
  const compiled = WebAssembly.compileStreaming(fetch('lurkfield.wasm'));
  window.lurkfieldModule = compiled;

  // The turn number, the counts and their chart, from the program's census
  // (web/Census.cpp), asked for each time it looks for its next message: so after
  // every turn.
  function createPopulation() {
    const turnOutput = byId('turn');
    const preyOutput = byId('prey');
    const predatorsOutput = byId('predators');
    const chartBox = byId('chart');
    const style = getComputedStyle(document.documentElement);
    const data = [[], [], []];
    let turn = 0;
    let lastSerial = null;
    let drawPending = false;
    const chart = new uPlot({
      width: chartBox.clientWidth || 300,
      height: 220,
      scales: { x: { time: false } },
      // Whole turns only on the turn axis.
      axes: [{ label: 'turn', incrs: [1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000] }, {}],
      legend: { show: false },
      series: [
        { label: 'Turn' },
        { label: 'Prey', stroke: style.getPropertyValue('--prey').trim(), width: 2 },
        { label: 'Predators', stroke: style.getPropertyValue('--predators').trim(), width: 2 },
      ],
    }, data, chartBox);
    new ResizeObserver(() => chart.setSize({ width: chartBox.clientWidth, height: 220 }))
      .observe(chartBox);

    function drawSoon() {
      if (drawPending) return;
      drawPending = true;
      requestAnimationFrame(() => {
        drawPending = false;
        chart.setData(data);
      });
    }

    return {
      reset() {
        turn = 0;
        lastSerial = null;
        data.forEach((series) => { series.length = 0; });
        turnOutput.value = '0';
        preyOutput.value = predatorsOutput.value = '–';
        board.setAttribute('aria-label', 'The board');
        drawSoon();
      },
      // True when the census is that of a new turn.
      update(census) {
        if (census.serial === lastSerial) return false;
        if (lastSerial !== null) turn += 1;
        lastSerial = census.serial;
        data[0].push(turn);
        data[1].push(census.prey);
        data[2].push(census.predators);
        turnOutput.value = String(turn);
        preyOutput.value = String(census.prey);
        predatorsOutput.value = String(census.predators);
        board.setAttribute('aria-label', `The board after turn ${turn}: ` +
          `${census.prey} prey, ${census.predators} predators, ${census.obstacles} obstacles`);
        drawSoon();
        return true;
      },
    };
  }

  // Turn and Play/Pause. Every turn is the space that the board's key would type,
  // handed to the program's window as that key's character message, so the game
  // cannot tell them apart. Play hands on the next space only once the turn of
  // the last one is shown, then after the rest of the interval its speed sets
  // (at the fastest, at once: the program repaints the board every turn).
  function createTurnControls() {
    const step = byId('step');
    const play = byId('play');
    const speed = byId('speed');
    const space = 32;
    let run = null; // the program whose window takes the turns
    let playing = false;
    let waiting = false; // a turn was handed on and is not shown yet
    let timer = null;
    let sentAt = 0;

    function send() {
      timer = null;
      if (!run || waiting) return;
      sentAt = performance.now();
      waiting = true;
      run.module.typeCharacter(space);
    }

    function setPlaying(on) {
      playing = on;
      play.setAttribute('aria-pressed', String(on));
      play.textContent = on ? 'Pause' : 'Play';
      clearTimeout(timer);
      timer = null;
      if (on) send();
    }

    step.addEventListener('click', () => {
      setPlaying(false);
      send();
    });
    play.addEventListener('click', () => setPlaying(!playing));

    return {
      opened(programRun) {
        run = programRun;
        waiting = false;
        step.disabled = play.disabled = false;
      },
      ended() {
        setPlaying(false);
        run = null;
        step.disabled = play.disabled = true;
      },
      turnShown() {
        waiting = false;
        if (!playing || timer !== null) return;
        const interval = Number(speed.value) > 0 ? 1000 / Number(speed.value) : 0;
        timer = setTimeout(send, Math.max(0, interval - (performance.now() - sentAt)));
      },
    };
  }

  // Offers a file to the browser's downloads.
  function download(blob, name) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  // The board kept: a PNG of exactly the canvas's pixels, and a WebM movie of
  // the canvas (MediaRecorder) with a frame for every repaint of the program.
  function createKeeping(turnShown) {
    const picture = byId('save-picture');
    const record = byId('record');
    const status = byId('keep-status');
    let recording = null;

    picture.addEventListener('click', () => {
      const turn = turnShown();
      board.toBlob((png) => download(png, `lurkfield-turn-${turn}.png`), 'image/png');
    });

    function startRecording(module) {
      if (typeof MediaRecorder === 'undefined' || !board.captureStream) {
        status.textContent = 'This browser cannot record the board.';
        return;
      }
      const stream = board.captureStream(0);
      const track = stream.getVideoTracks()[0];
      const recorder = new MediaRecorder(stream, { mimeType: 'video/webm' });
      const chunks = [];
      const first = turnShown();
      recorder.ondataavailable = (event) => { if (event.data.size > 0) chunks.push(event.data); };
      recorder.onstop = () => {
        track.stop();
        download(new Blob(chunks, { type: 'video/webm' }), `lurkfield-turns-${first}-${recording.last}.webm`);
        recording = null;
        status.textContent = '';
      };
      recording = { recorder, module, last: first };
      module.onPresent = () => track.requestFrame();
      recorder.start();
      track.requestFrame();
      record.setAttribute('aria-pressed', 'true');
      record.textContent = 'Stop recording';
      status.textContent = `Recording from turn ${first}…`;
    }

    function stopRecording() {
      if (!recording || recording.recorder.state === 'inactive') return;
      recording.last = turnShown();
      delete recording.module.onPresent;
      recording.recorder.stop();
      record.setAttribute('aria-pressed', 'false');
      record.textContent = 'Record a movie';
    }

    return {
      opened(run) {
        picture.disabled = record.disabled = false;
        record.onclick = () => (recording ? stopRecording() : startRecording(run.module));
      },
      ended() {
        stopRecording();
        picture.disabled = record.disabled = true;
      },
    };
  }

  const population = createPopulation();
  const controls = createTurnControls();
  const keeping = createKeeping(() => byId('turn').value);
  let current = null;

  function say(text) {
    boardStatus.textContent = text;
  }

  // A start replaces the program before it. One waiting for input ends at once
  // through its window's close (WM_CLOSE, as a desktop user would close it); one
  // that has not opened its window yet is left a canvas of its own that nobody sees.
  function start(text) {
    controls.ended();
    keeping.ended();
    if (current) {
      current.replaced = true;
      if (current.module.closeWindow) current.module.closeWindow();
      else current.module.canvas = document.createElement('canvas');
    }
    current = launch(text);
  }

  function launch(text) {
    const run = { replaced: false, opened: false };
    population.reset();
    say('Starting the program…');
    run.module = {
      canvas: board,
      preRun: [() => run.module.FS.writeFile('lurkfield.config', text)],
      // Running now: a message box may come before any window.
      onRuntimeInitialized: () => { if (!run.replaced) say(''); },
      instantiateWasm(imports, receive) {
        compiled.then((module) => WebAssembly.instantiate(module, imports)
          .then((instance) => receive(instance, module)))
          .catch((error) => failed(run, error));
        return {};
      },
      onGetMessage() {
        if (run.replaced) return;
        if (!run.opened) {
          run.opened = true;
          say('');
          board.focus();
          controls.opened(run);
          keeping.opened(run);
        }
        run.module._lurkfield_census();
      },
      onCensus(census) {
        if (!run.replaced && population.update(census)) controls.turnShown();
      },
      onProgramEnd(exitCode) {
        if (run.replaced) return;
        controls.ended();
        keeping.ended();
        say(`The program ended (exit code ${exitCode}). Press Start to run it again.`);
      },
      // Emscripten's end for what the program cannot survive (memory beyond the browser's).
      onAbort: (what) => failed(run, what),
      print: (line) => console.log(line),
      printErr: (line) => console.warn(line),
    };
    createLurkfield(run.module).catch((error) => failed(run, error));
    return run;
  }

  function failed(run, error) {
    if (run.replaced) return;
    controls.ended();
    keeping.ended();
    say(`The program could not run: ${error}`);
    console.warn(error);
  }

  // The settings a link carries, or null.
  function textFromAddress() {
    const prefix = '#config=';
    if (!location.hash.startsWith(prefix)) return null;
    try {
      // An experiment's link carries its options after the settings (web/experiment.js).
      const end = location.hash.indexOf('&experiment=');
      return decodeURIComponent(location.hash.slice(prefix.length, end < 0 ? undefined : end));
    } catch (malformed) {
      linkStatus.textContent = 'The link holds no readable settings; here is the sample world.';
      return null;
    }
  }

  function startOnAddress() {
    const text = textFromAddress();
    if (text !== null) config.value = text;
    start(config.value);
  }

  byId('start').addEventListener('click', () => start(config.value));
  config.addEventListener('keydown', (key) => {
    if (key.key === 'Enter' && (key.ctrlKey || key.metaKey)) {
      key.preventDefault();
      start(config.value);
    }
  });

  byId('copy-link').addEventListener('click', async () => {
    const url = new URL(location.href);
    url.hash = 'config=' + encodeURIComponent(config.value);
    const link = byId('link');
    link.value = url.href;
    link.hidden = false;
    try {
      await navigator.clipboard.writeText(url.href);
      linkStatus.textContent = 'Link copied: it opens this page on these settings.';
    } catch (refused) {
      link.select();
      linkStatus.textContent = 'Copy the link below: it opens this page on these settings.';
    }
  });

  window.addEventListener('hashchange', () => {
    if (textFromAddress() !== null) startOnAddress();
  });
  startOnAddress();
})();
