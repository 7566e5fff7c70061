# Writes post_page1.html and post_page2.html: a post page as the site serves it today (code page
# 949 bytes, its comments in a script object with replies two deep), over two comment pages.
# Run from tests/data: python3 make-post-pages.py
import json
def name(n, linked=False, level="lvG"):
    icon = '<i class="nlevel %s"></i>' % level
    if linked:
        return '<b><a href=# onClick="return false">%s%s</a></b>' % (icon, n)
    return '<b>%s%s</b>' % (icon, n)
def c(no, depth, parent, nm, memo, is_self=False, subs=None, t="11:37:06"):
    d = {"no": no, "depth": depth, "parent": parent, "name": nm,
         "image": "<img src='/images/no_face.jpg' border=\"0\" />",
         "memo": memo,
         "meta": {"time_display": t, "is_self": is_self, "is_mine": False},
         "block_status": {"is_blocked": False, "is_spam": False}}
    if subs is not None:
        d["sub_cmt"] = subs
    return d
page1 = [
    c(5102309, 0, 0, name("[ *EE야* ]"), "<p>네이버 페이 응모합니다</p>", subs=[
        c(5102324, 1, 5102309, name("쇼핑파트너", linked=True, level="lvB"), "<p>당첨되세요 ^^</p>", is_self=True, subs=[
            c(5102330, 2, 5102324, name("김철수", linked=True), "<p>감사합니다<br>응모!</p>")])]),
    c(5102400, 0, 0, name("  홍길동  ", linked=True), "<p>저도 응모 &amp; 참여합니다</p><p><img src='https://image.ppomppu.co.kr/x.gif'></p>"),
    c(5102401, 0, 0, name("Tom &amp; Jerry"), "<p>&lt;응모&gt; 합니다</p>"),
    c(5102402, 0, 0, name("홍길동", linked=True), "<p>한 번 더 응모</p>", subs=[]),
    c(5102403, 0, 0, name("쇼핑파트너", linked=True, level="lvB"), "<p>마감은 내일입니다</p>", is_self=True),
]
page2 = [
    c(5102500, 0, 0, name("황"), "<p>응모</p>"),
    c(5102501, 0, 0, name("김철수", linked=True), "<p>두 번째 페이지에서도 응모</p>", subs=[
        c(5102502, 1, 5102501, name("이영희"), "<p><a href=\"https://www.ppomppu.co.kr\">링크</a> 응모&#54633;니다</p>")]),
    c(5102503, 0, 0, name("&#xBC15;지성"), "<p>no keyword here</p>"),
]
def page(comments, number):
    data = {"total_comment": 11, "total_page": 2, "skin_type": "default", "comments": comments,
            "accuse_comment": None, "paging": "<a href='?id=pmarket&no=303717&c_page=1'>1</a>", "comment_mode": "sort_asc"}
    js = json.dumps(data, ensure_ascii=True, separators=(",", ":")).replace("/", "\\/")
    html = f'''<!DOCTYPE html>
<html lang="ko">
<head>
<meta http-equiv="Content-Type" content="text/html; charset=euc-kr" />
<title>뽐뿌 - 네이버페이 나눔합니다 (추첨)</title>
<link rel="canonical" href="https://www.ppomppu.co.kr/zboard/view.php?id=pmarket&no=303717" />
<script>var G_HOME_URL = "https://www.ppomppu.co.kr";var G_CMT_CNT = 11;var G_CMT_DATA_MODE = `paging`;var G_CMT_PAGE = {number};</script>
</head>
<body>
<a href="https://www.ppomppu.co.kr/index.php" class="logo-sm">뽐뿌</a>
<div class="board-contents">네이버페이 5천원 나눔합니다. 덧글로 응모해주세요!</div>
<button type="button" onclick="checkLogin(); return false;"><span class="buttonBox-impulse">추천</span></button>
<form name="comment_form"><input type="hidden" name="c_page" value="{number}" /></form>
<div id="comment_list_area"></div>
<script type="text/javascript">
var initialCommentData = {js};
</script>
</body>
</html>
'''
    return html
open("post_page1.html", "wb").write(page(page1, 1).encode("cp949"))
open("post_page2.html", "wb").write(page(page2, 2).encode("cp949"))
