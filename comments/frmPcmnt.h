#pragma once

#include "comments/FittingLabel.h"
#include "common/Services.h"
#include "common/WaitGuard.h"
#include "core/Entrants.h"
#include "core/Expected.h"
#include "http/WebRequest.h"

#include <QSet>
#include <QWidget>

#include <array>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tombolix {

class DrawList;

// Time limits of the site's requests, in milliseconds.
struct RequestLimits {
    int loginMs = 20000;
    int fetchMs = 20000;
    int logoutMs = 3000;
};

// The comment import window: log in to the site, then bring a post's commenters into the main
// window's draw list. One instance lives for the whole run; closing the window logs out and
// puts its controls back as they were when it first opened, while the instance, its site
// request object with the session's cookies, and the address helper's first-use flag stay.
class frmPcmnt : public QWidget {
    Q_OBJECT
public:
    frmPcmnt(const Services &services, DrawList &drawList);
    ~frmPcmnt() override;

    // 1 when the site took the log-in, else 0 (also when the site could not be asked).
    int Login(const QString &id, const QString &password);
    void LogOut();

    void cmdLogin_Click();
    void txtID_KeyPress(int keyAscii);
    void txtPW_KeyPress(int keyAscii);
    void cmdGet_Click();
    void cmdNumHelp_Click();
    void lblHelp_Click();
    void cmdExcludeList_Click();

    void setLimits(const RequestLimits &limits) { m_limits = limits; }

    QGroupBox *FrameLogin = nullptr;
    QGroupBox *FrameGet = nullptr;
    std::array<QLabel *, 4> lblText{};
    QLineEdit *txtID = nullptr;
    QLineEdit *txtPW = nullptr;
    QPushButton *cmdLogin = nullptr;
    QLineEdit *txtNum = nullptr;
    QPushButton *cmdNumHelp = nullptr;
    QLineEdit *txtBoard = nullptr;
    QLabel *lblHelp = nullptr;
    std::array<QRadioButton *, 2> OptSet{};
    QLineEdit *txtCmt1 = nullptr;
    QLabel *Label1 = nullptr;
    // The event's own rules: a text that leaves a comment out, a deadline, a list of people
    // left out.
    QLabel *lblExclude = nullptr;
    QLineEdit *txtExclude = nullptr;
    QLabel *lblDeadline = nullptr;
    QLineEdit *txtDeadline = nullptr;
    QPushButton *cmdExcludeList = nullptr;
    QLabel *lblExcludeList = nullptr; // how many names the loaded exclusion list holds
    QPushButton *cmdGet = nullptr;
    FittingLabel *lblStatus = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether the site took the log-in, or why it could not be asked.
    Expected<bool> askLogin(const QString &id, const QString &password);
    void buildControls();
    void resetControls();
    static QString unreachableText(const QString &reason);
    struct FetchedComments {
        QList<Comment> comments;
        int siteTotal = -1;   // how many comments the site says the post has; -1 when it does not
        bool oldPage = false; // read from the old comment page, which shows no times
        QString address;      // the page read (today's: the post's own address)
    };
    // The post's comments: the old comment page's, or else today's post page's, every comment
    // page of it. nullopt when the user was told why there are none, or when the window was
    // closed meanwhile.
    std::optional<FetchedComments> fetchComments(const WaitGuard::Wait &wait);
    // The filter's checks and the questions first, then every new commenter into the draw list.
    void importCommenters(const FetchedComments &fetched);
    QUrl helpPage() const;
    void showExclusionList();

    Services m_services;
    DrawList &m_drawList;
    WebRequest m_request;
    RequestLimits m_limits;
    WaitGuard m_waits;
    bool m_helpOffered = false;   // the first-use question of the address helper, once per run
    QSet<QString> m_excludedKeys; // the loaded exclusion list's names, as entrantKey reads them
};

} // namespace tombolix
