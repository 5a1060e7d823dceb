# SPDX-License-Identifier: GPL-3.0-or-later
"""The program's two lookups in a keyed text file, in Python, byte for byte.

The generators use them to prove that every value of a file they write is
found where it stands: a key found inside a longer key, inside an earlier
value or past its own section would read back wrong in the program.
Texts are bytes (Windows-1251).
"""


def get_value(text: bytes, key: bytes) -> bytes:
    """First occurrence of key anywhere; value after the next '=' up to CR."""
    p = text.find(key)
    if p < 0:
        return b""
    e = text.find(b"=", p)
    if e < 0:
        return b""
    start = e + 1
    end = text.find(b"\r", start)
    if end < 0:
        end = len(text)
    return text[start:end].strip(b" ")


def get_section_value(text: bytes, section: bytes, key: bytes) -> bytes:
    """First occurrence of section, then of key from there; value after the
    next '=' up to the first byte 0..13."""
    s = text.find(section)
    if s < 0:
        return b""
    p = text.find(key, s)
    if p < 0:
        return b""
    e = text.find(b"=", p)
    if e < 0:
        return b""
    start = e + 1
    end = start
    while end < len(text) and text[end] > 13:
        end += 1
    return text[start:end].strip(b" ")


def crlf_lines(lines) -> bytes:
    """Joins str lines into Windows-1251 bytes, each line ended by CR LF."""
    return b"".join(line.encode("cp1251") + b"\r\n" for line in lines)
