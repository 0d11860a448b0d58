// One worker of the page's experiments (web/experiment.js). It plays the runs it
// is handed one at a time, each in a fresh instance of lurkfield.wasm with main
// never started, so that every run is set up and draws its numbers as in a
// process of its own (srand(S + r) from the C library's start), and answers with
// the run's table and summary rows as lurkfield-sweep writes them.
'use strict';

importScripts('lurkfield.js');

// Compiled once by the page and sent to every worker (its first message), so that
// no worker compiles it again and the code the engine optimizes is shared by all;
// instantiated anew for every run.
let compiled = null;

async function play(request) {
  const module = compiled;
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

// A small world played once and thrown away by the first workers of a page, while
// the user is still choosing: the engine compiles a function at its best only once
// it has run a while, and that code serves every worker and run after.
const warmUp = {
  options: '--turns 300',
  settings: 'grid.x 60\ngrid.y 40\nobstacle.density 10\nprey.number 300\npredator.number 30\n' +
    'prey.reaction_time 1\npredator.reaction_time 1\npredator.hearing 5\npredator.sight 5\n' +
    'prey.eatable 1\nobstacle.blocks_los 1\n',
  run: 0,
};

onmessage = (event) => {
  if (event.data.module) {
    compiled = event.data.module;
    if (event.data.warmUp) play(warmUp).catch(() => {});
    return;
  }
  const request = event.data;
  play(request).then(
    (answer) => postMessage({ run: request.run, ...answer }),
    (error) => postMessage({ run: request.run, error: `run ${request.run} could not run: ${error}` }));
};
