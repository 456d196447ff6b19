// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSet>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class DriveBox;
class FileBox;
class FolderBox;
class ImageBox;
class PreviewLoader;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class SortedListBox;
class ThumbnailBoard;

// The program's one window. Handlers are named after the control and the
// event; each reads controls, calls into the subsystems and writes controls
// back.
class frmMain : public QWidget
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // How the command line named the requested folder: as UTF-8 text, or in
    // bytes that are not, whose decoded text then names no folder for sure.
    enum class RequestedName { Text, NotUtf8 };

    // The start-up sequence; main() runs it before showing the window. A
    // requested folder (from the command line) is opened in place of the
    // stored one; when it cannot be listed, its message follows once the
    // window is open and the stored folder is used.
    void Form_Load(const QString &requestedFolder = QString(), RequestedName name = RequestedName::Text);
    void BuildPage(bool links);

    DriveBox *Drive1 = nullptr;
    FolderBox *Dir1 = nullptr;
    FileBox *File1 = nullptr;
    SortedListBox *List1 = nullptr;
    SortedListBox *List2 = nullptr;
    ImageBox *imgView2 = nullptr;
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdRefresh = nullptr;
    QPushButton *cmdBuildLinks = nullptr;
    QPushButton *cmdBuild = nullptr;
    QPushButton *cmdViewInBrowser = nullptr;
    std::array<QRadioButton *, 3> optFilter{};
    std::array<QLabel *, 2> Label1{};
    QFrame *Frame2 = nullptr;
    QFrame *Frame1 = nullptr;
    QScrollBar *VScroll1 = nullptr;
    QLabel *lblPicDesc = nullptr;
    QLineEdit *txtItemDesc = nullptr;
    QLineEdit *txtName = nullptr;
    QPlainTextEdit *txtDesc = nullptr;

    // imgView(n): slot n of the board, 0 being the template.
    ImageBox *imgView(int index) const;
    ThumbnailBoard &board() const { return *m_board; }
    int thumbnailCount() const;
    int currentSlot() const { return m_currentSlot; }

    void Drive1_Change();
    void Dir1_Change();
    void optFilter_Click(int index);
    void List1_Click();
    // A preview asked for by List1_Click has not been shown yet.
    bool previewPending() const;
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdClear_Click();
    void cmdRefresh_Click();
    void VScroll1_Change();
    void imgView_Click(int index);
    void cmdBuild_Click();
    void cmdBuildLinks_Click();
    void cmdViewInBrowser_Click();
    void Form_Unload();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createLayoutArea();
    void createControls();
    // Puts every control of the table across its container as the layout
    // direction has it, and its text to the side the layout starts from.
    // Tops and heights stay as the window has made them.
    void placeAcross();
    void wireEvents();
    void setTabOrder();
    void keepFilterTabStopOnSelection();
    void fitFont();

    // Holds every control at the layout's size; scrolls in a smaller window.
    QWidget *m_layoutArea = nullptr;
    ImageBox *m_template = nullptr;
    // The controls of the table, each with its place left to right.
    std::vector<std::pair<QWidget *, QRect>> m_designed;
    ThumbnailBoard *m_board = nullptr;
    std::unique_ptr<PreviewLoader> m_preview;
    int m_currentSlot = 0;
    bool m_unloaded = false;
    // A start-up message that waits for the window to be shown.
    std::function<void()> m_afterShow;
    // The folder whose left-out names were told, and those names.
    QString m_leftOutFolder;
    QSet<QString> m_toldLeftOut;
};
