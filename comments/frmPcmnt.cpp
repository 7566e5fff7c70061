#include "comments/frmPcmnt.h"

#include "comments/FittingLabel.h"
#include "comments/WrappingButton.h"
#include "common/Desktop.h"
#include "common/DrawList.h"
#include "common/ErrorGuard.h"
#include "common/FilesFolder.h"
#include "common/Look.h"
#include "common/Prompter.h"
#include "common/Routines.h"
#include "core/CommentPage.h"
#include "core/CommentTime.h"
#include "core/Constants.h"
#include "core/Cp949.h"
#include "core/Entrants.h"
#include "core/PostAddress.h"
#include "core/PostComments.h"
#include "core/Site.h"
#include "core/Text.h"
#include "listfile/ListFileCommands.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>

#include <algorithm>

namespace tombolix {

namespace {

const QString cannotLoadComments =
    QStringLiteral("덧글을 불러올 수 없습니다! 게시글 번호가 정확한지 확인해보세요!");

const QString deadlineFormat = QStringLiteral(
    "마감 시각을 한국 시간으로 \"2026-08-28 09:38\"처럼 입력해주세요! 마감이 없으면 비워 두세요.");

// The window's height in twips: the layout's, with a row for each of the event's rules.
constexpr int windowHeight = 6015;
constexpr int frameGetHeight = 4695;

// The status line while a post's comment pages are read one after another.
QString pageProgress(int page, int pages) {
    return QStringLiteral("상태 : 덧글 페이지 <") + QString::number(page) + QStringLiteral(">/<") +
           QString::number(pages) + QStringLiteral("> 읽는 중");
}

} // namespace

frmPcmnt::frmPcmnt(const Services &services, DrawList &drawList)
    : QWidget(nullptr)
    , m_services(services)
    , m_drawList(drawList)
    , m_request(services.endpoints.extraTrust) {
    setObjectName(QStringLiteral("frmPcmnt"));
    makeFixedWindow(this, QStringLiteral("Tombolix - 뽐뿌 덧글 가져오기"));
    setFixedSize(4335 / 15, windowHeight / 15);
    paintWhite(this);
    setFont(dotumFont(9));
    buildControls();
    resetControls();
}

frmPcmnt::~frmPcmnt() = default;

void frmPcmnt::buildControls() {
    FrameLogin =
        addControl<QGroupBox>(this, "FrameLogin", 120, 120, 4095, 975, QStringLiteral("뽐뿌 로그인"));
    lblText[0] = addControl<QLabel>(FrameLogin, "lblText0", 120, 240, 540, 180, QStringLiteral("아이디"));
    txtID = addControl<QLineEdit>(FrameLogin, "txtID", 960, 240, 1695, 270);
    lblText[1] = addControl<QLabel>(FrameLogin, "lblText1", 120, 600, 720, 180, QStringLiteral("비밀번호"));
    txtPW = addControl<QLineEdit>(FrameLogin, "txtPW", 960, 600, 1695, 270);
    txtPW->setEchoMode(QLineEdit::Password);
    txtPW->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // '*'
    txtPW->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtPW->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText |
                               Qt::ImhLatinOnly);
    cmdLogin =
        addControl<QPushButton>(FrameLogin, "cmdLogin", 2760, 240, 1215, 615, QStringLiteral("로그인"));

