// The Web Workers that play an experiment's runs (experiment-worker.js, module
// workers), one per core. They are started ahead, each handed the page's
// compiled program (loader.js), so that an experiment begins at once and no
// worker compiles the program again; the first of a page play a small world
// while the user is still choosing, so that the engine has optimized the code
// before the first run that counts. An experiment's workers end with it; new
// ones are started for the next.
//   takeWorkers(count)  up to `count` workers (a promise), at most one per core
//   startSpareWorkers() starts the spares now (a promise)
// A worker's answers and its failure go to the listener it serves:
//   worker.serve({answer(data), failed(why)}); worker.play(request); worker.end()
// A worker that could not start, or that throws, is failed, also when that
// happened before it served anyone.
import { compiledProgram } from './loader.js';

const cores = () => Math.max(1, navigator.hardwareConcurrency || 1);
const spare = [];
let warmedUp = false;

class RunWorker {
  constructor(program, warmUp) {
    this.failure = null;
    this.listener = null;
    this.worker = new Worker(new URL('experiment-worker.js', import.meta.url), { type: 'module' });
    this.worker.onmessage = (event) => this.listener && this.listener.answer(event.data);
    this.worker.onerror = (event) => {
      event.preventDefault();
      this.fail(event.message || 'a worker of the experiment could not start');
    };
    this.worker.onmessageerror = () => this.fail('a worker\'s answer could not be read');
    this.worker.postMessage({ program, warmUp });
  }

  fail(why) {
    if (this.failure === null) this.failure = why;
    if (this.listener) this.listener.failed(this.failure);
  }

  serve(listener) {
    this.listener = listener;
    if (this.failure !== null) queueMicrotask(() => listener.failed(this.failure));
  }

  play(request) {
    this.worker.postMessage(request);
  }

  end() {
    this.listener = null;
    this.worker.terminate();
  }
}

export async function startSpareWorkers() {
  const program = await compiledProgram();
  while (spare.length < cores()) spare.push(new RunWorker(program, !warmedUp));
  warmedUp = true;
}

export async function takeWorkers(count) {
  await startSpareWorkers();
  return spare.splice(0, Math.min(count, cores()));
}
