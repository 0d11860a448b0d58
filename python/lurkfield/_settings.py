"""The checks of the arguments that the programs take as options.

Each value goes on to the C++ side as the text the program's option would
take, so that the ranges and the messages are the programs' own.
"""
import operator

from . import _lurkfield


def whole_number(name, value, option, lowest=0, highest=2**64 - 1):
    """The int `value` of the argument `name`, checked as `option` checks it."""
    if isinstance(value, bool):
        raise TypeError(f"{name} must be an int, not bool")
    try:
        number = operator.index(value)
    except TypeError:
        raise TypeError(f"{name} must be an int, not {type(value).__name__}") from None
    return _lurkfield.whole_number(option, str(number), lowest, highest)


def setting_lines(settings):
    """The lines of a settings dict as --set takes them, "KEY=VALUE", in the dict's order."""
    if settings is None:
        return []
    if not hasattr(settings, "items"):
        raise TypeError(f"settings must be a dict, not {type(settings).__name__}")
    return [f"{key}={setting_value(key, value)}" for key, value in settings.items() if check_key(key)]


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
