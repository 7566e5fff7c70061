#!/usr/bin/env python3
"""Checks a Tombolix public draw ("tombolix-draw-v1") without Tombolix. Python 3, standard library only.

Check a result file (…_Tombolix_Result.txt) against the announcement as it was posted before the
draw (the announcement file, or the post's text saved as a UTF-8 file), asking drand's relays for
the round again:
    verify-draw.py RESULT.txt --announcement ANNOUNCEMENT.txt
    verify-draw.py --relay https://drand.example RESULT.txt --announcement POST.txt   (asks that one too)
    verify-draw.py --offline RESULT.txt --announcement ANNOUNCEMENT.txt               (asks no relay)

This script confirms the round through drand's own relays (the same signature from
api.drand.sh or drand.cloudflare.com); it does not check the round's BLS signature itself, which
Python's standard library cannot. A relay given with --relay is asked as well and may be named by
the result file, but its word alone confirms nothing: whoever runs it could answer anything. Tombolix's own
"추첨 결과 검증…" checks the signature against drand's public key, with or without a relay.

Exit status:
    0  검증 성공: every line follows the rule, one of drand's relays gave the same round, and the
       announcement holds the result's announcement code.
    1  검증 실패: something differs (the line is named), or the file cannot be read.
    3  검증 미완료: every line follows the rule, but the round was not confirmed (--offline, or
       no relay reachable) or no announcement was given; what was not checked is printed.
    2  the command line was wrong.

Compute a draw from the announced terms and the list (UTF-8, one entry a line):
    verify-draw.py --list LIST.txt --winners K --reserves R --round R --randomness HEX --label TEXT
prints the list's SHA-256, the seed, then "winner i <ticket> <entry>" and "reserve i <ticket> <entry>".
"""

import argparse
import datetime
import hashlib
import json
import re
import sys
import unicodedata
import urllib.error
import urllib.parse
import urllib.request

RULE = "tombolix-draw-v1"
CHAIN = "52db9ba70e0cc0f6eaf7803dd07447a1f5477735fd3f661792ba94600c84e971"
GENESIS = 1692803367
PERIOD = 3
MAX_ROUND = 83903155011  # the last round published in the year 9999 (Korea's time)
# drand's own relays: the ones asked, the only ones whose word confirms a round, and the names a
# result file may give besides those given with --relay
DRAND_RELAYS = ["https://api.drand.sh", "https://drand.cloudflare.com"]
RELAYS = list(DRAND_RELAYS)
TRIMMED = "\t \u00a0\u3000\u200b\ufeff"
MAX_ENTRIES = 32767
SUCCESS, FAILURE, INCOMPLETE = 0, 1, 3


class Failed(Exception):
    pass


def canonical_entry(entry):
    return unicodedata.normalize("NFC", entry).strip(TRIMMED)


# Characters that show nothing by themselves, besides the format characters (Cf).
SHOWS_NOTHING = ({0x034F, 0x115F, 0x1160, 0x17B4, 0x17B5, 0x3164, 0xFFA0} | set(range(0x180B, 0x1810))
                 | set(range(0xFE00, 0xFE10)) | set(range(0xE0100, 0xE01F0)))


def has_unusable(text):
    """A control character, a code point Unicode 14 does not assign, or half a surrogate pair."""
    return any(unicodedata.category(c) in ("Cc", "Cn", "Cs") for c in text)


def unusable_in_label(label):
    """Besides: format characters and line or paragraph separators."""
    return has_unusable(label) or any(unicodedata.category(c) in ("Cf", "Zl", "Zp") for c in label)


def look_alike_key(entry):
    """The entry as people read it: NFKC, without the characters that show nothing."""
    return "".join(c for c in unicodedata.normalize("NFKC", entry)
                   if unicodedata.category(c) != "Cf" and ord(c) not in SHOWS_NOTHING)


def canonical_list(entries):
    made = [canonical_entry(e) for e in entries]
    made = [e for e in made if e]
    key_of = {e: look_alike_key(e) for e in made}
    bad = [e for e in made if has_unusable(e) or not key_of[e]]
    if bad:
        raise Failed("쓸 수 없는 문자가 들어 있거나 보이는 글자가 없는 항목: " + ", ".join(repr(e) for e in bad[:10]))
    made.sort(key=lambda e: e.encode("utf-8"))
    repeated = sorted({a for a, b in zip(made, made[1:]) if a == b}, key=lambda e: e.encode("utf-8"))
    if repeated:
        raise Failed("같은 항목이 두 번 이상 있습니다: " + ", ".join(repeated[:10]))
    keys = {}
    for entry in made:
        keys.setdefault(key_of[entry], []).append(entry)
    alike = [entries for entries in keys.values() if len(entries) > 1]
    if alike:
        raise Failed("보기에 같은 항목이 있습니다: " + ", ".join(repr(e) for entries in alike[:5] for e in entries))
    return made


