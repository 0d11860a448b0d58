"""A sweep from Python gives exactly the rows of lurkfield-sweep, whoever plays its runs."""
import concurrent.futures
import os
import re
import signal
import subprocess
import threading

import pytest

import lurkfield
from conftest import SAMPLE, SWEEP, set_options
from test_dice_and_threads import wait_for

SWEEPS = [  # the call's arguments; the program takes the same as options
    dict(vary={"predator.sight": range(0, 7, 3), "prey.number": [10, 40]}, reps=2, turns=30, every=7),
    dict(settings={"predator.hearing": 0}, reps=3, seed=5, turns=12),
    dict(vary={"grid.x": [0, 12, 60000], "grid.y": [60000]}, turns=3, every=2),  # refused, out of memory
]


def program_files(tmp_path, vary=None, settings=None, reps=1, seed=1, turns=100, every=1):
    """The table and summary that lurkfield-sweep writes (its status says whether all runs played)."""
    varied = [option for key, values in (vary or {}).items() for option in
              ("--vary", f"{key}={lurkfield._sweep.values_text(key, values)}")]
    subprocess.run([SWEEP, "--config", SAMPLE, *set_options(settings or {}), *varied, "--reps", str(reps),
                    "--seed", str(seed), "--turns", str(turns), "--every", str(every), "--quiet",
                    "--table", tmp_path / "table.csv", "--summary", tmp_path / "summary.csv"])
    return [(tmp_path / name).read_text() for name in ("table.csv", "summary.csv")]


def as_csv(frame):
    return frame.to_csv(index=False, lineterminator="\n")


def steady(text):
    """The text without the memory available, which changes from moment to moment."""
    return re.sub(r"and \d+ MB are available", "and N MB are available", text)


@pytest.mark.parametrize("arguments", SWEEPS)
def test_the_frames_hold_the_programs_rows(tmp_path, arguments):
    table, summary = lurkfield.sweep(SAMPLE, progress=False, **arguments)
    expected = program_files(tmp_path, **arguments)
    assert [as_csv(table), steady(as_csv(summary))] == [expected[0], steady(expected[1])]


def test_an_executor_plays_the_same_rows():
    with concurrent.futures.ProcessPoolExecutor(2) as executor:
        played = lurkfield.sweep(SAMPLE, executor=executor, progress=False, **SWEEPS[0])
    forked = lurkfield.sweep(SAMPLE, jobs=1, progress=False, **SWEEPS[0])
    assert [as_csv(frame) for frame in played] == [as_csv(frame) for frame in forked]


def test_a_task_that_raises_is_a_failed_run(monkeypatch):
    def play_run(*task):
        if task[3] == 2:  # run 1's seed
            raise RuntimeError("no such worker")
        return lurkfield._lurkfield.play_run(*task)
    monkeypatch.setattr(lurkfield._sweep, "play_run", play_run)
    with concurrent.futures.ThreadPoolExecutor(2) as executor:
        _, summary = lurkfield.sweep(SAMPLE, reps=3, turns=5, executor=executor, progress=False)
    assert list(summary.outcome) == ["played", "failed", "played"]
    assert summary.message[1] == "the task failed: RuntimeError('no such worker')"


def test_a_worlds_run_records_what_the_sweep_records():
    table, _ = lurkfield.sweep(SAMPLE, seed=3, turns=25, every=4, progress=False)
    run = lurkfield.World(SAMPLE, seed=3).run(25, every=4)
    assert as_csv(run) == as_csv(table[list(run.columns)])


def children():
    """The processes this process has started and not yet reaped."""
    return [pid for task in os.listdir("/proc/self/task")
            for pid in open(f"/proc/self/task/{task}/children").read().split()]


def test_ctrl_c_ends_a_sweep_and_every_worker():
    def interrupt():
        wait_for(lambda: children())
        signal.pthread_kill(threading.main_thread().ident, signal.SIGINT)
    sender = threading.Thread(target=interrupt)
    sender.start()
    with pytest.raises(KeyboardInterrupt):
        lurkfield.sweep(SAMPLE, reps=50, turns=10**7, jobs=2, progress=False)
    sender.join()
    assert children() == []


BAD = [  # the arguments, the exception, its message
    (dict(reps=0), ValueError, "--reps needs a whole number from 1 to 1000000, not '0'"),
    (dict(every=0), ValueError, "--every needs a whole number from 1 to"),
    (dict(turns=-1), ValueError, "--turns needs a whole number, not '-1'"),
    (dict(seed=0), ValueError, "--seed needs a whole number from 1 to 4294967295, not '0'"),
    (dict(jobs=0), ValueError, "--jobs needs a whole number from 1 to 1024, not '0'"),
    (dict(reps=2.0), TypeError, "reps must be an int, not float"),
    (dict(vary={"prey": [1]}), ValueError, "would give the table two columns named 'prey'"),
    (dict(vary={"prey.number": []}), ValueError, "--vary"),
    (dict(vary={"prey.number": [1.5]}), TypeError, "must be ints"),
    (dict(vary={3: [1]}), TypeError, "key must be a str"),
    (dict(vary=[("prey.number", [1])]), TypeError, "vary must be a dict"),
    (dict(settings={"prey number": 1}), ValueError, "--set needs a KEY without blanks"),
    (dict(executor=object()), TypeError, "executor must be a concurrent.futures.Executor"),
    (dict(reeps=2), TypeError, "unexpected keyword argument 'reeps'"),
    (dict(config="missing.config"), FileNotFoundError, "No such file or directory"),
]


@pytest.mark.parametrize("arguments, error, message", BAD)
def test_bad_input_raises_the_sweeps_own_message(arguments, error, message):
    with pytest.raises(error, match=message):
        lurkfield.sweep(**{"config": SAMPLE, "progress": False, **arguments})


def test_progress_shows_the_runs_and_the_time_left(capsys):
    lurkfield.sweep(SAMPLE, reps=3, turns=5, progress=True)
    shown = capsys.readouterr().err
    assert "lurkfield.sweep: 100%" in shown and "3/3" in shown and "run/s" in shown