    FrameGet = addControl<QGroupBox>(this, "FrameGet", 120, 1200, 4095, frameGetHeight,
                                     QStringLiteral("뽐뿌 게시글 정보"));
    lblText[2] = addControl<QLabel>(FrameGet, "lblText2", 120, 360, 540, 180, QStringLiteral("글번호"));
    txtNum = addControl<QLineEdit>(FrameGet, "txtNum", 720, 360, 1575, 270);
    cmdNumHelp = addControl<WrappingButton>(FrameGet, "cmdNumHelp", 2400, 360, 1575, 615,
                                            QStringLiteral("글번호/게시판  코드 쉽게입력"));
    lblText[3] = addControl<QLabel>(FrameGet, "lblText3", 120, 720, 540, 180, QStringLiteral("게시판"));
    txtBoard = addControl<QLineEdit>(FrameGet, "txtBoard", 720, 720, 1575, 270);
    lblHelp = addControl<QLabel>(FrameGet, "lblHelp", 120, 1080, 3855, 180,
                                 QStringLiteral("※글번호/게시판 코드가 뭐죠? (클릭)"));
    lblHelp->setFont(dotumFont(9.75, true));
    lblHelp->setAlignment(Qt::AlignCenter);
    lblHelp->setCursor(Qt::PointingHandCursor);
    lblHelp->installEventFilter(this);
    OptSet[0] = addControl<QRadioButton>(FrameGet, "OptSet0", 120, 1440, 1935, 255,
                                         QStringLiteral("모든 덧글 불러오기"));
    OptSet[1] =
        addControl<QRadioButton>(FrameGet, "OptSet1", 120, 1800, 1455, 255, QStringLiteral("덧글 내용에"));
    auto *group = new QButtonGroup(this);
    for (QRadioButton *option : OptSet)
        group->addButton(option);
    txtCmt1 = addControl<QLineEdit>(FrameGet, "txtCmt1", 1440, 1800, 2535, 270);
    Label1 = addControl<QLabel>(FrameGet, "Label1", 120, 2160, 1980, 180,
                                QStringLiteral("가 포함된 덧글 불러오기"));
    // The event's rules, a row each, below the filter's sentence; their boxes stand a little
    // further right than the filter's, clear of the longest caption.
    lblExclude =
        addControl<QLabel>(FrameGet, "lblExclude", 120, 2520, 1380, 180, QStringLiteral("제외할 덧글 내용"));
    txtExclude = addControl<QLineEdit>(FrameGet, "txtExclude", 1560, 2520, 2415, 270);
    lblDeadline =
        addControl<QLabel>(FrameGet, "lblDeadline", 120, 2880, 1380, 180, QStringLiteral("마감 시각"));
    txtDeadline = addControl<QLineEdit>(FrameGet, "txtDeadline", 1560, 2880, 2415, 270);
    txtDeadline->setPlaceholderText(QStringLiteral("예) 2026-08-28 09:38"));
    cmdExcludeList = addControl<QPushButton>(FrameGet, "cmdExcludeList", 120, 3240, 1380, 345,
                                             QStringLiteral("제외 목록…"));
    lblExcludeList = addControl<QLabel>(FrameGet, "lblExcludeList", 1560, 3300, 2415, 225);
    cmdGet =
        addControl<QPushButton>(FrameGet, "cmdGet", 120, 3720, 3855, 495, QStringLiteral("덧글 가져오기"));
    lblStatus = addControl<FittingLabel>(FrameGet, "lblStatus", 120, 4320, 3855, 255);
    lblStatus->setFont(gulimFont(11.25, true));
    lblStatus->setAlignment(Qt::AlignCenter);

