// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QWidget;

// A program that the system opens a type of file with.
struct BrowserProgram
{
    QString executable; // full path of the program
    QString name;       // its name as the system shows it
    // The service's own record of the program; a fake service leaves it empty.
    std::shared_ptr<void> platform;
};

// The two platform services that opening a page relies on.
class BrowserService
{
public:
    virtual ~BrowserService() = default;

    // The program associated with the type of the file at probePath, which
    // exists while the call runs; nothing when there is none or it is gone.
    virtual std::optional<BrowserProgram> findProgram(const QString &probePath) = 0;

    // Starts the program with pagePath as its one parameter. True once the
    // process has started; what the program then does is its own business.
    // Any box the system shows about it belongs to the owner's window.
    virtual bool start(const BrowserProgram &program, const QString &pagePath, QWidget *owner) = 0;
};

namespace Browser {

// The service of the platform the program is built for.
BrowserService &platformService();

// The shared folders the probe goes to, in a private folder of its own, when
// the program's folder cannot take it; in the order they are tried.
QStringList probeFolders();

// The service that OpenInBrowser uses.
BrowserService &service();

// Puts a service in place of the current one and returns the one it replaces.
// The service is not owned and must outlive its use; nullptr restores the
// platform's service.
BrowserService *setService(BrowserService *service);

} // namespace Browser
