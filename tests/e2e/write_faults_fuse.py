#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes that the storage loses, on a real FUSE mount: the folder of the
pictures and of the settings file is mounted over with faultyfs.py, which
keeps only the first write call of every file written and fails the sync
and the close with EIO, as a network share or a full quota reports lost
writes. The window then rebuilds the page "pg" and closes there
(hardening_writefaults mounted). The earlier page and the settings file
must keep every byte, the build must say which page failed and why, and no
temporary file may be left.

Usage: write_faults_fuse.py --helper <hardening_writefaults> --output <build folder>
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2esupport import Failure, expect_equal, log, private_dirs, require_tools, run_main, wait_until  # noqa: E402

SYSTEM_PYTHON = "/usr/bin/python3"
FAULTY_FS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "faultyfs.py")


def earlier_page(pictures):
    """About 3,800 bytes, as a page of a few pictures with a long description."""
    lines = ["<html>", "<head><title>pg</title></head>", "<body>", "<heading>pg</heading>"]
    lines += ["<p>An earlier description that the rebuild must not lose, line %02d.</p>" % i for i in range(50)]
    lines += ['<img src="%s" alt="%s">' % (name, name) for name in pictures]
    lines += ["</body>", "</html>", ""]
    return "\r\n".join(lines).encode()


def settings_file(pictures_folder):
    """Over a FUSE write's 4 KB, with a section the program does not know,
    after its own."""
    return (b"[Defaults]\r\nFilesDir=" + pictures_folder.encode() + b"/\r\n[Elsewhere]\r\n"
            + b"".join(b"Note%03d=kept by another program\r\n" % i for i in range(180)))


def require_fuse():
    if not os.path.exists("/dev/fuse"):
        raise Failure("cannot mount FUSE here: /dev/fuse is missing (load the fuse module, "
                      "or give the container the device)")
    if subprocess.run([SYSTEM_PYTHON, "-c", "import fusepy"], capture_output=True).returncode != 0:
        raise Failure(f"{SYSTEM_PYTHON} cannot import fusepy (package python3-fusepy)")


def mount(folder):
    """faultyfs.py over `folder`; every file written there is faulty."""
    errors = tempfile.TemporaryFile()
    process = subprocess.Popen([SYSTEM_PYTHON, FAULTY_FS, folder, "*"], stdout=errors, stderr=subprocess.STDOUT)

    def mounted():
        if process.poll() is not None:
            errors.seek(0)
            raise Failure(f"cannot mount FUSE over {folder}: faultyfs.py ended with status "
                          f"{process.returncode}:\n{errors.read().decode(errors='replace')}")
        return os.path.ismount(folder)

    try:
        wait_until("the FUSE mount over " + folder, mounted, 15)
    except BaseException:
        unmount(folder, process)
        raise
    return process


def unmount(folder, process):
    if os.path.ismount(folder):
        if subprocess.run(["fusermount3", "-u", folder], capture_output=True).returncode != 0:
            subprocess.run(["umount", "-l", folder], capture_output=True)
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def expect_same_bytes(what, path, expected):
    with open(path, "rb") as f:
        actual = f.read()
    if actual != expected:
        differ = next((i for i, (a, b) in enumerate(zip(actual, expected)) if a != b),
                      min(len(actual), len(expected)))
        raise Failure(f"{what}: {len(actual)} bytes where {len(expected)} were, "
                      f"the first difference at byte {differ}: {actual[differ:differ + 60]!r}")


def facts_of(output):
    facts = {}
    for line in output.splitlines():
        name, _, value = line.partition("\t")
        facts.setdefault(name, []).append(value)
    return facts


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--helper", required=True)
    parser.add_argument("--output", required=True)
    args = parser.parse_args()
    require_tools({"fusermount3": "fuse3", "convert": "imagemagick"})
    require_fuse()

    work = os.path.abspath(tempfile.mkdtemp(prefix="write-faults-fuse-", dir=args.output))
    dirs = private_dirs(work)
    share = os.path.join(work, "share")
    pictures = os.path.join(share, "pics")
    config = os.path.join(share, "config")
    os.makedirs(pictures)
    os.makedirs(config)
    names = ["a.jpg", "b.jpg", "c.jpg"]
    for i, name in enumerate(names):
        subprocess.run(["convert", "-size", "64x48", f"xc:rgb({60 * i},90,160)", os.path.join(pictures, name)],
                       check=True, capture_output=True, timeout=30)
    page = os.path.join(pictures, "pg.html")
    ini = os.path.join(config, "Kelvane.INI")
    page_bytes, ini_bytes = earlier_page(names), settings_file(pictures)
    for path, content in ((page, page_bytes), (ini, ini_bytes)):
        with open(path, "wb") as f:
            f.write(content)

    env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_"))}
    env.update(dirs, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="offscreen", LANG="C.UTF-8", LC_ALL="C.UTF-8")
    process = mount(share)
    try:
        started = time.monotonic()
        run = subprocess.run([args.helper, "mounted", pictures], env=env, capture_output=True, text=True,
                             timeout=60)
        log(f"helper ran {time.monotonic() - started:.1f} s:\n{run.stdout}{run.stderr}")
    finally:
        unmount(share, process)
    if os.path.ismount(share):
        raise Failure(f"{share} is still mounted")

    facts = facts_of(run.stdout)
    if run.returncode != 0 or "done" not in facts:
        raise Failure(f"the helper did not finish (status {run.returncode})")
    expect_equal("the folder the window opened", facts["opened at"], ["folder"])
    # The files as the storage kept them, read with the mount gone.
    expect_same_bytes("the earlier page after the failed rebuild", page, page_bytes)
    expect_same_bytes("the settings file after the failed close", ini, ini_bytes)
    expect_equal("messages of the build", facts["build messages"], ["1"])
    message = facts["message"][0]
    if page not in message or "Input/output error" not in message:
        raise Failure(f"the build's message names neither the page nor the system's reason: {message!r}")
    left = [name for folder in (pictures, config) for name in os.listdir(folder) if name.startswith(".kelvane-")]
    expect_equal("temporary files left", left, [])
    shutil.rmtree(work)


if __name__ == "__main__":
    run_main(main)