    for (QLineEdit *box : {txtID, txtPW, txtNum, txtBoard, txtCmt1, txtExclude, txtDeadline})
        box->setMaxLength(unlimitedText);
    for (QGroupBox *frame : {FrameLogin, FrameGet}) {
        frame->setFont(dotumFont(9));
        paintWhite(frame);
        styleFrame(frame);
    }
    for (QLabel *label : {lblText[0], lblText[1], lblText[2], lblText[3], Label1, lblExclude, lblDeadline})
        label->adjustSize();
    makeRoomForText(this);
    for (QWidget *listed :
         std::initializer_list<QWidget *>{lblText[0], lblText[1], lblText[2], lblText[3], lblHelp, OptSet[0],
                                          OptSet[1], Label1, lblExclude, lblDeadline, lblExcludeList})
        useSystemWindowColours(listed);
    // Each label names the box beside it, for screen readers too; the filter's box is named by
    // the sentence it completes.
    for (int i = 0; i < 4; ++i)
        lblText[i]->setBuddy(std::array<QWidget *, 4>{txtID, txtPW, txtNum, txtBoard}[i]);
    txtCmt1->setAccessibleName(OptSet[1]->text() + QStringLiteral(" … ") + Label1->text());
    lblExclude->setBuddy(txtExclude);
    txtExclude->setAccessibleName(lblExclude->text());
    lblDeadline->setBuddy(txtDeadline);
    txtDeadline->setAccessibleName(lblDeadline->text());
    txtDeadline->setAccessibleDescription(
        QStringLiteral("한국 시간, 예) 2026-08-28 09:38. 비워 두면 마감 없음"));
    cmdExcludeList->setAccessibleName(cmdExcludeList->text());
    for (QPushButton *button : {cmdLogin, cmdNumHelp, cmdExcludeList, cmdGet})
        button->setAutoDefault(true); // Enter presses a focused button, and only that one

    Prompter &prompter = m_services.prompter;
    connectGuarded(cmdLogin, &QPushButton::clicked, this, prompter, [this] { cmdLogin_Click(); });
    connectGuarded(cmdGet, &QPushButton::clicked, this, prompter, [this] { cmdGet_Click(); });
    connectGuarded(cmdNumHelp, &QPushButton::clicked, this, prompter, [this] { cmdNumHelp_Click(); });
    connectGuarded(cmdExcludeList, &QPushButton::clicked, this, prompter, [this] { cmdExcludeList_Click(); });
    txtID->installEventFilter(this);
    txtPW->installEventFilter(this);

    const QList<QWidget *> order{txtID,       txtPW,          cmdLogin,  txtNum,  txtBoard,
                                 cmdNumHelp,  OptSet[0],      OptSet[1], txtCmt1, txtExclude,
                                 txtDeadline, cmdExcludeList, cmdGet};
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

// The window as it first opens: logged out, every field empty, the post frame disabled.
void frmPcmnt::resetControls() {
    for (QLineEdit *box : {txtID, txtPW, txtNum, txtBoard, txtCmt1, txtExclude, txtDeadline})
        box->clear();
    m_excludedKeys.clear();
    showExclusionList();
    for (QRadioButton *option : OptSet) {
        option->group()->setExclusive(false);
        option->setChecked(false);
        option->group()->setExclusive(true);
    }
    for (QWidget *control : std::initializer_list<QWidget *>{FrameLogin, txtID, txtPW, cmdLogin, cmdNumHelp,
                                                             cmdExcludeList, cmdGet})
        control->setEnabled(true);
    FrameGet->setEnabled(false);
    lblStatus->setText(QStringLiteral("상태 : 대기중"));
    txtID->setFocus();
}

bool frmPcmnt::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == txtID)
                txtID_KeyPress(13);
            else if (watched == txtPW)
                guarded(m_services.prompter, [this] { txtPW_KeyPress(13); });
        }
    } else if (watched == lblHelp && event->type() == QEvent::MouseButtonRelease && lblHelp->isEnabled()) {
        guarded(m_services.prompter, [this] { lblHelp_Click(); });
    }
    return QWidget::eventFilter(watched, event); // keys go on to the text box
}

void frmPcmnt::closeEvent(QCloseEvent *event) {
    // Form_Unload: a request still running is given up first, so that the log-out is the only
    // request on the object; the handler that waited for it sees the window closed.
    m_waits.windowClosed();
    m_request.abort();
    LogOut();
    resetControls();
    event->accept();
}

int frmPcmnt::Login(const QString &id, const QString &password) {
    const Expected<bool> taken = askLogin(id, password);
    return taken && *taken ? 1 : 0;
}

