"""pandas frames of the columns that the C++ side hands over (pandas is imported here only)."""


def need_pandas():
    """Imports pandas now: before the turns that a frame will hold are played, not after."""
    import pandas  # noqa: F401


def frame(columns):
    """A DataFrame of (name, values, missing) columns, in order: `values` a numpy int64 array
    (missing: a bool array marking the empty fields, or None for a column that has none) or a
    list of str. A column that may be empty is pandas' nullable Int64, whether or not it is."""
    import pandas as pd

    data = {}
    for name, values, missing in columns:
        if missing is not None:
            data[name] = pd.arrays.IntegerArray(values, missing)
        else:
            data[name] = values
    return pd.DataFrame(data)


def sweep_frames(planned):
    """(table, summary) of a sweep whose runs have all ended."""
    return frame(planned.table()), frame(planned.summary())
