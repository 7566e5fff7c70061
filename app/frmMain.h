#pragma once

#include "common/DrawList.h"
#include "common/Services.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;

namespace tombolix {

class PublicDrawCommands;
class ResultBox;
class frmPcmnt;

// The main window: the draw list, its editing and the draw.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(const Services &services, QWidget *parent = nullptr);
    ~frmMain() override;

    // Runs the start-up check and completes the caption. False when the program must end
    // without showing the window.
    bool Form_Load();

    void cmdAdd_Click();
    void txtAdd_KeyPress(int keyAscii);
    void cmdDel_Click();
    void cmdPick_Click();
    void mnu_Save_Click();
    void mnu_Load_Click();
    void mnu_Clear_Click();
    void mnu_Pcmt_Click();
    void mnu_Exclude_Click();
    void mnu_Capture_Click();
    void mnu_By_Click();
    void mnu_Feedback_Click();
    void mnu_Blog_Click();
    void mnu_Announce_Click();
    void mnu_PublicDraw_Click();
    void mnu_Verify_Click();
    void mnu_VerifyPage_Click();

    DrawList &drawList() { return *m_drawList; }
    // The comment import window, once it has been opened.
    frmPcmnt *commentWindow() const { return m_commentWindow.get(); }
    const Services &services() const { return m_services; }
    PublicDrawCommands &publicDraw() { return *m_publicDraw; }

    // The controls, by the names the rest of the program knows them by.
    QLabel *lblStatus = nullptr;
    std::array<QLabel *, 4> lblText{}; // elements 0, 1 and 3; there is no element 2 here
    QLineEdit *txtAdd = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdDel = nullptr;
    QLabel *lblList = nullptr;
    QListWidget *lstPick = nullptr;
    std::array<QRadioButton *, 2> OptPick{};
    ResultBox *txtPick = nullptr;
    QPushButton *cmdPick = nullptr;
    QLabel *CapPic = nullptr;

    QAction *mnu_Save = nullptr;
    QAction *mnu_Load = nullptr;
    QAction *mnu_Clear = nullptr;
    QAction *mnu_Pcmt = nullptr;
    QAction *mnu_Exclude = nullptr;
    QAction *mnu_Capture = nullptr;
    QAction *mnu_By = nullptr;
    QAction *mnu_Feedback = nullptr;
    QAction *mnu_Blog = nullptr;
    QAction *mnu_Announce = nullptr;
    QAction *mnu_PublicDraw = nullptr;
    QAction *mnu_Verify = nullptr;
    QAction *mnu_VerifyPage = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls(QWidget *client);
    void buildMenus();
    QAction *addCommand(QMenu *menu, const char *name, const QString &caption, void (frmMain::*handler)());

    // The top-level menus, which only open their commands: no one else needs them.
    QMenu *m_List = nullptr;
    QMenu *m_Capture = nullptr;
    QMenu *m_Info = nullptr;
    QMenu *m_Public = nullptr;

    Services m_services;
    std::unique_ptr<DrawList> m_drawList;
    bool m_drawing = false;
    std::unique_ptr<frmPcmnt> m_commentWindow;
    std::unique_ptr<PublicDrawCommands> m_publicDraw;
};

} // namespace tombolix