Expected<bool> frmPcmnt::askLogin(const QString &id, const QString &password) {
    const QString base = m_services.endpoints.siteBase;
    const HttpRequest login{"POST",
                            site::loginAddress(base),
                            {{"Referer", site::frontPage(base).toLatin1()},
                             {"Content-Type", "application/x-www-form-urlencoded"}},
                            site::loginBody(id, password)};
    const Expected<QByteArray> answer = m_request.fetch(login, {m_limits.loginMs}).answer();
    if (!answer)
        return Problem{answer.problem()};
    const QString text = fromCp949(*answer);
    if (const std::optional<bool> taken = site::loginTaken(text))
        return *taken;
    // The answer does not say who is looking; the front page, asked with the session's cookies,
    // does.
    const Expected<QByteArray> front =
        m_request.fetch({"GET", QUrl(site::frontPage(base)), {}, {}}, {m_limits.loginMs}).answer();
    if (!front)
        return Problem{front.problem()};
    return site::loginTaken(text, fromCp949(*front), base);
}

void frmPcmnt::LogOut() {
    // The answer is not needed, and a failure is silent.
    m_request.fetch({"GET", site::logoutAddress(m_services.endpoints.siteBase), {}, {}}, {m_limits.logoutMs});
}

void frmPcmnt::cmdLogin_Click() {
    const WaitGuard::Wait wait(m_waits);
    if (!wait.entered())
        return;
    Prompter &prompter = m_services.prompter;
    cmdLogin->setEnabled(false);
    const QString id = trimBlanks(txtID->text());
    const QString password = trimBlanks(txtPW->text());
    if (id.isEmpty() || password.isEmpty()) {
        prompter.information(QStringLiteral("아이디와 비밀번호를 정확히 입력해주세요!"));
        cmdLogin->setEnabled(true);
        return;
    }
    const Expected<bool> taken = askLogin(id, password);
    if (wait.windowClosed())
        return;
    if (!taken) {
        prompter.information(unreachableText(taken.problem()));
        cmdLogin->setEnabled(true);
        return;
    }
    if (*taken) {
        prompter.notice(QStringLiteral("로그인에 성공하였습니다!"));
        txtID->setEnabled(false);
        txtPW->setEnabled(false);
        cmdLogin->setEnabled(false);
        FrameLogin->setEnabled(false);
        FrameGet->setEnabled(true);
        txtNum->setFocus();
        return;
    }
    prompter.information(
        QStringLiteral("로그인에 실패하였습니다. 아이디와 비밀번호를 확인하여 주시고, 15회 이상 "
                       "로그인에 실패할 경우 해당 IP는 뽐뿌에 로그인하실 수 없습니다."));
    cmdLogin->setEnabled(true);
}

void frmPcmnt::txtID_KeyPress(int keyAscii) {
    if (keyAscii == 13)
        txtPW->setFocus();
}

void frmPcmnt::txtPW_KeyPress(int keyAscii) {
    if (keyAscii == 13 && cmdLogin->isEnabled())
        cmdLogin_Click();
}

QString frmPcmnt::unreachableText(const QString &reason) {
    return QStringLiteral("뽐뿌 사이트에 접속할 수 없습니다! 인터넷 연결을 확인하시고 다시 시도해주세요.") +
           crlf() + reason;
}

// The pages are read with the windows answering the user: the filter may be chosen meanwhile
// (it is read after the last page), the main window's list may change (it is read and written
// only at the end), and a close stops the import. What would start a second import or hold the
// wait open behind a dialog is disabled until the end: the fetch button (a second click is
// refused by the wait guard too), the address helper and the exclusion list's file dialog.
void frmPcmnt::cmdGet_Click() {
    const WaitGuard::Wait wait(m_waits);
    if (!wait.entered())
        return;
    // A deadline that cannot be read is said at once, before the pages are read (it is read
    // again after them, with the other settings, as it may be changed meanwhile).
    if (!txtDeadline->text().trimmed().isEmpty() && !parseDeadline(txtDeadline->text())) {
        m_services.prompter.information(deadlineFormat);
        return;
    }
    const QString statusBefore = lblStatus->text();
    const std::initializer_list<QWidget *> held{cmdGet, cmdNumHelp, cmdExcludeList};
    for (QWidget *control : held)
        control->setEnabled(false);
    const std::optional<FetchedComments> fetched = fetchComments(wait);
    if (wait.windowClosed())
        return; // nothing is written anywhere
    for (QWidget *control : held)
        control->setEnabled(true);
    lblStatus->setText(statusBefore); // until the import says how it ended
    if (fetched)
        importCommenters(*fetched);
}

