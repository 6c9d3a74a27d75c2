class HarnessError(Exception):
    """The environment failed (no display, no window), as opposed to a wrong picture."""
