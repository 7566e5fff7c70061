#!/usr/bin/env python3
"""Checks a Tombolix public draw ("tombolix-draw-v1") without Tombolix. Python 3, standard library only.

Check a result file (…_Tombolix_Result.txt), asking drand's relays for the round again:
    verify-draw.py RESULT.txt
    verify-draw.py --offline RESULT.txt          (the round as the file gives it, checked by its signature)
    verify-draw.py --relay https://api.drand.sh RESULT.txt

Compute a draw from the announced terms and the list (UTF-8, one entry a line):
    verify-draw.py --list LIST.txt --winners K --reserves R --round R --randomness HEX --label TEXT
prints the list's SHA-256, the seed, then "winner i <ticket> <entry>" and "reserve i <ticket> <entry>".
"""

import argparse
import hashlib
import json
import sys
import unicodedata
import urllib.error
import urllib.parse
import urllib.request

RULE = "tombolix-draw-v1"
CHAIN = "52db9ba70e0cc0f6eaf7803dd07447a1f5477735fd3f661792ba94600c84e971"
GENESIS = 1692803367
PERIOD = 3
RELAYS = ["https://api.drand.sh", "https://drand.cloudflare.com"]
TRIMMED = "\t \u00a0\u3000\u200b\ufeff"
MAX_ENTRIES = 32767


class Failed(Exception):
    pass


def canonical_entry(entry):
    return unicodedata.normalize("NFC", entry).strip(TRIMMED)


def has_control(text):
    return any(unicodedata.category(c) == "Cc" for c in text)


def canonical_list(entries):
    made = [canonical_entry(e) for e in entries]
    made = [e for e in made if e]
    bad = [e for e in made if has_control(e)]
    if bad:
        raise Failed("제어 문자가 들어 있는 항목: " + ", ".join(repr(e) for e in bad[:10]))
    made.sort(key=lambda e: e.encode("utf-8"))
    repeated = sorted({a for a, b in zip(made, made[1:]) if a == b}, key=lambda e: e.encode("utf-8"))
    if repeated:
        raise Failed("같은 항목이 두 번 이상 있습니다: " + ", ".join(repeated[:10]))
    return made


def list_sha256(entries):
    return hashlib.sha256("".join(e + "\n" for e in entries).encode("utf-8")).hexdigest()


def seed_text(f, n, k, r, round_, randomness, label):
    return (f"{RULE}\nlist_sha256={f}\nlist_count={n}\nwinners={k}\nreserves={r}\n"
            f"beacon=drand:{CHAIN}\nround={round_}\nrandomness={randomness}\n"
            f"label={unicodedata.normalize('NFC', label)}\n")


def words(seed):
    j = 0
    while True:
        block = hashlib.sha256(seed + j.to_bytes(8, "big")).digest()
        for i in range(4):
            yield int.from_bytes(block[8 * i:8 * i + 8], "big")
        j += 1


def draw(seed, n, k, r):
    stream = words(seed)

    def uniform(m):
        t = (2 ** 64) % m
        while True:
            x = next(stream)
            if x >= t:
                return x % m

    a = list(range(n))
    for i in range(k + r):
        j = i + uniform(n - i)
        a[i], a[j] = a[j], a[i]
    return [t + 1 for t in a[:k]], [t + 1 for t in a[k:k + r]]


def round_time(round_):
    import datetime
    at = GENESIS + (round_ - 1) * PERIOD
    kst = datetime.timezone(datetime.timedelta(hours=9))
    return datetime.datetime.fromtimestamp(at, kst).isoformat()


def plain_number(text, line, key):
    if not text.isdigit() or str(int(text)) != text:
        raise Failed(f"{line}번째 줄: {key}은(는) 0 이상의 정수여야 합니다.")
    return int(text)


def lower_hex(text, digits, line, key):
    if len(text) != digits or any(c not in "0123456789abcdef" for c in text):
        raise Failed(f"{line}번째 줄: {key}은(는) 16진수(소문자) {digits}자리여야 합니다.")
    return text


def fetch_round(relay, round_):
    """(signature, randomness), None when the relay has no such round yet; raises OSError when unreachable."""
    address = f"{relay}/{CHAIN}/public/{round_}"
    try:
        with urllib.request.urlopen(address, timeout=10) as answer:
            data = json.loads(answer.read(65536).decode("utf-8"))
    except urllib.error.HTTPError as error:
        if error.code == 404:
            return None
        raise OSError(str(error))
    except ValueError:
        raise Failed(f"{relay}: 라운드 정보(JSON)를 읽을 수 없습니다.")
    signature = str(data.get("signature", "")).lower()
    randomness = str(data.get("randomness", "")).lower()
    if data.get("round") != round_:
        raise Failed(f"{relay}: 라운드 {round_}이(가) 아닌 라운드의 정보입니다.")
    if hashlib.sha256(bytes.fromhex(signature)).hexdigest() != randomness:
        raise Failed(f"{relay}: randomness가 signature의 SHA-256과 다릅니다.")
    return signature, randomness