std::optional<frmPcmnt::FetchedComments> frmPcmnt::fetchComments(const WaitGuard::Wait &wait) {
    Prompter &prompter = m_services.prompter;
    const QString base = m_services.endpoints.siteBase;
    const QString board = txtBoard->text();
    const QString number = txtNum->text();
    struct Page {
        QString text;
        std::optional<qint64> servedAt; // its Date header: the day a bare time of it is of
    };
    auto fetched = [&](const QUrl &address) -> std::optional<Page> {
        const HttpResult answer =
            m_request.fetch({"GET", address, {}, {}}, {m_limits.fetchMs}, UserInput::Taken);
        if (wait.windowClosed())
            return std::nullopt;
        if (!answer.ok()) {
            prompter.information(unreachableText(answer.error));
            return std::nullopt;
        }
        return Page{fromCp949(answer.body), parseHttpDate(answer.header("Date"))};
    };
    // A page's comments, each carrying the time of the answer that brought it.
    auto parsed = [](const Page &page) {
        PostComments comments = parsePostComments(page.text);
        for (PostComment &comment : comments.comments)
            comment.servedAt = page.servedAt;
        return comments;
    };

    lblStatus->setText(QStringLiteral("상태 : 덧글 읽는 중"));
    const QUrl listAddress = site::commentPageAddress(base, board, number);
    const std::optional<Page> listPage = fetched(listAddress);
    if (!listPage)
        return std::nullopt;
    const CommentPage page = parseCommentPage(listPage->text, m_services.endpoints.imageHost);
    const bool cutShort = std::any_of(page.cells.cbegin(), page.cells.cend(),
                                      [](const CommentCell &cell) { return !cell.complete; });
    if (page.markerCount == 1 || cutShort) {
        prompter.information(cannotLoadComments);
        return std::nullopt;
    }
    if (page.markerCount > 1) {
        FetchedComments cells;
        cells.oldPage = true;
        cells.address = listAddress.toString();
        for (const CommentCell &cell : page.cells)
            cells.comments.append({cell.nickname, cell.body, {}, false});
        return cells;
    }

    // No comment cell at all: the site as it is today carries the comments in the post page,
    // a page of them at a time.
    const QUrl postAddress = site::postPageAddress(base, board, number);
    const std::optional<Page> postPage = fetched(postAddress);
    if (!postPage)
        return std::nullopt;
    const PostComments first = parsed(*postPage);
    PostReading reading{PostReading::Status::Complete, {}};
    if (first.readable) {
        // The first answer says how many pages there are: from here on each is counted.
        reading = readCommentPages(first, [&](int n) -> std::optional<PostComments> {
            lblStatus->setText(pageProgress(n, first.totalPages));
            const std::optional<Page> later = fetched(site::postPageAddress(base, board, number, n));
            return later ? std::optional(parsed(*later)) : std::nullopt;
        });
    }
    switch (reading.status) {
    case PostReading::Status::Stopped:
        return std::nullopt;
    case PostReading::Status::Unreadable: // no raffle on part of the comments
        prompter.information(cannotLoadComments);
        return std::nullopt;
    case PostReading::Status::Complete:
        break;
    }
    if (reading.comments.isEmpty()) {
        prompter.information(QStringLiteral("덧글을 찾지 못했습니다! 게시글 번호가 정확한지 확인해보세요!"));
        return std::nullopt;
    }
    FetchedComments post;
    post.siteTotal = first.totalComments;
    post.address = postAddress.toString();
    for (const PostComment &comment : reading.comments) {
        post.comments.append({comment.nickname.isEmpty() ? std::nullopt : std::optional(comment.nickname),
                              comment.text, comment.member, comment.byAuthor, comment.number, comment.times,
                              comment.servedAt});
    }
    return post;
}

