"""nosignal.exe as a user runs it under Wine, on an X display with a window
manager: the session of test_window.py, but for the window's class, outer size
and minimising, which are Wine's."""
import os

from e2e_support import BUILD_DIR, Desktop, run_all
from test_window import run_session


def test_window_under_wine():
    with Desktop(managed=True, command=("wine", os.path.join(BUILD_DIR, "nosignal.exe"))) as desktop:
        run_session(desktop, "under Wine", native=False)


run_all(test_window_under_wine)
