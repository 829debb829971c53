#!/usr/bin/env python3
"""Lists every name of the program's sources that breaks the README's naming rule.

    python3 tools/naming/check_names.py [--root TREE] [--words FILE]

A name passes when it is one of the names the original program gives
(tools/naming/original_names.txt), or when each of its words is English (the word list
of Debian's wamerican, /usr/share/dict/words), a term of the project's vocabulary
(tools/naming/vocabulary.txt), a number, or part of a run of words that spells a name of
the original (`setHorizLines` composes with `HorizLines`, `returnFromDzp` with `DZP`).
A plain one-word name of the original (`Obnova`) passes only whole. The case follows the
kind: types in UpperCamelCase, functions in lowerCamelCase, namespaces in lower case with
underscores between words; elsewhere underscores only inside a name of the original.

Headers that declare classes in the original's style (`TName`) are named after one of
them, without the `T`, in lower case with underscores, or after the original's unit.

The declarations are read with Universal Ctags. Prints one line per fault, file:line
first, and exits with 1 when there is any.
"""
import argparse
import json
import os
import re
import shutil
import subprocess
import sys

ROOTS = ["app", "core", "payroll", "reports", "filings", "components", "platform", "tools"]
TYPE_KINDS = {"class", "struct", "enum", "typedef", "union"}
FUNCTION_KINDS = {"function", "prototype"}
CHECKED_KINDS = TYPE_KINDS | FUNCTION_KINDS | {"namespace"}

HERE = os.path.dirname(os.path.abspath(__file__))


def words_of(name):
    """Splits an identifier into its words: at underscores, at a change from lower to
    upper case, before the last capital of a run of capitals, and around digits."""
    out = []
    for part in name.split("_"):
        out += re.findall(r"[A-Z]+(?![a-z])|[A-Z]?[a-z]+|[0-9]+", part)
    return out


def read_list(path):
    with open(path, encoding="utf-8") as f:
        return [line.strip() for line in f if line.strip() and not line.startswith("#")]


def same(word, original, first):
    """A word spells a word of the original as written; as the first word of a name in
    lowerCamelCase with a small first letter; an abbreviation (`DZP`) also as `Dzp`."""
    if word == original:
        return True
    if first and word == original[0].lower() + original[1:]:
        return True
    if len(original) > 1 and original.isupper():
        return word == original.capitalize() or (first and word == original.lower())
    return False


class Rule:
    def __init__(self, original, vocabulary, english):
        self.original = set(original)
        self.known = {w.lower() for w in vocabulary} | english
        # Runs of words that spell a name of the original, longest first. A one-word
        # name composes only when it is not a plain word (`TDMV`, `DZP`, `REXVL2`).
        runs = set()
        for name in self.original:
            ws = words_of(name)
            if len(ws) > 1 or (ws and not re.fullmatch(r"[A-Z]?[a-z]+", ws[0])):
                runs.add(tuple(ws))
        self.runs = sorted(runs, key=len, reverse=True)
        self.first_words = {}
        for run in self.runs:
            self.first_words.setdefault(run[0].lower(), []).append(run)

    def covered(self, ws):
        """Marks the words that belong to a run spelling a name of the original."""
        cover = [False] * len(ws)
        i = 0
        while i < len(ws):
            for run in self.first_words.get(ws[i].lower(), []):
                n = len(run)
                part = ws[i:i + n]
                if len(part) == n and all(same(p, r, i + k == 0)
                                          for k, (p, r) in enumerate(zip(part, run))):
                    for j in range(i, i + n):
                        cover[j] = True
                    break
            i += 1
        return cover

    def faults(self, name, kind):
        if name in self.original:
            return []
        ws = words_of(name)
        cover = self.covered(ws)
        out = []
        foreign = [w for w, c in zip(ws, cover)
                   if not c and not w.isdigit() and w.lower() not in self.known]
        if foreign:
            out.append("not English: " + ", ".join(foreign))
        # Underscores are allowed only between two words of a name of the original.
        if "_" in name.strip("_") and kind != "namespace":
            index = 0
            for part in name.strip("_").split("_"):
                n = len(words_of(part))
                before, after = index - 1, index
                if index > 0 and n and not (cover[before] and cover[after]):
                    out.append("underscore outside a name of the original")
                    break
                index += n
        lead_covered = bool(cover) and cover[0]
        if kind in TYPE_KINDS and name[:1].islower() and not lead_covered:
            out.append("a type's name begins with a capital")
        if kind in FUNCTION_KINDS and name[:1].isupper() and not lead_covered:
            out.append("a function's name begins with a small letter")
        if kind == "namespace" and name != name.lower():
            out.append("a namespace is in lower case, its words joined by underscores")
        return out


