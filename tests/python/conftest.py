"""What the tests of the Python module share: the programs of the same build, their
frames read back, and the sample world."""
import os
import subprocess
from pathlib import Path

import numpy as np
import pytest

import lurkfield

SOURCE = Path(os.environ["LURKFIELD_SOURCE_DIR"])
TEXT = os.environ["LURKFIELD_TEXT"]
SWEEP = os.environ.get("LURKFIELD_SWEEP", "")
SAMPLE = SOURCE / "lurkfield.config"
# lurkfield-text's symbol for each code of World.kinds().
SYMBOLS = dict(zip(".#oH", range(len(lurkfield.KINDS))))


def set_options(settings):
    return [option for key, value in settings.items() for option in ("--set", f"{key}={value}")]


def text_frames(*args):
    """(turn, census, kinds) of every frame that lurkfield-text --trace prints."""
    out = subprocess.run([TEXT, *map(str, args), "--trace"], check=True, capture_output=True,
                         text=True).stdout
    frames = []
    for block in out.split("\n\n")[:-1]:
        heading, *rows = block.split("\n")
        turn, counts = heading.removeprefix("turn ").split(": ")
        census = tuple(int(part.split()[0]) for part in counts.split(", "))
        board = np.array([[SYMBOLS[c] for c in row] for row in rows], dtype=np.uint8)
        frames.append((int(turn), lurkfield.Census(*census), board))
    return frames


@pytest.fixture
def sample():
    return lurkfield.World(SAMPLE)
