"""The package imports with any CPython of its version, with or without numpy and pandas."""
import os
import shutil
import subprocess
import sys

import pytest

import lurkfield

INTERPRETERS = sorted({sys.executable, shutil.which("python3") or sys.executable})
CHECK = ("import sys, lurkfield; w = lurkfield.World(text=sys.argv[1]); w.step(3); "
         "print(lurkfield.__version__, w.turn, tuple(w.census()), 'numpy' in sys.modules)")


@pytest.mark.parametrize("python", INTERPRETERS)
def test_the_package_imports_without_numpy_or_pandas(python):
    version = subprocess.run([python, "-c", "import sys; print(sys.version_info[:2])"], check=True,
                             capture_output=True, text=True).stdout.strip()
    if version != str(sys.version_info[:2]):
        pytest.skip(f"{python} is Python {version}, the module is built for {sys.version_info[:2]}")
    out = subprocess.run([python, "-c", CHECK, "grid.x 9\ngrid.y 4\nprey.number 3\n"], check=True,
                         capture_output=True, text=True, env={**os.environ}).stdout.split()
    assert out[0] == lurkfield.__version__ and out[1] == "3" and out[-1] == "False"
