// One worker of the page's experiments (web/experiment.js). It plays the runs
// it is handed one at a time, each in a fresh instance of lurkfield.wasm with main never
// started,
// so that every run is set up and draws its numbers as in a process of its own
// (srand(S + r) from the C library's start), and answers with the run's table
// and summary rows as lurkfield-sweep writes them.
'use strict';

importScripts('lurkfield.js');

// Compiled once per worker; instantiated anew for every run.
const compiled = WebAssembly.compileStreaming(fetch('lurkfield.wasm'));

async function play(request) {
  const module = await compiled;
  const instance = await createLurkfield({
      noInitialRun: true,
    instantiateWasm(imports, done) {
      WebAssembly.instantiate(module, imports).then((made) => done(made));
      return {};
    },
    print() {},
    printErr() {},
  });
  return JSON.parse(instance.ccall('experiment_run', 'string', ['string', 'string', 'number'],
    [request.options, request.settings, request.run]));
}

onmessage = (event) => {
  const request = event.data;
  play(request).then(
    (answer) => postMessage({ run: request.run, ...answer }),
    (error) => postMessage({ run: request.run, error: `run ${request.run} could not run: ${error}` }));
};