def verify_result(text, relays, offline):
    if text.startswith("\ufeff"):
        text = text[1:]
    lines = text.replace("\r\n", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if not lines or lines[0] != RULE:
        raise Failed(f"1번째 줄: '{RULE}'(으)로 시작하는 파일이 아닙니다.")
    try:
        blank = lines.index("", 1)
    except ValueError:
        raise Failed("목록 앞의 빈 줄이 없습니다.")
    header = lines[1:blank]
    entries = lines[blank + 1:]
    first_entry_line = blank + 2

    keys = ["list_sha256", "list_count", "winners", "reserves", "beacon", "round", "randomness", "label",
            "round_time", "signature", "relays", "seed"]
    values = {}
    for i, key in enumerate(keys):
        line = i + 2
        if i >= len(header) or not header[i].startswith(key + "="):
            raise Failed(f"{line}번째 줄: '{key}=' 줄이 있어야 합니다.")
        values[key] = header[i][len(key) + 1:]

    f = lower_hex(values["list_sha256"], 64, 2, "list_sha256")
    n = plain_number(values["list_count"], 3, "list_count")
    k = plain_number(values["winners"], 4, "winners")
    r = plain_number(values["reserves"], 5, "reserves")
    if values["beacon"] != "drand:" + CHAIN:
        raise Failed(f"6번째 줄: 공개 난수는 drand quicknet(drand:{CHAIN})이어야 합니다.")
    round_ = plain_number(values["round"], 7, "round")
    randomness = lower_hex(values["randomness"], 64, 8, "randomness")
    label = values["label"]
    if has_control(label) or unicodedata.normalize("NFC", label) != label:
        raise Failed("9번째 줄: 추첨 이름에 제어 문자가 있거나 NFC 형태가 아닙니다.")
    if values["round_time"] != round_time(round_):
        raise Failed(f"10번째 줄: 7번째 줄의 라운드 {round_}의 시각은 {round_time(round_)}입니다.")
    signature = lower_hex(values["signature"], 96, 11, "signature")

    if len(entries) > MAX_ENTRIES:
        raise Failed(f"{first_entry_line}번째 줄: 목록의 항목이 {MAX_ENTRIES}개를 넘습니다.")
    for i, entry in enumerate(entries):
        line = first_entry_line + i
        if not entry or canonical_entry(entry) != entry or has_control(entry):
            raise Failed(f"{line}번째 줄: 목록의 항목이 정해진 형태가 아닙니다.")
        if i > 0 and not entries[i - 1].encode("utf-8") < entry.encode("utf-8"):
            raise Failed(f"{line}번째 줄: 목록의 항목이 {line - 1}번째 줄의 항목보다 UTF-8 순서로 앞서거나 같습니다.")
    if n != len(entries):
        raise Failed(f"3번째 줄: 목록의 항목은 {len(entries)}개입니다.")
    if f != list_sha256(entries):
        raise Failed(f"2번째 줄: 목록({first_entry_line}번째 줄부터)의 SHA-256과 다릅니다.")
    if k < 1 or k + r > n:
        raise Failed("5번째 줄: 당첨자는 1명 이상, 당첨자와 예비 당첨자를 합한 수는 목록의 항목 수 이하여야 합니다.")
    if hashlib.sha256(bytes.fromhex(signature)).hexdigest() != randomness:
        raise Failed("8번째 줄: randomness가 11번째 줄 signature의 SHA-256과 다릅니다.")
    names = {urllib.parse.urlsplit(relay).netloc for relay in relays}
    if values["relays"] != "pasted" and not all(name in names for name in values["relays"].split(",")):
        raise Failed("12번째 줄: 알 수 없는 공개 난수 서버가 있습니다.")
    seed = hashlib.sha256(seed_text(f, n, k, r, round_, randomness, label).encode("utf-8")).digest()
    if values["seed"] != seed.hex():
        raise Failed(f"13번째 줄: seed가 1–9번째 줄로 계산한 값({seed.hex()})과 다릅니다.")

    winners, reserves = draw(seed, n, k, r)
    expected = [f"winner.{i + 1}={t}\t{entries[t - 1]}" for i, t in enumerate(winners)]
    expected += [f"reserve.{i + 1}={t}\t{entries[t - 1]}" for i, t in enumerate(reserves)]
    rest = header[len(keys):]
    for i, want in enumerate(expected):
        line = len(keys) + 2 + i
        if i >= len(rest) or rest[i] != want:
            shown = want.replace("\t", " ")
            raise Failed(f"{line}번째 줄: 규칙으로 계산한 값은 '{shown}'입니다.")
    if len(rest) > len(expected):
        raise Failed(f"{len(keys) + 2 + len(expected)}번째 줄: 결과 파일에 없어야 할 줄입니다.")

    checked = "공개 난수 서버에 묻지 않고, 라운드는 파일에 적힌 signature로 확인했습니다."
    if not offline:
        answered = []
        for relay in relays:
            try:
                got = fetch_round(relay, round_)
            except OSError:
                continue
            if got is None:
                raise Failed(f"7번째 줄: 라운드 {round_}의 공개 난수는 아직 나오지 않았습니다. ({relay})")
            if got[0] != signature:
                raise Failed(f"11번째 줄: 공개 난수 서버({relay})가 준 라운드 {round_}의 signature와 다릅니다.")
            answered.append(relay)
        if answered:
            checked = f"라운드 {round_}의 signature를 공개 난수 서버({', '.join(answered)})에서 다시 받아 확인했습니다."
        else:
            checked = "공개 난수 서버에 접속할 수 없어, 라운드는 파일에 적힌 signature로 확인했습니다."
    return (f"{label} : 참가자 {n}명 중 당첨자 {k}명, 예비 당첨자 {r}명이 규칙대로 뽑혔습니다.\n{checked}\n"
            + "\n".join(f"{line.split('=', 1)[0]} {line.split('=', 1)[1]}" for line in expected))


def compute(arguments):
    with open(arguments.list, encoding="utf-8") as file:
        lines = file.read().split("\n")
    entries = canonical_list([line[:-1] if line.endswith("\r") else line for line in lines])
    k, r, round_ = arguments.winners, arguments.reserves, arguments.round
    if len(entries) > MAX_ENTRIES or k < 1 or r < 0 or k + r > len(entries):
        raise Failed("당첨자는 1명 이상, 당첨자와 예비 당첨자를 합한 수는 목록의 항목 수 이하여야 합니다.")
    randomness = arguments.randomness.lower()
    if len(randomness) != 64 or any(c not in "0123456789abcdef" for c in randomness):
        raise Failed("randomness는 16진수 64자리여야 합니다.")
    if has_control(arguments.label):
        raise Failed("추첨 이름에 제어 문자가 있습니다.")
    f = list_sha256(entries)
    seed = hashlib.sha256(seed_text(f, len(entries), k, r, round_, randomness, arguments.label).encode("utf-8")).digest()
    winners, reserves = draw(seed, len(entries), k, r)
    print(f)
    print(seed.hex())
    for i, t in enumerate(winners):
        print(f"winner {i + 1} {t} {entries[t - 1]}")
    for i, t in enumerate(reserves):
        print(f"reserve {i + 1} {t} {entries[t - 1]}")


def main():
    if hasattr(sys.stdout, "reconfigure"):
        sys.stdout.reconfigure(encoding="utf-8")
        sys.stderr.reconfigure(encoding="utf-8")
    parser = argparse.ArgumentParser(description="Tombolix 공개 추첨(tombolix-draw-v1)을 확인합니다.")
    parser.add_argument("result", nargs="?", help="추첨 결과 파일 (…_Tombolix_Result.txt)")
    parser.add_argument("--relay", action="append", help="drand 공개 난수 서버 (기본: api.drand.sh, drand.cloudflare.com)")
    parser.add_argument("--offline", action="store_true", help="공개 난수 서버에 묻지 않습니다")
    parser.add_argument("--list", help="참가자 목록 (UTF-8, 한 줄에 한 항목)")
    parser.add_argument("--winners", type=int)
    parser.add_argument("--reserves", type=int, default=0)
    parser.add_argument("--round", type=int)
    parser.add_argument("--randomness")
    parser.add_argument("--label")
    arguments = parser.parse_args()
    try:
        if arguments.list:
            if None in (arguments.winners, arguments.round, arguments.randomness, arguments.label):
                parser.error("--list에는 --winners, --round, --randomness, --label이 함께 있어야 합니다.")
            compute(arguments)
            return 0
        if not arguments.result:
            parser.error("추첨 결과 파일이나 --list를 주세요.")
        with open(arguments.result, "rb") as file:
            text = file.read().decode("utf-8")
        print("검증 성공\n" + verify_result(text, arguments.relay or RELAYS, arguments.offline))
        return 0
    except UnicodeDecodeError:
        print("검증 실패: UTF-8 파일이 아닙니다.", file=sys.stderr)
    except Failed as failure:
        print(f"검증 실패: {failure}", file=sys.stderr)
    except OSError as error:
        print(f"파일을 읽을 수 없습니다: {error}", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