def list_sha256(entries):
    return hashlib.sha256("".join(e + "\n" for e in entries).encode("utf-8")).hexdigest()


def announced_text(f, n, k, r, round_, label):
    """The seed's text without its randomness line: what the announcement code hashes."""
    return (f"{RULE}\nlist_sha256={f}\nlist_count={n}\nwinners={k}\nreserves={r}\n"
            f"beacon=drand:{CHAIN}\nround={round_}\nlabel={unicodedata.normalize('NFC', label)}\n")


def seed_text(f, n, k, r, round_, randomness, label):
    return (f"{RULE}\nlist_sha256={f}\nlist_count={n}\nwinners={k}\nreserves={r}\n"
            f"beacon=drand:{CHAIN}\nround={round_}\nrandomness={randomness}\n"
            f"label={unicodedata.normalize('NFC', label)}\n")


def announcement_code(f, n, k, r, round_, label):
    return hashlib.sha256(announced_text(f, n, k, r, round_, label).encode("utf-8")).hexdigest()


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


def round_seconds(round_):
    return GENESIS + (round_ - 1) * PERIOD


def round_time(round_):
    kst = datetime.timezone(datetime.timedelta(hours=9))
    return datetime.datetime.fromtimestamp(round_seconds(round_), kst).isoformat()


def korean_time(round_):
    kst = datetime.timezone(datetime.timedelta(hours=9))
    return datetime.datetime.fromtimestamp(round_seconds(round_), kst).strftime("%Y-%m-%d %H:%M:%S")


def at_line(line, what):
    return f"{line}번째 줄: {what}"


def plain_number(text, line, key):
    # no number of the rule has more than 19 digits (Python would read any, slowly, then refuse)
    if not (text.isascii() and text.isdigit()) or len(text) > 19 or str(int(text)) != text:
        raise Failed(at_line(line, f"{key}은(는) 0 이상의 정수여야 합니다."))
    return int(text)


def lower_hex(text, digits, line, key):
    if len(text) != digits or any(c not in "0123456789abcdef" for c in text):
        raise Failed(at_line(line, f"{key}은(는) 16진수(소문자) {digits}자리여야 합니다."))
    return text


class Header:
    """The header's "key=value" lines, read in the order given."""

    def __init__(self, lines):
        self.lines = lines  # (line number, key, value)
        self.at = 0

    def next_line(self):
        if self.at < len(self.lines):
            return self.lines[self.at][0]
        return self.lines[-1][0] + 1 if self.lines else 2

    def next(self, key):
        if self.at >= len(self.lines):
            raise Failed(at_line(self.next_line(), f"'{key}=' 줄이 있어야 합니다."))
        number, found, value = self.lines[self.at]
        if found != key:
            raise Failed(at_line(number, f"'{key}=' 줄이 있어야 할 자리에 '{found}='이(가) 있습니다."))
        self.at += 1
        return number, value

    def next_if(self, key):
        if self.at < len(self.lines) and self.lines[self.at][1] == key:
            return self.next(key)
        return None

    def at_end(self):
        return self.at >= len(self.lines)


def split_file(text):
    if text.count("\n") > 2 * MAX_ENTRIES + 16:
        raise Failed("파일의 줄이 너무 많습니다. 공개 추첨의 파일이 아닙니다.")
    if text.startswith("\ufeff"):
        text = text[1:]
    lines = text.replace("\r\n", "\n").split("\n")
    if lines[0] != RULE:
        raise Failed(at_line(1, f"'{RULE}'(으)로 시작하는 파일이 아닙니다."))
    if lines[-1] != "":
        raise Failed(at_line(len(lines), "줄이 줄바꿈으로 끝나지 않습니다. 파일이 잘렸거나 바뀌었습니다."))
    lines.pop()
    header = []
    i = 1
    while i < len(lines) and lines[i] != "":
        key, equals, value = lines[i].partition("=")
        if not equals or not key:
            raise Failed(at_line(i + 1, "'이름=값' 형식이 아닙니다."))
        header.append((i + 1, key, value))
        i += 1
    if i >= len(lines):
        raise Failed(at_line(i + 1, "목록 앞의 빈 줄이 없습니다."))
    return Header(header), lines[i + 1:], i + 2


