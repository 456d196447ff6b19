// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"

#include "app/accessnames.h"
#include "app/centerform.h"
#include "app/controltable.h"
#include "app/keyroad.h"
#include "toolkit/drivebox.h"
#include "toolkit/filebox.h"
#include "toolkit/folderbox.h"
#include "toolkit/framebox.h"
#include "toolkit/imagebox.h"
#include "toolkit/messagebox.h"
#include "toolkit/sortedlistbox.h"
#include "toolkit/storagewait.h"
#include "toolkit/twips.h"
#include "toolkit/wholeframe.h"
#include "picture/pictureloader.h"
#include "board/previewloader.h"
#include "board/thumbnailboard.h"
#include "browser/openinbrowser.h"
#include "page/pagewriter.h"
#include "toolkit/processfolders.h"
#include "selection/listmoves.h"
#include "selection/nametest.h"
#include "settings/settingsfile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QTextOption>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <limits>
#include <utility>

namespace {

// Keeps a control that lies wholly under another from painting anything.
// At some scales the upper control's frame leaves a device pixel inside its
// line unpainted, and the lower control's frame and items would show there;
// with nothing painted, the window's background shows, as beside every other
// box.
class Unpainted : public QObject
{
public:
    using QObject::QObject;

    static void apply(QAbstractScrollArea *area)
    {
        auto *filter = new Unpainted(area);
        area->installEventFilter(filter);
        area->viewport()->installEventFilter(filter);
        area->viewport()->setAutoFillBackground(false);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Paint; }
};

// The wheel over the board's viewport, its frame and its slots turns the
// board's scroll bar, one row a notch, as its arrow does; the board then
// follows the scroll bar's change like any other. A touchpad's finer steps
// add up to notches. Nothing reaches the window's own scrolling.
class BoardWheel : public QObject
{
public:
    BoardWheel(QWidget *viewport, QScrollBar *scrollBar)
        : QObject(viewport)
        , m_scrollBar(scrollBar)
    {
        viewport->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel)
            return false;
        const auto *wheel = static_cast<QWheelEvent *>(event);
        const int delta = wheel->angleDelta().y();
        if (delta == 0)
            return false;
        // The scroll bar turns itself; what it leaves, at its end or between
        // a touchpad's steps, is not turned twice.
        if (m_scrollBar->geometry().contains(wheel->position().toPoint()))
            return true;
        constexpr int notch = QWheelEvent::DefaultDeltasPerStep;
        m_turned += delta;
        for (; m_turned >= notch; m_turned -= notch)
            m_scrollBar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        for (; m_turned <= -notch; m_turned += notch)
            m_scrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    }

private:
    QScrollBar *m_scrollBar;
    int m_turned = 0;
};

QWidget *makeControl(const ControlRow &row, QWidget *container)
{
    switch (row.type) {
    case ControlType::DriveBox: return new DriveBox(container);
    case ControlType::FolderBox: return new FolderBox(container);
    case ControlType::FileBox: return new FileBox(container);
    case ControlType::ListBox: return new SortedListBox(container);
    case ControlType::TextBox: {
        auto *box = new QLineEdit(container);
        // Descriptions may be long; QLineEdit would cut them at 32,767.
        box->setMaxLength(std::numeric_limits<int>::max());
        // A single-line box taller than a few lines shows its line at the
        // top, where the eye looks for it, not in the middle.
        if (Twips::toPixels(row.height) > 3 * box->fontMetrics().height())
            box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return box;
    }
    case ControlType::MultiLineTextBox: {
        auto *box = new WholeFrame<QPlainTextEdit>(container);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setTabChangesFocus(true);
        return box;
    }
    case ControlType::OptionButton: return new QRadioButton(ControlTable::translated(row.text), container);
    case ControlType::CommandButton: return new QPushButton(ControlTable::translated(row.text), container);
    case ControlType::Label: return new QLabel(ControlTable::translated(row.text), container);
    case ControlType::Frame: return new FrameBox(container);
    case ControlType::VScrollBar: return new QScrollBar(Qt::Vertical, container);
    case ControlType::Image: return new ImageBox(container);
    }
    return nullptr;
}

