"""Worlds keep their own dice, take turns on the one simulation, and let other threads run."""
import ctypes
import signal
import threading
import time

import numpy as np
import pytest

import lurkfield
from conftest import SAMPLE

SEEDS = [None, 5, 9]


def boards(world, turns):
    played = [world.kinds()]
    for _ in range(turns):
        world.step()
        played.append(world.kinds())
    return played


@pytest.fixture(scope="module")
def alone():
    return {seed: boards(lurkfield.World(SAMPLE, seed=seed), 30) for seed in SEEDS}


def test_worlds_stepped_in_turns_play_the_games_each_plays_alone(alone):
    worlds = {seed: lurkfield.World(SAMPLE, seed=seed) for seed in SEEDS}
    for turn in range(31):
        for seed, world in worlds.items():
            np.testing.assert_array_equal(world.kinds(), alone[seed][turn])
            world.step()


def test_worlds_stepped_by_threads_at_once_play_the_games_each_plays_alone(alone):
    played = {}
    threads = [threading.Thread(target=lambda s=seed: played.setdefault(
        s, boards(lurkfield.World(SAMPLE, seed=s), 30))) for seed in SEEDS]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    for seed in SEEDS:
        np.testing.assert_array_equal(played[seed], alone[seed])


def test_a_world_leaves_the_process_sequence_as_it_found_it():
    libc = ctypes.CDLL(None)
    libc.srand(11)
    expected = [libc.rand() for _ in range(3)]
    libc.srand(11)
    drawn = [libc.rand()]
    world = lurkfield.World(SAMPLE, seed=4)
    world.step(20)
    drawn.append(libc.rand())
    world.picture(4, selected=(0, 0)), world.sees(0, 0)
    del world
    drawn.append(libc.rand())
    assert drawn == expected


def test_a_long_step_lets_the_other_threads_run():
    busy = lurkfield.World(SAMPLE, settings={"grid.x": 400, "grid.y": 400, "prey.number": 20000})
    stepping = threading.Thread(target=busy.step, args=(2000,))
    stepping.start()
    wait_for(lambda: busy.turn > 0)
    other = lurkfield.World(SAMPLE)
    other.step(3)
    assert other.census().prey > 0 and stepping.is_alive()
    stepping.join()
    assert busy.turn == 2000


def wait_for(condition, seconds=60):
    deadline = time.monotonic() + seconds
    while not condition():
        assert time.monotonic() < deadline, "waited in vain"


def interrupt_when(condition):
    """SIGINT to the process once `condition` holds, from another thread."""
    def send():
        wait_for(condition)
        signal.pthread_kill(threading.main_thread().ident, signal.SIGINT)
    sender = threading.Thread(target=send)
    sender.start()
    return sender


def test_ctrl_c_stops_a_step_between_two_turns():
    world = lurkfield.World(SAMPLE)
    sender = interrupt_when(lambda: world.turn > 0)
    with pytest.raises(KeyboardInterrupt):
        world.step(10**9)
    sender.join()
    stopped = world.turn
    world.step()
    assert 0 < stopped < 10**9 and world.turn == stopped + 1
