#!/usr/bin/env python3
"""Checks a Tombolix public draw ("tombolix-draw-v2", and the older "tombolix-draw-v1") without
Tombolix. Python 3.11 or later, standard library only.

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
    2  the command line was wrong, or this Python is older than 3.11.

Compute a draw from the announced terms and the list (UTF-8, one entry a line):
    verify-draw.py --list LIST.txt --winners K --reserves R --round R --randomness HEX --label TEXT
        [--prizes PRIZES.txt]   (one rank a line: "1등 1명 치킨")
prints the list's SHA-256, the seed, then "winner i <ticket> <entry>" and "reserve i <ticket> <entry>".

Why Python 3.11: the rule reads text by Unicode 14 (which code points exist, which show nothing,
which look alike: the tables at the end of this file, the program's own), and normalises it;
3.11 is the first Python whose normalisation knows every character of Unicode 14.
"""

import argparse
import datetime
import functools
import hashlib
import json
import re
import sys
import unicodedata
import urllib.error
import urllib.parse
import urllib.request

RULE_V1 = "tombolix-draw-v1"
RULE_V2 = "tombolix-draw-v2"
RULES = (RULE_V1, RULE_V2)
CHAIN = "52db9ba70e0cc0f6eaf7803dd07447a1f5477735fd3f661792ba94600c84e971"
GENESIS = 1692803367
PERIOD = 3
MAX_ROUND = 83903155011  # the last round published in the year 9999 (Korea's time)
# drand's own relays: the ones asked, the only ones whose word confirms a round, and the names a
# result file may give besides those given with --relay
DRAND_RELAYS = ["https://api.drand.sh", "https://drand.cloudflare.com"]
RELAYS = list(DRAND_RELAYS)
MAX_ENTRIES = 32767
MAX_TEXT = 200  # code points: no nickname comes near it
# nor does a list come near this many code points in all as people read it (NFKC: 32,767 entries of
# 60), nor a post this many (2,000 entries of the longest, and the text around them): reading more
# could take long enough to matter (NFKC makes some code points 18), so more is refused
MAX_SHOWN = 2000000
MAX_POST = 500000
MAX_FILE_BYTES = 64 * 1024 * 1024  # the program's own limit
SUCCESS, FAILURE, WRONG_USE, INCOMPLETE = 0, 1, 2, 3
OLDEST_PYTHON = (3, 11)


class Failed(Exception):
    pass


# --- The text of entries, labels and posts, read by Unicode 14 ---

def _ranges(text):
    for part in text.split():
        first, _, last = part.partition("-")
        yield int(first, 16), int(last or first, 16)


def _char_class(text):
    return "".join(re.escape(chr(a)) if a == b else re.escape(chr(a)) + "-" + re.escape(chr(b))
                   for a, b in _ranges(text))


@functools.lru_cache(maxsize=None)
def _tables():
    """The generated tables at the end of this file, made into what the functions below use."""
    blank = "[" + _char_class(UNICODE14_BLANK) + "]"
    space = "[" + _char_class(UNICODE14_WHITE_SPACE) + "]"
    prototypes = {}
    for pair in UNICODE14_PROTOTYPES.split(","):
        source, _, target = pair.partition(":")
        prototypes[int(source, 16)] = "".join(chr(int(code, 16)) for code in target.split())
    return {
        "unusable": re.compile("[^" + _char_class(UNICODE14_USABLE) + "]"),
        "blank": re.compile(blank),
        "trim": re.compile("\\A" + blank + "+|" + blank + "+\\Z"),
        "spaces": re.compile(space + "+"),
        "space_only": re.compile(space + "*\\Z"),
        # what shows nothing but is no white space: taken out of a post as people read it
        "unseen": re.compile("(?!" + space + ")" + blank),
        "format": re.compile("[" + _char_class(UNICODE14_FORMAT) + "]"),
        "prototypes": prototypes,
    }


def too_long(text):
    return len(text) > MAX_TEXT


def has_unusable(text, rule=RULE_V2):
    """A code point Unicode 14 does not assign, half a surrogate pair, or a control character other
    than white space (the first rule refused every control character)."""
    if _tables()["unusable"].search(text):
        return True
    return rule == RULE_V1 and any(c in "\t\n\x0b\x0c\r\x85" for c in text)


def unusable_in_label(label, rule=RULE_V2):
    """Besides: format characters and line or paragraph separators."""
    return has_unusable(label, rule) or bool(_tables()["format"].search(label)) or \
        "\u2028" in label or "\u2029" in label


V1_TRIMMED = "\t \u00a0\u3000\u200b\ufeff"
# Characters that show nothing by themselves by the first rule, besides the format characters.
V1_SHOWS_NOTHING = ({0x034F, 0x115F, 0x1160, 0x17B4, 0x17B5, 0x3164, 0xFFA0} | set(range(0x180B, 0x1810))
                    | set(range(0xFE00, 0xFE10)) | set(range(0xE0100, 0xE01F0)))


def canonical_entry(entry, rule=RULE_V2):
    """NFC, the blanks at both ends taken off, every run of white space inside made one blank."""
    if rule == RULE_V1:
        return unicodedata.normalize("NFC", entry).strip(V1_TRIMMED)
    tables = _tables()
    return tables["spaces"].sub(" ", tables["trim"].sub("", unicodedata.normalize("NFC", entry)))


def look_alike_key(entry, rule=RULE_V2, shown=None):
    """The entry as people read it: NFKC without what shows nothing, then its confusable skeleton
    (`shown`: its NFKC form, where the caller has it)."""
    shown = unicodedata.normalize("NFKC", entry) if shown is None else shown
    if rule == RULE_V1:
        shown = _tables()["format"].sub("", shown)
        return "".join(c for c in shown if ord(c) not in V1_SHOWS_NOTHING)
    tables = _tables()
    shown = unicodedata.normalize("NFD", tables["blank"].sub("", shown))
    return unicodedata.normalize("NFD", shown.translate(tables["prototypes"]))


def as_shown(text):
    """A text as people read it, its lines and blanks kept: NFKC, without what shows nothing."""
    return _tables()["unseen"].sub("", unicodedata.normalize("NFKC", text))


def canonical_list(entries):
    made, keys, shown = [], {}, 0
    too_long_ones = [e for e in entries if not _tables()["space_only"].match(e) and too_long(e)]
    if too_long_ones:
        raise Failed(f"{MAX_TEXT}자가 넘는 항목: " + ", ".join(repr(e) for e in too_long_ones[:10]))
    bad, long_once_canonical = [], []
    for entry in entries:
        if _tables()["space_only"].match(entry):
            continue  # a blank line
        canonical = "" if has_unusable(entry) else canonical_entry(entry)
        nfkc = unicodedata.normalize("NFKC", canonical)
        shown += len(nfkc)
        if shown > MAX_SHOWN:
            raise Failed(f"목록이 너무 깁니다. 보기에 모두 {MAX_SHOWN}자를 넘습니다.")
        if too_long(canonical):  # NFC lengthens a few code points (U+0958 is two)
            long_once_canonical.append(entry)
            continue
        key = look_alike_key(canonical, RULE_V2, nfkc) if canonical else ""
        if not key:
            bad.append(entry)
            continue
        made.append(canonical)
        keys[canonical] = key
    if long_once_canonical:
        raise Failed(f"{MAX_TEXT}자가 넘는 항목: " + ", ".join(repr(e) for e in long_once_canonical[:10]))
    if bad:
        raise Failed("쓸 수 없는 문자가 들어 있거나 보이는 글자가 없는 항목: " + ", ".join(repr(e) for e in bad[:10]))
    made.sort(key=lambda e: e.encode("utf-8"))
    repeated = sorted({a for a, b in zip(made, made[1:]) if a == b}, key=lambda e: e.encode("utf-8"))
    if repeated:
        raise Failed("같은 항목이 두 번 이상 있습니다: " + ", ".join(repeated[:10]))
    by_key = {}
    for entry in made:
        by_key.setdefault(keys[entry], []).append(entry)
    alike = [group for group in by_key.values() if len(group) > 1]
    if alike:
        raise Failed("보기에 같은 항목이 있습니다: " + ", ".join(repr(e) for group in alike[:5] for e in group))
    return made


def parse_prizes(text):
    """The prizes as the organiser types them, one rank a line: "1등 1명 치킨"."""
    prizes = []
    for number, row in enumerate(re.split(r"\r\n|\r|\n", text), 1):
        if _tables()["space_only"].match(row):
            continue
        match = re.fullmatch(r"\s*([0-9]{1,5})\s*등\s+([0-9]{1,5})\s*명\s+(.*)", row, re.S)
        name = canonical_entry(match.group(3)) if match and not has_unusable(match.group(3)) else ""
        if not match or int(match.group(1)) != len(prizes) + 1 or not name:
            raise Failed(f"{number}번째 줄: '{len(prizes) + 1}등 1명 치킨'처럼 등수, 당첨자 수, 상품 이름을 차례로 적어주세요.")
        if too_long(match.group(3)) or unusable_in_label(name):
            raise Failed(f"{number}번째 줄: 상품 이름이 너무 길거나 쓸 수 없는 문자가 있습니다.")
        prizes.append((int(match.group(2)), name))
    return prizes


def prizes_problem(prizes, winners):
    for i, (count, name) in enumerate(prizes, 1):
        if count < 1:
            return f"{i}등의 당첨자 수는 1명 이상이어야 합니다."
        if not name or too_long(name) or canonical_entry(name) != name or unusable_in_label(name):
            return f"{i}등의 상품 이름이 비었거나, 너무 길거나, 쓸 수 없는 문자가 있습니다."
    total = sum(count for count, _ in prizes)
    if prizes and total != winners:
        return f"등수별 당첨자를 합한 수({total}명)가 당첨자 수({winners}명)와 다릅니다."
    return None


def winner_ranks(prizes, winners):
    ranks = [rank for rank, (count, _) in enumerate(prizes, 1) for _ in range(count)][:winners]
    return ranks + [len(prizes) or 1] * (winners - len(ranks))


def rank_name(prizes, rank):
    return f"{rank}등 {prizes[rank - 1][1]}" if 1 <= rank <= len(prizes) else f"{rank}등"


def prizes_text(prizes):
    return ", ".join(f"{i}등 {count}명 {name}" for i, (count, name) in enumerate(prizes, 1)) or "없음"


# --- The rule ---

def list_sha256(entries):
    return hashlib.sha256("".join(e + "\n" for e in entries).encode("utf-8")).hexdigest()


def announced_text(terms):
    """The seed's text without its randomness line: what the announcement code hashes."""
    return seed_text(terms, None)


def seed_text(terms, randomness):
    text = (f"{terms['rule']}\nlist_sha256={terms['f']}\nlist_count={terms['n']}\nwinners={terms['k']}\n"
            f"reserves={terms['r']}\nbeacon=drand:{CHAIN}\nround={terms['round']}\n")
    if randomness is not None:
        text += f"randomness={randomness}\n"
    text += f"label={terms['label']}\n"
    return text + "".join(f"prize.{i}={count}\t{name}\n" for i, (count, name) in enumerate(terms["prizes"], 1))


def announcement_code(terms):
    return hashlib.sha256(announced_text(terms).encode("utf-8")).hexdigest()


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


# --- The files ---

def at_line(line, what):
    return f"{line}번째 줄: {what}"


def plain_number(text, line, key):
    # no number of the rule has more than 19 digits (Python would read any, slowly, then refuse)
    if not re.fullmatch(r"[0-9]{1,19}", text) or str(int(text)) != text:
        raise Failed(at_line(line, f"{key}은(는) 0 이상의 정수여야 합니다."))
    return int(text)


def lower_hex(text, digits, line, key):
    if len(text) != digits or any(c not in "0123456789abcdef" for c in text):
        raise Failed(at_line(line, f"{key}은(는) 16진수(소문자) {digits}자리여야 합니다."))
    return text


class Header:
    """The header's "key=value" lines, read in the order given."""

    def __init__(self, lines, rule):
        self.lines = lines  # (line number, key, value)
        self.rule = rule
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
    if text.startswith("\ufeff"):
        text = text[1:]
    # the first line names the rule; any other text (a post, a page) is told so before it is cut up
    first = text[:text.find("\n")] if "\n" in text[:64] else text[:64]
    if first.rstrip("\r") not in RULES:
        raise Failed(at_line(1, f"공개 추첨의 파일('{RULE_V2}'나 그 전의 '{RULE_V1}'로 시작하는 파일)이 아닙니다."))
    if text.count("\n") > 3 * MAX_ENTRIES + 16:
        raise Failed("파일의 줄이 너무 많습니다. 공개 추첨의 파일이 아닙니다.")
    lines = text.replace("\r\n", "\n").split("\n")
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
    return Header(header, lines[0]), lines[i + 1:], i + 2


