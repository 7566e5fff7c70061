#include "app/frmMain.h"

#include "capture/CaptureCommand.h"
#include "comments/frmPcmnt.h"
#include "common/ErrorGuard.h"
#include "common/Look.h"
#include "common/Prompter.h"
#include "common/Routines.h"
#include "core/Constants.h"
#include "core/Draw.h"
#include "core/SecureRandom.h"
#include "core/Text.h"
#include "info/InfoMenu.h"
#include "info/modInit.h"
#include "listfile/ListFileCommands.h"
#include "publicdraw/PublicDrawCommands.h"
#include "resultbox/ResultBox.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

namespace tombolix {

namespace {

const int clientWidth = 5055 / 15;
const int clientHeight = 8415 / 15;

QString drawPrompt() {
    return QStringLiteral("추첨하실 항목의 갯수를 입력해주세요. (Ex : 3)") + crlf() +
           QStringLiteral("※단, 리스트의 항목 수보다 많을 수는 없습니다.");
}

QString layoutCaption() {
    return QStringLiteral("Tombolix - 간편한 기능형 추첨기!");
}

} // namespace

frmMain::frmMain(const Services &services, QWidget *parent)
    : QMainWindow(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("frmMain"));
    makeFixedWindow(this, layoutCaption());

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(clientWidth, clientHeight);
    paintWhite(client);
    setCentralWidget(client);

    buildControls(client);
    buildMenus();
    m_drawList = std::make_unique<DrawList>(*lstPick, *lblList);
    m_publicDraw = std::make_unique<PublicDrawCommands>(
        m_services, *m_drawList,
        ResultOutput{[this]() -> std::optional<QString> {
                         if (OptPick[0]->isChecked())
                             return QStringLiteral(", ");
                         if (OptPick[1]->isChecked())
                             return crlf();
                         return std::nullopt;
                     },
                     [this] { return txtPick->text(); },
                     [this](const QStringList &entries, const QString &separator) {
                         txtPick->setEntries(entries, separator);
                     }},
        this);

    setFixedSize(clientWidth, clientHeight + menuBar()->sizeHint().height());
    txtAdd->setFocus();
}

frmMain::~frmMain() = default;