def read_announced(header, entries, first_entry_line, with_randomness):
    """The terms, in the seed's order, the announcement code and the round's time, and the list."""
    terms = {}
    sha_line, f = header.next("list_sha256")
    terms["f"] = lower_hex(f, 64, sha_line, "list_sha256")
    count_line, n = header.next("list_count")
    terms["n"] = plain_number(n, count_line, "list_count")
    line, k = header.next("winners")
    terms["k"] = plain_number(k, line, "winners")
    reserves_line, r = header.next("reserves")
    terms["r"] = plain_number(r, reserves_line, "reserves")
    line, beacon = header.next("beacon")
    if beacon != "drand:" + CHAIN:
        raise Failed(at_line(line, f"공개 난수는 drand quicknet(drand:{CHAIN})이어야 합니다."))
    round_line, round_ = header.next("round")
    terms["round"] = plain_number(round_, round_line, "round")
    if not 1 <= terms["round"] <= MAX_ROUND:
        raise Failed(at_line(round_line, f"라운드 번호는 1 이상 {MAX_ROUND} 이하여야 합니다."))
    if with_randomness:
        line, randomness = header.next("randomness")
        terms["randomness"] = lower_hex(randomness, 64, line, "randomness")
        terms["randomness_line"] = line
    line, label = header.next("label")
    if unusable_in_label(label) or unicodedata.normalize("NFC", label) != label:
        raise Failed(at_line(line, "추첨 이름에 쓸 수 없는 문자가 있거나 NFC 형태가 아닙니다."))
    terms["label"] = label
    code = header.next_if("announcement_sha256")
    if code is not None:
        lower_hex(code[1], 64, code[0], "announcement_sha256")
    line, time = header.next("round_time")
    if time != round_time(terms["round"]):
        raise Failed(at_line(line, f"{round_line}번째 줄의 라운드 {terms['round']}의 시각은 "
                                   f"{round_time(terms['round'])}입니다."))

    if len(entries) > MAX_ENTRIES:
        raise Failed(at_line(first_entry_line, f"목록의 항목이 {MAX_ENTRIES}개를 넘습니다."))
    line_of_key = {}  # no two entries that read the same
    for i, entry in enumerate(entries):
        line = first_entry_line + i
        key = look_alike_key(entry)
        if not entry or canonical_entry(entry) != entry or has_unusable(entry) or not key:
            raise Failed(at_line(line, "목록의 항목이 정해진 형태가 아닙니다."))
        if i > 0 and not entries[i - 1].encode("utf-8") < entry.encode("utf-8"):
            raise Failed(at_line(line, f"목록의 항목이 {line - 1}번째 줄의 항목보다 UTF-8 순서로 앞서거나 같습니다."))
        if key in line_of_key:
            raise Failed(at_line(line, f"목록의 항목이 {line_of_key[key]}번째 줄의 항목과 보기에 같습니다."))
        line_of_key[key] = line
    if terms["n"] != len(entries):
        raise Failed(at_line(count_line, f"목록의 항목은 {len(entries)}개입니다."))
    if terms["f"] != list_sha256(entries):
        raise Failed(at_line(sha_line, f"목록({first_entry_line}번째 줄부터)의 SHA-256과 다릅니다."))
    if terms["k"] < 1 or terms["k"] + terms["r"] > terms["n"]:
        raise Failed(at_line(reserves_line,
                             "당첨자는 1명 이상, 당첨자와 예비 당첨자를 합한 수는 목록의 항목 수 이하여야 합니다."))
    terms["code"] = announcement_code(terms["f"], terms["n"], terms["k"], terms["r"], terms["round"], label)
    if code is not None and code[1] != terms["code"]:
        raise Failed(at_line(code[0], f"announcement_sha256이(가) 1–{code[0] - 1}번째 줄(randomness 줄 빼고)로 "
                                      f"계산한 값({terms['code']})과 다릅니다."))
    return terms


def parse_announcement(text):
    header, entries, first_entry_line = split_file(text)
    terms = read_announced(header, entries, first_entry_line, False)
    if not header.at_end():
        raise Failed(at_line(header.next_line(), "예고 파일에 없어야 할 줄입니다."))
    return terms


