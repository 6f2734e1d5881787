#include "gui/toolkit/byte_text.h"

#include "core/util/utf8_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextDocument>

namespace tessaray {

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

QString FromBytes(std::string_view text) {
    return IsValidUtf8(text) ? FromUtf8(text) : FromUtf8(Windows1252ToUtf8(text));
}

std::string ToBytes(const QString& text) {
    return text.toUtf8().toStdString();
}

std::string ToBytesKeeping(const QString& text, const std::string& original) {
    return text == FromBytes(original) ? original : ToBytes(text);
}

std::string ToPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

QString PlainToolTip(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal) : text;
}

QString ReadFailureText(const QString& path, const CReadResult& read) {
    QString text =
        QCoreApplication::translate("tessaray::CEditProjectDlg", "The file %1 cannot be read.")
            .arg(path);
    if (read.Code() != EReadError::CannotOpen && read.Code() != EReadError::ReadFailed) {
        text +=
            QStringLiteral(" (") + FromBytes("it " + ReadFailureReason(read)) + QLatin1Char(')');
    }
    return text;
}

} // namespace tessaray
