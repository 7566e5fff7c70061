# Writes the site's pages as it serves them today, in code page 949 bytes, in the shape of pages
# saved from the site in 2026 (its comments in a script object, every non-ASCII character as
# \uXXXX and every "/" as "\/"):
#   post_page1.html … post_page3.html  one post's three comment pages; the post's own address
#                                      answers with page 3, the last, as the site does
#   long_page1.html … long_page4.html  another post's four comment pages (answered with page 4),
#                                      some of whose writers have no name a reader can take: a
#                                      nickname drawn as an image alone, or mark-up alone
#   event_page1.html … event_page3.html  an event's three comment pages (answered with page 3),
#                                      written around its deadline, 2026-08-28 09:38 (Korea's
#                                      time), as they read to an answer dated 2026-08-28 10:05
#                                      (Korea's time; the tests send that Date): a quiz's answer,
#                                      nicknames drawn as images (with and without their
#                                      alternative text), one that shows nothing (U+3164), two
#                                      members shown alike and two whose names read the same
#   login_refused.html   what a log-in answer that is a page of the site looks like to a visitor
#   login_redirect.html  a bare redirect to the front page, saying nothing of who is looking
#   front_visitor.html   the front page as a visitor sees it
#   front_member.html    the front page of a member (what it says instead of 1 is not known)
# Run from tests/data: python3 make-post-pages.py
import json

BOARD, POST = "pmarket", 303721

# Each member's token ("troll_no"): the same on every comment of one member in a post.
TOKENS = {
    "EE_A": "piOFi7cQ0UntdAnbH2j7OA==",  # [ *EE야* ], one member
    "EE_D": "Xq3/9Lk+0aZ2bC1dE4fG7w==",  # [ *EE야* ], another member who reads the same
    "mask_B": "m2Vd0c8rQ6e1Yt5nUa9kLg==",  # [ ** ]
    "mask_C": "c7Hq/2WzR0p3Ms8xJb4vNw==",  # [ ** ], another member
    "author": "s0PpInGpArTnEr00AuThOr==",
    "kim": "K1mCh3oLsU0000000000Aa==",
    "hong": "H0nGgIlD0nG000000000Bb==",
    "tom": "T0m4nDJ3rRy000000000Cc==",
    "hwang": "HwAnG00000000000000/Dd==",
    "lee": "L33yOuNgHe3000000000Ee==",
    "park": "P4rKj1SuNg0000000000Ff==",
    "choi": "Ch0iMiN5u00000000000Gg==",
    "jung": "JuNg5oYe0n0000000000Hh==",
    "image": "1mAg3N1cKc0n00000000Ii==",  # a nickname drawn as an image
    "bare": "B4r3M4rKuP0000000000Jj==",  # a name of mark-up alone
    "E1": "kK1i/Mas0kEd0000000000==",  # [ *끼* ]
    "E2": "kK1i/Mas0kEd1111111111==",  # [ *끼* ], another member
    "alt": "Alt1mAg3N1ck000000000Kk==",  # a nickname drawn as an image with its alternative text
    "filler": "F1llEr3164000000000/Ll==",  # a nickname of the Hangul filler alone
    "lee2": "L33yOuNgHe3Zw5p000000Mm==",  # 이영희 and a zero-width space: reads as 이영희
}


def name(n, linked=False, level="lvG"):
    icon = '<i class="nlevel %s"></i>' % level
    if linked:
        return '<b><a href=# onClick="return false">%s%s</a></b>' % (icon, n)
    return "<b>%s%s</b>" % (icon, n)