def check_announcement(text, terms):
    """Fails unless the announcement (a file, or the post's text) announces these terms."""
    not_announced = "이 결과는 예고한 추첨이 아닙니다. "
    try:
        split_file(text)
        is_file = True
    except Failed:
        is_file = False
    if is_file:
        try:
            then = parse_announcement(text)
        except Failed as failure:
            raise Failed(f"예고 파일이 올바르지 않습니다. {failure}")
        if then["code"] == terms["code"]:
            return
        names = [("label", "추첨 이름"), ("f", "참가자 목록의 SHA-256"), ("n", "참가자 수"), ("k", "당첨자 수"),
                 ("r", "예비 당첨자 수"), ("round", "라운드")]
        differs = [f"{name}(예고: {then[key]}, 결과: {terms[key]})" for key, name in names if then[key] != terms[key]]
        raise Failed(not_announced + "예고와 다른 값: " + ", ".join(differs))
    # The post's text: the code must stand in it, and no other code beside it. The list's SHA-256
    # and the chain's hash are the other 64-digit values a post holds.
    # The text is read as people read it (NFKC, invisible characters taken out), so that no second
    # code hides in full-width digits or behind a zero-width space.
    read = look_alike_key(text)
    codes = {value.lower() for value in re.findall(r"(?<![0-9A-Fa-f])[0-9A-Fa-f]{64}(?![0-9A-Fa-f])", read)}
    codes -= {terms["f"], CHAIN}
    if terms["code"] not in codes:
        raise Failed(not_announced + f"예고문에 이 결과의 예고 코드({terms['code']})가 없습니다.")
    if len(codes) > 1:
        raise Failed(not_announced + f"예고문에 예고 코드로 보이는 값이 {len(codes)}개 있어, 어느 추첨을 예고했는지 "
                                     "알 수 없습니다.")


def verify_result(text, relay_names):
    """Every line of a result file checked against the rule; the terms and the round when it holds."""
    header, entries, first_entry_line = split_file(text)
    terms = read_announced(header, entries, first_entry_line, True)
    signature_line, signature = header.next("signature")
    lower_hex(signature, 96, signature_line, "signature")
    relays_line, relays = header.next("relays")
    seed_line, seed_hex = header.next("seed")
    lower_hex(seed_hex, 64, seed_line, "seed")
    f, n, k, r, round_, randomness = (terms[key] for key in ("f", "n", "k", "r", "round", "randomness"))

    winner_lines = sum(1 for _, key, _ in header.lines if key.startswith("winner."))
    if winner_lines != k:
        raise Failed(at_line(4, f"winners={k}인데 당첨자 줄은 {winner_lines}개입니다."))
    reserve_lines = sum(1 for _, key, _ in header.lines if key.startswith("reserve."))
    if reserve_lines != r:
        raise Failed(at_line(5, f"reserves={r}인데 예비 당첨자 줄은 {reserve_lines}개입니다."))
    if hashlib.sha256(bytes.fromhex(signature)).hexdigest() != randomness:
        raise Failed(at_line(terms["randomness_line"],
                             f"randomness가 {signature_line}번째 줄 signature의 SHA-256과 다릅니다."))
    if relays != "pasted" and not all(name in relay_names for name in relays.split(",")):
        raise Failed(at_line(relays_line, "알 수 없는 공개 난수 서버가 있습니다."))
    seed = hashlib.sha256(seed_text(f, n, k, r, round_, randomness, terms["label"]).encode("utf-8")).digest()
    if seed_hex != seed.hex():
        raise Failed(at_line(seed_line, f"seed가 1–9번째 줄로 계산한 값({seed.hex()})과 다릅니다."))

    winners, reserves = draw(seed, n, k, r)
    expected = [f"winner.{i + 1}={t}\t{entries[t - 1]}" for i, t in enumerate(winners)]
    expected += [f"reserve.{i + 1}={t}\t{entries[t - 1]}" for i, t in enumerate(reserves)]
    for want in expected:
        key, _, value = want.partition("=")
        line, got = header.next(key)
        if got != value:
            shown = want.replace("\t", " ")
            raise Failed(at_line(line, f"규칙으로 계산한 값은 '{shown}'입니다."))
    if not header.at_end():
        raise Failed(at_line(header.next_line(), "결과 파일에 없어야 할 줄입니다."))
    terms["signature"] = signature
    terms["drawn"] = [f"{line.split('=', 1)[0]} {line.split('=', 1)[1]}" for line in expected]
    return terms


