#!/usr/bin/env python3
"""Installs the build into a temporary DESTDIR under a prefix the programs were not built
for, then checks one thing about the result (the name of the check is the last argument)."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

PREFIX = "/opt/vistrel-test"
PROGRAMS = ["vistrel", "vistrel-cli", "vistrel-thumbnailer"]
# vistrel-cli hands some of its commands to these.
HELPERS = ["libexec/vistrel/vistrel-cli-pictures", "libexec/vistrel/vistrel-cli-render"]
FIXED = [
    "bin/vistrel", "bin/vistrel-cli", "bin/vistrel-thumbnailer", *HELPERS,
    "share/applications/vistrel.desktop",
    "share/metainfo/org.vistrel.Vistrel.metainfo.xml",
    "share/thumbnailers/vistrel.thumbnailer",
    "share/bash-completion/completions/vistrel-cli",
    "share/man/man1/vistrel.1", "share/man/man1/vistrel-cli.1",
    "share/icons/hicolor/scalable/apps/vistrel.svg",
    "share/icons/hicolor/48x48/apps/vistrel.png",
    "share/icons/hicolor/128x128/apps/vistrel.png",
    "share/icons/hicolor/256x256/apps/vistrel.png",
]


def files_below(root):
    found = set()
    for folder, _, names in os.walk(root):
        for name in names:
            found.add(os.path.relpath(os.path.join(folder, name), root))
    return found


def install(build, destdir):
    env = dict(os.environ, DESTDIR=destdir)
    subprocess.run(["cmake", "--install", build, "--prefix", PREFIX],
                   env=env, check=True, stdout=subprocess.DEVNULL)
    return destdir + PREFIX


def no_display():
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "VISTREL_HOME")}
    return env


def check_files(args, prefix):
    defaults = os.path.join(args.source, "resources", "defaults")
    expected = set(FIXED) | {os.path.join("share/vistrel", f) for f in files_below(defaults)}
    actual = files_below(prefix)
    problems = [f"missing: {f}" for f in sorted(expected - actual)]
    problems += [f"unexpected: {f}" for f in sorted(actual - expected)]
    for program in [f"bin/{name}" for name in PROGRAMS] + HELPERS:
        if not os.access(os.path.join(prefix, program), os.X_OK):
            problems.append(f"not executable: {program}")
    return problems


def check_validate(args, prefix):
    problems = []
    for command in (["desktop-file-validate", f"{prefix}/share/applications/vistrel.desktop"],
                    ["appstreamcli", "validate", "--no-net",
                     f"{prefix}/share/metainfo/org.vistrel.Vistrel.metainfo.xml"]):
        if shutil.which(command[0]) is None:
            problems.append(f"{command[0]} is not installed (scripts/deps.sh installs it)")
            continue
        run = subprocess.run(command, capture_output=True, text=True)
        if run.returncode != 0:
            problems.append(f"{' '.join(command)} failed:\n{run.stdout}{run.stderr}")
    with open(f"{prefix}/share/thumbnailers/vistrel.thumbnailer") as f:
        entry = f.read()
    if "Exec=vistrel-thumbnailer -s %s %u %o" not in entry or "text/html;" not in entry:
        problems.append("the thumbnailer entry does not run vistrel-thumbnailer for text/html")
    return problems


def check_runs(args, prefix):
    problems = []
    home = tempfile.mkdtemp(prefix="vistrel-home-")
    try:
        env = no_display()
        env["HOME"] = home
        env["XDG_DATA_HOME"] = os.path.join(home, "data")
        for program, flags, start in (("vistrel-cli", ["--version"], "vistrel-cli "),
                                      ("vistrel-cli", ["snapshot", "--help"],
                                       "Usage: vistrel-cli snapshot"),
                                      ("vistrel-cli", ["resample", "--help"],
                                       "Usage: vistrel-cli resample"),
                                      ("vistrel", ["--version"], "vistrel "),
                                      ("vistrel", ["--help"], "Usage: vistrel"),
                                      ("vistrel-thumbnailer", ["--help"],
                                       "Usage: vistrel-thumbnailer")):
            run = subprocess.run([f"{prefix}/bin/{program}"] + flags, env=env,
                                 capture_output=True, text=True, timeout=60)
            if run.returncode != 0 or not run.stdout.startswith(start):
                problems.append(f"{program} {' '.join(flags)}: exit {run.returncode}, "
                                f"{run.stdout!r} {run.stderr!r}")
        # The defaults come from share/vistrel of this prefix, the program folder is the
        # user's, and nothing is written into the prefix even though root may run this.
        marker = f"{prefix}/share/vistrel/tagsyntax.txt"
        with open(marker, "a") as f:
            f.write("\n; from the installed prefix\n")
        before = files_below(prefix)
        run = subprocess.run([f"{prefix}/bin/vistrel-cli", "thumbs", "--base", "0",
                              os.path.join(home, "missing.htm")],
                             env=env, capture_output=True, text=True, timeout=120)
        if run.returncode != 1:
            problems.append(f"thumbs of a missing page: exit {run.returncode} {run.stderr!r}")
        program_folder = os.path.join(home, "data", "vistrel")
        copied = os.path.join(program_folder, "tagsyntax.txt")
        if not os.path.isfile(copied) or "from the installed prefix" not in open(copied).read():
            problems.append("the program folder did not get the prefix's default resources")
        if not os.path.isdir(os.path.join(program_folder, "THUMBS")):
            problems.append("no THUMBS folder in the per-user program folder")
        if files_below(prefix) != before:
            problems.append(f"written into the prefix: {sorted(files_below(prefix) - before)}")
    finally:
        shutil.rmtree(home, ignore_errors=True)
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("check", choices=["files", "validate", "runs"])
    args = parser.parse_args()
    destdir = tempfile.mkdtemp(prefix="vistrel-destdir-")
    try:
        prefix = install(args.build, destdir)
        problems = globals()[f"check_{args.check}"](args, prefix)
    finally:
        shutil.rmtree(destdir, ignore_errors=True)
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