def c(no, depth, parent, nm, memo, who, subs=None, t="11:37:06"):
    is_self = who == "author"
    d = {
        "no": no, "c0": 0, "c1": 0, "depth": depth, "parent": parent, "name": nm,
        "image": "<img src='/images/no_face.jpg' border=\"0\" />",
        "memo": memo,
        "org_comment_memo_html": memo,
        "vote_btn": {"show_btn": True, "click_action": "vote_comment(%d)" % no, "vote_count": 0},
        "anti_vote_btn": {"show_btn": True, "click_action": "anti_vote_comment(%d)" % no,
                          "alert_msg": "비추천하시겠습니까?", "anti_vote_count": 0,
                          "troll_no": TOKENS[who], "is_troll": False, "has_anti_voted": False},
        "copy_cmt_url_btn": True,
        "is_guest_comment": False,
        "admin_controls": None,
        "meta": {"time_display": t, "time_detail": "", "ip_display": "", "is_self": is_self,
                 "is_mine": False, "is_new_main": False, "is_update_main": False,
                 "is_new_sub": False, "has_link_line": False},
        "block_status": {"is_blocked": False, "is_spam": False, "block_class": "",
                         "spam_class": "", "block_type": "", "block_message": "",
                         "my_article_block_message": ""},
    }
    if subs:  # only comments with replies carry the key
        d["sub_cmt"] = subs
    return d


PAGES = {
    1: [
        c(5102309, 0, 0, name("[ *EE야* ]"), "<p>네이버 페이 응모합니다</p>", "EE_A", subs=[
            c(5102324, 1, 5102309, name("쇼핑파트너", linked=True, level="lvB"),
              "<p>당첨되세요 ^^</p>", "author", subs=[
                  c(5102330, 2, 5102324, name("김철수", linked=True), "<p>감사합니다<br>응모!</p>", "kim")])]),
        c(5102400, 0, 0, name("  홍길동  ", linked=True),
          "<p>저도 응모 &amp; 참여합니다</p><p><img src='https://image.ppomppu.co.kr/x.gif'></p>", "hong"),
        c(5102401, 0, 0, name("Tom &amp; Jerry"), "<p>&lt;응모&gt; 합니다</p>", "tom"),
        c(5102402, 0, 0, name("[ ** ]"), "<p>응모요</p>", "mask_B"),
        c(5102403, 0, 0, name("쇼핑파트너", linked=True, level="lvB"), "<p>마감은 내일입니다</p>", "author"),
    ],
    2: [
        c(5102500, 0, 0, name("황"), "<p>응모</p>", "hwang"),
        c(5102501, 0, 0, name("[ ** ]"), "<p>저도 응모합니다</p>", "mask_C"),
        c(5102502, 0, 0, name("[ *EE야* ]"), "<p>한 번 더 응모</p>", "EE_A"),
        c(5102503, 0, 0, name("김철수", linked=True), "<p>두 번째 페이지에서도 응모</p>", "kim", subs=[
            c(5102504, 1, 5102503, name("이영희"),
              "<p><a href=\"https://www.ppomppu.co.kr\">링크</a> 응모&#54633;니다</p>", "lee")]),
    ],
    3: [
        c(5102600, 0, 0, name("&#xBC15;지성"), "<p>no keyword here</p>", "park"),
        c(5102601, 0, 0, name("[ *EE야* ]"), "<p>응모합니다!</p>", "EE_D"),
        c(5102602, 0, 0, name("[ ** ]"), "<p>마지막 페이지 응모</p>", "mask_B"),
    ],
}


# Post LONG_POST: four pages; two comments and a reply whose writers have no readable name.
LONG_POST = 303722
IMAGE_NAME = ('<b><i class="nlevel lvG"></i><img src=\'https://image.ppomppu.co.kr/zboard/nickcon/'
              '1mAg3N1cKc0n.gif\' border=0 align=absmiddle></b>')
