// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/openinbrowser.h"

#include "toolkit/messagebox.h"
#include "toolkit/textfile.h"
#include "browser/browserservice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace Browser {
namespace {

FolderLookup &currentFolderLookup()
{
    static FolderLookup lookup;
    return lookup;
}

} // namespace

QString applicationFolder()
{
    if (const FolderLookup &lookup = currentFolderLookup())
        return lookup();
    return QCoreApplication::applicationDirPath();
}

FolderLookup setApplicationFolderLookup(FolderLookup lookup)
{
    FolderLookup previous = std::move(currentFolderLookup());
    currentFolderLookup() = std::move(lookup);
    return previous;
}

} // namespace Browser

namespace {

const QString probeName = QStringLiteral("test.htm");
// Only the file's existence and extension matter to the system.
const QString probeLine = QStringLiteral("<HTML> <\\HTML>");

// The probe file of one attempt. It is deleted when the attempt ends, and so
// is the private folder it was put in when the program's folder was closed.
class Probe
{
public:
    Probe() = default;
    Probe(const Probe &) = delete;
    Probe &operator=(const Probe &) = delete;
    ~Probe()
    {
        if (!path.isEmpty())
            QFile::remove(path);
    }

    // Creates the probe, trying the program's folder, then a private folder
    // in each of the platform's probe folders. On failure the last folder
    // tried and the reason the system gave are kept.
    bool write();

    QString path;
    QString failedFolder;
    QString failure;

private:
    bool writeFile(const QString &filePath);
    bool writeInSharedFolder(const QString &folder);

    std::unique_ptr<QTemporaryDir> m_privateFolder;
};

bool Probe::write()
{
    const QString appFolder = Browser::applicationFolder();
    if (!appFolder.isEmpty()) {
        failedFolder = appFolder;
        if (writeFile(QDir(appFolder).filePath(probeName)))
            return true;
    }
    for (const QString &folder : Browser::probeFolders()) {
        if (!folder.isEmpty() && writeInSharedFolder(folder))
            return true;
    }
    if (failure.isEmpty())
        failure = QCoreApplication::translate("Probe", "There is no folder to write it in.");
    return false;
}

// Only a name that nothing holds yet is used: a file of the user's, or a
// planted link, by that name stays as it is, and the probe goes elsewhere.
bool Probe::writeFile(const QString &filePath)
{
    TextFile file(filePath, TextFile::Mode::CreateNew);
    if (file.open() && file.write(probeLine) && file.close()) {
        path = filePath;
        return true;
    }
    failure = file.errorString();
    return false;
}

// Another user may own names in a shared folder, so the probe goes into a
// folder of its own.
bool Probe::writeInSharedFolder(const QString &folder)
{
    failedFolder = folder;
    auto privateFolder = std::make_unique<QTemporaryDir>(QDir(folder).filePath(QStringLiteral("kelvane-XXXXXX")));
    if (!privateFolder->isValid()) {
        failure = privateFolder->errorString();
        return false;
    }
    if (!writeFile(privateFolder->filePath(probeName)))
        return false;
    m_privateFolder = std::move(privateFolder);
    return true;
}

} // namespace

namespace Module1 {

void OpenInBrowser(const QString &pagePath, QWidget *owner)
{
    if (pagePath.isEmpty())
        return;

    // The probe is deleted when this function returns, after any message
    // has been closed.
    Probe probe;
    if (!probe.write()) {
        Toolkit::showMessage(QCoreApplication::translate("Module1", "The file %1 could not be written in:\n%2\n\n%3")
                                 .arg(probeName, QDir::toNativeSeparators(probe.failedFolder), probe.failure),
                             MessageStyle::Exclamation, QString(), owner);
        return;
    }

    BrowserService &service = Browser::service();
    const std::optional<BrowserProgram> program = service.findProgram(probe.path);
    if (!program) {
        Toolkit::showMessage(QCoreApplication::translate("Module1", "Could not find associated Browser"),
                             MessageStyle::Exclamation, QCoreApplication::translate("Module1", "Browser Not Found"),
                             owner);
        return;
    }
    // The system would see only the part before a NUL: another file.
    if (pagePath.contains(QChar(0)) || !service.start(*program, pagePath, owner)) {
        Toolkit::showMessage(QCoreApplication::translate("Module1", "Web Page not Opened"), MessageStyle::Exclamation,
                             QCoreApplication::translate("Module1", "URL Failed"), owner);
    }
}

} // namespace Module1
