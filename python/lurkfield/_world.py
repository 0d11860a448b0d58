"""lurkfield.World: one world of the game, stepped and looked at from Python."""
import collections
import operator
import os

from . import _frames, _lurkfield
from ._settings import setting_lines, settings_text, whole_number

Census = collections.namedtuple("Census", ["obstacles", "prey", "predators"])
Census.__doc__ = "What stands on the grid, counted by kind."


class World:
    """A world set up exactly as `lurkfield-text --config CONFIG --set ... [--seed S]` sets it up.

    The settings file `config` (or, with `text`, a settings text) is read, then each item of
    `settings` acts as `--set KEY=VALUE`, in the dict's order; `seed=None` is the unseeded game
    of the window. Every World keeps its own random sequence.
    """

    def __init__(self, config="lurkfield.config", *, text=None, settings=None, seed=None):
        lines = setting_lines(settings)
        if seed is not None:
            seed = whole_number("seed", seed, "--seed", 0, 2**32 - 1)
        data = settings_text(config, text)
        self._world = _lurkfield.World(os.fsdecode(config), data, lines, seed)

    def step(self, turns=1):
        """Plays `turns` turns; Ctrl+C stops it between two turns (KeyboardInterrupt)."""
        self._world.step(whole_number("turns", turns, "--turns"))

    def run(self, turns, every=1):
        """Plays `turns` turns and returns a pandas DataFrame of the census (turn, obstacles,
        prey, predators) of the current turn, every `every`-th turn and the last: what
        lurkfield-sweep records for one run."""
        turns = whole_number("turns", turns, "--turns")
        every = whole_number("every", every, "--every", 1)
        _frames.need_pandas()
        return _frames.frame(self._world.run(turns, every))

    @property
    def turn(self):
        """The turns played so far."""
        return self._world.turn

    @property
    def width(self):
        """The grid's columns."""
        return self._world.width

    @property
    def height(self):
        """The grid's rows."""
        return self._world.height

    def census(self):
        """(obstacles, prey, predators) on the grid now."""
        return Census(*self._world.census())

    def kinds(self):
        """A numpy uint8 array (height, width): 0 empty, 1 obstacle, 2 prey, 3 predator (KINDS)."""
        return self._world.kinds()

    def hears(self, x, y):
        """Boolean array (height, width): the cells in the hearing square of the object at column x, row y."""
        return self._world.hears(x, y)

    def sees(self, x, y):
        """Boolean array (height, width): the cells the object at column x, row y sees."""
        return self._world.sees(x, y)

    def picture(self, cell=None, *, selected=None):
        """PNG bytes of the board as the window paints it, each cell `cell` pixels square.

        `selected=(x, y)` shows that cell's hearing and sight as a click in the window does.
        """
        if cell is not None:
            cell = whole_number("cell", cell, "cell", 1, 2**31 - 1)
        if selected is not None:
            x, y = selected
            selected = (operator.index(x), operator.index(y))
        return self._world.picture(cell, selected)

    def _repr_png_(self):
        try:
            return self.picture()
        except ValueError:
            return None

    def __repr__(self):
        census = self.census()
        return (f"<lurkfield.World {self.width} x {self.height}, turn {self.turn}: "
                f"{census.obstacles} obstacles, {census.prey} prey, {census.predators} predators>")