// Captions and typed text keep to the side the layout starts from. Qt aligns
// them by the direction of the text itself, and would keep an English
// caption or name to the left of a window laid out right to left.
void alignText(QWidget &control)
{
    const Qt::Alignment across =
        control.layoutDirection() == Qt::RightToLeft ? Qt::AlignRight | Qt::AlignAbsolute : Qt::AlignLeft;
    if (auto *label = qobject_cast<QLabel *>(&control)) {
        label->setAlignment(across | Qt::AlignTop);
    } else if (auto *box = qobject_cast<QLineEdit *>(&control)) {
        box->setAlignment(across | (box->alignment() & Qt::AlignVertical_Mask));
    } else if (auto *box = qobject_cast<QPlainTextEdit *>(&control)) {
        QTextOption option = box->document()->defaultTextOption();
        option.setAlignment(across);
        box->document()->setDefaultTextOption(option);
    }
}

// What a caption needs beyond its text to be shown whole.
QSize captionMargins(const ControlRow &row, const QStyle *style)
{
    switch (row.type) {
    case ControlType::CommandButton: return QSize(6, 2);
    case ControlType::OptionButton:
        return QSize(style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth)
                         + style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) + 2,
                     0);
    default: return QSize(0, 0);
    }
}

bool captionsFit(const QFont &font, const QStyle *style)
{
    const QFontMetrics metrics(font);
    for (const ControlRow &row : ControlTable::controls()) {
        if (!row.text || row.type == ControlType::TextBox)
            continue;
        const QSize room = Twips::toPixels(row.left, row.top, row.width, row.height).size();
        const QSize margins = captionMargins(row, style);
        if (metrics.horizontalAdvance(ControlTable::translated(row.text)) + margins.width() > room.width()
            || metrics.height() + margins.height() > room.height())
            return false;
    }
    return true;
}

// The text size the layout was made for: Qt's own default font.
constexpr double layoutPointSize = 9;

// How much larger than that the user's text is, in the window's own font.
double textScale(const QWidget &window)
{
    const QFont font = window.font();
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / window.logicalDpiY();
    return points / layoutPointSize;
}

// "Open with" on a picture names the picture; its folder is what opens.
QString folderOfArgument(const QString &argument)
{
    const QFileInfo given(argument);
    return given.isFile() ? given.absolutePath() : argument;
}

// Scrolls the whole control into view, its focus ring with it, as far as
// the viewport holds it; a control larger than the viewport shows its top
// left corner.
void scrollIntoView(QScrollArea &area, QWidget &control)
{
    const int margin = 8;
    const QRect rect(control.mapTo(area.widget(), QPoint(0, 0)), control.size());
    area.ensureVisible(rect.right(), rect.bottom(), margin, margin);
    area.ensureVisible(rect.left(), rect.top(), margin, margin);
}

// The text as typed, each line break as CR LF. toPlainText() would turn a
// no-break space into a plain one.
QString typedText(const QPlainTextEdit &box)
{
    QString text = box.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent)
    , m_preview(std::make_unique<PreviewLoader>())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Kelvane"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/kelvane.png")));
    // Larger text makes the whole layout larger, in proportion, as far as
    // the window still fits its screen; the font then shrinks to its
    // controls where it must.
    const QSize designed(qRound(ControlTable::clientWidth / Twips::perPixel),
                         qRound(ControlTable::clientHeight / Twips::perPixel));
    Twips::setScale(Module1::fittingScale(*this, textScale(*this), designed));
    fitFont();
    createLayoutArea();
    createControls();
    m_board = new ThumbnailBoard(Frame1, VScroll1, m_template, this);
    wireEvents();
    setTabOrder();
    Access::nameControls(*this);
    KeyRoad::install(*this);
    cmdBuild->setFocus();
}

frmMain::~frmMain()
{
    // A refresh still running (its yield inside a nested loop) must not
    // touch slots that are being destroyed.
    m_board->abort();
}