def list_problem(entries, lines, rule):
    """Fails unless the list is as the rule writes it: every entry canonical, none reading the same
    as another, in UTF-8 order (`lines`: the line of each entry)."""
    lines = list(lines)
    if len(entries) > MAX_ENTRIES:
        raise Failed(at_line(lines[0] if lines else 1, f"목록의 항목이 {MAX_ENTRIES}개를 넘습니다."))
    line_of_key, shown = {}, 0  # no two entries that read the same
    for i, entry in enumerate(entries):
        line = lines[i]
        if not entry or too_long(entry) or has_unusable(entry, rule) or \
                canonical_entry(entry, rule) != entry:
            raise Failed(at_line(line, "목록의 항목이 정해진 형태가 아닙니다."))
        nfkc = unicodedata.normalize("NFKC", entry)
        shown += len(nfkc)
        if shown > MAX_SHOWN:
            raise Failed(at_line(line, f"목록이 너무 깁니다. 보기에 모두 {MAX_SHOWN}자를 넘습니다. 공개 추첨의 목록이 아닙니다."))
        key = look_alike_key(entry, rule, nfkc)
        if not key:
            raise Failed(at_line(line, "목록의 항목이 정해진 형태가 아닙니다."))
        if key in line_of_key:
            raise Failed(at_line(line, f"목록의 항목이 {line_of_key[key]}번째 줄의 항목과 보기에 같습니다."))
        line_of_key[key] = line
        if i > 0 and not entries[i - 1].encode("utf-8") < entry.encode("utf-8"):
            raise Failed(at_line(line, f"목록의 항목이 {lines[i - 1]}번째 줄의 항목보다 UTF-8 순서로 앞서거나 같습니다."))


def canonical_label(label, rule):
    if rule == RULE_V1:
        return not unusable_in_label(label, rule) and canonical_entry(label, rule) == label
    return bool(label) and not too_long(label) and not unusable_in_label(label) and canonical_entry(label) == label


def read_prizes(header):
    prizes = []
    while header.rule != RULE_V1:
        key = f"prize.{len(prizes) + 1}"
        found = header.next_if(key)
        if found is None:
            break
        line, value = found
        count, tab, name = value.partition("\t")
        if not tab or not re.fullmatch(r"[0-9]{1,19}", count) or str(int(count)) != count or \
                not 1 <= int(count) <= MAX_ENTRIES:
            raise Failed(at_line(line, f"{key}은(는) '당첨자 수<탭>상품 이름'이어야 합니다."))
        prizes.append((int(count), name))
    return prizes


def read_announced(header, entries, first_entry_line, with_randomness):
    """The terms, in the seed's order, the announcement code and the round's time, and the list."""
    rule = header.rule
    terms = {"rule": rule}
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
    if not canonical_label(label, rule):
        raise Failed(at_line(line, "추첨 이름에 쓸 수 없는 문자가 있거나 정해진 형태가 아닙니다."))
    terms["label"] = label
    terms["prizes"] = read_prizes(header)
    first_prize_line = line + 1
    code = header.next_if("announcement_sha256")
    if code is not None:
        lower_hex(code[1], 64, code[0], "announcement_sha256")
    line, time = header.next("round_time")
    if time != round_time(terms["round"]):
        raise Failed(at_line(line, f"{round_line}번째 줄의 라운드 {terms['round']}의 시각은 "
                                   f"{round_time(terms['round'])}입니다."))

    list_problem(entries, range(first_entry_line, first_entry_line + len(entries)), rule)
    if terms["n"] != len(entries):
        raise Failed(at_line(count_line, f"목록의 항목은 {len(entries)}개입니다."))
    if terms["f"] != list_sha256(entries):
        raise Failed(at_line(sha_line, f"목록({first_entry_line}번째 줄부터)의 SHA-256과 다릅니다."))
    if terms["k"] < 1 or terms["k"] + terms["r"] > terms["n"]:
        raise Failed(at_line(reserves_line,
                             "당첨자는 1명 이상, 당첨자와 예비 당첨자를 합한 수는 목록의 항목 수 이하여야 합니다."))
    wrong = prizes_problem(terms["prizes"], terms["k"])
    if wrong:
        raise Failed(at_line(first_prize_line, wrong))
    terms["code"] = announcement_code(terms)
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


NOT_ANNOUNCED = "이 결과는 예고한 추첨이 아닙니다. "


def terms_differ(then, terms):
    """Fails unless an announcement's terms are the result's, naming those that differ."""
    if announcement_code(then) == announcement_code(terms):
        return
    shown = {"prizes": prizes_text}
    names = [("label", "추첨 이름"), ("f", "참가자 목록의 SHA-256"), ("n", "참가자 수"), ("k", "당첨자 수"),
             ("r", "예비 당첨자 수"), ("round", "라운드"), ("prizes", "등수별 당첨자"), ("rule", "규칙")]
    differs = [f"{name}(예고: {shown.get(key, str)(then[key])}, 결과: {shown.get(key, str)(terms[key])})"
               for key, name in names if then[key] != terms[key]]
    raise Failed(NOT_ANNOUNCED + "예고와 다른 값: " + ", ".join(differs))


def codes_in(text, terms, span=None):
    """The codes a text shows besides the list's SHA-256 and the chain's hash, read as people read
    it (NFKC, invisible characters taken out), so that no second code hides in full-width digits or
    behind a zero-width space; the lines of a posted list (`span`) are entries, not codes."""
    read = as_shown(text if not span else text[:span[0]] + "\n" + text[span[1]:])
    codes = {value.lower() for value in re.findall(r"(?<![0-9A-Fa-f])[0-9A-Fa-f]{64}(?![0-9A-Fa-f])", read)}
    return codes - {terms["f"], CHAIN}


def several_codes(count):
    return NOT_ANNOUNCED + f"예고문에 예고 코드로 보이는 값이 {count}개 있어, 어느 추첨을 예고했는지 알 수 없습니다."


def check_announcement(text, terms):
    """Fails unless the announcement (a file, a post, or any text holding the code) announces these
    terms."""
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
        terms_differ(then, terms)
        return
    if len(text) > MAX_POST:
        raise Failed(TOO_LONG_FOR_A_POST)
    post = read_announcement_post(text)
    if post is not None:
        # Today's post: its terms a line each, and perhaps its list. Nothing else in it may name
        # another draw.
        terms_differ(post, terms)
        codes = codes_in(text, terms, post.get("list_span")) - {terms["code"]}
        if codes:
            raise Failed(several_codes(len(codes) + 1))
        return
    # An older post, or any text: the code must stand in it, and no other code beside it (an
    # organiser who announced several could keep whichever the round favours).
    codes = codes_in(text, terms)
    if terms["code"] not in codes:
        raise Failed(NOT_ANNOUNCED + f"예고문에 이 결과의 예고 코드({terms['code']})가 없습니다.")
    if len(codes) > 1:
        raise Failed(several_codes(len(codes)))


# --- The posts: what the organiser pastes on the site, as it is copied back from it ---

ANNOUNCEMENT_TITLE = "[Tombolix 공개 추첨 예고]"
RESULT_TITLE = "[Tombolix 공개 추첨 결과]"
CODE_KEY = "예고 코드(announcement_sha256) : "
LIST_SHA_KEY = "참가자 목록의 SHA-256 : "
ROUND_KEY = "공개 난수 : drand quicknet 라운드 "
SIGNATURE_KEY = "라운드의 서명(signature) : "
LIST_END = "목록 끝"
RESERVES_HEADING = "예비 당첨자 (당첨자와 연락되지 않을 때 차례로)"
TOO_LONG_FOR_A_POST = f"게시글로 보기에는 너무 깁니다({MAX_POST}자 넘게). 게시글의 예고문이나 결과문이 아닙니다."


def list_heading(count):
    return f"참가자 목록 ({count}명, 추첨 번호 순)"


def line_start(text, at):
    return max(text.rfind("\n", 0, at), text.rfind("\r", 0, at)) + 1


def line_end(text, at):
    ends = [end for end in (text.find("\n", at), text.find("\r", at)) if end >= 0]
    return min(ends) if ends else len(text)


def next_line(text, end):
    if end >= len(text):
        return end
    return end + 2 if text.startswith("\r\n", end) else end + 1


def line_number_at(text, at, start=0):
    """The number of the line `at` is on, counting from the line `start` begins (1)."""
    return text.count("\n", start, at) + text.count("\r", start, at) - text.count("\r\n", start, at) + 1


class PostLines:
    """A post's lines read in turn from its title, each made canonical as entries are and the empty
    ones passed over, with its number in the text. Lines are read only as far as the reading goes,
    so a text of millions of lines costs what it is read for."""

    def __init__(self, text, title):
        self.text = text
        titles, last = [], -1
        at = text.find("[Tombolix")
        while at >= 0:  # only lines holding "[Tombolix" are made canonical to find the title
            start = line_start(text, at)
            if start != last and canonical_entry(text[start:line_end(text, at)]).startswith(title):
                titles.append(start)
            last = start
            at = text.find("[Tombolix", at + 1)
        self.found = len(titles)
        self.at = titles[0] if titles else len(text)
        self.counted = line_number_at(text, self.at)
        self.last = 1
        self.peeked = None
        self.list_from = -1
        if titles:
            self.next_if("")  # the title

    def peek(self):
        at, number = self.at, self.counted
        while self.peeked is None and at < len(self.text):
            end = line_end(self.text, at)
            line = canonical_entry(self.text[at:end])
            following = next_line(self.text, end)
            if line:
                self.peeked = (number, line, following)
            at, number = following, number + 1
        return self.peeked

    def line_number(self):
        return self.last

    def position(self):
        return self.at

    def at_end(self):
        return self.peek() is None

    def next_if(self, begins):
        line = self.peek()
        if line is None or not line[1].startswith(begins):
            return None
        self.last, self.at, self.counted = line[0], line[2], line[0] + 1
        self.peeked = None
        return line[1][len(begins):]

    def next(self, begins):
        value = self.next_if(begins)
        if value is None:
            line = self.peek()
            raise Failed(at_line(line[0] if line else self.last, f"'{begins.strip()}' 줄이 있어야 합니다."))
        return value

    def skip_to(self, wanted, within):
        """Past every line up to the next that reads `wanted`, which is read; only lines holding
        `within` are made canonical on the way."""
        self.peeked = None
        at = self.text.find(within, self.at)
        while at >= 0:
            start, end = line_start(self.text, at), line_end(self.text, at)
            if start >= self.at and canonical_entry(self.text[start:end]) == wanted:
                self.counted += line_number_at(self.text, start, self.at) - 1
                self.last = self.counted
                self.at, self.counted = next_line(self.text, end), self.counted + 1
                self.list_from = start
                return True
            at = self.text.find(within, at + 1)
        return False

    def number(self, begins, unit):
        value = self.next(begins)
        number = value.split(" ")[0] if not unit else value[:-len(unit)] if value.endswith(unit) else ""
        if not re.fullmatch(r"[0-9]{1,19}", number) or str(int(number)) != number:
            raise Failed(at_line(self.line_number(), f"{begins.strip()}의 수가 올바르지 않습니다."))
        return int(number)

    def hex(self, begins, digits, what):
        value = self.next(begins)
        lower = value[:digits].lower()
        if len(lower) != digits or any(c not in "0123456789abcdef" for c in lower) or \
                (len(value) > digits and value[digits] != " "):
            raise Failed(at_line(self.line_number(), f"{what}이(가) 16진수 {digits}자리가 아닙니다."))
        return lower


