// The experiment's functions of the program (web/ExperimentExports.cpp), as the
// page and its workers call them on an instance that the loader made. Each gives
// the numbers or bytes the program answers; when the program refuses (options
// it does not take, say) it throws a Refusal with the program's own message,
// and when the program itself fails in the call, the program's error.
//   planExperiment(instance, options, settings)  begins the instance's experiment: {runs}
//   playRun(instance, {options, settings, run})  a worker's: the run's report (bytes)
//   keepReport(instance, run, report)            hands a worker's report to the experiment
//   experimentPlaying(instance, workers, address) who plays the runs, from which page
//   experimentStopped(instance)                  no more runs are played
//   experimentFile(instance, name)               'table' or 'summary': the file's bytes
//   experimentRecord(instance, tableFile)        the record of the table downloaded as
//                                                tableFile (the sweep's FILE.json)
//   experimentOutcome(instance)                  {tally: {played, not_played: {outcome:
//                                                runs}}, chart: {lines, problem}}

export class Refusal extends Error {}

const text = new TextDecoder();

function call(instance, name, types, args) {
  const done = instance.ccall(name, 'number', types, args);
  const at = instance.ccall('experiment_answer', 'number', [], []);
  const size = instance.ccall('experiment_answer_size', 'number', [], []);
  const bytes = instance.HEAPU8.slice(at, at + size);
  if (!done) throw new Refusal(text.decode(bytes));
  return bytes;
}

const json = (bytes) => JSON.parse(text.decode(bytes));

export function planExperiment(instance, options, settings) {
  return json(call(instance, 'experiment_plan', ['string', 'string'], [options, settings]));
}

export function playRun(instance, { options, settings, run }) {
  return call(instance, 'experiment_run', ['string', 'string', 'number'], [options, settings, run]);
}

export function keepReport(instance, run, report) {
  const at = instance.ccall('experiment_report_space', 'number', ['number'], [report.length]);
  instance.HEAPU8.set(report, at);
  call(instance, 'experiment_report', ['number'], [run]);
}

export function experimentPlaying(instance, workers, address) {
  call(instance, 'experiment_playing', ['number', 'string'], [workers, address]);
}

export function experimentStopped(instance) {
  call(instance, 'experiment_stopped', [], []);
}

export function experimentFile(instance, name) {
  return call(instance, 'experiment_file', ['string'], [name]);
}

export function experimentRecord(instance, tableFile) {
  return call(instance, 'experiment_record', ['string'], [tableFile]);
}

export function experimentOutcome(instance) {
  return json(call(instance, 'experiment_outcome', [], []));
}
