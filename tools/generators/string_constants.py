#!/usr/bin/env python3
"""Writes the game's fixed texts from game/frames/string_constants.tsv:
the StringConstant enum (string_constants.h) and the literals in enum order
(string_constants.inc, read by game/frames/string_constants.cpp).

The text column holds a C string literal, quotes included, so that
backslashes, quotes, line breaks and trailing blanks are all visible.
"""
import re

import generated

NAME = re.compile(r"STR_[A-Z0-9_]+\Z")
ESCAPES = {"\\": 0x5C, '"': 0x22, "r": 0x0D, "n": 0x0A, "t": 0x09, "0": 0x00}
FORMS = ("exact", "c_string")


def decode(literal):
    """The bytes of a C string literal as the table writes it, or an error
    message (str)."""
    if len(literal) < 2 or literal[0] != '"' or literal[-1] != '"':
        return "the text is not in double quotes"
    body = literal[1:-1]
    text = bytearray()
    i = 0
    while i < len(body):
        char = body[i]
        if char == "\\":
            escape = body[i + 1] if i + 1 < len(body) else ""
            if escape not in ESCAPES:
                return f"unknown escape \\{escape}"
            text.append(ESCAPES[escape])
            i += 2
            continue
        if char == '"':
            return "a double quote inside the text must be written \\\""
        if not " " <= char <= "~":
            return f"write character {ord(char)} as an escape"
        text.append(ord(char))
        i += 1
    return bytes(text)


def read_constants(path):
    """(name, form, text bytes) for every row, in table order."""
    constants = []
    seen = set()
    for row in generated.read_table(path, ["name", "form", "text"]):
        name, form = row["name"], row["form"]
        if not NAME.match(name):
            row.fail(f"{name!r} is not a STR_ name")
        if name in seen:
            row.fail(f"{name} is named twice")
        seen.add(name)
        if form not in FORMS:
            row.fail(f"form {form!r} is neither {' nor '.join(FORMS)}")
        text = decode(row["text"])
        if isinstance(text, str):
            row.fail(text)
        if form == "c_string" and 0 in text:
            row.fail("a c_string text would end at its NUL; make it exact")
        constants.append((name, form, text))
    return constants


def header(constants, script, table):
    lines = [generated.banner(script, [table]),
             "// The fixed texts of the generated game, created once before main.",
             "#pragma once",
             "",
             "#include <string>",
             "",
             "enum StringConstant : int {"]
    lines += [f"    {name}," for name, _, _ in constants]
    lines += ["    STRING_CONSTANT_COUNT,",
              "};",
              "",
              "const std::string& string_constant(StringConstant id);",
              ""]
    return "\n".join(lines)


def literals(constants, script, table):
    # Each line calls the maker of its form in string_constants.cpp.
    lines = [generated.banner(script, [table]).rstrip("\n")]
    lines += [f"{form}({generated.cpp_string(text)}),  // {name}" for name, form, text in constants]
    return "\n".join(lines) + "\n"


def string_constants(inputs, outputs, args):
    (table,) = inputs
    constants = read_constants(table)
    return [header(constants, __file__, table), literals(constants, __file__, table)]


if __name__ == "__main__":
    generated.run(string_constants, "The game's fixed texts.")
