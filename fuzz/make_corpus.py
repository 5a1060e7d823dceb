#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the small seed corpus of every fuzz target from the shipped data files.

Run from anywhere: python3 fuzz/make_corpus.py. The inputs are laid out as the
targets read them (FuzzInput.h): the text first, then the parameters, which
the target takes from the end one after the other, so they are appended here
in the reverse order of taking.
"""
import hashlib
import pathlib
import shutil
import struct

ROOT = pathlib.Path(__file__).resolve().parent.parent
SHARE = ROOT / "share"
CORPUS = ROOT / "fuzz" / "corpus"


def take_int(value, lo):
    raw = value - lo
    return bytes([(raw >> 16) & 0xFF, (raw >> 8) & 0xFF, raw & 0xFF])


def take_string(s):
    if isinstance(s, str):
        s = s.encode("cp1251")
    return s + take_int(len(s), 0)


def take_byte(b):
    return bytes([b])


def take_double(v):
    # Selector 9: a number of thousandths in [0, 1e8].
    return take_int(int(round(v * 1000)), 0) + take_byte(9)


def take_choice(v):
    return take_byte(v) + take_byte(4)


def params(*encoded):
    """The parameters in the order the target takes them."""
    return b"".join(reversed(encoded))


def share(name):
    return (SHARE / name).read_bytes()


def crlf(*lines):
    return b"".join(l.encode("cp1251") + b"\r\n" for l in lines)


SETTINGS = crlf("[INI_DATA]", "core\t= E 25/13/7", "mater\t= N87 Epcos", "yes_al\t= 0", "use\t= 0",
                "zazor\t= 1", "L\t= 15", "Uimpulsa= 24", "Udc\t= 12", "Inom\t= 10", "Imin\t= 2",
                "us_Imin\t= 0", "Fc\t= 100", "j\t= 7", "use_D\t= 0", "yes_AWG\t= 0", "dprov\t= 1.06",
                "lang\t= English")
MATERIALS = sorted(p.name for p in SHARE.glob("* *.txt") if not p.name.startswith("ReadMe"))


def some_records(*names):
    """The records of the named cores, cut from the shipped core database."""
    text = share("BaseCores.txt")
    out = b""
    for name in names:
        start = text.index(b"[" + name.encode("cp1251") + b"]")
        end = text.find(b"\r\n[", start)
        out += text[start:end + 2 if end >= 0 else len(text)]
    return out


def seeds():
    out = {}
    # Keyed text: a section and a key in each kind of file.
    out["keyed_text"] = [
        share("Materials.txt") + params(take_string("Mat10"), take_string("")),
        share("N87 Epcos.txt") + params(take_string("B_200"), take_string("F_100")),
        share("English.lng") + params(take_string("s25"), take_string("OTHERS")),
        share("Wire.txt") + params(take_string("diz7"), take_string("")),
        SETTINGS + params(take_string("L"), take_string("INI_DATA")),
    ]
    # Settings and design files, then a field set by key.
    design = SETTINGS[: SETTINGS.index(b"lang")]
    odd = crlf("[INI_DATA]", "mater\t= Lx", "L\t=\t5", "use_D = 7", "yes_AWG\t= -1", "core = PQ E 20 ")
    out["settings"] = [
        SETTINGS + params(take_byte(1), take_string("core"), take_string("E 20/10/5")),
        design + params(take_byte(0), take_string("dprov"), take_string("1,5")),
        odd + params(take_byte(1), take_string("yes_al"), take_string("x")),
    ]
    out["language"] = [share("English.lng") + params(take_int(25, -40)),
                       share("Russian.lng") + params(take_int(0, -40))]
    out["material"] = [
        share(m) + params(take_double(100), take_double(0.1), take_double(3), take_byte(1), take_byte(0))
        for m in MATERIALS[:4]
    ] + [share("Materials.txt") + params(take_double(25), take_double(0.02), take_double(1), take_byte(1),
                                         take_byte(1))] + [
        # tables over temperature: a hole, a repeat, the file's own 100 C, an odd name
        share(MATERIALS[0]) + crlf("[Loss at 60 C]", "L25/13 = 1", "[Loss at 25 C]", "L25/13 = 2",
                                   "[Loss at 100 C]", "L25/13 = 3", "[Loss at x C]", "L25/13 = 4")
        + params(take_double(60), take_double(0.05), take_double(2), take_byte(1), take_byte(0)),
        # a powder with its roll-off section, and one whose fit is cut short
        share("Kool Mµ 60.txt") + params(take_double(100), take_double(0.01), take_double(12), take_byte(1), take_byte(0)),
        share("MPP 60.txt").split(b"biasC")[0] + params(take_double(50), take_double(0.02), take_double(3), take_byte(1),
                                                        take_byte(1)),
    ]
    lang = share("English.lng")
    notice = lang.split(b"\r\n[OTHERS]", 1)[-1].split(b"s26 = ", 1)[-1].split(b"\r\n", 1)[0]
    out["wire"] = [
        share("Wire.txt") + params(take_byte(0), take_byte(1), take_double(3), take_double(0.5), take_int(10, -5),
                                   take_string("0.5"), take_string("mm"), take_string(notice)),
        share("Wire.txt") + params(take_byte(1), take_byte(0), take_double(10), take_double(2), take_int(40, -5),
                                   take_string("20.7"), take_string("mm"), take_string(notice)),
    ]
    dims_none = [take_string("")] * 7
    dims_r = [take_string("20"), take_string("10"), take_string("7")] + [take_string("")] * 4
    small_db = some_records("E 13/7/4", "E 25/13/7", "E EFD 10/5/3", "EI 14/3.5/5", "ER 9.5/2.5/5",
                            "ETD 19/14/8", "R 20/10/7", "PQ 20/16", "RM 4", "U 20/16/7")
    out["core_db"] = [
        small_db + params(take_int(0, -1), take_byte(0), take_string("25/13/7"),
                                        take_string("52.5"), take_string("60"), take_string("57.5"),
                                        take_string("1800"), *dims_none),
        small_db + params(take_int(4, -1), take_byte(1), take_string("R 20"), take_string(""),
                                        take_string(""), take_string(""), take_string("2300"), *dims_r),
    ]
    fields = "\n".join(["100", "10", "2", "24", "12", "100", "5", "0.2", "1.06",
                        "52", "150", "57.5", "1800"]).encode("cp1251")
    sep = b"\x1e"
    # The OTHERS texts s8, s14, s15, s18, s21, s23, s24, s25, s26 and MAGNETIC CORE s10.
    def slot(section, key):
        body = lang.split(b"[" + section + b"]", 1)[1]
        return body.split(b"\r\n" + key + b" = ", 1)[1].split(b"\r\n", 1)[0]
    lang = b"\n".join([slot(b"OTHERS", b"s%d" % k) for k in (8, 14, 15, 18, 21, 23, 24, 25, 26)]
                       + [slot(b"MAGNETIC CORE", b"s10")])
    choices = lambda use, al, imin, awg, d: [take_choice(use), take_choice(al), take_choice(imin),
                                             take_choice(awg), take_choice(d)]
    wire = share("Wire.txt")[:600]
    wire = wire[:wire.rindex(b"\r\n") + 2]
    out["calculate"] = [
        fields + sep + share("N87 Epcos.txt") + sep + wire + sep + lang
        + params(*choices(0, 0, 0, 0, 0), take_byte(1), take_byte(0)),
        fields.replace(b"0.2\n", b"250\n") + sep + b"" + sep + b"" + sep + lang
        + params(*choices(0, 1, 0, 1, 0), take_byte(1), take_byte(1)),
        fields.replace(b"5\n", b"7,5\n") + sep + share("3F3 Ferroxcube.txt") + sep + wire + sep + lang
        + params(*choices(1, 0, 1, 0, 1), take_byte(1), take_byte(0)),
    ]
    # A pattern that the target repeats into a file of the given size, then a
    # tail; read as a file of the size fstat tells (0: its own, 1: one byte
    # more, 2: 50 GB, 3: negative) and kind (0: regular, 1: FIFO, 2: device).
    huge = lambda pattern, size, tail, claim=0, kind=0: pattern + params(
        take_int(size, 1), take_string(tail), take_byte(claim), take_byte(kind))
    out["huge"] = [
        huge(b"xE E E E E E E E E E E E E E E E ", 1000000, b"]"),
        huge(b"[R 1]\r\nAe = 1\r\n[OTHERS]\r\ns2 = x\\n", 500000, b"Mat1 = N87", 2),
        huge(b"Mat1 = Mat2 = Bmax = B_50 = core\t= ", 1000000, b"", 1),
        huge(b"[INI_DATA]\r\n", 9999, b"L = 1", 0, 1),
        huge(b"Bmax = 0.3\r\n", 100000, b"", 3, 2),
    ]
    # The language files' report sections with a core and a material name;
    # one with texts that try to break out of their elements.
    hostile = crlf("[REPORT]", "title = </title><script>alert(1)</script>", "secPlots = ]]><![CDATA[",
                   "unitW = &amp; &#0; \x01 '\"")
    out["report"] = [
        share("English.lng") + params(take_string("E 30/15/7"), take_string("N87 Epcos")),
        share("Russian.lng") + params(take_string("ETD 29/16/10"), take_string("3C95 Ferroxcube")),
        hostile + params(take_string("<b>E</b>"), take_string("N87\" onload=\"x")),
    ]
    # Details.cfg as the window writes it, and as a hand may edit it.
    out["details_config"] = [crlf("[DETAILS]", "tol_gapped\t= 10", "tol_ungapped\t= 25", "ambient\t= 40"),
                             crlf("[DETAILS]", "tol_gapped = 7,5", "ambient = nan", "tol_ungapped = 100")]
    mas = ('{"masVersion": "0.2.0", "masConformance": "A", "inputs": {"designRequirements": '
           '{"magnetizingInductance": {"nominal": 4.7e-05}}, "operatingPoints": [{"conditions": '
           '{"ambientTemperature": 40}, "excitationsPerWinding": [{"frequency": 100000, "current": '
           '{"processed": {"label": "triangular", "peakToPeak": 0.6, "offset": 10, "dutyCycle": 0.5}}, '
           '"voltage": {"processed": {"label": "rectangular", "peakToPeak": 24, "offset": 0, "dutyCycle": 0.5}}}]}]}, '
           '"magnetic": {"core": {"name": "R 22.1/13.7/6.35", "functionalDescription": {"type": "toroidal", '
           '"material": "N87", "shape": "T 22.1/13.7/6.3", "gapping": [{"type": "subtractive", "length": 0.0003}, '
           '{"type": "residual", "length": 1e-05}], "numberStacks": 1}}, "coil": {"bobbin": "basic", '
           '"functionalDescription": [{"name": "Primary", "numberTurns": 17, "numberParallels": 2, '
           '"isolationSide": "primary", "wire": {"type": "round", "conductingDiameter": {"nominal": 0.00106}}}]}}, '
           '"outputs": []}')
    out["mas"] = [mas.encode("utf-8"), mas.replace("N87", "\\u0424\\u0435\\u0440\\u0440\\u0438\\u0442").encode("utf-8"),
                  b'{"inputs": {"designRequirements": {"magnetizingInductance": {"minimum": 1e-4}}}, "magnetic": []}',
                  b'[1, 2.5e308, "\\ud800", {"a": null}]']
    # The kept dialog fonts as the window writes them; one with a line cut short.
    key = lambda text: hashlib.sha256(text.encode()).hexdigest().encode()
    fonts = (b"velmora dialog fonts 1\r\n" + key("a") + b" 10 86 11000 4500 " + key("DejaVu Sans") + b"\r\n"
             + key("b") + b" 13 100 15000 6000 " + key("Liberation Sans") + b"\r\n")
    out["dialog_fonts"] = [fonts, fonts[:-20] + b"\r\n"]
    out["cp1251"] = [share("Russian.lng")[:1500], "Дроссель µH №5".encode("utf-8"), bytes(range(256))]
    return out


def main():
    if CORPUS.exists():
        shutil.rmtree(CORPUS)
    for target, items in seeds().items():
        folder = CORPUS / target
        folder.mkdir(parents=True)
        for data in items:
            (folder / hashlib.sha1(data).hexdigest()[:16]).write_bytes(data)
    print("corpus:", sum(1 for _ in CORPUS.rglob("*") if _.is_file()), "files")


if __name__ == "__main__":
    main()
