#pragma once
// The product's logo, drawn rather than shipped as a picture file so that
// it is sharp at any size.
#include <QPixmap>

namespace ui {

QPixmap productLogo(int size);

} // namespace ui
