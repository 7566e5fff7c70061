"""Runs tools/verify-draw.py's own functions over what a test wrote, one process for all.

    python3 draw_agreement.py VERIFY_DRAW_PY cases CASES_DIR
For each case folder (sorted), prints one line: the folder's name, then "|"-separated findings:
    list <F> | list refused                      the draw list (list.txt, as typed) made canonical
    result ok <A> | result failed                 result.txt checked, with announce.txt and post.txt
    posts ok | posts failed                       resultpost.txt checked with post.txt, and with announce.txt
    v1-result ok <A> | v1-result failed           the same for v1-result.txt and its companions
    announce-mutations <n> passed <positions>     every byte of announce.txt changed in turn
    result-mutations <n> passed <positions>       every byte of result.txt changed in turn
A mutation "passes" when the changed file is still accepted: that must never happen.

    python3 draw_agreement.py VERIFY_DRAW_PY texts TEXTS_FILE
Each line of TEXTS_FILE holds a text and what the program found of it, "|"-separated, texts as
code points in hexadecimal: text, unusable, canonical form, key, and the same by the first rule.
Prints "texts <n> differ <m>", then the first differences.
"""

import importlib.util
import os
import sys

source = importlib.util.spec_from_file_location("verify_draw", sys.argv[1])
vd = importlib.util.module_from_spec(source)
source.loader.exec_module(vd)
RELAYS = {"api.drand.sh", "drand.cloudflare.com"}


def accepted(check, data):
    try:
        check(bytes(data).decode("utf-8"))
        return True
    except (vd.Failed, UnicodeDecodeError):
        return False


def mutations(check, data):
    passed = []
    for i in range(len(data)):
        for flip in (0x01, 0x80):
            changed = bytearray(data)
            changed[i] ^= flip
            if accepted(check, changed):
                passed.append(f"{i}^{flip}")
    return f"{len(data) * 2} passed {','.join(passed)}"


def draw_checked(folder, kind):
    path = lambda file: os.path.join(folder, kind + file)
    try:
        terms = vd.verify_result(vd.read_utf8(path("result.txt")), RELAYS)
        vd.check_announcement(vd.read_utf8(path("announce.txt")), terms)
        vd.check_announcement(vd.read_utf8(path("post.txt")), terms)
        found = f"{kind}result ok " + terms["code"]
    except (vd.Failed, UnicodeDecodeError):
        found = f"{kind}result failed"
    try:
        posted = vd.read_result_post(vd.read_utf8(path("resultpost.txt")))
        vd.verify_posted(posted, vd.read_utf8(path("post.txt")))
        vd.verify_posted(posted, vd.read_utf8(path("announce.txt")))
        return found + f"|{kind}posts ok"
    except (vd.Failed, UnicodeDecodeError, TypeError):
        return found + f"|{kind}posts failed"


def cases(folder_of_cases):
    for name in sorted(os.listdir(folder_of_cases)):
        folder = os.path.join(folder_of_cases, name)
        path = lambda file: os.path.join(folder, file)
        found = []
        with open(path("list.txt"), encoding="utf-8") as file:
            lines = file.read().split("\n")
        try:
            found.append("list " + vd.list_sha256(vd.canonical_list(lines)))
        except vd.Failed:
            found.append("list refused")
        if os.path.exists(path("result.txt")):
            found.append(draw_checked(folder, ""))
        if os.path.exists(path("mutate")):
            with open(path("announce.txt"), "rb") as file:
                found.append("announce-mutations " + mutations(vd.parse_announcement, file.read()))
            with open(path("result.txt"), "rb") as file:
                found.append("result-mutations " + mutations(lambda text: vd.verify_result(text, RELAYS), file.read()))
        if os.path.exists(path("v1-result.txt")):
            found.append(draw_checked(folder, "v1-"))
        print(name + "|" + "|".join(found))


def text_of(codes):
    return "".join(chr(int(code, 16)) for code in codes.split())


def hex_of(text):
    return " ".join(f"{ord(c):X}" for c in text)


def read_alike(text, rule):
    unusable = vd.has_unusable(text, rule)
    canonical = "" if unusable else vd.canonical_entry(text, rule)
    key = vd.look_alike_key(canonical, rule) if canonical else ""
    return [str(int(unusable)), hex_of(canonical), hex_of(key)]


def texts(path):
    count, differ = 0, []
    with open(path, encoding="ascii") as file:
        for line in file:
            fields = line.rstrip("\n").split("|")
            text = text_of(fields[0])
            found = [fields[0]] + read_alike(text, vd.RULE_V2) + read_alike(text, vd.RULE_V1)
            count += 1
            if found != fields:
                differ.append(f"program {'|'.join(fields)} script {'|'.join(found)}")
    print(f"texts {count} differ {len(differ)}")
    for difference in differ[:20]:
        print(difference)


if __name__ == "__main__":
    if hasattr(sys.stdout, "reconfigure"):
        sys.stdout.reconfigure(encoding="utf-8")
    {"cases": cases, "texts": texts}[sys.argv[2]](sys.argv[3])
