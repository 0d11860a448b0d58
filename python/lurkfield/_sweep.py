"""lurkfield.sweep: lurkfield-sweep's runs from Python, its table and summary as pandas frames."""
import concurrent.futures
import operator
import os
import sys

from . import _lurkfield, _frames
from ._settings import dict_lines, int_text, setting_lines, settings_text


def sweep(config="lurkfield.config", *, text=None, settings=None, vary=None, reps=1, seed=1,
          turns=100, every=1, jobs=None, executor=None, progress=None):
    """Runs the sweep of `lurkfield-sweep --config CONFIG --set ... --vary ... --reps REPS
    --seed SEED --turns TURNS --every EVERY [--jobs JOBS]` and returns (table, summary): two
    pandas DataFrames with exactly the columns, values and run order of its table and summary.

    The runs go to the sweep's own worker processes, `jobs` at once (default: one per core), or,
    with `executor` (any concurrent.futures.Executor), one task each to that executor. `progress`
    shows a progress bar (tqdm); by default in a notebook or a terminal.
    """
    args = [option for line in setting_lines(settings) for option in ("--set", line)]
    args += [option for line in vary_lines(vary) for option in ("--vary", line)]
    for option, value in (("--reps", reps), ("--seed", seed), ("--turns", turns), ("--every", every)):
        args += [option, int_text(option.lstrip("-"), value)]
    if jobs is not None:
        args += ["--jobs", int_text("jobs", jobs)]
    planned = _lurkfield.Sweep(args, os.fsdecode(config), settings_text(config, text))
    _frames.need_pandas()
    with progress_bar(progress, planned.runs) as shown:
        if executor is None:
            planned.play_on_workers(shown)
        else:
            play_on(executor, planned, shown, jobs)
    return _frames.sweep_frames(planned)


def vary_lines(vary):
    """Each varied key as --vary takes it, "KEY=VALUES", in the dict's order."""
    return dict_lines("vary", vary, values_text)


def values_text(key, values):
    """VALUES of --vary: a range as FIRST:STEP:LAST, ints as V1,V2,..., a str as it stands."""
    if isinstance(values, str):
        return values
    if isinstance(values, range):
        last = values.stop - (1 if values.step > 0 else -1)
        return f"{values.start}:{values.step}:{last}"
    try:
        listed = list(values)
    except TypeError:
        listed = [values]
    if not all(hasattr(value, "__index__") and not isinstance(value, bool) for value in listed):
        raise TypeError(f"the values of {key} must be ints (a list, a tuple or a range) or a str, "
                        f"not {values!r}")
    return ",".join(str(operator.index(value)) for value in listed)


def play_on(executor, planned, shown, jobs):
    """Hands every run to the executor as a task and takes the reports back as they come."""
    if not isinstance(executor, concurrent.futures.Executor):
        raise TypeError(f"executor must be a concurrent.futures.Executor, not {type(executor).__name__}")
    players = jobs or getattr(executor, "_max_workers", None) or planned.jobs
    playing, position = {}, 0
    try:
        while not planned.finished():
            while planned.may_start(position, players):
                run = planned.run_at(position)
                playing[executor.submit(play_run, *planned.task(run))] = run
                position += 1
            done, _ = concurrent.futures.wait(playing, return_when=concurrent.futures.FIRST_COMPLETED)
            for future in done:
                run = playing.pop(future)
                try:
                    reports = future.result()
                except Exception as failure:  # as a worker that died: the run failed, the sweep goes on
                    planned.fail(run, f"the task failed: {failure!r}")
                else:
                    planned.report(run, reports)
            shown(planned.runs_ended)
    finally:
        for future in playing:
            future.cancel()


def play_run(config, text, lines, seed, turns, every):
    """One run of a sweep, played where the executor runs it: its reports as bytes."""
    return _lurkfield.play_run(config, text, lines, seed, turns, every)


class progress_bar:
    """A tqdm bar over the runs, as a callable given the runs ended so far; or nothing shown."""

    def __init__(self, wanted, runs):
        if wanted is None:
            wanted = in_notebook() or sys.stderr.isatty()
        self.bar = None
        if wanted:
            self.bar = tqdm_class()(total=runs, unit="run", desc="lurkfield.sweep")

    def __enter__(self):
        return self

    def __call__(self, ended):
        if self.bar is not None:
            self.bar.update(ended - self.bar.n)

    def __exit__(self, *failure):
        if self.bar is not None:
            self.bar.close()


def tqdm_class():
    """tqdm's widget in a notebook that has ipywidgets, its text bar elsewhere."""
    if in_notebook():
        try:
            import ipywidgets  # noqa: F401
            from tqdm.notebook import tqdm
            return tqdm
        except ImportError:
            pass
    from tqdm.std import tqdm
    return tqdm


def in_notebook():
    shell = sys.modules.get("IPython") and sys.modules["IPython"].get_ipython()
    return shell is not None and type(shell).__name__ == "ZMQInteractiveShell"
