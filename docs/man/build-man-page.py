#!/usr/bin/env python3
"""Writes a man page from its template.

The template's placeholders:
  @NAME@                 the value given as --set NAME=VALUE, or the text of the file given as
                         --include NAME=FILE
  @HELP_SYNOPSIS@        the usage lines of PROGRAM --help (with --help-of PROGRAM)
  @HELP_DESCRIPTION@     the rest of PROGRAM --help, as man page paragraphs

The program's --help is the one source of its commands and options: the page is rebuilt from it
whenever the program changes, so the two cannot disagree. The help text is read as a terminal
shows it: a block of usage lines first, then paragraphs; a line indented by two or more spaces
whose text has a gap of two or more spaces starts a term and its explanation (an explanation may
go on over more deeply indented lines); a line of its own that ends with a colon heads a
subsection. Whatever does not fit that shape is kept as plain text, never dropped.
"""

import argparse
import os
import re
import subprocess
import sys

ITEM = re.compile(r"^( {2,})(\S+(?: \S+)*?) {2,}(\S.*)$")
HEADING = re.compile(r"^(\S.*):$")


def escape(text):
    """Text as troff prints it literally, with any character outside ASCII spelled out."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    text = "".join(c if ord(c) < 128 else "\\[u%04X]" % ord(c) for c in text)
    if text.startswith((".", "'")):
        text = "\\&" + text
    return text


def term(text):
    """A command or option in bold, its arguments in italics: "--genre N|NAME"."""
    word, _, arguments = text.partition(" ")
    formatted = "\\fB" + escape(word) + "\\fR"
    if arguments:
        formatted += " \\fI" + escape(arguments) + "\\fR"
    return formatted


def usage_block(lines):
    """The usage lines, the leading "Usage:" taken off and their alignment kept."""
    prefix = re.match(r"^\s*Usage:\s*", lines[0], re.IGNORECASE)
    cut = prefix.end() if prefix else 0
    out = [".nf", escape(lines[0][cut:])]
    for line in lines[1:]:
        indent = len(line) - len(line.lstrip(" "))
        out.append(escape(line[min(cut, indent) :]))
    out.append(".fi")
    return out


def paragraphs(lines):
    """Blank-line separated paragraphs of the help text as man page requests."""
    out = []
    pending_text = False
    item_indent = None
    for line in lines:
        if not line.strip():
            item_indent = None
            pending_text = False
            continue
        indent = len(line) - len(line.lstrip(" "))
        heading = HEADING.match(line)
        item = ITEM.match(line)
        if heading:
            out += [".SS " + escape(heading.group(1))]
            item_indent = None
            pending_text = False
        elif item:
            out += [".TP", term(item.group(2)), escape(item.group(3))]
            item_indent = len(item.group(1))
        elif item_indent is not None and indent > item_indent:
            out.append(escape(line.strip()))
        else:
            if not pending_text:
                out.append(".PP")
                pending_text = True
            item_indent = None
            out.append(escape(line.strip()))
    return out


def help_sections(program):
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")
    text = subprocess.run([program, "--help"], check=True, capture_output=True, text=True,
                          env=env).stdout
    lines = text.splitlines()
    while lines and not lines[0].strip():
        lines.pop(0)
    if not lines:
        sys.exit(program + " --help printed nothing")
    end = next((i for i, line in enumerate(lines) if not line.strip()), len(lines))
    return {
        "HELP_SYNOPSIS": "\n".join(usage_block(lines[:end])),
        "HELP_DESCRIPTION": "\n".join(paragraphs(lines[end:])),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("template")
    parser.add_argument("output")
    parser.add_argument("--set", action="append", default=[], metavar="NAME=VALUE")
    parser.add_argument("--include", action="append", default=[], metavar="NAME=FILE")
    parser.add_argument("--help-of", metavar="PROGRAM")
    args = parser.parse_args()

    values = dict(setting.partition("=")[::2] for setting in args.set)
    for include in args.include:
        name, _, path = include.partition("=")
        with open(path, encoding="utf-8") as f:
            values[name] = f.read().rstrip("\n")
    if args.help_of:
        values.update(help_sections(args.help_of))

    with open(args.template, encoding="utf-8") as f:
        page = f.read()

    def value_of(match):
        if match.group(1) not in values:
            sys.exit("%s: nothing given for @%s@" % (args.template, match.group(1)))
        return values[match.group(1)]

    page = re.sub(r"@([A-Z_]+)@", value_of, page)
    with open(args.output, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main()
