#pragma once
// The product's logo, drawn rather than shipped as a picture file so that
// it is sharp at any size.
#include <QPixmap>

QPixmap productLogo(int size);