namespace {

QString count(int n) {
    return QString::number(n);
}

} // namespace

void frmPcmnt::importCommenters(const FetchedComments &fetched) {
    Prompter &prompter = m_services.prompter;
    const int total = int(fetched.comments.size());
    ImportRules rules;
    if (OptSet[0]->isChecked()) {
        rules.filter.reset();
    } else if (OptSet[1]->isChecked()) {
        if (txtCmt1->text().isEmpty()) {
            prompter.information(
                QStringLiteral("덧글 내용에 어떤것이 들어가야 추가할 것인지 세팅값을 정확히 입력해주세요!"));
            return;
        }
        rules.filter = txtCmt1->text();
    } else {
        prompter.information(QStringLiteral("덧글 가져오기 설정을 선택해주세요!"));
        return;
    }
    if (!txtExclude->text().isEmpty())
        rules.exclude = txtExclude->text();
    if (!txtDeadline->text().trimmed().isEmpty()) {
        rules.deadline = parseDeadline(txtDeadline->text());
        if (!rules.deadline) {
            prompter.information(deadlineFormat);
            return;
        }
        if (fetched.oldPage) {
            prompter.information(
                QStringLiteral("이 게시글의 덧글 페이지에는 덧글을 쓴 시각이 없어 마감 시각을 "
                               "적용할 수 없습니다. 리스트를 바꾸지 않았습니다."));
            return;
        }
    }
    rules.excludedKeys = m_excludedKeys;
    // Every rule is applied before anything is asked or changed.
    const Expected<Entrants> chosen = chooseEntrants(fetched.comments, rules);
    if (!chosen) {
        prompter.information(QStringLiteral("마감 시각을 적용할 수 없어 리스트를 바꾸지 않았습니다.") +
                             crlf() + chosen.problem());
        return;
    }
    const Entrants &entrants = *chosen;
    if (fetched.siteTotal >= 0 && fetched.siteTotal != total &&
        !prompter.question(QStringLiteral("사이트에 표시된 덧글은 %1개인데 %2개를 읽었습니다. 그래도 "
                                          "진행하시겠습니까?")
                               .arg(QString::number(fetched.siteTotal), QString::number(total))))
        return;
    if (prompter.question(
            QStringLiteral("현재 리스트를 초기화하고 진행하시겠습니까? 그렇지 않으시면 현재 리스트 "
                           "밑에 추가됩니다.")))
        m_drawList.clear();

    const QStringList before = m_drawList.entries();
    QSet<QString> listKeys;
    listKeys.reserve(before.size());
    int listedExcluded = 0; // entries already in the list that the exclusion list names
    for (const QString &entry : before) {
        const QString key = entrantKey(entry);
        listKeys.insert(key);
        if (m_excludedKeys.contains(key))
            ++listedExcluded;
    }
    int notAdded = 0;
    QStringList namedByNumber;
    for (const int i : notInList(entrants, listKeys)) {
        if (!m_drawList.append(entrants.names.at(i)))
            ++notAdded;
        else if (entrants.nameless.at(i))
            namedByNumber.append(entrants.names.at(i));
    }
    lblStatus->setText(QStringLiteral("상태 : <%1>/<%1> 덧글 확인 완료").arg(QString::number(total)));

    QString closing = notAdded > 0
                          ? QStringLiteral("리스트에는 항목을 %1개까지만 넣을 수 있어, 덧글 작성자 중 %2명은 "
                                           "추가하지 못했습니다.")
                                .arg(QString::number(maxDrawListEntries), QString::number(notAdded))
                          : QStringLiteral("덧글을 모두 확인하여 리스트에 조건에 맞게끔 추가하였습니다!");
    auto line = [&closing](int n, const QString &head, const QString &tail) {
        if (n > 0)
            closing += crlf() + head + count(n) + tail;
    };
    line(entrants.authorComments, QStringLiteral("글쓴이의 덧글 "), QStringLiteral("개는 넣지 않았습니다."));
    line(entrants.lateComments, QStringLiteral("마감 시각 뒤에 쓴 덧글 "),
         QStringLiteral("개는 넣지 않았습니다."));
    line(entrants.excludedTextComments, QStringLiteral("제외할 덧글 내용이 든 덧글 "),
         QStringLiteral("개는 넣지 않았습니다."));
    line(entrants.excludedPeople, QStringLiteral("제외 목록에 있는 "),
         QStringLiteral("명은 넣지 않았습니다."));
    line(entrants.namelessComments, QStringLiteral("작성자 이름을 읽을 수 없는 덧글 "),
         QStringLiteral("개는 넣지 않았습니다."));
    if (!namedByNumber.isEmpty())
        closing += crlf() + QStringLiteral("이름이 보이지 않는 회원 ") + count(int(namedByNumber.size())) +
                   QStringLiteral("명은 덧글 번호로 이름을 붙여 넣었습니다. (") + namedByNumber.first() +
                   (namedByNumber.size() > 1 ? QStringLiteral(" 등)") : QStringLiteral(")"));
    line(listedExcluded, QStringLiteral("리스트에 전부터 있던 항목 "),
         QStringLiteral("개가 제외 목록과 같아 보입니다. 리스트 기능의 \"제외 목록 적용…\"으로 지울 수 "
                        "있습니다."));

    // How the list was made, for the public draw's announcement.
    QStringList record{QStringLiteral("게시글 : ") + fetched.address};
    if (rules.deadline)
        record.append(QStringLiteral("마감 시각 : ") + deadlineText(*rules.deadline) +
                      QStringLiteral(" (한국 시간)"));
    record.append(rules.filter ? QStringLiteral("덧글 내용에 포함 : ") + *rules.filter
                               : QStringLiteral("덧글 : 모든 덧글"));
    if (rules.exclude)
        record.append(QStringLiteral("제외할 덧글 내용 : ") + *rules.exclude);
    if (!m_excludedKeys.isEmpty())
        record.append(QStringLiteral("제외 목록 : ") + count(int(m_excludedKeys.size())) +
                      QStringLiteral("명"));
    record.append(
        QStringLiteral("읽은 덧글 : ") + count(total) + QStringLiteral("개") +
        (fetched.siteTotal >= 0 && fetched.siteTotal != total
             ? QStringLiteral(" (사이트에 표시된 수 ") + count(fetched.siteTotal) + QStringLiteral("개)")
             : QString()));
    QString leftOut = QStringLiteral("넣지 않은 덧글 : 글쓴이 ") + count(entrants.authorComments) + u'개';
    if (rules.deadline)
        leftOut += QStringLiteral(", 마감 뒤 ") + count(entrants.lateComments) + u'개';
    if (rules.exclude)
        leftOut += QStringLiteral(", 제외 내용 ") + count(entrants.excludedTextComments) + u'개';
    if (!m_excludedKeys.isEmpty())
        leftOut += QStringLiteral(", 제외 목록 ") + count(entrants.excludedPeople) + u'명';
    if (entrants.namelessComments > 0)
        leftOut += QStringLiteral(", 이름 없음 ") + count(entrants.namelessComments) + u'개';
    record.append(leftOut);
    if (!namedByNumber.isEmpty())
        record.append(QStringLiteral("이름 없는 회원 : ") + count(int(namedByNumber.size())) +
                      QStringLiteral("명 (덧글 번호로 이름 붙임)"));
    if (notAdded > 0)
        record.append(QStringLiteral("리스트가 가득 차 넣지 못한 사람 : ") + count(notAdded) + u'명');
    if (!before.isEmpty())
        record.append(QStringLiteral("가져오기 전부터 있던 항목 : ") + count(int(before.size())) + u'개');
    m_drawList.setImportRules(record);

    if (notAdded > 0)
        prompter.information(closing);
    else
        prompter.notice(closing);
}