void frmMain::buildControls(QWidget *client) {
    const QFont font9 = dotumFont(9);

    lblStatus = addControl<QLabel>(client, "lblStatus", 120, 120, 4815, 255,
                                   QStringLiteral("상태 : 프로그램 실행 완료"));
    lblStatus->setFont(dotumFont(12, true));
    lblStatus->setAlignment(Qt::AlignCenter);
    useSystemWindowColours(lblStatus);

    lblText[3] = addControl<QLabel>(client, "lblText3", 120, 480, 780, 180, QStringLiteral("항목 입력"));
    lblText[3]->setFont(font9);
    lblText[3]->adjustSize();
    txtAdd = addControl<QLineEdit>(client, "txtAdd", 960, 480, 3855, 270);
    txtAdd->setFont(font9);
    txtAdd->setMaxLength(unlimitedText);
    txtAdd->installEventFilter(this);

    cmdAdd =
        addControl<QPushButton>(client, "cmdAdd", 120, 840, 2295, 375, QStringLiteral("리스트에 항목 추가"));
    cmdDel =
        addControl<QPushButton>(client, "cmdDel", 2520, 840, 2295, 375, QStringLiteral("선택한 항목 삭제"));

    lblList = addControl<QLabel>(client, "lblList", 120, 1320, 4755, 300, DrawList::countText(0));
    lblList->setFont(dotumFont(14.25, true));
    lblList->setAlignment(Qt::AlignCenter);
    lstPick = addControl<QListWidget>(client, "lstPick", 120, 1680, 4815, 2580);
    lstPick->setFont(font9);
    lstPick->setSelectionMode(QAbstractItemView::SingleSelection);
    lstPick->setUniformItemSizes(true);

    lblText[0] = addControl<QLabel>(client, "lblText0", 120, 4440, 780, 180, QStringLiteral("추첨 방식"));
    lblText[0]->setFont(font9);
    lblText[0]->adjustSize();
    OptPick[0] = addControl<QRadioButton>(client, "OptPick0", 960, 4440, 2175, 255,
                                          QStringLiteral("텍스트(,로 구분) 출력"));
    OptPick[1] = addControl<QRadioButton>(client, "OptPick1", 3240, 4440, 1695, 255,
                                          QStringLiteral("리스트 형식 출력"));
    auto *group = new QButtonGroup(this);
    for (QRadioButton *option : OptPick) {
        option->setFont(font9);
        useSystemWindowColours(option);
        group->addButton(option);
    }

    lblText[1] = addControl<QLabel>(client, "lblText1", 120, 4800, 4755, 300, QStringLiteral("추첨 결과"));
    lblText[1]->setFont(dotumFont(14.25, true));
    lblText[1]->setAlignment(Qt::AlignCenter);
    txtPick = addControl<ResultBox>(client, "txtPick", 120, 5160, 4815, 2535);
    txtPick->setFont(dotumFont(11.25));

    cmdPick = addControl<QPushButton>(client, "cmdPick", 120, 7800, 4815, 495, QStringLiteral("추첨하기"));

    // The capture canvas lies beyond the client area's right edge and is never shown.
    CapPic = addControl<QLabel>(client, "CapPic", 5280, 0, 5145, 9135);
    paintWhite(CapPic);
    CapPic->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    CapPic->hide();

    // A label names the box it stands by, for screen readers too.
    lblText[3]->setBuddy(txtAdd);
    lblList->setBuddy(lstPick);
    lstPick->setAccessibleName(
        QStringLiteral("추첨 리스트")); // a list view reads no buddy; the count is in the label
    lblText[1]->setBuddy(txtPick);

    for (QPushButton *button : {cmdAdd, cmdDel, cmdPick}) {
        button->setFont(font9);
        // Enter presses a button that has the focus, and only that one.
        button->setAutoDefault(true);
        button->setDefault(false);
    }
    Prompter &prompter = m_services.prompter;
    connectGuarded(cmdAdd, &QPushButton::clicked, this, prompter, [this] { cmdAdd_Click(); });
    connectGuarded(cmdDel, &QPushButton::clicked, this, prompter, [this] { cmdDel_Click(); });
    connectGuarded(cmdPick, &QPushButton::clicked, this, prompter, [this] { cmdPick_Click(); });

    // Keyboard order of the layout's tab indexes.
    const QList<QWidget *> order{txtAdd, cmdAdd, lstPick, cmdPick, cmdDel, OptPick[1], OptPick[0], txtPick};
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    makeRoomForText(client);
}

QAction *frmMain::addCommand(QMenu *menu, const char *name, const QString &caption,
                             void (frmMain::*handler)()) {
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connectGuarded(action, &QAction::triggered, this, m_services.prompter,
                   [this, handler] { (this->*handler)(); });
    return action;
}

void frmMain::buildMenus() {
    m_List = menuBar()->addMenu(QStringLiteral("리스트 기능"));
    m_List->setObjectName(QStringLiteral("m_List"));
    mnu_Save = addCommand(m_List, "mnu_Save", QStringLiteral("리스트 저장"), &frmMain::mnu_Save_Click);
    mnu_Load = addCommand(m_List, "mnu_Load", QStringLiteral("리스트 불러오기"), &frmMain::mnu_Load_Click);
    mnu_Clear = addCommand(m_List, "mnu_Clear", QStringLiteral("리스트 초기화"), &frmMain::mnu_Clear_Click);
    mnu_Pcmt = addCommand(m_List, "mnu_Pcmt", QStringLiteral("뽐뿌 덧글 가져오기"), &frmMain::mnu_Pcmt_Click);
    mnu_Exclude =
        addCommand(m_List, "mnu_Exclude", QStringLiteral("제외 목록 적용…"), &frmMain::mnu_Exclude_Click);

    m_Capture = menuBar()->addMenu(QStringLiteral("캡쳐"));
    m_Capture->setObjectName(QStringLiteral("m_Capture"));
    mnu_Capture = addCommand(m_Capture, "mnu_Capture", QStringLiteral("프로그램 화면 캡쳐"),
                             &frmMain::mnu_Capture_Click);

    m_Info = menuBar()->addMenu(QStringLiteral("정보"));
    m_Info->setObjectName(QStringLiteral("m_Info"));
    mnu_By = addCommand(m_Info, "mnu_By", QStringLiteral("개발자 정보"), &frmMain::mnu_By_Click);
    mnu_Feedback =
        addCommand(m_Info, "mnu_Feedback", QStringLiteral("피드백은..."), &frmMain::mnu_Feedback_Click);
    mnu_Blog = addCommand(m_Info, "mnu_Blog", QStringLiteral("블로그 가기"), &frmMain::mnu_Blog_Click);

    m_Public = menuBar()->addMenu(QStringLiteral("공개 추첨"));
    m_Public->setObjectName(QStringLiteral("m_Public"));
    mnu_Announce = addCommand(m_Public, "mnu_Announce", QStringLiteral("추첨 예고 만들기…"),
                              &frmMain::mnu_Announce_Click);
    mnu_PublicDraw = addCommand(m_Public, "mnu_PublicDraw", QStringLiteral("예고한 추첨 하기…"),
                                &frmMain::mnu_PublicDraw_Click);
    mnu_Verify =
        addCommand(m_Public, "mnu_Verify", QStringLiteral("추첨 결과 검증…"), &frmMain::mnu_Verify_Click);
    mnu_VerifyPage = addCommand(m_Public, "mnu_VerifyPage", QStringLiteral("검증 페이지 열기"),
                                &frmMain::mnu_VerifyPage_Click);
}