void frmMain::fitFont()
{
    QFont font = this->font();
    if (captionsFit(font, style()))
        return;
    // Shrink the window's font a pixel at a time until every caption fits
    // its control; below 8 pixels text stops being readable.
    int pixels = font.pixelSize();
    if (pixels <= 0)
        pixels = qRound(font.pointSizeF() * logicalDpiY() / 72.0);
    while (pixels > 8) {
        --pixels;
        font.setPixelSize(pixels);
        if (captionsFit(font, style()))
            break;
    }
    setFont(font);
}

void frmMain::createLayoutArea()
{
    // The layout is fixed in twips and opens at its own size. The user may
    // make the window smaller, on a screen too small for it, or larger; the
    // layout does not adapt, it scrolls or leaves room.
    const QSize size(Twips::toPixels(ControlTable::clientWidth), Twips::toPixels(ControlTable::clientHeight));
    m_layoutArea = new QWidget;
    m_layoutArea->setFixedSize(size);
    auto *scroller = new QScrollArea(this);
    scroller->setFrameShape(QFrame::NoFrame);
    // Only the controls take the focus, in their own order.
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidget(m_layoutArea);
    auto *frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    // No minimum from the layout: the window may be as small as the user likes.
    frame->setSizeConstraint(QLayout::SetNoConstraint);
    frame->addWidget(scroller);
    resize(size);
    // A hidden scroll area places its viewport only when it is shown. Placed
    // now, every control lies where it will be shown, and a picture asked
    // for before the window shows, as a file given at start-up is, is decoded
    // for the device pixels it is drawn on.
    frame->activate();
    QResizeEvent placed(scroller->size(), scroller->size());
    QCoreApplication::sendEvent(scroller, &placed);
    // A control reached by Tab or by a handler is shown, also when the
    // window is smaller than the layout. One clicked stays where it is: the
    // layout must not move under the pointer between press and release.
    connect(qApp, &QApplication::focusChanged, scroller, [scroller](QWidget *, QWidget *now) {
        if (now && scroller->widget()->isAncestorOf(now) && QApplication::mouseButtons() == Qt::NoButton)
            scrollIntoView(*scroller, *now);
    });
}

void frmMain::createControls()
{
    // Every control by name and array index (-1 outside an array).
    QHash<QPair<QString, int>, QWidget *> made;
    for (const ControlRow &row : ControlTable::controls()) {
        QWidget *container = row.container.isEmpty() ? m_layoutArea : made.value({row.container, -1}, m_layoutArea);
        QWidget *control = makeControl(row, container);
        control->setObjectName(row.name);
        if (row.index >= 0)
            control->setProperty("index", row.index);
        if (!row.tag.isEmpty())
            control->setProperty("tag", row.tag);
        if (row.toolTip)
            control->setToolTip(ControlTable::translated(row.toolTip));
        const QRect designed = Twips::toPixels(row.left, row.top, row.width, row.height);
        control->setGeometry(designed);
        m_designed.emplace_back(control, designed);
        made.insert({row.name, row.index}, control);
    }
    placeAcross();
    auto child = [&made](const char *name, int index = -1) { return made.value({QString::fromLatin1(name), index}); };
    Drive1 = static_cast<DriveBox *>(child("Drive1"));
    Dir1 = static_cast<FolderBox *>(child("Dir1"));
    File1 = static_cast<FileBox *>(child("File1"));
    Unpainted::apply(File1);
    List1 = static_cast<SortedListBox *>(child("List1"));
    List2 = static_cast<SortedListBox *>(child("List2"));
    imgView2 = static_cast<ImageBox *>(child("imgView2"));
    cmdRemove = static_cast<QPushButton *>(child("cmdRemove"));
    cmdAdd = static_cast<QPushButton *>(child("cmdAdd"));
    cmdClear = static_cast<QPushButton *>(child("cmdClear"));
    cmdRefresh = static_cast<QPushButton *>(child("cmdRefresh"));
    cmdBuildLinks = static_cast<QPushButton *>(child("cmdBuildLinks"));
    cmdBuild = static_cast<QPushButton *>(child("cmdBuild"));
    cmdViewInBrowser = static_cast<QPushButton *>(child("cmdViewInBrowser"));
    for (int i = 0; i < 3; ++i)
        optFilter[static_cast<size_t>(i)] = static_cast<QRadioButton *>(child("optFilter", i));
    for (int i = 0; i < 2; ++i)
        Label1[static_cast<size_t>(i)] = static_cast<QLabel *>(child("Label1", i));
    auto *viewport = static_cast<FrameBox *>(child("Frame2"));
    Frame2 = viewport;
    Frame1 = static_cast<QFrame *>(child("Frame1"));
    VScroll1 = static_cast<QScrollBar *>(child("VScroll1"));
    m_template = static_cast<ImageBox *>(child("imgView", 0));
    lblPicDesc = static_cast<QLabel *>(child("lblPicDesc"));
    txtItemDesc = static_cast<QLineEdit *>(child("txtItemDesc"));
    txtName = static_cast<QLineEdit *>(child("txtName"));
    txtDesc = static_cast<QPlainTextEdit *>(child("txtDesc"));

    // The file box is only the source of the file list, which covers it.
    List1->raise();
    optFilter[1]->setChecked(true);
    VScroll1->setRange(0, 32767);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(1);
    VScroll1->setValue(0);
    // The board follows the scroll bar's position, not a dragged thumb.
    VScroll1->setTracking(false);
    // The board's scroll bar takes its turn in the tab order.
    VScroll1->setFocusPolicy(Qt::StrongFocus);
    VScroll1->raise();
    Frame1->lower();
    // The board frame and the scroll bar cover the viewport's own border.
    viewport->keepBorderOnTop();
}

