#pragma once
// Opens an address in the user's browser and returns at once.
#include <QUrl>

namespace base {

class WebOpener {
public:
    virtual ~WebOpener() = default;
    virtual bool open(const QUrl &address) = 0;
};

// The program's opener: the desktop's handler for the address.
class DesktopWebOpener final : public WebOpener {
public:
    bool open(const QUrl &address) override;
};

} // namespace base
