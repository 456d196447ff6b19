// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/pagewriter.h"

#include "toolkit/durablefile.h"
#include "toolkit/messagebox.h"
#include "toolkit/storagewait.h"
#include "page/replaceall.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringEncoder>

#include <atomic>
#include <memory>

namespace Page {
namespace {

const QString lineBreak = QStringLiteral("\r\n");
const QString htmlBreak = QStringLiteral("<BR>");

QString withBreaks(const QString &text)
{
    QString copy = text;
    return Module1::ReplaceAll(copy, lineBreak, htmlBreak);
}

} // namespace

QString trimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString pagePath(const QString &folder, const QString &pageName)
{
    // The separator is added whatever the folder ends in, so a drive root
    // gives two in a row. The path goes out as the system writes paths.
    return QDir::toNativeSeparators(folder + QLatin1Char('/') + pageName + QStringLiteral(".html"));
}

QString urlForFileName(const QString &fileName)
{
    // The browser strips spaces from both ends of an attribute's URL, drops
    // tabs and line breaks anywhere in it, reads a backslash as "/" and
    // decodes character references such as "&amp". Those are encoded, so that
    // the value reaches the file of exactly this name.
    qsizetype lead = 0;
    while (lead < fileName.size() && fileName.at(lead) == QLatin1Char(' '))
        ++lead;
    qsizetype trail = fileName.size();
    while (trail > lead && fileName.at(trail - 1) == QLatin1Char(' '))
        --trail;

    QString url;
    url.reserve(fileName.size() + 2);
    // A colon before any slash would make the name's start a scheme
    // ("javascript:", "img:").
    const qsizetype colon = fileName.indexOf(QLatin1Char(':'));
    if (colon >= 0 && !fileName.left(colon).contains(QLatin1Char('/')))
        url += QStringLiteral("./");
    for (qsizetype i = 0; i < fileName.size(); ++i) {
        const char16_t c = fileName.at(i).unicode();
        const bool outerSpace = c == ' ' && (i < lead || i >= trail);
        if (c < 0x20 || c == 0x7f || outerSpace || c == '%' || c == '#' || c == '?' || c == '"' || c == '\\'
            || c == '&' || c == '<' || c == '>') {
            static const char hex[] = "0123456789ABCDEF";
            url += QLatin1Char('%');
            url += QLatin1Char(hex[c >> 4]);
            url += QLatin1Char(hex[c & 0xf]);
        } else {
            url += QChar(c);
        }
    }
    return url;
}

QString linkText(const QString &fileName)
{
    // "&" first, so that the references written for "<" and ">" stay whole.
    QString text = fileName;
    text.replace(QLatin1Char('&'), QStringLiteral("&amp;"))
        .replace(QLatin1Char('<'), QStringLiteral("&lt;"))
        .replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    return text;
}

QStringList pageLines(const PageInput &input)
{
    const QString &name = input.pageName;
    QStringList lines;
    lines.reserve(6 + 2 * input.pageList.size());
    lines << QStringLiteral("<Title>") + name + QStringLiteral("</Title>")
          << QStringLiteral("<Font Size=4>")
          << QStringLiteral("<Heading>") + name + QStringLiteral("</Heading><BR><BR>")
          << QStringLiteral("</Font>")
          << QStringLiteral("<Font Size=3>");
    if (!input.pageDescription.isEmpty())
        lines << withBreaks(input.pageDescription) + QStringLiteral("<BR><BR>");

    for (qsizetype i = 0; i < input.pageList.size(); ++i) {
        const QString &file = input.pageList.at(i);
        // An item that has no board slot yet has no description.
        const QString description = i < input.slotDescriptions.size() ? input.slotDescriptions.at(i) : QString();
        const QString descriptionLine = withBreaks(description) + QStringLiteral("<BR><BR>");
        const QString url = urlForFileName(file);
        if (input.kind == PageKind::Links) {
            lines << QStringLiteral("<A HREF=\"") + url + QStringLiteral("\">") + linkText(file)
                         + QStringLiteral("</A>&nbsp&nbsp ")
                  << descriptionLine;
        } else {
            lines << descriptionLine
                  << QStringLiteral("<img src=\"") + url + QStringLiteral("\"><P><BR>");
        }
    }
    lines << QStringLiteral("</Font>");
    return lines;
}

QByteArray pageBytes(const PageInput &input)
{
    // One text, encoded once: the page reaches the disk in one write.
    QString text;
    for (const QString &line : pageLines(input))
        text += line + lineBreak;
    // Characters UTF-8 cannot hold (a lone surrogate) become its
    // replacement character, as the system's text conversion has them.
    QStringEncoder encoder(QStringConverter::Utf8);
    return encoder.encode(text);
}

BuildOutcome buildPage(PageInput &input)
{
    BuildOutcome outcome;
    input.pageName = trimSpaces(input.pageName);
    if (input.pageName.isEmpty()) {
        Toolkit::showMessage(QCoreApplication::translate("Page", "Please fill in a Name in the text box.  This will "
                                                                 "become the name of the file and will be appended "
                                                                 "with .html"),
                             MessageStyle::Plain, QString(), input.messageParent);
        outcome.result = BuildResult::EmptyName;
        return outcome;
    }

    // A line break pasted into the one-line name box would go into the file
    // name and split the title and heading lines.
    if (input.pageName.contains(QLatin1Char('\r')) || input.pageName.contains(QLatin1Char('\n'))) {
        Toolkit::showMessage(QCoreApplication::translate("Page", "The page name cannot contain a line break. Please "
                                                                 "type the name on one line."),
                             MessageStyle::Exclamation, QString(), input.messageParent);
        outcome.result = BuildResult::BadName;
        return outcome;
    }

    outcome.path = pagePath(input.folder, input.pageName);
    // Everything the write needs is taken here; the thread that writes owns
    // its copies, and a folder that does not answer holds only that thread.
    const auto abandoned = std::make_shared<std::atomic<bool>>(false);
    // The text is made there too: for a page list of thousands of names it
    // would hold the window for tens of milliseconds. The copy shares the
    // lists; the window it would parent messages to may be gone by then.
    PageInput text = input;
    text.messageParent = nullptr;
    Toolkit::WaitEnd end = Toolkit::WaitEnd::Done;
    const std::optional<QString> written = Toolkit::runWithin<QString>(
        [path = outcome.path, text = std::move(text), abandoned] {
            Toolkit::ReplaceOptions options;
            options.removeLeftovers = true;
            options.abandoned = abandoned.get();
            return Toolkit::replaceFile(path, pageBytes(text), options);
        },
        &end);
    if (written && written->isEmpty()) {
        outcome.result = BuildResult::Written;
        return outcome;
    }
    if (!written)
        abandoned->store(true);

    outcome.result = BuildResult::WriteFailed;
    outcome.error = written ? *written : Toolkit::notAnsweredReason();
    // A program that is ending has no one to tell.
    if (end == Toolkit::WaitEnd::Quitting)
        return outcome;
    Toolkit::showMessage(QCoreApplication::translate("Page", "The page could not be written:\n%1\n\n%2")
                             .arg(QDir::toNativeSeparators(outcome.path), outcome.error),
                         MessageStyle::Exclamation, QString(), input.messageParent);
    return outcome;
}

} // namespace Page
