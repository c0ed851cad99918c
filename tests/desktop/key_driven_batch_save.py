#!/usr/bin/env python3
"""The real editor window on a virtual display, driven by keys as a user would drive it.

Starts the editor on a folder of MP3 files, selects every file with Ctrl+A in the list, moves
with Tab to Album, types an album, saves with Ctrl+S and closes the window; then reads every file
back with mutagen: each holds the album typed, and keeps its own title.

Usage: key_driven_batch_save.py EDITOR
"""

import os
import pathlib
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from mutagen.id3 import ID3, TALB, TIT2
from mutagen.mp3 import MP3

FILES = 12
# An MPEG-1 Layer III frame header (128 kbit/s, 44.1 kHz) and its frame's length in bytes.
FRAME_HEADER = bytes([0xFF, 0xFB, 0x90, 0x00])
FRAME_LENGTH = 417


def write_album(folder):
    paths = []
    for number in range(1, FILES + 1):
        path = os.path.join(folder, "%02d Song.mp3" % number)
        with open(path, "wb") as song:
            for _ in range(20):
                song.write(FRAME_HEADER + bytes(FRAME_LENGTH - len(FRAME_HEADER)))
        tags = ID3()
        tags.add(TIT2(encoding=3, text="Song %d" % number))
        tags.add(TALB(encoding=3, text="Old %d" % number))
        tags.save(path, v2_version=3)
        paths.append(path)
    return paths


def read_back(paths):
    """What is wrong with each file: empty when every file holds the album and its own title."""
    failures = []
    for number, path in enumerate(paths, start=1):
        tags = MP3(path).tags
        album = str(tags["TALB"]) if "TALB" in tags else ""
        title = str(tags["TIT2"]) if "TIT2" in tags else ""
        if album != "Live at Home" or title != "Song %d" % number:
            failures.append("%s: album %r, title %r" % (os.path.basename(path), album, title))
    return failures


def run(command, **kwargs):
    return subprocess.run(command, check=True, capture_output=True, text=True, **kwargs)


def start_display():
    """A virtual display on a number the server picks itself, once it is ready for clients."""
    reader, writer = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(writer), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp"], pass_fds=(writer,))
    os.close(writer)
    with os.fdopen(reader) as ready:
        number = ready.readline().strip()
    if not number:
        server.wait()
        raise RuntimeError("Xvfb did not start")
    return server, ":" + number


def main():
    editor = sys.argv[1]
    for tool in ("Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            print("%s is missing: skipped" % tool)
            return 77
    server, display = start_display()
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    window_manager = None
    app = None
    try:
        if shutil.which("openbox"):
            window_manager = subprocess.Popen(["openbox"], env=env, stderr=subprocess.DEVNULL)
        with tempfile.TemporaryDirectory() as folder:
            paths = write_album(folder)
            # A state folder of its own: the start-up recovery never waits for another test's
            # Save holding the shared one.
            env["XDG_STATE_HOME"] = tempfile.mkdtemp(dir=folder)
            log = pathlib.Path(folder) / "editor.log"
            app = subprocess.Popen([editor, folder], env=env, stdout=log.open("w"),
                                   stderr=subprocess.STDOUT)
            try:
                window = run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                              "Varlen MP3 Tag Editor"], env=env, timeout=90).stdout.split()[0]
            except subprocess.TimeoutExpired:
                print("no window came up; the editor said:\n" + log.read_text())
                raise
            if window_manager is not None:
                run(["xdotool", "windowactivate", "--sync", window], env=env, timeout=30)
            run(["xdotool", "windowfocus", "--sync", window], env=env, timeout=30)
            time.sleep(2)
            # The list has the focus at the start: every file, then Title, Artist, Album.
            keys = ["ctrl+a", "Tab", "Tab", "Tab"]
            run(["xdotool", "key", "--delay", "150"] + keys, env=env)
            run(["xdotool", "type", "--delay", "50", "Live at Home"], env=env)
            run(["xdotool", "key", "--delay", "150", "ctrl+s"], env=env)
            # A busy machine may take its time: the files are read back until they hold the
            # album or half a minute has passed.
            deadline = time.monotonic() + 30
            while True:
                failures = read_back(paths)
                if not failures or time.monotonic() > deadline:
                    break
                time.sleep(0.5)
            run(["xdotool", "key", "ctrl+q"], env=env)
            app.wait(timeout=30)
            app = None
            if failures:
                print("\n".join(failures))
                print("the editor said:\n" + log.read_text())
                return 1
            print("%d files read back with the album typed once" % FILES)
            return 0
    finally:
        for process in (app, window_manager):
            if process is not None:
                process.send_signal(signal.SIGTERM)
                process.wait()
        server.terminate()
        server.wait()


if __name__ == "__main__":
    sys.exit(main())