BARE_NAME = '<b><a href=# onClick="return false"><i class="nlevel lvB"></i></a></b>'
LONG_PAGES = {
    1: [
        c(5103001, 0, 0, name("최민수"), "<p>응모합니다</p>", "choi", subs=[
            c(5103002, 1, 5103001, IMAGE_NAME, "<p>저도 응모</p>", "image")]),
        c(5103003, 0, 0, name("정소연", linked=True), "<p>응모해요</p>", "jung"),
    ],
    2: [
        c(5103010, 0, 0, name("황"), "<p>응모</p>", "hwang"),
        c(5103011, 0, 0, BARE_NAME, "<p>응모합니다</p>", "bare"),
        c(5103012, 0, 0, name("쇼핑파트너", linked=True, level="lvB"), "<p>내일 마감합니다</p>", "author"),
    ],
    3: [
        c(5103020, 0, 0, IMAGE_NAME, "<p>한 번 더</p>", "image"),
        c(5103021, 0, 0, name("[ ** ]"), "<p>응모요</p>", "mask_B"),
    ],
    4: [
        c(5103030, 0, 0, name("김철수", linked=True), "<p>응모!</p>", "kim"),
        c(5103031, 0, 0, name("최민수"), "<p>또 응모합니다</p>", "choi"),
    ],
}


# Post EVENT_POST: "2026/08/27 09:38 ~ 2026/08/28 09:38"; its comments show bare times, as the
# site shows those of the last day, read against an answer dated 2026-08-28 10:05 (Korea's
# time): a time of day after 10:05 is of the day before.
EVENT_POST = 303723
ALT_NAME = ('<b><i class="nlevel lvG"></i><img src=\'https://image.ppomppu.co.kr/zboard/nickcon/'
            'A1tN1ck.gif\' alt=\'뽐뿌&amp;왕\' border=0 align=absmiddle></b>')
EVENT_PAGES = {
    1: [
        c(5102700, 0, 0, name("[ *끼* ]"), "<p>응모합니다</p>", "E1", t="10:12:03", subs=[
            c(5102701, 1, 5102700, name("쇼핑파트너", linked=True, level="lvB"), "<p>감사합니다</p>",
              "author", t="10:13:00")]),
        c(5102702, 0, 0, name("김철수", linked=True), "<p>응모! 정답은 3번입니다</p>", "kim", t="11:37:06"),
        c(5102703, 0, 0, ALT_NAME, "<p>응모해요</p>", "alt", t="12:00:00"),
        c(5102704, 0, 0, IMAGE_NAME, "<p>저도 응모</p>", "image", t="13:00:00"),
        c(5102705, 0, 0, name("\u3164"), "<p>응모합니다</p>", "filler", t="14:00:00"),
    ],
    2: [
        c(5102710, 0, 0, name("이영희"), "<p>응모</p>", "lee", t="23:50:00"),
        c(5102711, 0, 0, name("이영희\u200b"), "<p>응모합니다</p>", "lee2", t="05:00:00"),
        c(5102712, 0, 0, name("홍길동", linked=True), "<p>마감 직전 응모</p>", "hong", t="09:37:59"),
    ],
    3: [
        c(5102720, 0, 0, name("황"), "<p>응모</p>", "hwang", t="09:38:00"),
        c(5102721, 0, 0, name("박지성"), "<p>응모합니다</p>", "park", t="09:38:01"),
        c(5102722, 0, 0, name("[ *끼* ]"), "<p>늦었지만 응모</p>", "E2", t="09:40:12"),
        c(5102723, 0, 0, name("최민수"), "<p>응모요</p>", "choi", t="10:01:00"),
        c(5102724, 0, 0, name("김철수", linked=True), "<p>다시 응모합니다</p>", "kim", t="09:50:00"),
        c(5102725, 0, 0, name("[ *끼* ]"), "<p>한 번 더</p>", "E1", t="09:55:00"),
    ],
}


def count(comments):
    return sum(1 + count(x.get("sub_cmt", [])) for x in comments)