void frmPcmnt::cmdExcludeList_Click() {
    Prompter &prompter = m_services.prompter;
    const QString fileName = chooseListFile(m_services);
    if (fileName.isEmpty()) {
        // Cancelled: a loaded list may be let go.
        if (!m_excludedKeys.isEmpty() &&
            prompter.question(QStringLiteral("불러온 제외 목록(") + count(int(m_excludedKeys.size())) +
                              QStringLiteral("명)을 비우시겠습니까?"))) {
            m_excludedKeys.clear();
            showExclusionList();
        }
        return;
    }
    const Expected<QStringList> read = readListFile(fileName);
    if (!read) {
        prompter.warning(read.problem());
        return;
    }
    QSet<QString> keys = entrantKeys(*read);
    if (keys.isEmpty()) {
        prompter.warning(QStringLiteral("선택하신 파일에 이름이 없습니다!"));
        return;
    }
    m_excludedKeys = std::move(keys);
    showExclusionList();
}

void frmPcmnt::showExclusionList() {
    lblExcludeList->setText(m_excludedKeys.isEmpty()
                                ? QStringLiteral("제외 목록 없음")
                                : QStringLiteral("제외 목록 : ") + count(int(m_excludedKeys.size())) +
                                      QStringLiteral("명"));
}

void frmPcmnt::cmdNumHelp_Click() {
    Prompter &prompter = m_services.prompter;
    if (!m_helpOffered) {
        m_helpOffered = true;
        if (prompter.question(QStringLiteral("잠깐! 만약 처음 사용하시는 분이시라면 먼저 관련 도움말을 "
                                             "읽어보시는것을 권장합니다. 지금 읽어보시겠습니까?"))) {
            m_services.desktop.openUrl(helpPage());
            return;
        }
    }
    prompter.notice(
        QStringLiteral("준비단계 : 인터넷 브라우저로 자신이 불러올 게시글에 접속하세요! 준비가 완료되면 "
                       "확인버튼을 눌러주세요."));
    const QString promptText =
        QStringLiteral("인터넷 브라우저의 주소창에 있는 주소를 모두 복사하여 이곳에 붙여넣어주세요") +
        crlf() + QStringLiteral("(Ex : ") + m_services.endpoints.siteBase +
        QStringLiteral("/zboard/view.php?id=freeboard&~~~~~~~~ 끝까지");
    const QString address =
        prompter.input(QStringLiteral("Tombolix - 뽐뿌 덧글 가져오기"), promptText).value_or(QString());
    const PostAddress post = parsePostAddress(address);
    switch (post.status) {
    case PostAddress::Status::NotAnAddress:
        prompter.information(QStringLiteral("정확한 주소를 입력해주세요!"));
        return;
    case PostAddress::Status::NoNumber:
        prompter.information(
            QStringLiteral("주소에서 글번호를 가져올 수 없습니다. 주소를 확인해보시고 다시 시도해주세요!"));
        return;
    case PostAddress::Status::NoBoard:
        txtNum->setText(post.number);
        prompter.information(QStringLiteral(
            "주소에서 게시판 코드를 가져올 수 없습니다. 주소를 확인해보시고 다시 시도해주세요!"));
        return;
    case PostAddress::Status::Ok:
        txtNum->setText(post.number);
        txtBoard->setText(post.board);
        return;
    }
}

void frmPcmnt::lblHelp_Click() {
    m_services.desktop.openUrl(helpPage());
}

QUrl frmPcmnt::helpPage() const {
    return tombolix::helpPage(m_services.programFolder);
}

} // namespace tombolix
