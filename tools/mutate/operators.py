"""The single-point faults one C++ source line can take.

Each fault is a one-line edit: an operator flipped, an integer constant
moved by one, a condition negated, a whole-line call deleted, a return
changed. Comments, string and character literals and preprocessor lines are
never touched, so every fault changes code.
"""

import re
from dataclasses import dataclass


@dataclass(frozen=True)
class Fault:
    path: str  # relative to the checkout
    line: int  # 1-based
    before: str  # the line as written, without its newline
    after: str  # the line with the fault; "" for a deleted line
    change: str  # what was done, for the table

    def key(self):
        """What identifies the fault across edits elsewhere in the file."""
        return (self.path, self.before.strip(), self.after.strip())


def mask(text):
    """The text with comments and literals blanked, same length, same lines."""
    out = list(text)
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                out[i] = " "
                i += 1
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            for j in range(i, end):
                if text[j] != "\n":
                    out[j] = " "
            i = end
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            for k in range(i, min(j + 1, n)):
                out[k] = " "
            i = j + 1
        else:
            i += 1
    return "".join(out)


# Binary operators as the formatter writes them: a space either side, which
# keeps out pointers, references, unary signs and template brackets.
SWAPS = {
    "<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
    "+": "-", "-": "+", "*": "/", "/": "*", "+=": "-=", "-=": "+=",
}
BINARY = re.compile(r"(?<= )(<=|>=|==|!=|\+=|-=|<|>|\+|-|\*|/)(?= )")
INTEGER = re.compile(r"(?<![\w.])(0[xX][0-9a-fA-F]+|\d+)([uU]?[lL]{0,2})(?![\w.])")
CONDITION = re.compile(r"\b(if|while) \(")
CALL_LINE = re.compile(r"^\s*[A-Za-z_][\w:]*(?:(?:->|\.)[A-Za-z_]\w*)*(?:<[\w:, ]*>)?\(.*\);\s*$")
RETURN = re.compile(r"\breturn (.+);")
TEMPLATE = re.compile(r"\w<[\w:, *&]*>")


def closing_paren(code, start):
    """Index of the bracket closing the one at start, or -1."""
    depth = 0
    for i in range(start, len(code)):
        if code[i] == "(":
            depth += 1
        elif code[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return -1


def faults_of_line(path, number, line, code, starts_statement):
    """Every fault of one line; code is the line masked."""
    # Preprocessor lines and compile-time checks: no behaviour to fault.
    if code.lstrip().startswith(("#", "static_assert")):
        return []
    found = []

    def edit(start, end, new, change):
        after = line[:start] + new + line[end:]
        found.append(Fault(path, number, line, after, change))

    templates = [m.span() for m in TEMPLATE.finditer(code)]
    for m in BINARY.finditer(code):
        if any(a <= m.start() < b for a, b in templates):
            continue
        op = m.group(1)
        edit(m.start(), m.end(), SWAPS[op], f"{op} -> {SWAPS[op]}")
    for m in INTEGER.finditer(code):
        digits, suffix = m.group(1), m.group(2)
        value = int(digits, 0)
        hexa = digits.lower().startswith("0x")
        for step in (1, -1):
            if value + step < 0:
                continue
            moved = hex(value + step) if hexa else str(value + step)
            edit(m.start(), m.end(), moved + suffix, f"{digits}{suffix} -> {moved}{suffix}")
    for m in CONDITION.finditer(code):
        close = closing_paren(code, m.end() - 1)
        if close < 0:
            continue
        inner = line[m.end() : close]
        edit(m.end(), close, f"!({inner})", f"{m.group(1)} condition negated")
    if starts_statement and CALL_LINE.match(code) and not code.lstrip().startswith(("return", "delete")):
        found.append(Fault(path, number, line, "", "call deleted"))
    r = RETURN.search(code)
    if r:
        value = r.group(1).strip()
        new = {"true": "false", "false": "true", "0": "1", "nullptr": None}.get(value, "0")
        if new is not None:
            edit(r.start(1), r.end(1), new, f"returns {new}")
    return found


def faults_of_file(path, text):
    code = mask(text)
    faults = []
    previous = ""
    for number, (line, masked) in enumerate(zip(text.split("\n"), code.split("\n")), 1):
        # A call's whole line is a statement only after one has ended.
        starts = previous.rstrip()[-1:] in ("", ";", "{", "}", ":")
        faults += faults_of_line(path, number, line, masked, starts)
        if masked.strip():
            previous = masked
    # One edit reached two ways ("return 0" moved by one, or changed) is one fault.
    seen = set()
    return [f for f in faults if (f.line, f.after) not in seen and not seen.add((f.line, f.after))]