def read_announcement_post(text):
    """The terms of an announcement post as copied from the site, with its list ("list", None when
    the post does not carry it); None when the text holds no announcement post at all."""
    if len(text) > MAX_POST:
        raise Failed(TOO_LONG_FOR_A_POST)
    post = PostLines(text, ANNOUNCEMENT_TITLE)
    if post.found == 0:
        return None
    if post.found > 1:
        raise Failed("예고문이 둘 이상 들어 있어, 어느 추첨을 예고했는지 알 수 없습니다.")
    # A post of the first rule's days carries the code alone: it is read for that (None here).
    if post.at_end() or not post.peek()[1].startswith("규칙 : "):
        return None
    try:
        rule = post.next("규칙 : ")
        if rule not in RULES:
            raise Failed(at_line(post.line_number(), "알 수 없는 규칙입니다."))
        terms = {"rule": rule, "label": post.next("추첨 이름 : ")}
        terms["n"] = post.number("참가자 : ", "명")
        terms["k"] = post.number("당첨자 : ", "명")
        terms["r"] = post.number("예비 당첨자 : ", "명")
        reserves_line = post.line_number()
        terms["prizes"] = []
        while True:
            prize = post.next_if(f"{len(terms['prizes']) + 1}등 : ")
            if prize is None:
                break
            match = re.fullmatch(r"([0-9]{1,5})명 (.+)", prize)
            if not match:
                raise Failed(at_line(post.line_number(), "등수별 당첨자는 '1등 : 1명 치킨'처럼 적혀 있어야 합니다."))
            terms["prizes"].append((int(match.group(1)), match.group(2)))
        terms["f"] = post.hex(LIST_SHA_KEY, 64, "참가자 목록의 SHA-256")
        terms["round"] = post.number(ROUND_KEY, None)
        post.next_if("https://")  # the round's address, for the eye
        code = post.hex(CODE_KEY, 64, "예고 코드")
    except Failed as failure:
        raise Failed(f"예고문을 읽을 수 없습니다. {failure}")
    wrong = None
    if not 1 <= terms["round"] <= MAX_ROUND:
        wrong = f"라운드 번호는 1 이상 {MAX_ROUND} 이하여야 합니다."
    elif too_long(terms["label"]) or unusable_in_label(terms["label"]) or \
            canonical_entry(terms["label"]) != terms["label"]:
        wrong = "추첨 이름에 쓸 수 없는 문자가 있습니다."
    elif not 1 <= terms["n"] <= MAX_ENTRIES or terms["k"] < 1 or terms["k"] + terms["r"] > terms["n"]:
        wrong = "당첨자는 1명 이상, 당첨자와 예비 당첨자를 합한 수는 목록의 항목 수 이하여야 합니다."
    else:
        wrong = prizes_problem(terms["prizes"], terms["k"])
    if not wrong and announcement_code(terms) != code:
        wrong = (f"예고문의 값으로 계산한 예고 코드({announcement_code(terms)})가 예고문에 적힌 예고 코드와 다릅니다. "
                 "예고문이 바뀌었습니다.")
    if wrong:
        raise Failed("예고문을 읽을 수 없습니다. " + at_line(reserves_line, wrong))
    terms["code"] = code
    terms["list"] = None
    if not post.skip_to(list_heading(terms["n"]), "목록"):
        return terms
    entries, lines = [], []
    try:
        while post.next_if(LIST_END) is None:
            if post.at_end():
                raise Failed(at_line(post.line_number(), "'목록 끝' 줄이 없습니다. 목록이 잘렸습니다."))
            entry = post.next(f"{len(entries) + 1}. ")
            if len(entries) >= terms["n"]:
                raise Failed(at_line(post.line_number(), "목록의 항목이 참가자 수보다 많습니다."))
            entries.append(entry)
            lines.append(post.line_number())
        list_problem(entries, lines, terms["rule"])
        if len(entries) != terms["n"]:
            raise Failed(at_line(post.line_number(), f"목록의 항목은 {len(entries)}개입니다."))
        if list_sha256(entries) != terms["f"]:
            raise Failed("예고문의 참가자 목록이 참가자 목록의 SHA-256과 다릅니다. 목록이 바뀌었습니다.")
    except Failed as failure:
        raise Failed(f"예고문의 참가자 목록을 읽을 수 없습니다. {failure}")
    terms["list"] = entries
    terms["list_span"] = (post.list_from, post.position())
    return terms


def read_result_post(text):
    """What a result post as copied from the site says was drawn, and by which round; None when the
    text holds no result post."""
    if len(text) > MAX_POST:
        raise Failed(TOO_LONG_FOR_A_POST)
    post = PostLines(text, RESULT_TITLE)
    if post.found == 0:
        return None
    if post.found > 1:
        raise Failed("결과문이 둘 이상 들어 있습니다.")

    def tickets():
        read = []
        while True:
            line = post.next_if(f"{len(read) + 1}. ")
            if line is None:
                return read
            match = re.fullmatch(r"(.*) \(추첨 번호 ([0-9]{1,5})(?:, (.*))?\)", line, re.S)
            if not match:
                raise Failed(at_line(post.line_number(), "'1. 홍길동 (추첨 번호 3)'처럼 적혀 있어야 합니다."))
            read.append((int(match.group(2)), match.group(1), match.group(3) or ""))

    try:
        post.next("당첨자")
        posted = {"winners": tickets(), "reserves": []}
        if post.next_if(RESERVES_HEADING) is not None:
            posted["reserves"] = tickets()
        posted["code"] = post.hex(CODE_KEY, 64, "예고 코드")
        post.next_if(LIST_SHA_KEY)
        posted["round"] = post.number(ROUND_KEY, None)
        posted["signature"] = post.hex(SIGNATURE_KEY, 96, "라운드의 서명")
    except Failed as failure:
        raise Failed(f"결과문을 읽을 수 없습니다. {failure}")
    return posted


def posted_result_problem(posted, announced):
    """Fails unless a result post names, of the announcement it names (with its list), every winner
    and reserve as the rule draws them from its round. The round's signature is not checked here:
    the caller confirms the round."""
    if posted["code"] != announced["code"]:
        raise Failed(NOT_ANNOUNCED + f"결과문의 예고 코드({posted['code']})가 예고의 예고 코드({announced['code']})와 "
                                     "다릅니다.")
    if posted["round"] != announced["round"]:
        raise Failed(f"결과문의 라운드({posted['round']})가 예고한 라운드({announced['round']})가 아닙니다.")
    randomness = hashlib.sha256(bytes.fromhex(posted["signature"])).hexdigest()
    seed = hashlib.sha256(seed_text(announced, randomness).encode("utf-8")).digest()
    winners, reserves = draw(seed, announced["n"], announced["k"], announced["r"])
    entries = announced["list"]
    ranks = winner_ranks(announced["prizes"], len(winners))
    rule_winners = [(t, entries[t - 1], rank_name(announced["prizes"], ranks[i]) if announced["prizes"] else "")
                    for i, t in enumerate(winners)]
    rule_reserves = [(t, entries[t - 1], "") for t in reserves]
    for who, said, rule in (("당첨자", posted["winners"], rule_winners),
                            ("예비 당첨자", posted["reserves"], rule_reserves)):
        for i in range(max(len(said), len(rule))):
            if i < len(said) and i < len(rule) and said[i] == rule[i]:
                continue
            if i >= len(rule):
                raise Failed(f"결과문에 {who}이(가) 규칙으로 뽑힌 수보다 많습니다.")
            t, entry, rank = rule[i]
            rank = f", {rank}" if rank else ""
            raise Failed(f"결과문의 {who} {i + 1}번째가 규칙으로 계산한 값('{i + 1}. {entry} (추첨 번호 {t}{rank})')과 "
                         "다릅니다.")
    return winners, reserves


def drawn_lines(terms, winners, reserves, entries):
    """The lines a result file gives the draw: winners, with prizes the ranks, then reserves."""
    lines = [f"winner.{i}={t}\t{entries[t - 1]}" for i, t in enumerate(winners, 1)]
    first = 1
    for p, (count, name) in enumerate(terms["prizes"], 1):
        lines.append(f"rank.{p}={first}-{first + count - 1}\t{name}")
        first += count
    return lines + [f"reserve.{i}={t}\t{entries[t - 1]}" for i, t in enumerate(reserves, 1)]


def verify_result(text, relay_names):
    """Every line of a result file checked against the rule; the terms and the round when it holds."""
    header, entries, first_entry_line = split_file(text)
    terms = read_announced(header, entries, first_entry_line, True)
    signature_line, signature = header.next("signature")
    lower_hex(signature, 96, signature_line, "signature")
    relays_line, relays = header.next("relays")
    seed_line, seed_hex = header.next("seed")
    lower_hex(seed_hex, 64, seed_line, "seed")
    n, k, r, randomness = (terms[key] for key in ("n", "k", "r", "randomness"))

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
    seed = hashlib.sha256(seed_text(terms, randomness).encode("utf-8")).digest()
    if seed_hex != seed.hex():
        last = terms["randomness_line"] + 1 + len(terms["prizes"])
        raise Failed(at_line(seed_line, f"seed가 1–{last}번째 줄로 계산한 값({seed.hex()})과 다릅니다."))

    winners, reserves = draw(seed, n, k, r)
    for want in drawn_lines(terms, winners, reserves, entries):
        key, _, value = want.partition("=")
        line, got = header.next(key)
        if got != value:
            shown = want.replace("\t", " ")
            raise Failed(at_line(line, f"규칙으로 계산한 값은 '{shown}'입니다."))
    if not header.at_end():
        raise Failed(at_line(header.next_line(), "결과 파일에 없어야 할 줄입니다."))
    terms["signature"] = signature
    terms["drawn"] = drawn_report(terms, winners, reserves, entries)
    terms["list"] = entries
    return terms


def read_alike_today(terms):
    """A draw of the first rule is read by that rule; its list may still hold entries that today's
    rule takes for one person: those entries, by the groups they form."""
    if terms["rule"] == RULE_V2:
        return []
    groups = {}
    for entry in terms["list"]:
        canonical = entry if has_unusable(entry) else canonical_entry(entry)
        groups.setdefault(look_alike_key(canonical) if canonical else entry, []).append(entry)
    return [group for group in groups.values() if len(group) > 1]


def plainly(entry):
    """The entry with what does not show made visible, each such code point written <U+XXXX>."""
    tables = _tables()
    return "".join(c if c == " " or not (tables["unusable"].match(c) or tables["blank"].match(c))
                   else f"<U+{ord(c):04X}>" for c in entry)


def read_alike_today_text(groups):
    named = " / ".join(", ".join(f'"{plainly(entry)}"' for entry in group) for group in groups[:5])
    more = f" 외 {len(groups) - 5}묶음" if len(groups) > 5 else ""
    return ("이 결과는 예전 규칙(tombolix-draw-v1)으로 만들어졌고 그 규칙대로 뽑혔습니다. 그러나 목록에 지금 규칙으로는 "
            f"한 사람으로 보는 항목이 있어, 한 사람이 여러 번 들어갔을 수 있습니다: {named}{more}")


def drawn_report(terms, winners, reserves, entries):
    """The winners and reserves as a checker compares them with the result post."""
    ranks = winner_ranks(terms["prizes"], len(winners))
    lines = ["당첨자"]
    for i, t in enumerate(winners):
        rank = f", {rank_name(terms['prizes'], ranks[i])}" if terms["prizes"] else ""
        lines.append(f"{i + 1}. {entries[t - 1]} (추첨 번호 {t}{rank})")
    if reserves:
        lines.append("예비 당첨자")
        lines += [f"{i}. {entries[t - 1]} (추첨 번호 {t})" for i, t in enumerate(reserves, 1)]
    return lines


# --- The beacon ---

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
    except (ValueError, UnicodeDecodeError, RecursionError):
        # an answer that is no JSON, or JSON nested past what Python reads (60,000 "[")
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


# --- What is printed ---

def posted_before_round(terms):
    return (f"※라운드 {terms['round']}은(는) {korean_time(terms['round'])}(한국 시간)에 공개되었습니다. 예고문이 그보다 "
            "먼저 게시되었고 그 뒤에 고쳐지지 않았는지 게시글에서 꼭 확인하세요. 그 뒤에 올린 예고라면 진행자가 당첨자를 "
            "고를 수 있었습니다.")


def terms_lines(terms):
    lines = [f"추첨 이름 : {terms['label']}",
             f"예고 코드(announcement_sha256) : {terms['code']}",
             f"참가자 목록의 SHA-256 : {terms['f']}",
             f"참가자 {terms['n']}명, 당첨자 {terms['k']}명, 예비 당첨자 {terms['r']}명",
             f"공개 난수 : drand quicknet 라운드 {terms['round']} ({korean_time(terms['round'])}, 한국 시간)"]
    if terms["prizes"]:
        lines.append(f"등수별 당첨자 : {prizes_text(terms['prizes'])}")
    return lines


def announced_with_list(announcement_text):
    """The announcement's terms with its list, from an announcement file or a post that carries it."""
    try:
        split_file(announcement_text)
    except Failed:
        post = read_announcement_post(announcement_text)
        if post is None or post["list"] is None:
            raise Failed("결과문만으로 확인하려면 참가자 목록이 있는 예고(예고문이나 예고 파일)가 필요합니다.")
        return post
    header, entries, first_entry_line = split_file(announcement_text)
    terms = parse_announcement(announcement_text)
    terms["list"] = entries
    return terms


def verify_posted(posted, announcement_text):
    """A result post checked against its announcement: the terms as for a result file."""
    if announcement_text is None:
        raise Failed("결과문만으로 확인하려면 참가자 목록이 있는 예고(--announcement)가 필요합니다.")
    terms = announced_with_list(announcement_text)
    winners, reserves = posted_result_problem(posted, terms)
    terms["signature"] = posted["signature"]
    terms["drawn"] = drawn_report(terms, winners, reserves, terms["list"])
    return terms


