// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/browserservice.h"

namespace Browser {
namespace {

BrowserService *&currentService()
{
    static BrowserService *service = nullptr;
    return service;
}

} // namespace

BrowserService &service()
{
    if (BrowserService *installed = currentService())
        return *installed;
    return platformService();
}

BrowserService *setService(BrowserService *service)
{
    BrowserService *previous = &Browser::service();
    currentService() = service;
    return previous;
}

} // namespace Browser
