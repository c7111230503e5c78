#pragma once
// The telephone receiver picture of the dial picture and the dialer: drawn,
// so it looks the same with or without an icon theme.
#include <QIcon>

namespace ui {

QIcon telephoneIcon();

} // namespace ui
