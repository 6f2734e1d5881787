// The picture button loads its picture once and reports a missing one.
#include "gui/toolkit/image_button.h"

#include "temp_dir.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace tessaray::test {
namespace {

TEST(ImageButtonTest, LoadsThePictureOnceAndFailsForAMissingOne) {
    TempDir temp;
    CImageButton button;
    EXPECT_FALSE(button.SetBitmap(QString::fromStdString(temp.File("missing.png"))));
    EXPECT_FALSE(button.HasBitmap());

    QImage image(24, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString path = QString::fromStdString(temp.File("button.png"));
    ASSERT_TRUE(image.save(path));
    EXPECT_TRUE(button.SetBitmap(path));
    EXPECT_TRUE(button.HasBitmap());
    EXPECT_EQ(button.iconSize(), QSize(24, 16));
    // The loaded picture stays: a later call does not read the file again.
    QFile::remove(path);
    EXPECT_TRUE(button.SetBitmap(path));
}

} // namespace
} // namespace tessaray::test
