"""Whatever a caller gives, a clear exception with the programs' own message, never a crash."""
import re

import pytest

import lurkfield
from conftest import SAMPLE

TOO_SMALL = "The grid is too small. Do you have a correct config? (lurkfield.config)"


def world(**arguments):
    return lurkfield.World(**{"config": SAMPLE, **arguments})


CASES = [  # the call, the exception, its message (a regular expression)
    (lambda tmp: lurkfield.World(tmp / "missing.config"), FileNotFoundError, "No such file or directory"),
    (lambda tmp: lurkfield.World(tmp), IsADirectoryError, "Is a directory"),
    (lambda tmp: lurkfield.World(text=""), lurkfield.RefusedError, re.escape(TOO_SMALL)),
    (lambda tmp: world(settings={"grid.x": 0}), lurkfield.RefusedError, "The grid is too small"),
    (lambda tmp: world(settings={"grid.x": 100000, "grid.y": 100000}), lurkfield.RefusedError,
     r"The grid is too large: more than 4294967295 cells\."),
    (lambda tmp: world(settings={"grid.x": 60000, "grid.y": 60000}), MemoryError,
     r"Not enough memory for this world: it needs about \d+ MB"),
    (lambda tmp: world(settings={1: 2}), TypeError, "key must be a str"),
    (lambda tmp: world(settings={"": 2}), ValueError, "--set needs KEY=VALUE, not '=2'"),
    (lambda tmp: world(settings={"prey number": 2}), ValueError,
     "--set needs a KEY without blanks, not 'prey number'"),
    (lambda tmp: world(settings={"a=b": 2}), ValueError, "--set needs a KEY without '=', not 'a=b'"),
    (lambda tmp: world(settings={"prey.number": 2.5}), TypeError, "must be an int or a str, not float"),
    (lambda tmp: world(settings={"prey.number": None}), TypeError, "not NoneType"),
    (lambda tmp: world(settings={"prey.number": True}), TypeError, "not bool"),
    (lambda tmp: world(settings=["prey.number"]), TypeError, "settings must be a dict"),
    (lambda tmp: world(seed=-1), ValueError, "--seed needs a whole number from 0 to 4294967295, not '-1'"),
    (lambda tmp: world(seed=2**32), ValueError, "--seed needs a whole number from 0 to 4294967295"),
    (lambda tmp: world(seed="1"), TypeError, "seed must be an int, not str"),
    (lambda tmp: world(text=5), TypeError, "text must be a str or bytes"),
    (lambda tmp: world(sede=1), TypeError, "unexpected keyword argument 'sede'"),
    (lambda tmp: world().step(-1), ValueError, "--turns needs a whole number, not '-1'"),
    (lambda tmp: world().step(1.0), TypeError, "turns must be an int, not float"),
    (lambda tmp: world().hears(40, 0), IndexError, r"the cell \(40, 0\) is not on the grid of 40 x 30 cells"),
    (lambda tmp: world().sees(0, -1), IndexError, "not on the grid"),
    (lambda tmp: world().sees(2**70, 0), TypeError, ""),
    (lambda tmp: world().picture(0), ValueError, "cell needs a whole number from 1"),
    (lambda tmp: world().picture(300), ValueError, "sides at most 8192 pixels"),
    (lambda tmp: world().picture(selected=(0, 30)), IndexError, "not on the grid"),
]


@pytest.mark.parametrize("call, error, message", CASES)
def test_bad_input_raises_a_clear_error(tmp_path, call, error, message):
    with pytest.raises(error, match=message):
        call(tmp_path)


def test_an_unreadable_file_says_why(tmp_path):
    locked = tmp_path / "locked.config"
    locked.write_text("grid.x 5\n")
    locked.chmod(0)
    with open("/proc/self/status") as status:  # root reads every file
        if re.search(r"^Uid:\s+0\s", status.read(), re.M):
            pytest.skip("root reads a file without read permission")
    with pytest.raises(PermissionError, match="Permission denied"):
        lurkfield.World(locked)


def test_a_refusal_is_a_value_error_with_the_games_text():
    with pytest.raises(ValueError) as refused:
        lurkfield.World(text="grid.x 5\n")
    assert str(refused.value) == TOO_SMALL and isinstance(refused.value, lurkfield.RefusedError)