def ctags_tags(root, dirs):
    ctags = shutil.which("ctags")
    if not ctags:
        sys.exit("check_names: ctags is missing (install universal-ctags)")
    version = subprocess.run([ctags, "--version"], capture_output=True, text=True).stdout
    if "Universal Ctags" not in version:
        sys.exit("check_names: ctags is not Universal Ctags (install universal-ctags)")
    cmd = [ctags, "-R", "--output-format=json", "--languages=C++", "--langmap=C++:+.h",
           "--c++-kinds=cfgnpstu", "--fields=+nKZ", "--extras=-F", "-f", "-"] + dirs
    run = subprocess.run(cmd, cwd=root, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("check_names: ctags failed: " + run.stderr)
    for line in run.stdout.splitlines():
        tag = json.loads(line)
        if tag.get("_type") == "tag":
            yield tag


def header_faults(rule, classes):
    plain_original = {n.lower().replace("_", "") for n in rule.original}
    out = []
    for path, names in sorted(classes.items()):
        if not any(re.match(r"T[A-Z]", n) for n in names):
            continue
        base = os.path.basename(path)[:-2]
        flat = base.replace("_", "")
        if base != base.lower():
            out.append((path, 1, "header name is in lower case"))
        if flat in plain_original:
            continue
        if any(re.sub(r"^T(?=[A-Z])", "", n).lower().replace("_", "") == flat for n in names):
            continue
        out.append((path, 1, "header is named after none of its classes (%s)" % ", ".join(sorted(names))))
    return out


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", default=os.path.dirname(os.path.dirname(HERE)))
    ap.add_argument("--words", default="/usr/share/dict/words")
    ap.add_argument("--original", default=os.path.join(HERE, "original_names.txt"))
    ap.add_argument("--vocabulary", default=os.path.join(HERE, "vocabulary.txt"))
    args = ap.parse_args()

    if not os.path.isfile(args.words):
        sys.exit("check_names: the English word list %s is missing (install wamerican)" % args.words)
    with open(args.words, encoding="utf-8", errors="replace") as f:
        # Proper nouns are left out: `Dane` is a name, `dane` is Slovak for taxes.
        english = {w.strip() for w in f if w.strip().islower() and "'" not in w}
    rule = Rule(read_list(args.original), read_list(args.vocabulary), english)

    dirs = [d for d in ROOTS if os.path.isdir(os.path.join(args.root, d))]
    if not dirs:
        sys.exit("check_names: no source folders under " + args.root)
    faults = []
    classes = {}
    seen = set()
    for tag in ctags_tags(args.root, dirs):
        kind, name, path = tag["kind"], tag["name"], tag["path"]
        if kind not in CHECKED_KINDS:
            continue
        if kind == "class" and path.endswith(".h") and tag.get("scopeKind") not in ("class", "struct"):
            classes.setdefault(path, []).append(name)
        scope_last = tag.get("scope", "").split("::")[-1]
        if re.fullmatch(r"Q_[A-Z_]+", name):
            continue  # a Qt macro read as a declaration
        if name.startswith("~") or name.startswith("operator") or name == scope_last:
            continue  # destructors, operators and constructors carry the class's name
        key = (path, name, kind)
        if key in seen:
            continue
        seen.add(key)
        for why in rule.faults(name, kind):
            faults.append((path, tag.get("line", 1), "%s %s: %s" % (kind, name, why)))
    faults += header_faults(rule, classes)
    for path, line, text in sorted(faults):
        print("%s:%s: %s" % (path, line, text))
    if faults:
        print("%d names break the naming rule (README, \"Naming\")" % len(faults))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