def header(guest, post=POST):
    return f'''<!DOCTYPE html>
<html lang="ko">
<head>
<meta http-equiv="Content-Type" content="text/html; charset=euc-kr" />
<title>뽐뿌 - 네이버페이 나눔합니다 (추첨)</title>
<link rel="canonical" href="https://www.ppomppu.co.kr/zboard/view.php?id={BOARD}&no={post}" />
<script>var G_IS_GUEST = {guest};var G_HOME_URL = "https://www.ppomppu.co.kr";var G_WWW_URL = "https://www.ppomppu.co.kr";var G_HOME_SSL_URL = "https://www.ppomppu.co.kr";</script>
</head>
<body>
<div class="header"><a href="https://www.ppomppu.co.kr/index.php" class="logo-sm"><img src="/images/logo.png" alt="뽐뿌"></a>
<a href="https://www.ppomppu.co.kr/zboard/login.php?r_url=https%3A%2F%2Fwww.ppomppu.co.kr%2Fzboard%2Fview.php%3Fid%3D{BOARD}%26no%3D{post}">로그인</a></div>
'''


def post_page(number, post=POST, pages=PAGES):
    total = sum(count(p) for p in pages.values())
    paging = "".join(
        '<font class="page_inert">%d</font>' % n if n == number
        else "<a href=\"javascript:go_page('%s', %d, %d)\">%d</a>" % (BOARD, post, n, n)
        for n in pages)
    data = {"total_comment": total, "total_page": len(pages), "skin_type": "default",
            "comments": pages[number], "accuse_comment": None, "paging": paging,
            "comment_mode": "sort_asc"}
    js = json.dumps(data, ensure_ascii=True, separators=(",", ":")).replace("/", "\\/")
    return header(1, post) + f'''<script>var G_CMT_CNT = {total};var G_CMT_DATA_MODE = `paging`;var G_CMT_PAGE = {number};var G_BBS_REG_DATE = 1786000000;</script>
<div class="board-contents">네이버페이 5천원 나눔합니다. 덧글로 응모해주세요!</div>
<a href="view.php?id={BOARD}&&no={post + 1}">다음글</a>
<button type="button" onclick="checkLogin(); return false;"><span class="buttonBox-impulse">추천</span></button>
<form name="comment_form" method="post"><input type="hidden" name="id" value="{BOARD}" /><input type="hidden" name="no" value="{post}" /><input type="hidden" name="c_page" value="1" /></form>
<div id="comment_list_area"></div>
<script type="text/javascript">
var initialCommentData = {js};
</script>
<script>var c_page = {number};function go_page(id, no, page) {{ location.href = "view.php?id=" + id + "&no=" + no + "&c_page=" + page; }}
if (G_IS_GUEST == 1) {{ document.getElementById("comment_list_area").className = "guest"; }}</script>
</body>
</html>
'''


def front_page(guest):
    return header(guest) + '''<div class="main-news">오늘의 뽐뿌 핫딜</div>
</body>
</html>
'''


def login_refused():
    return header(1) + '''<div class="error2">올바르지 않은 접근입니다.</div>
<a href="javascript:history.back()">뒤로</a>
</body>
</html>
'''


def login_redirect():
    return '''<html><head><meta http-equiv="Content-Type" content="text/html; charset=euc-kr" />
<meta http-equiv="refresh" content="0;url=https://www.ppomppu.co.kr/index.php"></head>
<body><script>location.replace("https://www.ppomppu.co.kr/index.php");</script></body></html>
'''


def write(file, text):
    open(file, "wb").write(text.encode("cp949"))


for n in PAGES:
    write("post_page%d.html" % n, post_page(n))
for n in LONG_PAGES:
    write("long_page%d.html" % n, post_page(n, LONG_POST, LONG_PAGES))
for n in EVENT_PAGES:
    write("event_page%d.html" % n, post_page(n, EVENT_POST, EVENT_PAGES))
write("login_refused.html", login_refused())
write("login_redirect.html", login_redirect())
write("front_visitor.html", front_page(1))
write("front_member.html", front_page(0))
