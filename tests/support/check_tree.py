#!/usr/bin/env python3
"""Checks of the source tree that no compiler makes.

  check_tree.py rooms ROOT   each folder of src/ includes only the folders beneath it
  check_tree.py case ROOT    no two paths of the tree differ only in case
  check_tree.py names ROOT   no two headers of src/ share a name

Exits 1 and names every offence when a check fails.
"""
import os
import re
import sys

# Each room of src/ with the rooms it may include. A room sits above every room it names, so
# the table must be free of cycles: the test fails when an arrow points back up.
ROOMS = {
    "messages": [],
    "platform": ["messages"],
    "language": ["messages", "platform"],
    "picture": [],
    "project": ["messages", "platform"],
    "steps": ["messages", "platform", "project"],
    "backup": ["messages", "platform", "project", "settings"],
    "canvas": ["messages", "platform", "picture", "project"],
    "spelling": ["messages", "platform"],
    "editor": ["messages", "platform", "project", "spelling"],
    "properties": ["messages", "platform", "project"],
    "compile": ["editor", "messages", "platform", "project"],
    "settings": ["editor", "language", "messages", "platform"],
    "outline": ["project"],
    "goals": ["messages", "platform", "project"],
    "app": ["backup", "canvas", "compile", "editor", "goals", "language", "messages", "outline",
            "picture", "platform", "project", "properties", "settings", "spelling", "steps"],
}

# Files that stand in a room other than their folder's. The language file reads an INI file
# through the file seams, which themselves report through the message table.
FILE_ROOMS = {"messages/LanguageFile": "language"}

# Headers a room must not include although it may include their folder: the canvas is a view
# of the model and knows nothing of the store.
FORBIDDEN = {"canvas": ["project/ProjectStore.h"]}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/([^"]+)"', re.MULTILINE)


def room_of(folder, name):
    stem = os.path.splitext(name)[0]
    return FILE_ROOMS.get(folder + "/" + stem, folder)


def cycle_in_table():
    state = {}

    def visit(room, path):
        if state.get(room) == "open":
            return path[path.index(room):] + [room]
        if state.get(room) == "done":
            return None
        state[room] = "open"
        for below in ROOMS.get(room, []):
            found = visit(below, path + [room])
            if found:
                return found
        state[room] = "done"
        return None

    for room in ROOMS:
        found = visit(room, [])
        if found:
            return found
    return None


def check_rooms(root):
    problems = []
    cycle = cycle_in_table()
    if cycle:
        problems.append("the rooms include each other in a circle: " + " -> ".join(cycle))
    src = os.path.join(root, "src")
    for folder in sorted(os.listdir(src)):
        if not os.path.isdir(os.path.join(src, folder)):
            continue
        if folder not in ROOMS:
            problems.append(f"src/{folder}/ has no place among the rooms")
            continue
        for dirpath, _, names in os.walk(os.path.join(src, folder)):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(dirpath, name)
                room = room_of(folder, name)
                with open(path, encoding="utf-8", errors="replace") as source:
                    text = source.read()
                for included_folder, included in INCLUDE.findall(text):
                    target = room_of(included_folder, included)
                    where = os.path.relpath(path, root)
                    if f"{included_folder}/{included}" in FORBIDDEN.get(room, []):
                        problems.append(f"{where} includes {included_folder}/{included}")
                    elif target != room and target not in ROOMS.get(room, []):
                        problems.append(
                            f"{where} ({room}) includes {included_folder}/{included} ({target})")
    return problems


def check_case(root):
    seen = {}
    problems = []
    for dirpath, dirnames, names in os.walk(root):
        if dirpath == root:
            dirnames[:] = [d for d in dirnames if d != ".git" and not d.startswith("build")]
        for name in dirnames + names:
            path = os.path.relpath(os.path.join(dirpath, name), root)
            other = seen.setdefault(path.lower(), path)
            if other != path:
                problems.append(f"{other} and {path} differ only in case")
    return problems


def check_names(root):
    # A header is named after its class, so two headers of one name are two classes of one
    # name: the linker takes the one's constructor or destructor for the other's, silently.
    seen = {}
    problems = []
    for dirpath, _, names in os.walk(os.path.join(root, "src")):
        for name in sorted(names):
            if name.endswith(".h"):
                path = os.path.relpath(os.path.join(dirpath, name), root)
                other = seen.setdefault(name, path)
                if other != path:
                    problems.append(f"{other} and {path} name two classes alike")
    return problems


CHECKS = {"rooms": check_rooms, "case": check_case, "names": check_names}


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in CHECKS:
        print(__doc__)
        return 2
    check = CHECKS[sys.argv[1]]
    problems = check(sys.argv[2])
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