def fetch_round(relay, round_):
    """The round's signature, None when the relay has no such round yet; raises OSError when unreachable."""
    address = f"{relay}/{CHAIN}/public/{round_}"
    try:
        with urllib.request.urlopen(address, timeout=10) as answer:
            data = json.loads(answer.read(65536).decode("utf-8"))
    except urllib.error.HTTPError as error:
        if error.code == 404:
            return None
        raise OSError(str(error))
    except (ValueError, UnicodeDecodeError):
        raise Failed(f"{relay}: 라운드 정보(JSON)를 읽을 수 없습니다.")
    if not isinstance(data, dict) or data.get("round") != round_ or isinstance(data.get("round"), bool):
        raise Failed(f"{relay}: 라운드 {round_}이(가) 아닌 라운드의 정보입니다.")
    signature = str(data.get("signature", "")).lower()
    randomness = str(data.get("randomness", "")).lower()
    if len(signature) != 96 or any(c not in "0123456789abcdef" for c in signature):
        raise Failed(f"{relay}: signature가 16진수 96자리가 아닙니다.")
    if hashlib.sha256(bytes.fromhex(signature)).hexdigest() != randomness:
        raise Failed(f"{relay}: randomness가 signature의 SHA-256과 다릅니다.")
    return signature


def confirm_round(given, round_, signature):
    """(how the round was confirmed, None) or (None, why not); fails when a relay has another round.

    Only drand's own relays (RELAYS) confirm a round: a relay given with --relay is asked too, but
    whoever runs it could answer anything, so its word alone is not taken."""
    answered, vouched, not_yet = [], [], []
    for relay in RELAYS + [relay for relay in given if relay not in RELAYS]:
        try:
            got = fetch_round(relay, round_)
        except (OSError, Failed):
            continue  # out of reach, or an answer that is no round: another relay may have it
        if got is None:
            not_yet.append(relay)
            continue
        if got != signature:
            raise Failed(f"공개 난수 서버({relay})가 준 라운드 {round_}의 signature가 결과 파일의 것과 다릅니다.")
        (answered if relay in RELAYS else vouched).append(relay)
    if answered:
        return (f"라운드 {round_}의 signature를 공개 난수 서버({', '.join(answered)})에서 다시 받아 확인했습니다. "
                "(이 스크립트는 BLS 서명 자체는 확인하지 않고, 서버가 준 라운드와 같은지를 봅니다.)"), None
    if vouched:
        return None, (f"--relay로 준 서버({', '.join(vouched)})만 같은 라운드를 주었습니다. drand의 공개 난수 서버"
                      f"({', '.join(RELAYS)})가 아니라서 확인으로 치지 않습니다")
    if not_yet:
        raise Failed(f"라운드 {round_}의 공개 난수는 아직 나오지 않았습니다. ({', '.join(not_yet)})")
    return None, "공개 난수 서버에 접속할 수 없습니다"


def posted_before_round(terms):
    return (f"※라운드 {terms['round']}은(는) {korean_time(terms['round'])}(한국 시간)에 공개되었습니다. 예고문이 그보다 "
            "먼저 게시되었고 그 뒤에 고쳐지지 않았는지 게시글에서 꼭 확인하세요. 그 뒤에 올린 예고라면 진행자가 당첨자를 "
            "고를 수 있었습니다.")


def terms_lines(terms):
    return [f"추첨 이름 : {terms['label']}",
            f"예고 코드(announcement_sha256) : {terms['code']}",
            f"참가자 목록의 SHA-256 : {terms['f']}",
            f"참가자 {terms['n']}명, 당첨자 {terms['k']}명, 예비 당첨자 {terms['r']}명",
            f"공개 난수 : drand quicknet 라운드 {terms['round']} ({korean_time(terms['round'])}, 한국 시간)"]


