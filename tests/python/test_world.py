"""A World from Python plays exactly the game of lurkfield-text, and shows what the window shows."""
import struct
import zlib

import numpy as np
import pytest

import lurkfield
from conftest import SAMPLE, set_options, text_frames

WORLDS = [  # seed, settings
    (None, {}),
    (7, {}),
    (0, {"prey.number": 200, "predator.sight": 9, "predator.number": 12}),
    (None, {"grid.x": 17, "obstacle.density": 30, "prey.number": "25 trailing words"}),
]


@pytest.mark.parametrize("seed, settings", WORLDS)
def test_every_turn_is_the_frame_of_lurkfield_text(seed, settings):
    seeding = [] if seed is None else ["--seed", seed]
    frames = text_frames("--config", SAMPLE, "--turns", 25, *set_options(settings), *seeding)
    world = lurkfield.World(SAMPLE, settings=settings, seed=seed)
    assert (world.width, world.height) == frames[0][2].shape[::-1]
    for turn, census, board in frames:
        assert (world.turn, world.census()) == (turn, census)
        np.testing.assert_array_equal(world.kinds(), board)
        world.step()


def test_a_settings_text_plays_as_the_file_does(sample):
    from_text = lurkfield.World(text=SAMPLE.read_text())
    sample.step(10), from_text.step(10)
    np.testing.assert_array_equal(sample.kinds(), from_text.kinds())


def test_kinds_is_a_copy(sample):
    board = sample.kinds()
    board[:] = 0
    assert sample.kinds().any() and board.dtype == np.uint8


def png_pixels(png):
    """(width, height, rows of RGBA pixels) of a PNG without filters, as the module writes it."""
    width, height = struct.unpack(">II", png[16:24])
    data, at = b"", 8
    while at < len(png):
        length, kind = struct.unpack(">I4s", png[at:at + 8])
        data += png[at + 8:at + 8 + length] if kind == b"IDAT" else b""
        at += 12 + length
    raw = zlib.decompress(data)
    stride = 1 + 4 * width
    return width, height, [raw[y * stride + 1:(y + 1) * stride] for y in range(height)]


def pixel(rows, x, y):
    return tuple(rows[y][4 * x:4 * x + 3])


@pytest.mark.parametrize("cell, size", [(None, (1000, 750)), (5, (200, 150)), (1, (40, 30))])
def test_a_picture_has_a_square_of_pixels_for_every_cell(sample, cell, size):
    width, height, rows = png_pixels(sample.picture(cell))
    assert (width, height) == size and pixel(rows, 0, 0) == (0, 0, 0)  # a grid line


def test_the_picture_fills_the_cells_a_selected_predator_sees():
    world = lurkfield.World(SAMPLE, seed=3)
    world.step(4)
    for y, x in np.argwhere(world.kinds() == lurkfield.KINDS.index("predator"))[:3]:
        seen = world.sees(x, y)
        _, _, rows = png_pixels(world.picture(20, selected=(x, y)))
        filled = [[pixel(rows, 20 * cx + 4, 20 * cy + 4) == (255, 255, 128)
                   for cx in range(world.width)] for cy in range(world.height)]
        np.testing.assert_array_equal(seen, filled)
        assert seen.any() and world.hears(x, y).sum() == np.prod(
            [min(c + 4, n - 1) - max(c - 4, 0) + 1 for c, n in ((x, world.width), (y, world.height))])


def test_an_empty_cell_hears_and_sees_nothing(sample):
    y, x = np.argwhere(sample.kinds() == 0)[0]
    assert not sample.hears(x, y).any() and not sample.sees(x, y).any()
    assert sample.picture(8, selected=(x, y)) == sample.picture(8)


def test_a_notebook_shows_the_board(sample):
    assert sample._repr_png_() == sample.picture()
    assert repr(sample) == "<lurkfield.World 40 x 30, turn 0: 84 obstacles, 60 prey, 6 predators>"