bool frmMain::Form_Load() {
    if (!CheckVersion(m_services))
        return false;
    const QString caption = windowTitle();
    setWindowTitle(caption + QStringLiteral(" Ver : ") + QLocale::c().toString(programVersion));
    return true;
}

bool frmMain::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtAdd && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            guarded(m_services.prompter, [this] { txtAdd_KeyPress(13); });
        else if (!key->text().isEmpty())
            txtAdd_KeyPress(key->text().at(0).unicode());
    }
    return QMainWindow::eventFilter(watched, event); // the key is not consumed
}

void frmMain::closeEvent(QCloseEvent *event) {
    // The comment window writes into this window's list: it goes too (and logs out).
    if (m_commentWindow && m_commentWindow->isVisible())
        m_commentWindow->close();
    m_publicDraw->windowClosed(); // a public draw that waits for its round ends
    QMainWindow::closeEvent(event);
}

void frmMain::cmdAdd_Click() {
    const QString text = trimBlanks(txtAdd->text());
    txtAdd->setText(text);
    Prompter &prompter = m_services.prompter;
    if (text.isEmpty()) {
        prompter.information(QStringLiteral("추가할 항목을 입력하세요!"));
        return;
    }
    if (m_drawList->isFull()) {
        prompter.information(QStringLiteral("리스트에는 항목을 ") + QString::number(maxDrawListEntries) +
                             QStringLiteral("개까지만 넣을 수 있습니다!"));
        return;
    }
    if (m_drawList->contains(text) &&
        !prompter.question(
            QStringLiteral("현재 리스트에 동일한 항목이 추가되어 있습니다. 그래도 추가하시겠습니까?"))) {
        prompter.notice(QStringLiteral("중복 항목 추가를 취소하셨습니다."));
        return;
    }
    m_drawList->append(text);
    txtAdd->clear();
    txtAdd->setFocus();
    lblStatus->setText(QStringLiteral("상태 : 항목 추가 완료"));
}

void frmMain::txtAdd_KeyPress(int keyAscii) {
    if (keyAscii == 13)
        cmdAdd_Click();
}

void frmMain::cmdDel_Click() {
    Prompter &prompter = m_services.prompter;
    if (m_drawList->selectedPosition() == -1) {
        prompter.information(QStringLiteral("삭제할 항목을 리스트에서 선택해주세요!"));
        return;
    }
    if (!prompter.question(QStringLiteral("선택하신 항목을 정말로 리스트에서 삭제하시겠습니까?"))) {
        prompter.notice(QStringLiteral("항목 삭제를 취소하셨습니다"));
        return;
    }
    const int position = m_drawList->selectedPosition();
    if (position == -1)
        return;
    m_drawList->removeAt(position);
    lblStatus->setText(QStringLiteral("상태 : 항목 삭제 완료"));
}