void frmMain::placeAcross()
{
    for (const auto &[control, designed] : m_designed) {
        const QWidget *container = control->parentWidget();
        const QRect at = Twips::placed(designed, container->layoutDirection(), container->width());
        control->move(at.x(), control->y());
        alignText(*control);
    }
}

void frmMain::wireEvents()
{
    connect(Drive1, &DriveBox::changed, this, &frmMain::Drive1_Change);
    connect(Dir1, &FolderBox::changed, this, &frmMain::Dir1_Change);
    for (int i = 0; i < 3; ++i) {
        connect(optFilter[static_cast<size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { optFilter_Click(i); });
        connect(optFilter[static_cast<size_t>(i)], &QRadioButton::toggled, this,
                &frmMain::keepFilterTabStopOnSelection);
    }
    connect(List1, &SortedListBox::picked, this, &frmMain::List1_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &frmMain::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmMain::cmdRemove_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmMain::cmdClear_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmMain::cmdRefresh_Click);
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmMain::VScroll1_Change);
    new BoardWheel(Frame2, VScroll1);
    connect(m_board, &ThumbnailBoard::slotClicked, this, &frmMain::imgView_Click);
    connect(cmdBuild, &QPushButton::clicked, this, &frmMain::cmdBuild_Click);
    connect(cmdBuildLinks, &QPushButton::clicked, this, &frmMain::cmdBuildLinks_Click);
    connect(cmdViewInBrowser, &QPushButton::clicked, this, &frmMain::cmdViewInBrowser_Click);
}

void frmMain::setTabOrder()
{
    QList<QWidget *> chain;
    for (const QString &name : ControlTable::tabOrder()) {
        if (name == QLatin1String("optFilter")) {
            for (QRadioButton *button : optFilter)
                chain << button;
            continue;
        }
        chain << findChild<QWidget *>(name);
    }
    for (int i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i), chain.at(i + 1));
    for (QWidget *w : {static_cast<QWidget *>(Frame1), static_cast<QWidget *>(Frame2),
                       static_cast<QWidget *>(imgView2), static_cast<QWidget *>(m_template)})
        w->setFocusPolicy(Qt::NoFocus);
    keepFilterTabStopOnSelection();
}

