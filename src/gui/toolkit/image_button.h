#pragma once

#include <QPixmap>
#include <QPushButton>

namespace tessaray {

// A push button that shows one picture instead of a text. The picture is loaded once, on the
// first SetBitmap, and belongs to the button.
class CImageButton final : public QPushButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CImageButton)

public:
    explicit CImageButton(QWidget* parent = nullptr);

    // Loads the picture at imagePath (a file or a ":/" resource) unless one is loaded already and
    // puts it on the button. False when the picture cannot be loaded.
    bool SetBitmap(const QString& imagePath);
    bool HasBitmap() const { return m_bBitmapSet; }

private:
    QPixmap m_bitmap;
    bool m_bBitmapSet = false;
};

} // namespace tessaray
