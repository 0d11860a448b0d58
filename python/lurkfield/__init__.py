"""Lurkfield from Python: worlds, sweeps and pictures of the board.

The simulation is Lurkfield's own C++, the same as in lurkfield-text and
lurkfield-sweep; this package gives it Python's types (numpy arrays, pandas
frames, PNG pictures). See docs/python.md.
"""
from ._lurkfield import KINDS, RefusedError, __version__
from ._sweep import sweep
from ._world import Census, World

__all__ = ["Census", "KINDS", "RefusedError", "World", "__version__", "sweep"]