def verify(result_text, announcement_text, relays, offline):
    """(exit status, text to print)."""
    names = {urllib.parse.urlsplit(relay).netloc for relay in DRAND_RELAYS + RELAYS + relays}
    terms = verify_result(result_text, names)
    if offline:
        confirmed, unconfirmed = None, "공개 난수 서버에 묻지 않았습니다 (--offline)"
    else:
        confirmed, unconfirmed = confirm_round(relays, terms["round"], terms["signature"])
    if announcement_text is not None:
        check_announcement(announcement_text, terms)
    drawn = (f"{terms['label']} : 참가자 {terms['n']}명 중 당첨자 {terms['k']}명, "
             f"예비 당첨자 {terms['r']}명이 규칙대로 뽑혔습니다.")
    if confirmed and announcement_text is not None:
        return SUCCESS, "\n".join(["검증 성공", drawn, "예고에 이 결과의 예고 코드가 있어, 예고한 그대로의 추첨입니다.",
                                   confirmed, posted_before_round(terms)] + terms["drawn"])
    lines = ["검증 미완료",
             "결과 파일의 당첨자와 예비 당첨자는 파일에 적힌 목록과 라운드로 규칙대로 계산되어 있습니다. 그러나:"]
    if announcement_text is None:
        lines.append("- 이 결과는 어떤 예고와도 비교하지 않았습니다. 아래 값이 추첨 전에 올린 예고와 같은지 "
                     "직접 확인하세요. (--announcement)")
    if confirmed:
        lines.append("- " + confirmed)
    else:
        lines.append(f"- 라운드 {terms['round']}은(는) 확인되지 않았습니다. 파일에 적힌 signature가 진짜 drand의 "
                     f"것인지 알 수 없습니다. ({unconfirmed})")
    return INCOMPLETE, "\n".join(lines + terms_lines(terms) + terms["drawn"])


def compute(arguments):
    with open(arguments.list, encoding="utf-8", newline="") as file:
        lines = file.read().split("\n")
    entries = canonical_list([line[:-1] if line.endswith("\r") else line for line in lines])
    k, r, round_ = arguments.winners, arguments.reserves, arguments.round
    if len(entries) > MAX_ENTRIES or k < 1 or r < 0 or k + r > len(entries):
        raise Failed("당첨자는 1명 이상, 당첨자와 예비 당첨자를 합한 수는 목록의 항목 수 이하여야 합니다.")
    if not 1 <= round_ <= MAX_ROUND:
        raise Failed(f"라운드 번호는 1 이상 {MAX_ROUND} 이하여야 합니다.")
    randomness = arguments.randomness.lower()
    if len(randomness) != 64 or any(c not in "0123456789abcdef" for c in randomness):
        raise Failed("randomness는 16진수 64자리여야 합니다.")
    if unusable_in_label(arguments.label):
        raise Failed("추첨 이름에 쓸 수 없는 문자가 있습니다.")
    f = list_sha256(entries)
    seed = hashlib.sha256(seed_text(f, len(entries), k, r, round_, randomness, arguments.label).encode("utf-8")).digest()
    winners, reserves = draw(seed, len(entries), k, r)
    print(f)
    print(seed.hex())
    for i, t in enumerate(winners):
        print(f"winner {i + 1} {t} {entries[t - 1]}")
    for i, t in enumerate(reserves):
        print(f"reserve {i + 1} {t} {entries[t - 1]}")


def read_utf8(path):
    with open(path, "rb") as file:
        return file.read().decode("utf-8")


def main():
    if hasattr(sys.stdout, "reconfigure"):
        sys.stdout.reconfigure(encoding="utf-8")
        sys.stderr.reconfigure(encoding="utf-8")
    parser = argparse.ArgumentParser(description="Tombolix 공개 추첨(tombolix-draw-v1)을 확인합니다.")
    parser.add_argument("result", nargs="?", help="추첨 결과 파일 (…_Tombolix_Result.txt)")
    parser.add_argument("--announcement", help="추첨 전에 올린 예고: 예고 파일, 또는 게시글의 예고문을 저장한 UTF-8 파일")
    parser.add_argument("--relay", action="append", default=[],
                        help="api.drand.sh와 drand.cloudflare.com에 더해 물어볼 서버; 결과 파일에 적혀도 되는 서버가 되지만, "
                             "그 서버의 답만으로는 라운드를 확인한 것으로 치지 않습니다")
    parser.add_argument("--offline", action="store_true", help="공개 난수 서버에 묻지 않습니다 (라운드는 확인되지 않습니다)")
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
            return SUCCESS
        if not arguments.result:
            parser.error("추첨 결과 파일이나 --list를 주세요.")
        result = read_utf8(arguments.result)
        announcement = read_utf8(arguments.announcement) if arguments.announcement else None
        status, text = verify(result, announcement, arguments.relay, arguments.offline)
        print(text)
        return status
    except UnicodeDecodeError:
        print("검증 실패: UTF-8 파일이 아닙니다.", file=sys.stderr)
    except Failed as failure:
        print(f"검증 실패: {failure}", file=sys.stderr)
    except OSError as error:
        print(f"파일을 읽을 수 없습니다: {error}", file=sys.stderr)
    return FAILURE


if __name__ == "__main__":
    sys.exit(main())
