"""Reads a --help text and checks its layout as a terminal shows it, full-width
characters two columns wide: no line wider than 80 columns, every option's
description starting in the column of the first one (or two spaces after an
option too long for it), and every continued line indented to that column."""
import re
import sys
import unicodedata


def width(text):
    return sum(2 if unicodedata.east_asian_width(c) in 'WF' else 1 for c in text)


faults = []
column = None
for number, line in enumerate(sys.stdin.read().split('\n'), 1):
    if width(line) > 80:
        faults.append(f'line {number} is {width(line)} columns wide')
    # "  -f, --frequency=N     smile ...": options, then the description.
    option = re.match(r'( {2,6}-\S*(?: -\S*)*)( +)\S', line)
    if option:
        start = width(option.group(1) + option.group(2))
        column = column or start
        if start != column and not (start > column and option.group(2) == '  '):
            faults.append(f'line {number}: description at column {start}, not {column}')
    elif column and line.startswith(' '):
        indent = len(line) - len(line.lstrip(' '))
        if indent != column:
            faults.append(f'line {number}: continued at column {indent}, not {column}')
if column is None:
    faults.append('no option lines')
for fault in faults:
    print(fault, file=sys.stderr)
sys.exit(1 if faults else 0)
