#include "gui/toolkit/image_button.h"

namespace tessaray {

CImageButton::CImageButton(QWidget* parent) : QPushButton(parent) {}

bool CImageButton::SetBitmap(const QString& imagePath) {
    if (m_bitmap.isNull() && !m_bitmap.load(imagePath)) {
        return false;
    }
    setIcon(QIcon(m_bitmap));
    setIconSize(m_bitmap.deviceIndependentSize().toSize());
    m_bBitmapSet = true;
    return true;
}

} // namespace tessaray