def verify(result_text, announcement_text, relays, offline):
    """(exit status, text to print)."""
    names = {urllib.parse.urlsplit(relay).netloc for relay in DRAND_RELAYS + RELAYS + relays}
    try:
        split_file(result_text)
        posted = None
    except Failed:
        posted = read_result_post(result_text)
    terms = verify_result(result_text, names) if posted is None else verify_posted(posted, announcement_text)
    if offline:
        confirmed, unconfirmed = None, "공개 난수 서버에 묻지 않았습니다 (--offline)"
    else:
        confirmed, unconfirmed = confirm_round(relays, terms["round"], terms["signature"])
    if announcement_text is not None:
        check_announcement(announcement_text, terms)
    drawn = (f"{terms['label']} : 참가자 {terms['n']}명 중 당첨자 {terms['k']}명, "
             f"예비 당첨자 {terms['r']}명이 규칙대로 뽑혔습니다.")
    alike = read_alike_today(terms)
    if confirmed and announcement_text is not None and not alike:
        return SUCCESS, "\n".join(["검증 성공", drawn, "예고에 이 결과의 예고 코드가 있어, 예고한 그대로의 추첨입니다.",
                                   confirmed, posted_before_round(terms)] + terms["drawn"])
    lines = ["검증 미완료",
             "결과 파일의 당첨자와 예비 당첨자는 파일에 적힌 목록과 라운드로 규칙대로 계산되어 있습니다. 그러나:"]
    if announcement_text is None:
        lines.append("- 이 결과는 어떤 예고와도 비교하지 않았습니다. 아래 값이 추첨 전에 올린 예고와 같은지 "
                     "직접 확인하세요. (--announcement)")
    if alike:
        lines.append("- " + read_alike_today_text(alike))
    if confirmed:
        lines.append("- " + confirmed)
    else:
        lines.append(f"- 라운드 {terms['round']}은(는) 확인되지 않았습니다. 파일에 적힌 signature가 진짜 drand의 "
                     f"것인지 알 수 없습니다. ({unconfirmed})")
    return INCOMPLETE, "\n".join(lines + terms_lines(terms) + terms["drawn"])


def read_utf8(path):
    with open(path, "rb") as file:
        data = file.read(MAX_FILE_BYTES + 1)
    if len(data) > MAX_FILE_BYTES:
        raise Failed(f"{path}: 파일이 {MAX_FILE_BYTES // (1024 * 1024)}MiB보다 큽니다. 공개 추첨의 파일이 아닙니다.")
    return data.decode("utf-8")


def compute(arguments):
    lines = read_utf8(arguments.list).split("\n")
    entries = canonical_list([line[:-1] if line.endswith("\r") else line for line in lines])
    k, r, round_ = arguments.winners, arguments.reserves, arguments.round
    if len(entries) > MAX_ENTRIES or k < 1 or r < 0 or k + r > len(entries):
        raise Failed("당첨자는 1명 이상, 당첨자와 예비 당첨자를 합한 수는 목록의 항목 수 이하여야 합니다.")
    if not 1 <= round_ <= MAX_ROUND:
        raise Failed(f"라운드 번호는 1 이상 {MAX_ROUND} 이하여야 합니다.")
    randomness = arguments.randomness.lower()
    if len(randomness) != 64 or any(c not in "0123456789abcdef" for c in randomness):
        raise Failed("randomness는 16진수 64자리여야 합니다.")
    label = canonical_entry(arguments.label)
    if too_long(arguments.label) or has_unusable(arguments.label) or not label or unusable_in_label(label):
        raise Failed("추첨 이름에 쓸 수 없는 문자가 있습니다.")
    prizes = parse_prizes(read_utf8(arguments.prizes)) if arguments.prizes else []
    wrong = prizes_problem(prizes, k)
    if wrong:
        raise Failed(wrong)
    terms = {"rule": RULE_V2, "f": list_sha256(entries), "n": len(entries), "k": k, "r": r, "round": round_,
             "label": label, "prizes": prizes}
    seed = hashlib.sha256(seed_text(terms, randomness).encode("utf-8")).digest()
    winners, reserves = draw(seed, len(entries), k, r)
    print(terms["f"])
    print(seed.hex())
    for i, t in enumerate(winners):
        print(f"winner {i + 1} {t} {entries[t - 1]}")
    for i, t in enumerate(reserves):
        print(f"reserve {i + 1} {t} {entries[t - 1]}")


class KoreanArgumentParser(argparse.ArgumentParser):
    def error(self, message):
        self.print_usage(sys.stderr)
        print(f"명령줄이 올바르지 않습니다: {message}", file=sys.stderr)
        sys.exit(WRONG_USE)


def main():
    if hasattr(sys.stdout, "reconfigure"):
        sys.stdout.reconfigure(encoding="utf-8")
        sys.stderr.reconfigure(encoding="utf-8")
    unicode = tuple(int(part) for part in unicodedata.unidata_version.split("."))
    if sys.version_info < OLDEST_PYTHON or unicode < (14,):
        print(f"이 스크립트는 Python {OLDEST_PYTHON[0]}.{OLDEST_PYTHON[1]} 이상에서 돌아갑니다. 지금 Python은 "
              f"{sys.version_info[0]}.{sys.version_info[1]}(유니코드 {unicodedata.unidata_version})이라, 추첨 규칙이 "
              "쓰는 유니코드 14의 정규화를 모릅니다. 더 새 Python으로 다시 실행해주세요.", file=sys.stderr)
        return WRONG_USE
    parser = KoreanArgumentParser(description="Tombolix 공개 추첨(tombolix-draw-v2, v1)을 확인합니다.")
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
    parser.add_argument("--prizes", help="등수별 당첨자 (UTF-8, 한 줄에 한 등수: \"1등 1명 치킨\")")
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
    except KeyboardInterrupt:
        print("검증 미완료: 중간에 멈췄습니다.", file=sys.stderr)
        return INCOMPLETE
    except Exception as error:  # whatever a hostile file or answer may still find: never a traceback
        print(f"검증 실패: 확인하는 중에 예상하지 못한 문제가 생겼습니다 ({type(error).__name__}).", file=sys.stderr)
    return FAILURE


