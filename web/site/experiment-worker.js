// One worker of the page's experiments (experiment-workers.js), a module
// worker. Its first message hands it the page's compiled program; then it plays
// the runs it is handed one at a time, each in a fresh instance with main never
// started, so that every run is set up and draws its numbers as in a process of
// its own (srand(S + r) from the C library's start), and answers with the run's
// report: the bytes a sweep's worker sends (tools/sweep/workers/WorkerProtocol.h),
// as {run, report}, or {run, error} with what went wrong.
import { startProgram, useCompiledProgram } from './loader.js';
import { playRun } from './experiment-calls.js';

async function play(request) {
  const instance = await startProgram({ noInitialRun: true, print() {}, printErr() {} });
  return playRun(instance, request);
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

onmessage = ({ data }) => {
  if (data.program) {
    useCompiledProgram(data.program);
    if (data.warmUp) play(warmUp).catch(() => {});
    return;
  }
  play(data).then(
    (report) => postMessage({ run: data.run, report }, [report.buffer]),
    (error) => postMessage({ run: data.run, error: `run ${data.run} could not be played: ${error.message}` }));
};
