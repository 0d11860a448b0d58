"""The checks of the arguments that the programs take as options.

Each value goes on to the C++ side as the text the program's option would
take, so that the ranges and the messages are the programs' own.
"""
import operator

from . import _lurkfield


def int_text(name, value):
    """The int argument `name` in decimal (a bool is no int here)."""
    if isinstance(value, bool) or not hasattr(value, "__index__"):
        raise TypeError(f"{name} must be an int, not {type(value).__name__}")
    return str(operator.index(value))


def whole_number(name, value, option, lowest=0, highest=2**64 - 1):
    """The int `value` of the argument `name`, checked as `option` checks it."""
    return _lurkfield.whole_number(option, int_text(name, value), lowest, highest)


def dict_lines(name, items, line):
    """line(key, value) of every item of the dict argument `name`, in the dict's order."""
    if items is None:
        return []
    if not hasattr(items, "items"):
        raise TypeError(f"{name} must be a dict, not {type(items).__name__}")
    return [f"{key}={line(key, value)}" for key, value in items.items() if check_key(key)]


def setting_lines(settings):
    """The lines of a settings dict as --set takes them, "KEY=VALUE", in the dict's order."""
    return dict_lines("settings", settings, setting_value)


def check_key(key):
    if not isinstance(key, str):
        raise TypeError(f"a setting's key must be a str, not {type(key).__name__}: {key!r}")
    if "=" in key:
        raise ValueError(f"--set needs a KEY without '=', not '{key}'")
    return True


def setting_value(key, value):
    """A setting's value as its text: an int in decimal, a str as it stands."""
    if isinstance(value, str):
        return value
    if not isinstance(value, bool):
        try:
            return str(operator.index(value))
        except TypeError:
            pass
    raise TypeError(f"the setting {key} must be an int or a str, not {type(value).__name__}")


def settings_text(config, text):
    """The settings file's text, read once here (OSError with the system's reason), or `text`."""
    if text is None:
        if not isinstance(config, (str, bytes)) and not hasattr(config, "__fspath__"):
            raise TypeError(f"config must be a file name, not {type(config).__name__}")
        with open(config, "rb") as file:
            return file.read()
    if isinstance(text, str):
        return text.encode()
    if isinstance(text, bytes):
        return text
    raise TypeError(f"text must be a str or bytes, not {type(text).__name__}")