# --- Unicode 14 tables. Generated by scripts/make-unicode14-tables.pl from Perl's Unicode 14.0.0 and Unicode's confusables.txt 15.0.0: do not edit. ---
UNICODE14_USABLE = (
    "9-D 20-7E 85 A0-377 37A-37F 384-38A 38C 38E-3A1 3A3-52F 531-556 559-58A 58D-58F 591-5C7 5D0-5EA"
    " 5EF-5F4 600-70D 70F-74A 74D-7B1 7C0-7FA 7FD-82D 830-83E 840-85B 85E 860-86A 870-88E 890-891 898-983"
    " 985-98C 98F-990 993-9A8 9AA-9B0 9B2 9B6-9B9 9BC-9C4 9C7-9C8 9CB-9CE 9D7 9DC-9DD 9DF-9E3 9E6-9FE"
    " A01-A03 A05-A0A A0F-A10 A13-A28 A2A-A30 A32-A33 A35-A36 A38-A39 A3C A3E-A42 A47-A48 A4B-A4D A51"
    " A59-A5C A5E A66-A76 A81-A83 A85-A8D A8F-A91 A93-AA8 AAA-AB0 AB2-AB3 AB5-AB9 ABC-AC5 AC7-AC9 ACB-ACD"
    " AD0 AE0-AE3 AE6-AF1 AF9-AFF B01-B03 B05-B0C B0F-B10 B13-B28 B2A-B30 B32-B33 B35-B39 B3C-B44 B47-B48"
    " B4B-B4D B55-B57 B5C-B5D B5F-B63 B66-B77 B82-B83 B85-B8A B8E-B90 B92-B95 B99-B9A B9C B9E-B9F BA3-BA4"
    " BA8-BAA BAE-BB9 BBE-BC2 BC6-BC8 BCA-BCD BD0 BD7 BE6-BFA C00-C0C C0E-C10 C12-C28 C2A-C39 C3C-C44"
    " C46-C48 C4A-C4D C55-C56 C58-C5A C5D C60-C63 C66-C6F C77-C8C C8E-C90 C92-CA8 CAA-CB3 CB5-CB9 CBC-CC4"
    " CC6-CC8 CCA-CCD CD5-CD6 CDD-CDE CE0-CE3 CE6-CEF CF1-CF2 D00-D0C D0E-D10 D12-D44 D46-D48 D4A-D4F"
    " D54-D63 D66-D7F D81-D83 D85-D96 D9A-DB1 DB3-DBB DBD DC0-DC6 DCA DCF-DD4 DD6 DD8-DDF DE6-DEF DF2-DF4"
    " E01-E3A E3F-E5B E81-E82 E84 E86-E8A E8C-EA3 EA5 EA7-EBD EC0-EC4 EC6 EC8-ECD ED0-ED9 EDC-EDF F00-F47"
    " F49-F6C F71-F97 F99-FBC FBE-FCC FCE-FDA 1000-10C5 10C7 10CD 10D0-1248 124A-124D 1250-1256 1258"
    " 125A-125D 1260-1288 128A-128D 1290-12B0 12B2-12B5 12B8-12BE 12C0 12C2-12C5 12C8-12D6 12D8-1310"
    " 1312-1315 1318-135A 135D-137C 1380-1399 13A0-13F5 13F8-13FD 1400-169C 16A0-16F8 1700-1715 171F-1736"
    " 1740-1753 1760-176C 176E-1770 1772-1773 1780-17DD 17E0-17E9 17F0-17F9 1800-1819 1820-1878 1880-18AA"
    " 18B0-18F5 1900-191E 1920-192B 1930-193B 1940 1944-196D 1970-1974 1980-19AB 19B0-19C9 19D0-19DA"
    " 19DE-1A1B 1A1E-1A5E 1A60-1A7C 1A7F-1A89 1A90-1A99 1AA0-1AAD 1AB0-1ACE 1B00-1B4C 1B50-1B7E 1B80-1BF3"
    " 1BFC-1C37 1C3B-1C49 1C4D-1C88 1C90-1CBA 1CBD-1CC7 1CD0-1CFA 1D00-1F15 1F18-1F1D 1F20-1F45 1F48-1F4D"
    " 1F50-1F57 1F59 1F5B 1F5D 1F5F-1F7D 1F80-1FB4 1FB6-1FC4 1FC6-1FD3 1FD6-1FDB 1FDD-1FEF 1FF2-1FF4"
    " 1FF6-1FFE 2000-2064 2066-2071 2074-208E 2090-209C 20A0-20C0 20D0-20F0 2100-218B 2190-2426 2440-244A"
    " 2460-2B73 2B76-2B95 2B97-2CF3 2CF9-2D25 2D27 2D2D 2D30-2D67 2D6F-2D70 2D7F-2D96 2DA0-2DA6 2DA8-2DAE"
    " 2DB0-2DB6 2DB8-2DBE 2DC0-2DC6 2DC8-2DCE 2DD0-2DD6 2DD8-2DDE 2DE0-2E5D 2E80-2E99 2E9B-2EF3 2F00-2FD5"
    " 2FF0-2FFB 3000-303F 3041-3096 3099-30FF 3105-312F 3131-318E 3190-31E3 31F0-321E 3220-A48C A490-A4C6"
    " A4D0-A62B A640-A6F7 A700-A7CA A7D0-A7D1 A7D3 A7D5-A7D9 A7F2-A82C A830-A839 A840-A877 A880-A8C5"
    " A8CE-A8D9 A8E0-A953 A95F-A97C A980-A9CD A9CF-A9D9 A9DE-A9FE AA00-AA36 AA40-AA4D AA50-AA59 AA5C-AAC2"
    " AADB-AAF6 AB01-AB06 AB09-AB0E AB11-AB16 AB20-AB26 AB28-AB2E AB30-AB6B AB70-ABED ABF0-ABF9 AC00-D7A3"
    " D7B0-D7C6 D7CB-D7FB E000-FA6D FA70-FAD9 FB00-FB06 FB13-FB17 FB1D-FB36 FB38-FB3C FB3E FB40-FB41"
    " FB43-FB44 FB46-FBC2 FBD3-FD8F FD92-FDC7 FDCF FDF0-FE19 FE20-FE52 FE54-FE66 FE68-FE6B FE70-FE74"
    " FE76-FEFC FEFF FF01-FFBE FFC2-FFC7 FFCA-FFCF FFD2-FFD7 FFDA-FFDC FFE0-FFE6 FFE8-FFEE FFF9-FFFD"
    " 10000-1000B 1000D-10026 10028-1003A 1003C-1003D 1003F-1004D 10050-1005D 10080-100FA 10100-10102"
    " 10107-10133 10137-1018E 10190-1019C 101A0 101D0-101FD 10280-1029C 102A0-102D0 102E0-102FB"
    " 10300-10323 1032D-1034A 10350-1037A 10380-1039D 1039F-103C3 103C8-103D5 10400-1049D 104A0-104A9"
    " 104B0-104D3 104D8-104FB 10500-10527 10530-10563 1056F-1057A 1057C-1058A 1058C-10592 10594-10595"
    " 10597-105A1 105A3-105B1 105B3-105B9 105BB-105BC 10600-10736 10740-10755 10760-10767 10780-10785"
    " 10787-107B0 107B2-107BA 10800-10805 10808 1080A-10835 10837-10838 1083C 1083F-10855 10857-1089E"
    " 108A7-108AF 108E0-108F2 108F4-108F5 108FB-1091B 1091F-10939 1093F 10980-109B7 109BC-109CF"
    " 109D2-10A03 10A05-10A06 10A0C-10A13 10A15-10A17 10A19-10A35 10A38-10A3A 10A3F-10A48 10A50-10A58"
    " 10A60-10A9F 10AC0-10AE6 10AEB-10AF6 10B00-10B35 10B39-10B55 10B58-10B72 10B78-10B91 10B99-10B9C"
    " 10BA9-10BAF 10C00-10C48 10C80-10CB2 10CC0-10CF2 10CFA-10D27 10D30-10D39 10E60-10E7E 10E80-10EA9"
    " 10EAB-10EAD 10EB0-10EB1 10F00-10F27 10F30-10F59 10F70-10F89 10FB0-10FCB 10FE0-10FF6 11000-1104D"
    " 11052-11075 1107F-110C2 110CD 110D0-110E8 110F0-110F9 11100-11134 11136-11147 11150-11176"
    " 11180-111DF 111E1-111F4 11200-11211 11213-1123E 11280-11286 11288 1128A-1128D 1128F-1129D"
    " 1129F-112A9 112B0-112EA 112F0-112F9 11300-11303 11305-1130C 1130F-11310 11313-11328 1132A-11330"
    " 11332-11333 11335-11339 1133B-11344 11347-11348 1134B-1134D 11350 11357 1135D-11363 11366-1136C"
    " 11370-11374 11400-1145B 1145D-11461 11480-114C7 114D0-114D9 11580-115B5 115B8-115DD 11600-11644"
    " 11650-11659 11660-1166C 11680-116B9 116C0-116C9 11700-1171A 1171D-1172B 11730-11746 11800-1183B"
    " 118A0-118F2 118FF-11906 11909 1190C-11913 11915-11916 11918-11935 11937-11938 1193B-11946"
    " 11950-11959 119A0-119A7 119AA-119D7 119DA-119E4 11A00-11A47 11A50-11AA2 11AB0-11AF8 11C00-11C08"
    " 11C0A-11C36 11C38-11C45 11C50-11C6C 11C70-11C8F 11C92-11CA7 11CA9-11CB6 11D00-11D06 11D08-11D09"
    " 11D0B-11D36 11D3A 11D3C-11D3D 11D3F-11D47 11D50-11D59 11D60-11D65 11D67-11D68 11D6A-11D8E"
    " 11D90-11D91 11D93-11D98 11DA0-11DA9 11EE0-11EF8 11FB0 11FC0-11FF1 11FFF-12399 12400-1246E"
    " 12470-12474 12480-12543 12F90-12FF2 13000-1342E 13430-13438 14400-14646 16800-16A38 16A40-16A5E"
    " 16A60-16A69 16A6E-16ABE 16AC0-16AC9 16AD0-16AED 16AF0-16AF5 16B00-16B45 16B50-16B59 16B5B-16B61"
    " 16B63-16B77 16B7D-16B8F 16E40-16E9A 16F00-16F4A 16F4F-16F87 16F8F-16F9F 16FE0-16FE4 16FF0-16FF1"
    " 17000-187F7 18800-18CD5 18D00-18D08 1AFF0-1AFF3 1AFF5-1AFFB 1AFFD-1AFFE 1B000-1B122 1B150-1B152"
    " 1B164-1B167 1B170-1B2FB 1BC00-1BC6A 1BC70-1BC7C 1BC80-1BC88 1BC90-1BC99 1BC9C-1BCA3 1CF00-1CF2D"
    " 1CF30-1CF46 1CF50-1CFC3 1D000-1D0F5 1D100-1D126 1D129-1D1EA 1D200-1D245 1D2E0-1D2F3 1D300-1D356"
    " 1D360-1D378 1D400-1D454 1D456-1D49C 1D49E-1D49F 1D4A2 1D4A5-1D4A6 1D4A9-1D4AC 1D4AE-1D4B9 1D4BB"
    " 1D4BD-1D4C3 1D4C5-1D505 1D507-1D50A 1D50D-1D514 1D516-1D51C 1D51E-1D539 1D53B-1D53E 1D540-1D544"
    " 1D546 1D54A-1D550 1D552-1D6A5 1D6A8-1D7CB 1D7CE-1DA8B 1DA9B-1DA9F 1DAA1-1DAAF 1DF00-1DF1E"
    " 1E000-1E006 1E008-1E018 1E01B-1E021 1E023-1E024 1E026-1E02A 1E100-1E12C 1E130-1E13D 1E140-1E149"
    " 1E14E-1E14F 1E290-1E2AE 1E2C0-1E2F9 1E2FF 1E7E0-1E7E6 1E7E8-1E7EB 1E7ED-1E7EE 1E7F0-1E7FE"
    " 1E800-1E8C4 1E8C7-1E8D6 1E900-1E94B 1E950-1E959 1E95E-1E95F 1EC71-1ECB4 1ED01-1ED3D 1EE00-1EE03"
    " 1EE05-1EE1F 1EE21-1EE22 1EE24 1EE27 1EE29-1EE32 1EE34-1EE37 1EE39 1EE3B 1EE42 1EE47 1EE49 1EE4B"
    " 1EE4D-1EE4F 1EE51-1EE52 1EE54 1EE57 1EE59 1EE5B 1EE5D 1EE5F 1EE61-1EE62 1EE64 1EE67-1EE6A"
    " 1EE6C-1EE72 1EE74-1EE77 1EE79-1EE7C 1EE7E 1EE80-1EE89 1EE8B-1EE9B 1EEA1-1EEA3 1EEA5-1EEA9"
    " 1EEAB-1EEBB 1EEF0-1EEF1 1F000-1F02B 1F030-1F093 1F0A0-1F0AE 1F0B1-1F0BF 1F0C1-1F0CF 1F0D1-1F0F5"
    " 1F100-1F1AD 1F1E6-1F202 1F210-1F23B 1F240-1F248 1F250-1F251 1F260-1F265 1F300-1F6D7 1F6DD-1F6EC"
    " 1F6F0-1F6FC 1F700-1F773 1F780-1F7D8 1F7E0-1F7EB 1F7F0 1F800-1F80B 1F810-1F847 1F850-1F859"
    " 1F860-1F887 1F890-1F8AD 1F8B0-1F8B1 1F900-1FA53 1FA60-1FA6D 1FA70-1FA74 1FA78-1FA7C 1FA80-1FA86"
    " 1FA90-1FAAC 1FAB0-1FABA 1FAC0-1FAC5 1FAD0-1FAD9 1FAE0-1FAE7 1FAF0-1FAF6 1FB00-1FB92 1FB94-1FBCA"
    " 1FBF0-1FBF9 20000-2A6DF 2A700-2B738 2B740-2B81D 2B820-2CEA1 2CEB0-2EBE0 2F800-2FA1D 30000-3134A"
    " E0001 E0020-E007F E0100-E01EF F0000-FFFFD 100000-10FFFD")
UNICODE14_BLANK = (
    "9-D 20 85 A0 AD 34F 600-605 61C 6DD 70F 890-891 8E2 115F-1160 1680 17B4-17B5 180B-180F 2000-200F"
    " 2028-202F 205F-2064 2066-206F 2800 3000 3164 FE00-FE0F FEFF FFA0 FFF9-FFFB 110BD 110CD 13430-13438"
    " 1BCA0-1BCA3 1D159 1D173-1D17A E0001 E0020-E007F E0100-E01EF")
UNICODE14_WHITE_SPACE = (
    "9-D 20 85 A0 1680 2000-200A 2028-2029 202F 205F 3000")
UNICODE14_FORMAT = (
    "AD 600-605 61C 6DD 70F 890-891 8E2 180E 200B-200F 202A-202E 2060-2064 2066-206F FEFF FFF9-FFFB 110BD"
    " 110CD 13430-13438 1BCA0-1BCA3 1D173-1D17A E0001 E0020-E007F")