void frmMain::mnu_Clear_Click() {
    if (!m_services.prompter.question(QStringLiteral("정말로 추첨자 리스트를 초기화하시겠습니까?")))
        return;
    m_drawList->clear();
    m_services.prompter.notice(QStringLiteral("리스트 초기화 완료!"));
}

void frmMain::cmdPick_Click() {
    if (m_drawing)
        return;
    Prompter &prompter = m_services.prompter;
    auto refuse = [&prompter](const QString &text) { prompter.information(text); };

    if (m_drawList->count() == 0)
        return refuse(QStringLiteral("리스트에 항목을 먼저 추가해주세요!"));
    const QString answer =
        prompter.input(QStringLiteral("Tombolix - 추첨"), drawPrompt()).value_or(QString());
    if (answer.isEmpty())
        return refuse(QStringLiteral("항목의 갯수를 입력해주세요!"));
    const std::optional<qint64> count = parseDrawCount(answer);
    if (!count)
        return refuse(QStringLiteral("양의 정수로 입력해주세요!"));
    if (*count >= m_drawList->count())
        return refuse(QStringLiteral("리스트의 항목 수보다 추첨할 항목의 갯수가 더 많거나 같습니다!"));
    DrawPool pool(*m_drawList);
    if (*count > pool.distinct())
        return refuse(QStringLiteral("리스트에 서로 다른 항목이 추첨할 항목의 갯수보다 적습니다! "
                                     "같은 항목은 한 번만 뽑힙니다."));
    QString separator;
    if (OptPick[0]->isChecked())
        separator = QStringLiteral(", ");
    else if (OptPick[1]->isChecked())
        separator = crlf();
    else
        return refuse(QStringLiteral("출력 형식을 선택해주세요!"));
    if (!txtPick->text().isEmpty() &&
        !prompter.question(
            QStringLiteral("지금 추첨을 진행하면 남아있던 결과가 사라집니다. 계속하시겠습니까?"))) {
        prompter.notice(QStringLiteral("추첨을 취소했습니다."));
        return;
    }

    m_drawing = true;
    cmdPick->setEnabled(false);
    // However the draw ends, an error included, the button works again.
    const auto drawEnded = qScopeGuard([this] {
        cmdPick->setEnabled(true);
        m_drawing = false;
    });
    txtPick->setText(QString());

    const std::optional<QStringList> winners =
        drawWinners(*m_drawList, std::move(pool), int(*count), SecureRandom::shared(),
                    [] { QCoreApplication::processEvents(); });
    txtPick->setEntries(winners.value_or(QStringList()), separator);
    if (!winners)
        prompter.information(
            QStringLiteral("추첨 중에 리스트가 바뀌어 추첨을 마칠 수 없습니다! 다시 추첨해주세요."));
}

void frmMain::mnu_Save_Click() {
    saveDrawList(*m_drawList, m_services);
}

void frmMain::mnu_Load_Click() {
    loadDrawList(*m_drawList, m_services);
}

void frmMain::mnu_Pcmt_Click() {
    if (!m_commentWindow)
        m_commentWindow = std::make_unique<frmPcmnt>(m_services, *m_drawList);
    m_commentWindow->show();
    m_commentWindow->raise();
    m_commentWindow->activateWindow();
}

void frmMain::mnu_Exclude_Click() {
    applyExclusionList(*m_drawList, m_services);
}

void frmMain::mnu_Capture_Click() {
    captureWindow(*this, *CapPic, m_services);
}

void frmMain::mnu_By_Click() {
    showDeveloperInfo(m_services);
}

void frmMain::mnu_Feedback_Click() {
    showFeedbackAddress(m_services);
}

void frmMain::mnu_Blog_Click() {
    openDeveloperBlog(m_services);
}

void frmMain::mnu_Announce_Click() {
    m_publicDraw->announce();
}

// The draw's own result box is not written while the other draw runs.
void frmMain::mnu_PublicDraw_Click() {
    if (!m_drawing)
        m_publicDraw->drawAnnounced();
}

void frmMain::mnu_Verify_Click() {
    m_publicDraw->verify();
}

void frmMain::mnu_VerifyPage_Click() {
    m_publicDraw->openVerifierPage();
}

} // namespace tombolix
