"""Runs tools/verify-draw.py's own functions over the cases a test wrote, one process for all.

    python3 draw_agreement.py VERIFY_DRAW_PY CASES_DIR

For each case folder (sorted), prints one line: the folder's name, then "|"-separated findings:
    list <F> | list refused                      the draw list (list.txt, as typed) made canonical
    result ok <A> | result failed <why>           result.txt checked, with announce.txt and post.txt
    announce-mutations <n> passed <positions>     every byte of announce.txt changed in turn
    result-mutations <n> passed <positions>       every byte of result.txt changed in turn
A mutation "passes" when the changed file is still accepted: that must never happen.
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


def main():
    cases = sys.argv[2]
    for name in sorted(os.listdir(cases)):
        folder = os.path.join(cases, name)
        path = lambda file: os.path.join(folder, file)
        found = []
        with open(path("list.txt"), encoding="utf-8") as file:
            lines = file.read().split("\n")
        try:
            found.append("list " + vd.list_sha256(vd.canonical_list(lines)))
        except vd.Failed:
            found.append("list refused")
        if os.path.exists(path("result.txt")):
            try:
                terms = vd.verify_result(vd.read_utf8(path("result.txt")), RELAYS)
                vd.check_announcement(vd.read_utf8(path("announce.txt")), terms)
                vd.check_announcement(vd.read_utf8(path("post.txt")), terms)
                found.append("result ok " + terms["code"])
            except (vd.Failed, UnicodeDecodeError) as failure:
                found.append(f"result failed {failure}")
        if os.path.exists(path("mutate")):
            with open(path("announce.txt"), "rb") as file:
                found.append("announce-mutations " + mutations(vd.parse_announcement, file.read()))
            with open(path("result.txt"), "rb") as file:
                found.append("result-mutations " + mutations(lambda text: vd.verify_result(text, RELAYS), file.read()))
        print(name + "|" + "|".join(found))


if __name__ == "__main__":
    if hasattr(sys.stdout, "reconfigure"):
        sys.stdout.reconfigure(encoding="utf-8")
    main()