UNICODE14_PROTOTYPES = (
    "22:27 27,25:BA 2F 2080,30:4F,31:6C,49:6C,60:27,6D:72 6E,7C:6C,A2:63 338,A5:59 335,C6:41 45,D0:44 335,"
    "D7:78,D8:4F 338,E6:61 65,F0:2202 335,F8:6F 338,110:44 335,111:64 335,126:48 335,127:68 335,131:69,"
    "141:4C 338,142:6C 338,152:4F 45,153:6F 65,166:54 335,167:74 335,180:62 335,181:27 42,182:62 304,"
    "183:62 304,184:62,187:43 27,189:44 335,18A:27 44,18C:64 304,18D:67,191:46 326,192:66 326,193:47 27,"
    "196:6C,197:6C 335,198:4B 27,199:6B 314,19A:6C 335,19D:4E 326,19E:6E 329,19F:4F 335,1A4:27 50,1A5:70"
    " 314,1A6:52,1A7:32,1AC:27 54,1AD:74 314,1AE:54 328,1B3:27 59,1B4:79 314,1B5:5A 335,1B6:7A 335,1B7:33,"
    "1BB:32 335,1BC:35,1BD:73,1BF:FE,1C0:6C,1C1:6C 6C,1C3:21,1E4:47 335,1E5:67 335,21C:33,222:38,223:38,"
    "224:5A 326,225:7A 326,23C:63 338,23E:54 338,241:3F,244:55 335,246:45 338,247:65 338,248:4A 335,"
    "249:6A 335,24D:72 335,24E:59 335,24F:79 335,251:61,253:62 314,256:64 328,257:64 314,259:1DD,25A:1DD"
    " 2DE,25B:A793,260:67 314,261:67,263:79,266:68 314,268:69 335,269:69,26A:69,26B:6C 334,26D:6C 328,"
    "26E:6C 21D,26F:77,271:72 6E 326,273:6E 328,275:6F 335,276:6F 1D07,27C:72 329,27D:72 328,282:73 328,"
    "28B:75,28F:79,290:7A 328,292:21D,294:3F,2A0:71 314,2A3:64 7A,2A4:64 21D,2A5:64 291,2A6:74 73,2A7:74"
    " 283,2A8:74 255,2A9:66 14B,2AA:6C 73,2AB:6C 7A,2B9:27,2BA:27 27,2BB:27,2BC:27,2BD:27,2BE:27,2BF:559,"
    "2C2:3C,2C3:3E,2C4:5E,2C6:5E,2C8:27,2CA:27,2CB:27,2D0:3A,2D3:559,2D7:2D,2EE:27 27,2F4:27,2F6:27 27,"
    "2F8:3A,2FB:2EA,305:304,30C:306,30D:670,310:306 307,311:302,315:313,317:650,320:331,321:326,322:328,"
    "327:326,336:335,337:338,339:326,342:303,345:328,347:333,357:350,358:307,366:30A,36E:306,370:2C75,"
    "375:2CF,376:418,377:1D0E,37B:254,37D:A73F,37F:4A,391:41,392:42,395:45,396:5A,397:48,398:4F 335,"
    "399:6C,39A:4B,39B:245,39C:4D,39D:4E,39F:4F,3A1:50,3A3:1A9,3A4:54,3A5:59,3A7:58,3B1:61,3B2:DF,3B3:79,"
    "3B4:1E9F,3B5:A793,3B7:6E 329,3B8:4F 335,3B9:69,3BA:138,3BD:76,3BF:6F,3C1:70,3C3:6F,3C4:1D1B,3C5:75,"
    "3C6:278,3DB:3C2,3DC:46,3E8:32,3E9:1A8,3F3:6A,3F7:DE,3F8:FE,3FA:4D,3FD:186,3FF:A73E,404:A792,405:53,"
    "406:6C,408:4A,410:41,411:62 304,412:42,413:393,415:45,417:33,41A:4B,41B:245,41C:4D,41D:48,41E:4F,"
    "41F:3A0,420:50,421:43,422:54,423:59,424:3A6,425:58,42B:62 6C,42C:62,42E:6C 4F,430:61,431:36,432:299,"
    "433:72,435:65,437:25C,438:1D0E,43A:138,43C:28D,43D:29C,43E:6F,43F:3C0,440:70,441:63,442:1D1B,443:79,"
    "444:278,445:78,44A:2C9 62,44B:185 69,44C:185,44F:1D19,454:A793,455:73,456:69,458:6A,45B:68 335,"
    "461:77,462:62 335,463:62 335,470:3A8,471:3C8,472:4F 335,473:6F 335,474:56,475:76,47C:460 486 487,"
    "47D:77 486 487,48A:40D 326,48B:439 326,48C:62 335,48D:62 335,490:393 27,491:72 27,492:393 335,493:72"
    " 335,496:416 329,497:436 329,498:33 326,499:25C 326,49A:4B 329,49B:138 329,49E:4B 335,49F:138 335,"
    "4A2:48 329,4A3:29C 329,4AA:43 326,4AB:63 326,4AC:54 329,4AD:1D1B 329,4AE:59,4AF:79,4B0:59 335,4B1:79"
    " 335,4B2:58 329,4BB:68,4BD:65,4BE:4BC 328,4BF:65 328,4C0:6C,4C5:245 326,4C6:43B 326,4C7:48 326,"
    "4C8:29C 326,4C9:48 326,4CA:29C 326,4CB:4B6,4CC:4B7,4CD:4D 326,4CE:28D 326,4CF:69,4D4:41 45,4D5:61 65,"
    "4D8:18F,4D9:1DD,4E0:33,4E1:21D,4E8:4F 335,4E9:6F 335,501:64,50A:1F6,50C:47,50D:262,510:190,511:A793,"
    "51B:71,51C:57,51D:77,53B:12AE,544:1206,54A:1323,54C:1261,54D:55,54F:53,553:3A6,555:4F,55A:27,55D:27,"
    "561:77,563:71,566:71,56E:1E9F,570:68,575:237,578:6E,57A:270,57C:6E,57D:75,581:67,584:66,585:6F,"
    "589:3A,59C:301,59D:301,5A4:59A,5A8:599,5AD:596,5AE:598,5AF:30A,5B4:323,5B9:307,5BA:307,5C0:6C,"
    "5C1:307,5C2:307,5C3:3A,5C4:307,5C5:323,5D5:6C,5D8:76,5D9:27,5DF:6C,5E1:6F,5F0:6C 6C,5F1:6C 27,5F2:27"
    " 27,5F3:27,5F4:27 27,609:BA 2F 2080 2080,60A:BA 2F 2080 2080 2080,60D:2C,60F:639,618:301,619:313,"
    "61A:650,627:6C,62B:649 6DB,634:633 6DB,63D:649 302,63F:649 6DB,647:6F,64A:649,64B:30B,64E:301,"
    "64F:313,652:30A,653:303,656:329,657:312,658:306,659:304,65A:306,65B:302,65C:323,65D:314,65F:655,"
    "660:2E,661:6C,665:6F,667:56,668:245,66A:BA 2F 2080,66B:2C,66C:60C,66D:2A,66E:649,66F:6A1,672:6C 674,"
    "673:6C 655,679:649 615,67E:649 6DB,681:62D 654,685:62D 6DB,688:62F 615,68B:68A 615,68E:62F 6DB,"
    "691:631 615,692:631 306,698:631 6DB,69E:635 6DB,69F:637 6DB,6A4:6A1 6DB,6A7:641,6A8:6A1 6DB,6A9:643,"
    "6AA:643,6AD:643 6DB,6B4:6AF 6DB,6B5:644 306,6B7:644 6DB,6BA:649,6BB:649 615,6BD:649 6DB,6BE:6F,"
    "6C1:6F,6C3:629,6C6:648 306,6C7:648 313,6C8:648 670,6C9:648 302,6CB:648 6DB,6CC:649,6CE:649 306,"
    "6D0:67B,6D1:649 6DB,6D2:649,6D4:2D,6D5:6F,6DF:30A,6E8:306 307,6EC:307,6EE:62F 302,6EF:631 302,6F0:2E,"
    "6F1:6C,6F2:662,6F3:663,6F4:664,6F5:6F,6F6:666,6F7:56,6F8:245,6F9:669,6FD:621 348,6FE:645 348,6FF:6F"
    " 302,701:2E,702:2E,703:3A,704:3A,740:307,741:307,742:73C,747:301,751:628 6DB,756:649 306,762:6AC,"
    "763:643 6DB,767:754,768:646 615,769:646 306,76C:631 654,771:697 615,772:62D 654,77E:633 302,7C0:4F,"
    "7CA:6C,7EB:304,7ED:307,7EE:302,7F3:308,7F4:27,7F5:27,7FA:5F,8A1:628 654,8A4:6A2 6DB,8A7:645 6DB,"
    "8A8:649 654,8A9:754,8AE:62F 324 323,8AF:635 324 323,8B0:6AF,8B1:648,8B2:632 302,8B6:628 6E2,8B7:649"
    " 6DB 6E2,8B9:631 306 307,8BA:649 306 307,8BB:6A1,8BC:6A1,8BD:649,8E5:64C,8E8:64C,8EA:307,8EB:308,"
    "8ED:323,8EE:324,8F0:30B,8F1:64C,8F2:64D,8F3:313,8F8:350,8F9:354,8FA:355,8FF:350,900:352,901:306 307,"
    "902:307,903:3A,904:905 946,906:905 93E,908:930 94D 907,90D:90F 945,90E:90F 946,910:90F 947,911:905"
    " 949,912:905 93E 946,913:905 93E 947,914:905 93E 948,93C:323,952:331,953:300,954:301,965:964 964,"
    "966:6F,967:669,97D:3F,981:306 307,986:985 9BE,9BC:323,9E0:98B 9C3,9E1:98B 9C3,9E6:4F,9EA:38,9ED:39,"
    "A02:307,A03:983,A06:A05 A3E,A07:A72 A3F,A08:A72 A40,A09:A73 A41,A0A:A73 A42,A0F:A72 A47,A10:A05 A48,"
    "A14:A05 A4C,A3C:323,A4B:946,A4D:94D,A66:6F,A67:39,A6A:38,A81:306 307,A82:307,A83:3A,A86:A85 ABE,"
    "A8D:A85 AC5,A8F:A85 AC7,A90:A85 AC8,A91:A85 ABE AC5,A93:A85 ABE AC7,A94:A85 ABE AC8,ABC:323,ABD:93D,"
    "AC1:941,AC2:942,ACD:94D,AE6:6F,AE8:968,AE9:969,AEA:96A,AEE:96E,AF0:970,B01:306 307,B03:38,B06:B05"
    " B3E,B20:4F,B3C:323,B66:4F,B68:39,B82:30A,B8A:B89 BB3,B9C:B90,BB0:B88,BBE:B88,BC8:BA9,BCD:307,"
    "BD7:BB3,BE6:6F,BE7:B95,BE8:B89,BEA:B9A,BEB:B88 BC1,BEC:B9A BC1,BED:B8E,BEE:B85,BF0:BAF,BF2:B9A BC2,"
    "BF4:BAE BC0,BF5:BF3,BF7:B8E BB5,BF8:BB7,BFA:BA8 BC0,C00:306 307,C02:6F,C03:983,C13:C12 C55,C14:C12"
    " C4C,C20:C30 5BC,C22:C21 323,C25:C27 5BC,C2D:C2C 323,C2E:C35 C41,C37:C35 323,C39:C35 C3E,C42:C41 C3E,"
    "C44:C43 C3E,C60:C0B C3E,C61:C0C C3E,C66:6F,C81:306 307,C82:6F,C83:983,C85:C05,C86:C06,C87:C07,"
    "C92:C12,C93:C12 C55,C94:C12 C4C,C9C:C1C,C9E:C1E,CA3:C23,CAF:C2F,CB1:C31,CB2:C32,CE1:C8C CBE,CE6:6F,"
    "CE7:C67,CE8:C68,CEF:C6F,D01:306 307,D02:6F,D03:983,D08:D07 D57,D09:B89,D0A:B89 D57,D0C:D28 D41,"
    "D10:D0E D46,D13:D12 D3E,D14:D12 D57,D19:D28 D41,D1C:B90,D20:6F,D23:BA3,D31:D30,D34:BB4,D36:BB6,"
    "D3A:B9F BBF,D3F:BBF,D40:BBF,D42:D41,D43:D41,D48:D46 D46,D4E:971,D5A:D28 D4D D2E,D5F:6F D30 6F,"
    "D61:D1E,D66:6F,D6A:D30 D4D,D6B:D26 D4D D30,D6C:D28 D4D D28,D6D:39,D6E:D35 D4D D30,D6F:D28 D4D,"
    "D76:D39 D4D D2E,D79:D28 D41,D7B:D28 D4D,D7C:D30 D4D,D82:6F,D83:983,DE9:DE8 DCF,DEA:DA2,DEB:DAF,"
    "DEF:DE8 DD3,E03:E02,E0B:E0A,E0F:E0E,E14:E04,E15:E04,E17:E11,E21:E06,E26:E20,E41:E40 E40,E45:E32,"
    "E4D:30A,E50:6F,E88:E08,E8D:E22,E9A:E1A,E9B:E1B,E9D:E1D,E9E:E1E,E9F:E1F,EB8:E38,EB9:E39,EC8:E48,"
    "EC9:E49,ECA:E4A,ECB:E4B,ECD:30A,ED0:6F,F00:F68 F7C F7E,F02:F60 F74 F82 F7F,F03:F60 F74 F82 F14,"
    "F0E:F0D F0D,F1B:F1A F1A,F1E:F1D F1D,F1F:F1A F1D,F37:325,F6A:F62,FCE:F1D F1A,FD5:5350,FD6:534D,"
    "1000:1002 102C,1010:6F 102C,101D:6F,101F:1015 102C,1029:101E 103C,102A:101E 103C 1031 102C 103A,"
    "1036:30A,1038:983,1040:6F,104B:104A 104A,1065:1041,1066:1015 103E,106F:1015 102C 103E,1070:1003 103E,"
    "107E:107D 103E,1081:1002 103E,109E:1083 30A,10A0:A786,10E7:79,10F3:21D,10FF:6F,1200:55,1223:270,"
    "1240:3A6,1260:548,1294:571,12D0:4F,13A0:44,13A1:52,13A2:54,13A4:4F 27,13A5:69,13A8:2C75,13A9:59,"
    "13AA:41,13AB:4A,13AC:45,13AE:3F,13B0:2C75,13B1:393,13B3:57,13B7:4D,13BB:48,13BD:59,13BE:4F 335,"
    "13BF:1AB,13C0:47,13C2:68,13C3:5A,13C7:460,13CB:190,13CC:55 335,13CE:34,13CF:62,13D2:52,13D4:57,"
    "13D5:53,13D9:56,13DA:53,13DE:4C,13DF:43,13E2:50,13E6:4B,13E7:64,13EB:4F 335,13EE:36,13F0:DF,13F2:68"
    " 314,13F3:47,13F4:42,13FB:262,13FC:299,1400:3D,1403:394,140C:B7 1401,140D:1401 B7,140E:B7 394,"
    "140F:394 B7,1410:B7 1404,1411:1404 B7,1412:B7 1405,1413:1405 B7,1414:B7 1406,1415:1406 B7,1417:B7"
    " 140A,1418:140A B7,1419:B7 140B,141A:140B B7,1427:B7,142B:1401 1420,142C:394 1420,142D:1405 1420,"
    "142E:140A 1420,142F:56,1431:245,1433:3E,1437:B7 3E,1438:3C,143A:B7 56,143B:56 B7,143C:B7 245,"
    "143D:245 B7,143E:B7 1432,143F:1432 B7,1440:B7 3E,1441:3E B7,1442:B7 1434,1443:1434 B7,1444:B7 3C,"
    "1445:3C B7,1446:B7 1439,1447:1439 B7,144A:27,144C:55,144E:548,1454:B7 1450,1457:B7 55,1458:55 B7,"
    "1459:B7 548,145A:548 B7,145B:B7 144F,145C:144F B7,145D:B7 1450,145E:1450 B7,145F:B7 1451,1460:1451"
    " B7,1461:B7 1455,1462:1455 B7,1463:B7 1456,1464:1456 B7,1467:55 27,1468:548 27,1469:1450 27,"
    "146A:1455 27,146D:50,146F:64,1472:62,1473:62 307,1474:B7 146B,1475:146B B7,1476:B7 50,1477:70 B7,"
    "1478:B7 146E,1479:146E B7,147A:B7 64,147B:64 B7,147C:B7 1470,147D:1470 B7,147E:B7 62,147F:62 B7,"
    "1480:B7 62 307,1481:62 307 B7,1485:146B 27,1486:50 27,1487:64 27,1488:62 27,148D:4A,1492:B7 1489,"
    "1493:1489 B7,1494:B7 148B,1495:148B B7,1496:B7 148C,1497:148C B7,1498:B7 4A,1499:4A B7,149A:B7 148E,"
    "149B:148E B7,149C:B7 1490,149D:1490 B7,149E:B7 1491,149F:1491 B7,14A5:393,14AA:4C,14AC:B7 14A3,"
    "14AD:14A3 B7,14AE:B7 393,14AF:393 B7,14B0:B7 14A6,14B1:14A6 B7,14B2:B7 14A7,14B3:14A7 B7,14B4:B7"
    " 14A8,14B5:14A8 B7,14B6:B7 4C,14B7:6C B7,14B8:B7 14AB,14B9:14AB B7,14BF:32,14C9:B7 14C0,14CA:14C0 B7,"
    "14CB:B7 14C7,14CC:14C7 B7,14CD:B7 14C8,14CE:14C8 B7,14D1:1421,14DC:B7 14D3,14DD:14D3 B7,14DE:B7 14D5,"
    "14DF:14D5 B7,14E0:B7 14D6,14E1:14D6 B7,14E2:B7 14D7,14E3:14D7 B7,14E4:B7 14D8,14E5:14D8 B7,14E6:B7"
    " 14DA,14E7:14DA B7,14E8:B7 14DB,14E9:14DB B7,14F6:B7 14ED,14F7:14ED B7,14F8:B7 14EF,14F9:14EF B7,"
    "14FA:B7 14F0,14FB:14F0 B7,14FC:B7 14F1,14FD:14F1 B7,14FE:B7 14F2,14FF:14F2 B7,1500:B7 14F4,1501:14F4"
    " B7,1502:B7 14F5,1503:14F5 B7,150C:150B 3C,150D:150B 1455,150E:150B 62,150F:150B 1490,1517:B7 1510,"
    "1518:1510 B7,1519:B7 1511,151A:1511 B7,151B:B7 1512,151C:1512 B7,151D:B7 1513,151E:1513 B7,151F:B7"
    " 1514,1520:1514 B7,1521:B7 1515,1522:1515 B7,1523:B7 1516,1524:1516 B7,152F:B7 34,1530:34 B7,1531:B7"
    " 1528,1532:1528 B7,1533:B7 1529,1534:1529 B7,1535:B7 152A,1536:152A B7,1537:B7 152B,1538:152B B7,"
    "1539:B7 152D,153A:152D B7,153B:B7 152E,153C:152E B7,1540:1429,1541:78,154E:B7 154C,154F:154C B7,"
    "155B:B7 155A,155C:155A B7,1568:B7 1567,1569:1567 B7,1577:1E9F,157C:48,157D:78,157E:1550 146C,"
    "157F:1550 50,1580:1550 146E,1581:1550 64,1582:1550 1470,1583:1550 62,1584:1550 62 307,1585:1550 1483,"
    "1587:52,158E:1595 148A,158F:1595 148B,1590:1595 148C,1591:1595 4A,1592:1595 148E,1593:1595 1490,"
    "1594:1595 1491,15AF:62,15B4:46,15B5:2132,15B7:A7FB,15C4:2C6F,15C5:41,15DE:44,15EA:44,15EF:460,"
    "15F0:4D,15F7:42,1602:1490,1603:1489,1604:14D3,1607:14DA,1622:1543,1623:1546,1624:154A,162E:1B1,"
    "162F:3A9,1634:1B1,1635:3A9,166D:58,166E:78,166F:1550 146B,1670:1595 1489,1671:1596 148B,1672:1596"
    " 148C,1673:1596 4A,1674:1596 148E,1675:1596 1490,1676:1596 1491,1677:15A7 B7,1678:15A8 B7,1679:15A9"
    " B7,167A:15AA B7,167B:15AB B7,167C:15AC B7,167D:15AD B7,16B2:3C,16B7:58,16C1:6C,16C2:16BD,16CC:27,"
    "16D5:4B,16D6:4D,16D8:3A8,16E1:16BC,16EB:B7,16EC:3A,16ED:2B,16F0:3A6,1735:2F,17A3:17A2,17B7:E34,"
    "17B8:E35,17B9:E36,17BA:E37,17C6:30A,17CB:E48,17D3:30A,17D4:E2F,17D5:E5A,17D9:E4F,17DA:E5B,1803:3A,"
    "1809:3A,1855:1835,1896:185C,18B3:B7 18B1,18B6:B7 18B4,18B9:B7 18B8,18C2:B7 18C0,18C6:B7 14C2,"
    "18C7:14C2 B7,18C8:B7 14C3,18C9:14C3 B7,18CA:B7 14C4,18CB:14C4 B7,18CC:B7 14C5,18CD:14C5 B7,18CE:B7"
    " 1543,18CF:B7 1546,18D0:B7 1547,18D1:B7 1548,18D2:B7 1549,18D3:B7 154B,18DB:18F5,18DC:18DF 141E,"
    "18DD:141E 18DF,18E0:1543 B7,18E3:155E B7,18E4:1566 B7,18E5:156B B7,18E8:1586 B7,18EA:1597 B7,"
    "18ED:460 B7,18F0:15F4 B7,18F2:161B B7,19D0:199E,19D1:19B1,1A80:1A45,1A90:1A45,1AA9:1AA8 1AA8,"
    "1AAB:1AAA 1AA8,1AB4:6DB,1AB7:328,1B52:1B0D,1B53:1B11,1B58:1B28,1B5C:1B50,1B5F:1B5E 1B5E,1C3C:1C3B"
    " 1C3B,1C7F:1C7E 1C7E,1CD0:302,1CD2:304,1CD3:27 27,1CD5:32B,1CD8:32E,1CD9:32D,1CDA:30E,1CDC:329,"
    "1CDD:323,1CDE:324,1CED:316,1D04:63,1D08:25C,1D0B:138,1D0D:28D,1D0F:6F,1D10:254,1D11:6F,1D14:1DD 6F,"
    "1D1C:75,1D20:76,1D21:77,1D22:7A,1D24:1A8,1D26:72,1D27:28C,1D28:3C0,1D29:1D18,1D2B:43B,1D6B:75 65,"
    "1D6E:66 334,1D6F:72 6E 334,1D70:6E 334,1D72:72 334,1D73:27E 334,1D74:73 334,1D75:74 334,1D76:7A 334,"
    "1D7B:69 335,1D7C:69 335,1D7D:70 335,1D7E:75 335,1D7F:28A 335,1D83:67,1D8C:79,1D90:24B,1DEE:2DEC,"
    "1E9D:66,1EFF:79,2010:2D,2012:2D,2013:2D,2014:30FC,2015:30FC,2016:6C 6C,2018:27,2019:27,201A:2C,"
    "201B:27,201C:27 27,201D:27 27,201F:27 27,2022:B7,2027:B7,2030:BA 2F 2080 2080,2031:BA 2F 2080 2080"
    " 2080,2032:27,2035:27,2039:3C,203A:3E,2041:2F,2043:2D,2044:2F,204E:2A,2052:BA 2F 2080,2053:7E,"
    "205A:3A,205D:2D57,205E:2D42,20A1:43 20EB,20A4:A3,20A5:72 6E 338,20A9:57 335,20AB:64 335 331,"
    "20AC:A792,20AD:4B 335,20AE:54 20EB,20B6:6C 74,20BD:554,20DB:6DB,2108:42D,2127:1B1,2129:27F,212E:65,"
    "2141:A4E8,2142:A4F6,2143:16F00,2183:186,2184:254,2191:16CF,2195:16E8,21B5:21B2,21BA:1F10E,21BE:16DA,"
    "21BF:16D0,2200:2C6F,2203:18E,2206:394,220F:3A0,2211:1A9,2212:2D,2214:2B 307,2215:2F,2216:5C,2217:2A,"
    "2218:B0,2219:B7,221E:6F 6F,2223:6C,2225:6C 6C,2228:76,2229:548,222A:55,222B:283,2236:3A,2238:2D 307,"
    "223C:7E,2250:3D 307,2251:3D 307 323,2257:3D 30A,2259:3D 302,225A:3D 306,225E:3D 36B,2263:2261,"
    "226A:3C 3C,226B:3E 3E,2282:1455,2283:1450,2295:102A8,2296:4F 335,2299:298,229D:4F 335,22A4:54,"
    "22A5:A4D5,22C0:2227,22C1:76,22C2:548,22C3:55,22C4:16DC,22C5:B7,22C8:16DE,22D6:3C B7,22D7:B7 3E,"
    "22D8:3C 3C 3C,22D9:3E 3E 3E,22EE:2D57,22EF:B7 B7 B7,22F4:A793,22FF:45,2300:2205,2325:2324,2341:303C,"
    "2359:394 332,235A:16DC 332,235C:B0 332,235F:229B,2361:54 308,2362:2207 308,2363:22C6 308,2364:B0 308,"
    "2365:629,2368:7E 308,2369:1435,236B:2207 334,236C:4F 335,2373:69,2374:70,2375:3C9,2376:61 332,"
    "2377:A793 332,2378:69 332,2379:3C9 332,237A:61,237F:16BD,239C:4E28,239F:4E28,23A2:4E28,23A5:4E28,"
    "23AA:4E28,23AE:4E28,23C1:2355,23C2:234E,23C3:234B,23C6:236D,23E8:2081 2080,23FC:23FB,23FD:6C,"
    "23FE:263E,244A:5C 5C,2500:30FC,2501:30FC,2503:2502,250F:250C,2523:251C,2571:2F,2573:58,2588:220E,"
    "2590:258C,2594:2C9,2597:2596,259D:2598,25A0:220E,25B1:23E5,25B3:394,25B7:22B3,25B8:25B6,25BA:25B6,"
    "25BD:102BC,25C1:22B2,25C7:16DC,25CA:16DC,25CB:B0,25CE:233E,25E0:2312,25E6:B0,2609:298,2610:25A1,"
    "2625:1099E,2630:2CB6,2638:2388,264E:224F,2662:16DC,2669:1D158 1D165,266A:1D158 1D165 1D16E,26AC:970,"
    "2768:28,2769:29,276E:3C,276F:3E,2772:28,2773:29,2774:7B,2775:7D,2795:2B,2796:2D,2797:F7,27C2:A4D5,"
    "27C8:5C 1455,27C9:1450 2F,27CB:2F,27CD:5C,27D9:54,27E8:276C,27E9:276D,292B:78,292C:78,2963:16D0 16DA,"
    "2965:21C3 21C2,296E:16D0 21C2,296F:21C3 16DA,2999:2D42,29B0:2349,29BE:233E,29C4:303C,29C5:2342,"
    "29C7:233B,29D6:102C0,29D9:299A,29F4:3A 2192,29F5:5C,29F6:2F 304,29F8:2F,29F9:5C,2A00:298,2A01:102A8,"
    "2A02:2297,2A03:228D,2A04:228E,2A05:2293,2A06:2294,2A1D:16DE,2A20:3E 3E,2A21:16DA,2A22:2B 30A,2A23:2B"
    " 302,2A24:2B 303,2A25:2B 323,2A26:2B 330,2A27:2B 2082,2A29:2D 313,2A2A:2D 323,2A2F:78,2A30:78 307,"
    "2A3D:2319,2A3E:2A1F,2A3F:2210,2A6A:7E 307,2A6E:3D 20F0,2AA5:3E 3C,2AAA:15D5,2AAB:15D2,2AD7:1450 1455,"
    "2AFB:2F 2F 2F,2AFD:2F 2F,2BEC:219E,2BED:219F,2BEE:21A0,2BEF:21A1,2C67:48 329,2C69:4B 329,2C84:393,"
    "2C85:72,2C86:394,2C88:A792,2C89:A793,2C8E:48,2C92:6C,2C94:4B,2C95:138,2C96:3BB,2C98:4D,2C9A:4E,"
    "2C9E:4F,2C9F:6F,2CA0:3A0,2CA2:50,2CA3:70,2CA4:43,2CA5:63,2CA6:54,2CA8:59,2CAA:3A6,2CAB:278,2CAC:58,"
    "2CAD:3C7,2CAE:3A8,2CB1:3C9,2CB4:3C B7,2CBA:2D,2CBC:428,2CBD:448,2CC6:2F,2CCA:39,2CCC:33,2CCD:21D,"
    "2CD0:4C,2CD1:29F,2CD2:36,2CDC:3EC,2CE4:3D7,2CE9:2627,2CF9:5C 5C,2D31:4F 335,2D37:245,2D38:56,2D39:45,"
    "2D3A:18E,2D41:4F 338,2D48:B7 B7 B7,2D49:1A9,2D4F:6C,2D51:21,2D54:4F,2D55:51,2D59:298,2D5D:58,"
    "2D60:394,2D63:16EF,2DE8:1DDF,2DEA:30A,2DED:368,2DEF:36F,2DF6:363,2DF7:364,2E1A:2D 308,2E1E:7E 307,"
    "2E1F:7E 323,2E26:1455,2E27:1450,2E28:28 28,2E29:29 29,2E2A:2235,2E2B:2234,2E2C:2237,2E2E:61F,2E30:B0,"
    "2E31:B7,2E32:60C,2E35:61B,2E39:1E9F,2E3D:2D42,2E3F:B6,2E40:3D,2E82:4E5B,2E83:4E5A,2E85:4EBB,"
    "2E89:5202,2E8B:353E,2E8E:5140,2E8F:5C23,2E90:5C22,2E92:5DF3,2E93:5E7A,2E94:5F51,2E96:5FC4,2E97:38FA,"
    "2E98:624C,2E99:6535,2E9B:65E1,2E9E:6B7A,2EA0:6C11,2EA1:6C35,2EA2:6C3A,2EA3:706C,2EA4:722B,2EA6:4E2C,"
    "2EA8:72AD,2EAB:7F52,2EAD:793B,2EAF:7CF9,2EB1:7F53,2EB2:7F52,2EB9:8002,2EBA:8080,2EBE:8279,2EBF:8279,"
    "2EC0:8279,2EC1:864E,2EC2:8864,2EC3:8980,2EC4:897F,2EC5:89C1,2EC8:8BA0,2EC9:8D1D,2ECB:8F66,2ECC:8FB6,"
    "2ECD:8FB6,2ECF:961D,2ED0:9485,2ED1:9577,2ED2:9578,2ED3:957F,2ED4:95E8,2ED6:961D,2ED8:9752,2ED9:97E6,"
    "2EDA:9875,2EDB:98CE,2EDC:98DE,2EDD:98DF,2EDF:98E0,2EE0:9963,2EE2:9A6C,2EE4:9B3C,2EE5:9C7C,2EE8:9EA6,"
    "2EE9:9EC4,2EEB:6589,2EEC:9F50,2EED:6B6F,2EEE:9F7F,2EEF:7ADC,2EF0:9F99,2EF2:4E80,3002:2F3,3003:27 27,"
    "3007:4F,3008:276C,3009:276D,3012:20B8,3014:28,3015:29,301A:27E6,301B:27E7,302C:309,302D:325,3033:2F,"
    "304F:276C,309A:30A,30A0:3D,30A4:4EBB,30A8:5DE5,30AB:529B,30BF:5915,30C8:535C,30CB:4E8C,30CE:2F,"
    "30CF:516B,30D8:3078,30ED:53E3,30FB:B7,31D0:30FC,31D1:4E28,31D3:2F,31D4:5C,31D6:4E5B,31DA:4E85,"
    "31DB:276C,31DF:4E5A,31E0:4E59,39B3:363D,439B:3588,4420:3B3B,4E00:30FC,4E36:5C,4E3F:2F,5002:4F75,"
    "503C:5024,555F:5553,56D7:53E3,586B:5861,58EB:571F,58FF:58AB,5B00:5AAF,5E32:5E21,5E50:3B3A,6238:6236,"
    "6409:3A41,6663:403F,6669:665A,66F6:3ADA,6726:4443,67FF:676E,69E9:3BA3,6A27:699D,6F59:6E88,784F:7814,"
    "7D76:7D55,80A6:670C,80CA:6710,80D0:670F,80F6:3B35,8101:6713,8127:6718,8141:80FC,81A7:6723,853F:848D,"
    "8641:8637,8A1E:46B6,8A7D:8A2E,8B8F:8B86,8C63:8C5C,8D86:8D7F,8DFA:8DE5,8E9B:8E97,8F27:8EFF,90DE:90CE,"
    "93AE:93AD,96B8:96B7,9E43:9E42,9ED2:9ED1,9FC3:4039,A494:A2CD,A49C:A0C0,A49E:A04A,A4A7:A458,A4A8:A132,"
    "A4AC:A050,A4B0:A3C2,A4BA:A3BF,A4BE:A2B1,A4BF:A259,A4C0:A3AB,A4C2:A3B5,A4D0:42,A4D1:50,A4D2:64,"
    "A4D3:44,A4D4:54,A4D6:47,A4D7:4B,A4D9:4A,A4DA:43,A4DB:186,A4DC:5A,A4DD:46,A4DE:2132,A4DF:4D,A4E0:4E,"
    "A4E1:4C,A4E2:53,A4E3:52,A4E5:245,A4E6:56,A4E7:48,A4EA:57,A4EB:58,A4EC:59,A4ED:1660,A4EE:41,A4EF:2C6F,"
    "A4F0:45,A4F1:18E,A4F2:6C,A4F3:4F,A4F4:55,A4F5:548,A4F7:15E1,A4F8:2E,A4F9:2C,A4FA:2E 2E,A4FB:2E 2C,"
    "A4FD:3A,A4FE:2D 2E,A4FF:3D,A60E:2E,A644:32,A645:1A8,A647:69,A64D:3C9,A650:42A 6C,A651:2C9 62 69,"
    "A668:298,A66F:20E9,A67C:306,A67E:2C7,A695:68 314,A698:4F 4F,A699:6F 6F,A69A:102A8,A6A1:418,A6B0:16B9,"
    "A6B1:2C75,A6CD:2A1,A6CE:245,A6DB:3A0,A6DF:56,A6EB:3F,A6EF:32,A6F0:302,A6F1:304,A6F4:A6F3 A6F3,"
    "A714:2EB,A716:2EA,A728:54 33,A729:74 21D,A731:73,A732:41 41,A733:61 61,A734:41 4F,A735:61 6F,A736:41"
    " 55,A737:61 75,A738:41 56,A739:61 76,A73A:41 56,A73B:61 76,A73C:41 59,A73D:61 79,A740:4B 335,A74A:4F"
    " 335,A74B:6F 335,A74E:4F 4F,A74F:6F 6F,A75A:32,A761:77 326,A76A:33,A76B:21D,A76E:39,A777:74 66,"
    "A778:26,A77A:A779,A789:3A,A78C:27,A78F:B7,A795:A727,A798:46,A799:66,A79A:10412,A79B:1043A,A79D:29A,"
    "A79E:A4E4,A79F:75,A7AB:33,A7B1:A4D5,A7B2:4A,A7B3:58,A7B4:42,A7B5:DF,A7B6:A64C,A7B7:3C9,A7F7:30FC,"
    "A830:964,A992:2C3F,A9A3:A99D,A9C6:A9D0,A9CF:662,AA53:AA01,AA56:AA23,AB32:65,AB35:66,AB3D:6F,AB3E:6F"
    " 338,AB3F:254 338,AB41:1DD 6F 338,AB42:1DD 6F 335,AB47:72,AB48:72,AB4D:283,AB4E:75,AB52:75,AB53:3C7,"
    "AB55:3C7,AB5A:79,AB60:459,AB62:254 65,AB63:75 6F,AB70:1D05,AB71:280,AB72:1D1B,AB74:6F 31B,AB75:69,"
    "AB7A:1D00,AB7B:1D0A,AB7C:1D07,AB7E:242,AB80:2C76,AB81:72,AB83:77,AB87:28D,AB8B:29C,AB8E:6F 335,"
    "AB90:262,AB93:7A,AB9B:A793,AB9C:75 335,AB9F:185,ABA2:280,ABA9:76,ABAA:73,ABAE:29F,ABAF:63,ABB2:1D18,"
    "ABB6:138,ABBB:6F 335,FD3E:28,FD3F:29,10101:B7,1018E:4E 30A,10196:58 335,10197:56 335,10198:6C 335 6C"
    " 335 53 335,10199:6C 335 6C 335,101A0:2CE8,10282:42,10285:394,10286:45,10287:46,1028A:6C,1028D:245,"
    "10290:58,10292:4F,10294:16DC,10295:50,10296:53,10297:54,1029B:2B,102A0:41,102A1:42,102A2:43,"
    "102A3:394,102A5:46,102AB:4F,102AD:3D8,102B0:4D,102B1:54,102B2:59,102B3:3A6,102B4:58,102B5:3A8,"
    "102B6:3A9,102B8:2D40,102CF:48,102E1:62F,102E4:648,102E8:637,102F2:635,102F5:5A,10301:42,10302:43,"
    "10309:6C,10311:4D,10312:3D8,10315:54,10317:58,1031A:38,1031F:2A,10320:6C,10322:58,103D1:10382,"
    "103D3:10393,10401:190,10404:4F,10411:A4F6,10415:43,1041B:4C,1041F:2C70,10420:53,10423:186,10425:418,"
    "10429:A793,1042A:29A,1042C:6F,1043D:63,1043F:277,10442:25E,10443:29F,10448:73,1044B:254,1044D:1D0E,"
    "104A0:10486,104B0:245,104B4:52,104BC:4C3,104C2:4F,104C3:298,104C4:DE,104CD:40B,104CE:55,104D0:16E6,"
    "104D1:3A8,104D2:37,104D8:28C,104DB:3BB,104EA:6F,104EB:A669,104F6:75,104F9:3C8,10513:4E,10516:4F,"
    "10518:4B,1051C:43,1051D:56,10525:46,10526:4C,10527:58,10A3A:323,10A50:2E,10A57:10A56 10A56,"
    "10CFA:10CA5,10CFC:10C82,110BB:970,111C7:970,111CA:323,111CB:93A,111DB:A8FC,111DC:A8FB,111DE:2248,"
    "11300:30A,11413:11434 11442 11412,11419:11434 11442 11418,11424:11434 11442 11423,1142A:11434 11442"
    " 11429,1142D:11434 11442 1142C,1142F:11434 11442 1142E,1144C:1144B 1144B,11492:998,11494:99A,"
    "11496:99C,11498:99E,11499:99F,1149B:9A1,1149D:9B2,1149E:9A4,1149F:9A5,114A0:9A6,114A1:9A7,114A2:9A8,"
    "114A3:9AA,114A7:9AE,114A8:9AF,114A9:9AC,114AA:9A3,114AB:9B0,114AD:9B7,114AE:9B8,114B0:9BE,114B1:9BF,"
    "114B9:9C7,114BD:9D7,114BF:306 307,114C1:983,114C2:9CD,114C3:323,114C4:9BD,114C5:77 307,114D0:4F,"
    "114D1:9E7,114D2:9E8,114D6:9EC,115D8:11582,115D9:11582,115DA:11583,115DB:11584,115DC:115B2,"
    "115DD:115B3,11642:11641 11641,11700:72 6E,11706:76,1170A:77,1170E:77,1170F:77,118A0:56,118A2:46,"
    "118A3:4C,118A4:59,118A6:45,118A8:2207,118A9:5A,118AC:39,118AE:45,118AF:34,118B2:4C,118B5:4F,"
    "118B7:16DC,118B8:55,118BB:35,118BC:54,118C0:76,118C1:73,118C2:46,118C3:69,118C4:7A,118C6:37,118C8:6F,"
    "118CA:33,118CC:39,118CE:A793,118D5:36,118D6:39,118D7:6F,118D8:75,118DC:79,118E0:4F,118E3:72 6E,"
    "118E4:669,118E5:5A,118E6:57,118E9:43,118EC:58,118EF:57,118F2:43,11AE6:11AE5 11AEF,11AE7:11AE5 11AF0,"
    "11AE8:11AE5 11AE5,11AE9:11AE5 11AE5 11AEF,11AEA:11AE5 11AE5 11AF0,11AEC:11AEB 11AEF,11AED:11AEB"
    " 11AEB,11AEE:11AEB 11AEB 11AEF,11AF4:11AF3 11AEF,11AF5:11AF3 11AF0,11AF6:11AF3 11AF3,11AF7:11AF3"
    " 11AF3 11AEF,11AF8:11AF3 11AF3 11AF0,11C42:11C41 11C41,11CB2:11CAA,12038:1039A,132F9:1099E,16F07:393,"
    "16F08:56,16F0A:54,16F16:4C,16F1A:394,16F1C:A658,16F26:A4F6,16F28:6C,16F2D:190,16F35:52,16F3A:53,"
    "16F3B:33,16F3D:245,16F3F:3E,16F40:41,16F42:55,16F43:59,16F51:27,16F52:27,1D114:7B,1D16D:2E,1D202:4FE,"
    "1D206:33,1D20B:418,1D20D:56,1D20F:5C,1D212:37,1D213:46,1D214:102BC,1D215:A4F6,1D216:52,1D217:2C6F,"
    "1D21A:4F 335,1D21B:2144,1D21C:A4D5,1D221:190,1D222:460,1D22A:4C,1D22B:A4F6,1D230:A7FB,1D236:3C,"
    "1D237:3E,1D238:228F,1D239:2290,1D23A:2F,1D23B:5C,1D23F:16CB,1D245:548,1E8C7:6C,1E8C8:2220,1E8C9:663,"
    "1E8CB:38,1E8CC:2202,1E8CD:2202 335,1F10F:24 20E0,1F16D:33C4 20DD,1F16E:43 20E0,1F312:263D,1F318:263E,"
    "1F319:263D,1F700:51 45,1F701:A658,1F702:394,1F704:102BC,1F707:41 52,1F708:56 1DE4,1F70A:2629,"
    "1F714:4F 335,1F728:102A8,1F73A:29DF,1F74C:43,1F754:16DC,1F755:22A1,1F75C:73 73 73,1F75E:224F,"
    "1F768:54,1F76B:4D 42,1F76C:56 42,1F771:22A0,21FE8:276C")
# --- end of the generated tables ---


if __name__ == "__main__":
    sys.exit(main())
