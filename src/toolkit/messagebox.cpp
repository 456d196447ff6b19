// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/messagebox.h"

#include <QApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

#include <memory>
#include <vector>

namespace Toolkit {
namespace {

// Under Wayland the toolkit draws a window's title bar itself wherever the
// compositor does not offer to (weston does not), and the bar it draws has
// minimise and maximise buttons whatever the window's flags and size say.
// Maximising the box, whose size is fixed, then breaks the protocol: the
// compositor demands the size it configured, gets the box's own, and drops
// the connection, which ends the program. So under Wayland the box has no
// such bar: it draws its own row with the caption and a close button, and
// moves by it.
bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

class TitleRow : public QWidget
{
public:
    explicit TitleRow(QWidget *box)
        : QWidget(box)
    {
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Button);
        m_caption = new QLabel(this);
        m_caption->setAlignment(Qt::AlignCenter);
        m_caption->setTextFormat(Qt::PlainText);
        QFont font = m_caption->font();
        font.setBold(true);
        m_caption->setFont(font);
        auto *close = new QToolButton(this);
        close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
        close->setAutoRaise(true);
        close->setFocusPolicy(Qt::NoFocus);
        close->setAccessibleName(QCoreApplication::translate("TitleRow", "Close"));
        connect(close, &QToolButton::clicked, box, &QWidget::close);
        auto *row = new QHBoxLayout(this);
        row->setContentsMargins(6, 2, 2, 2);
        // Balances the close button, so the caption stays in the middle.
        row->addSpacing(close->sizeHint().width());
        row->addWidget(m_caption, 1);
        row->addWidget(close);
    }

    void setCaption(const QString &caption) { m_caption->setText(caption); }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && window()->windowHandle())
            window()->windowHandle()->startSystemMove();
    }

private:
    QLabel *m_caption = nullptr;
};

// A message box with its own title row on top of the box's content.
class OwnTitleBox : public QMessageBox
{
public:
    explicit OwnTitleBox(QWidget *owner, const QString &caption)
        : QMessageBox(owner)
        , m_title(new TitleRow(this))
    {
        m_title->setCaption(caption);
        // The box's layout, and so the fixed size it computes, keeps clear
        // of the row.
        setContentsMargins(1, m_title->sizeHint().height() + 1, 1, 1);
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QMessageBox::resizeEvent(event);
        m_title->setGeometry(1, 1, width() - 2, contentsMargins().top() - 1);
    }
    void paintEvent(QPaintEvent *event) override
    {
        QMessageBox::paintEvent(event);
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    TitleRow *m_title;
};

// A word longer than this (a path, a long file name) gets places where a
// line may break, after each separator and at least every so many
// characters: the box wraps it rather than grow past the screen.
constexpr int longestUnbrokenRun = 40;

QString breakable(const QString &text)
{
    const QChar mayBreak(0x200B); // zero width space
    QString shown;
    shown.reserve(text.size() + text.size() / longestUnbrokenRun);
    qsizetype wordStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !text.at(i).isSpace())
            continue;
        const QStringView word = QStringView(text).sliced(wordStart, i - wordStart);
        if (word.size() <= longestUnbrokenRun) {
            shown += word;
        } else {
            int run = 0;
            for (qsizetype k = 0; k < word.size(); ++k) {
                const QChar c = word.at(k);
                shown += c;
                ++run;
                const bool last = k + 1 == word.size();
                if (!last && !c.isHighSurrogate()
                    && (c == QLatin1Char('/') || c == QLatin1Char('\\') || run >= longestUnbrokenRun)) {
                    shown += mayBreak;
                    run = 0;
                }
            }
        }
        if (i < text.size())
            shown += text.at(i);
        wordStart = i + 1;
    }
    return shown;
}

void showDialog(const QString &text, MessageStyle style, const QString &title, QWidget *parent)
{
    // The box belongs to the window, not to the control that asked, so that
    // the window system keeps it above the window. Under X11 it is centred
    // on the window; a Wayland compositor places it where it sees fit.
    QWidget *owner = parent ? parent->window() : QApplication::activeWindow();
    const bool ownTitle = onWayland();
    std::unique_ptr<QMessageBox> box(ownTitle ? new OwnTitleBox(owner, title) : new QMessageBox(owner));
    // A dialog's decoration: a title and a close button, nothing to minimise
    // or maximise. The box's size is fixed, so nothing resizes it either.
    box->setWindowFlags(ownTitle ? Qt::Dialog | Qt::FramelessWindowHint
                                 : Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                       | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    box->setWindowTitle(title);
    box->setText(breakable(text));
    box->setTextFormat(Qt::PlainText);
    box->setStandardButtons(QMessageBox::Ok);
    box->setIcon(style == MessageStyle::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
    box->exec();
}

// Lifts every busy pointer for as long as a message waits for the user,
// including those of operations that the one showing it interrupted.
class NormalPointer
{
public:
    NormalPointer()
    {
        // A program without a window (a tool, a test) has no pointer; Qt
        // would read a window program's state that is not there.
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return;
        while (const QCursor *cursor = QGuiApplication::overrideCursor()) {
            m_lifted.push_back(*cursor);
            QGuiApplication::restoreOverrideCursor();
        }
    }
    ~NormalPointer()
    {
        for (auto it = m_lifted.rbegin(); it != m_lifted.rend(); ++it)
            QGuiApplication::setOverrideCursor(*it);
    }
    NormalPointer(const NormalPointer &) = delete;
    NormalPointer &operator=(const NormalPointer &) = delete;

private:
    std::vector<QCursor> m_lifted;
};

MessageHandler &currentHandler()
{
    static MessageHandler handler;
    return handler;
}

} // namespace

QString applicationTitle()
{
    return QStringLiteral("Kelvane");
}

void showMessage(const QString &text, MessageStyle style, const QString &title, QWidget *parent)
{
    const QString caption = title.isEmpty() ? applicationTitle() : title;
    const NormalPointer pointer;
    if (const MessageHandler &handler = currentHandler())
        handler(text, style, caption, parent);
    else
        showDialog(text, style, caption, parent);
}

MessageHandler setMessageHandler(MessageHandler handler)
{
    MessageHandler previous = std::move(currentHandler());
    currentHandler() = std::move(handler);
    return previous;
}

} // namespace Toolkit
