// SPDX-License-Identifier: GPL-3.0-or-later
// The page text and the page file: how many CR LF sequences they hold.
//
// Fields: the page name, the page description, then pairs of a page-list file
// name and the description of its board slot. An odd last field is a file
// name without a slot. The separator's flag chooses the page of links.
//
// Every line of the page is followed by CR LF, and a line break inside a
// description becomes <BR>. Each name and file name stands between literal
// text in its line, so a CR or LF at its ends cannot pair up with a line end,
// and descriptions lose every CR LF (a CR before their closing <BR><BR> pairs
// with nothing). So the page holds exactly
//     6 + (1 if the description is not empty) + 2 x items
// CR LF sequences, plus those inside the page name (which appears twice) and
// inside the file names (none on a page of images, where a name appears only
// in its encoded URL, and once, as link text, on a page of links). With names
// free of CR LF that is the line count alone.
//
// Every file name's URL decodes back to the name, holds nothing that the
// browser drops or reads otherwise, and cannot start with a scheme.

#include "toolkit/messagebox.h"
#include "fuzzinput.h"
#include "page/pagewriter.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include <algorithm>

namespace {

constexpr size_t MaxInput = 4096;

qsizetype countLineBreaks(const QString &text)
{
    return text.count(QStringLiteral("\r\n"));
}

qsizetype countLineBreaks(const QByteArray &bytes)
{
    return bytes.count(QByteArrayLiteral("\r\n"));
}

QString joined(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

qsizetype expectedLineBreaks(const PageInput &input)
{
    qsizetype count = 6 + (input.pageDescription.isEmpty() ? 0 : 1) + 2 * input.pageList.size();
    count += 2 * countLineBreaks(input.pageName);
    const qsizetype uses = input.kind == PageKind::Links ? 1 : 0;
    for (const QString &file : input.pageList)
        count += uses * countLineBreaks(file);
    return count;
}

void checkUrl(const QString &file)
{
    const QString url = Page::urlForFileName(file);
    const bool prefixed = url.startsWith(QStringLiteral("./")) && !file.startsWith(QStringLiteral("./"));
    const QString body = prefixed ? url.mid(2) : url;
    FUZZ_CHECK(QByteArray::fromPercentEncoding(body.toUtf8()) == file.toUtf8(), {"file", file}, {"url", url});
    const qsizetype colon = url.indexOf(QLatin1Char(':'));
    FUZZ_CHECK(!url.startsWith(QLatin1Char(' ')) && !url.endsWith(QLatin1Char(' '))
                   && (colon < 0 || url.left(colon).contains(QLatin1Char('/')))
                   && std::none_of(url.cbegin(), url.cend(), [](QChar c) {
                          return c.unicode() < 0x20 || c.unicode() == 0x7f || QStringLiteral("\"#?\\&<>").contains(c);
                      }),
               {"file", file}, {"url", url});
}

QString describe(const PageInput &input)
{
    QString text = input.kind == PageKind::Links ? QStringLiteral("links") : QStringLiteral("images");
    for (qsizetype i = 0; i < input.pageList.size(); ++i)
        text += QStringLiteral(" | ") + input.pageList.at(i) + QStringLiteral(" : ")
            + (i < input.slotDescriptions.size() ? input.slotDescriptions.at(i) : QStringLiteral("(no slot)"));
    return text;
}

QString number(qsizetype n)
{
    return QString::number(n);
}

int &messageCount()
{
    static int count = 0;
    return count;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// The whole build, into an empty folder, checked against the page text.
void checkBuild(const PageInput &original)
{
    PageInput input = original;
    const QString folder = fuzzScratchFolder();
    input.folder = folder;
    const int messagesBefore = messageCount();
    const Page::BuildOutcome outcome = Page::buildPage(input);
    const bool messageShown = messageCount() != messagesBefore;
    FUZZ_CHECK(input.pageName == Page::trimSpaces(original.pageName), {"name", original.pageName},
               {"trimmed", input.pageName});

    switch (outcome.result) {
    case Page::BuildResult::EmptyName:
        FUZZ_CHECK(input.pageName.isEmpty() && messageShown, {"name", original.pageName});
        break;
    case Page::BuildResult::BadName:
        FUZZ_CHECK((input.pageName.contains(QLatin1Char('\r')) || input.pageName.contains(QLatin1Char('\n')))
                       && messageShown,
                   {"name", original.pageName});
        break;
    case Page::BuildResult::WriteFailed:
        // A name can be too long or hold a NUL, which the system would take
        // as the end of the path; the user must be told.
        FUZZ_CHECK(!input.pageName.isEmpty() && messageShown, {"name", original.pageName},
                   {"error", outcome.error});
        break;
    case Page::BuildResult::Written: {
        FUZZ_CHECK(!input.pageName.isEmpty() && !messageShown, {"name", original.pageName});
        QFile file(outcome.path);
        FUZZ_CHECK(file.open(QIODevice::ReadOnly), {"path", outcome.path});
        const QByteArray bytes = file.readAll();
        file.close();
        QFile::remove(outcome.path);

        QStringEncoder encoder(QStringConverter::System);
        const QByteArray expected = encoder.encode(joined(Page::pageLines(input)));
        FUZZ_CHECK(bytes == expected, {"name", input.pageName}, {"file", fuzzBytes(bytes)},
                   {"expected", fuzzBytes(expected)});
        FUZZ_CHECK(countLineBreaks(bytes) == expectedLineBreaks(input), {"name", input.pageName},
                   {"description", input.pageDescription}, {"items", describe(input)},
                   {"found", number(countLineBreaks(bytes))}, {"expected", number(expectedLineBreaks(input))});
        break;
    }
    }
    // Nothing may be left behind: no page after a refusal, no temporary file.
    const QStringList left = filesIn(folder);
    FUZZ_CHECK(left.isEmpty(), {"name", original.pageName}, {"left", left.join(QLatin1Char('/'))});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = [] {
        Toolkit::setMessageHandler([](const QString &, MessageStyle, const QString &, QWidget *) {
            ++messageCount();
        });
        return true;
    }();
    (void)quiet;

    if (size > MaxInput)
        return -1;
    const FuzzInput input(data, size);
    PageInput page;
    page.kind = input.flag() ? PageKind::Links : PageKind::Images;
    page.pageName = input.text(0);
    page.pageDescription = input.text(1);
    for (qsizetype i = 2; i < input.count(); i += 2) {
        page.pageList << input.text(i);
        if (i + 1 < input.count())
            page.slotDescriptions << input.text(i + 1);
    }

    const QStringList lines = Page::pageLines(page);
    const qsizetype lineCount = 6 + (page.pageDescription.isEmpty() ? 0 : 1) + 2 * page.pageList.size();
    FUZZ_CHECK(lines.size() == lineCount, {"items", describe(page)}, {"lines", number(lines.size())});
    for (const QString &file : page.pageList)
        checkUrl(file);
    const QString text = joined(lines);
    FUZZ_CHECK(countLineBreaks(text) == expectedLineBreaks(page), {"name", page.pageName},
               {"description", page.pageDescription}, {"items", describe(page)},
               {"found", number(countLineBreaks(text))}, {"expected", number(expectedLineBreaks(page))});

    // A '/' in the name would let the page land outside the scratch folder.
    if (!page.pageName.contains(QLatin1Char('/')))
        checkBuild(page);
    return 0;
}