void frmMain::keepFilterTabStopOnSelection()
{
    // The filter group is one tab stop, its selected button; the arrow keys
    // move the selection inside it. Qt narrows the group this way only once
    // one of its buttons has had the focus, so a Tab would otherwise land
    // on "All", where a Space or an arrow key changes the filter and
    // empties the page list.
    for (QRadioButton *button : optFilter)
        button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

ImageBox *frmMain::imgView(int index) const
{
    return m_board->slotAt(index);
}

int frmMain::thumbnailCount() const
{
    return m_board->thumbnailCount();
}

void frmMain::Form_Load(const QString &requestedFolder, RequestedName name)
{
    Frame1->resize(Frame1->width(), Twips::toPixels(Twips::fromPixels(Frame1->height()) * 10));
    Module1::CenterForm(*this);
    m_template->hide();
    // A settings file on storage that does not answer is not waited for
    // beyond the storage wait: start-up then goes on as without one.
    const QString stored =
        Toolkit::runWithin<QString>([] { return Settings::readStoredFolder(); }).value_or(QString());
    File1->setPattern(QStringLiteral("*.jpg"));
    FolderBox::Move move = FolderBox::Move::Failed;
    if (!requestedFolder.isEmpty()) {
        QString reason;
        // Bytes that are not UTF-8 were decoded to replacement characters,
        // which would name another folder or none.
        if (name == RequestedName::NotUtf8)
            reason = tr("The folder's name is not valid UTF-8 text");
        else
            move = Dir1->setPath(folderOfArgument(requestedFolder), &reason);
        if (move == FolderBox::Move::Failed) {
            // The message waits for the window, so it does not float alone,
            // nor open inside a wait of the start-up's own.
            m_afterShow = [this, requestedFolder, reason] {
                FolderBox::showProblem(requestedFolder, reason, this);
            };
        }
    }
    // Start-up always lands on a folder that exists, without a message: the
    // first of these that can be listed (the last is "/", or the system
    // drive's root on Windows).
    const QStringList fallbacks{stored, Toolkit::currentFolder(), Toolkit::folderFromEnvironment("HOME"),
                                QDir::rootPath()};
    for (const QString &folder : fallbacks) {
        if (move != FolderBox::Move::Failed)
            break;
        if (!folder.isEmpty())
            move = Dir1->setPath(folder);
    }
    // The file list must show the folder the folder box shows, also when
    // that is the folder the box started in.
    if (move == FolderBox::Move::Unchanged)
        Dir1_Change();
    // A picture given by its file, as a file manager's "Open with" gives
    // it, is picked in the file list, and so previewed, when the filter
    // shows it.
    const QFileInfo given(requestedFolder);
    if (name == RequestedName::Text && given.isFile() && QDir(File1->path()) == QDir(given.absolutePath())) {
        const QList<QListWidgetItem *> found = List1->findItems(given.fileName(), Qt::MatchExactly);
        if (!found.isEmpty()) {
            List1->setCurrentItem(found.first());
            List1->scrollToItem(found.first());
            List1_Click();
        }
    }
}

void frmMain::Drive1_Change()
{
    QString reason;
    const QString drive = Drive1->drive();
    if (Dir1->setPath(drive, &reason) == FolderBox::Move::Failed) {
        Drive1->revert();
        // A window closed while the drive kept it waiting has no one to tell.
        if (isVisible())
            FolderBox::showProblem(drive, reason, this);
    }
}

void frmMain::Dir1_Change()
{
    QString pattern = File1->pattern();
    for (QRadioButton *button : optFilter) {
        if (button->isChecked()) {
            pattern = button->property("tag").toString();
            break;
        }
    }
    QString reason;
    if (!File1->setPathAndPattern(Dir1->path(), pattern, &reason)) {
        FolderBox::showProblem(Dir1->path(), reason, this);
        return;
    }
    List1->clear();
    List2->clear();
    List1->addNames(File1->names());
    // One message for what this change left out: the subfolders when the
    // folder box moved here, and the files. A filter click lists the same
    // folder again; only a name not told yet in this folder is news.
    const QStringList leftOut = Dir1->takeLeftOut() + File1->leftOut();
    if (File1->path() != m_leftOutFolder) {
        m_leftOutFolder = File1->path();
        m_toldLeftOut.clear();
    }
    QSet<QString> news(leftOut.cbegin(), leftOut.cend());
    news.subtract(m_toldLeftOut);
    m_toldLeftOut.unite(news);
    if (!news.isEmpty()) {
        auto tell = [this, folder = File1->path(), leftOut] { FolderBox::showLeftOut(folder, leftOut, this); };
        // At start-up the message waits for the window.
        if (isVisible())
            tell();
        else
            QTimer::singleShot(0, this, tell);
    }
}

void frmMain::optFilter_Click(int)
{
    Dir1_Change();
}

void frmMain::List1_Click()
{
    if (List1->currentRow() < 0)
        return;
    const QString name = List1->list(List1->currentRow());
    if (!Selection::passesPictureNameTest(name))
        return;
    const QString path = Dir1->path() + QLatin1Char('/') + name;
    // Decoded off the window's thread and shown when it is done; a newer
    // pick meanwhile wins.
    m_preview->load(path, imgView2->devicePixelTarget(), this, [this, path](const LoadedPicture &picture) {
        if (!picture.ok()) {
            Toolkit::showMessage(tr("The picture %1 cannot be shown.\n\n%2").arg(QDir::toNativeSeparators(path),
                                                                                  picture.error()),
                                 MessageStyle::Exclamation, QString(), this);
            return;
        }
        imgView2->setPicture(QPixmap::fromImage(picture.image()));
    });
}

bool frmMain::previewPending() const
{
    return m_preview->pending();
}

void frmMain::cmdAdd_Click()
{
    Selection::moveSelected(*List1, *List2);
}

void frmMain::cmdRemove_Click()
{
    Selection::moveSelected(*List2, *List1);
}

void frmMain::cmdClear_Click()
{
    List2->clear();
}

void frmMain::cmdRefresh_Click()
{
    ThumbnailBoard::PageSource source;
    source.count = [this] { return List2->listCount(); };
    source.item = [this](int i) { return List2->list(i); };
    source.folder = [this] { return Dir1->path(); };
    m_board->refresh(source);
    const QString count = Access::pictureCount(thumbnailCount());
    Frame1->setAccessibleDescription(count);
    // The focus stays on the button, so nothing else would tell a screen
    // reader's user that the refresh is done.
    Access::announce(*this, count);
}

void frmMain::VScroll1_Change()
{
    m_board->scrollTo(VScroll1->value());
}

void frmMain::imgView_Click(int index)
{
    // After a shorter refresh the slot being described may be gone; its
    // text then has nowhere to go.
    if (m_board->hasSlot(m_currentSlot))
        m_board->setDescription(m_currentSlot, txtItemDesc->text());
    txtItemDesc->setText(m_board->description(index));
    m_currentSlot = index;
    lblPicDesc->setText(tr("Picture Description for Pic %1").arg(index));
    // What the user types next is the description; without this the keys go
    // to whatever had the focus, often the Refresh button.
    txtItemDesc->setFocus();
}

void frmMain::BuildPage(bool links)
{
    // The box shows the trimmed name before any message can appear.
    txtName->setText(Page::trimSpaces(txtName->text()));
    PageInput input;
    input.folder = File1->path();
    input.pageName = txtName->text();
    input.pageDescription = typedText(*txtDesc);
    input.pageList = List2->names();
    input.slotDescriptions = m_board->slotDescriptions();
    input.kind = links ? PageKind::Links : PageKind::Images;
    input.messageParent = this;
    Page::buildPage(input);
}

void frmMain::cmdBuild_Click()
{
    BuildPage(false);
}

void frmMain::cmdBuildLinks_Click()
{
    BuildPage(true);
}

void frmMain::cmdViewInBrowser_Click()
{
    Module1::OpenInBrowser(Page::pagePath(File1->path(), txtName->text()), this);
}

void frmMain::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    // A file box that never listed a folder shows none the user chose.
    if (!File1->listed())
        return;
    // The window closes after the storage wait even when the settings file
    // does not answer; the file then stays as it was, whole.
    Toolkit::runWithin<bool>([folder = File1->path()] {
        Settings::writeStoredFolder(folder);
        return true;
    });
}

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_afterShow)
        QTimer::singleShot(0, this, std::exchange(m_afterShow, {}));
}

void frmMain::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // A direction that changes while the window is open, as a translation
    // loaded later may change it, moves the controls the layout placed by
    // hand; Qt's own layouts and the controls' insides follow by themselves.
    if (event->type() == QEvent::LayoutDirectionChange && m_board) {
        placeAcross();
        m_board->placeAcross();
    }
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // A refresh running at a yield stops there; the window closes normally.
    m_board->abort();
    Form_Unload();
    event->accept();
}
